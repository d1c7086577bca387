# SPDX-License-Identifier: GPL-3.0-or-later
"""Times the page in headless Chromium: from navigation to ready for input (the offered number in
the focused input box), alternately with a static copy of the same layout without WebAssembly,
and the site's later visits, served from this machine and answered by its service worker; and
from a click on "Изчисли" to the report shown.

Each timed navigation starts from a page of its own origin: Chromium gives another origin's
page a new renderer process, whose start would otherwise be counted in.

Usage: /usr/bin/python3 page_bench.py binrot.html site-folder [runs]
"""
import pathlib
import statistics
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "web"))
from chromium import Chromium  # noqa: E402
from loopback import served  # noqa: E402

page = pathlib.Path(sys.argv[1]).resolve()
site = sys.argv[2]
runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
READY = ("document.activeElement && document.activeElement.id === 'Text2_0'"
         " && document.activeElement.value !== ''")


def time_to_ready(browser, url, before):
    """From before, an untimed page of url's origin, by way of about:blank."""
    for untimed in (before, "about:blank"):
        browser.call("Page.navigate", url=untimed)
        while browser.evaluate("document.readyState") != "complete":
            pass
    started = time.monotonic()
    browser.call("Page.navigate", url=url)
    while not browser.evaluate(READY):
        pass
    return (time.monotonic() - started) * 1000


with Chromium() as browser, tempfile.TemporaryDirectory() as work, served(site) as server:
    # The floor: the page as it stands once loaded, its script removed, the number kept. Its
    # input box takes the focus through autofocus, as the page's does.
    browser.open(page.as_uri(), READY)
    static = pathlib.Path(work, "static.html")
    static.write_text("<!DOCTYPE html>\n" + browser.evaluate("""(() => {
        const copy = document.documentElement.cloneNode(true);
        copy.querySelectorAll('script').forEach((script) => script.remove());
        const input = copy.querySelector('#Text2_0');
        input.setAttribute('value', document.getElementById('Text2_0').value);
        input.setAttribute('autofocus', '');
        copy.querySelector('#Text1_0').textContent = document.getElementById('Text1_0').value;
        return copy.outerHTML;
    })()"""))

    # The first visit installs the service worker; the ones timed are answered by it.
    site_url = f"http://127.0.0.1:{server.server_port}/"
    browser.open(site_url, READY)
    browser.evaluate("navigator.serviceWorker.ready.then(() => true)")
    blank = pathlib.Path(work, "blank.html")
    blank.write_text("<!DOCTYPE html><title>blank</title>")
    site_page = site_url + "manifest.webmanifest"
    times = {page.name: [], "site, later visit": [], "static page": []}
    for _ in range(runs):
        times[page.name].append(time_to_ready(browser, page.as_uri(), blank.as_uri()))
        times["site, later visit"].append(time_to_ready(browser, site_url, site_page))
        times["static page"].append(time_to_ready(browser, static.as_uri(), blank.as_uri()))
    floor = statistics.median(times["static page"])
    print(f"navigation to ready for input, median of {runs} runs:")
    for name, values in times.items():
        median = statistics.median(values)
        print(f"  {name:<17} {median:6.1f} ms  x{median / floor:.3f}")

    browser.open(page.as_uri(), READY)
    clicks = []
    for _ in range(100):
        clicks.append(browser.evaluate("""new Promise((done) => {
            const started = performance.now();
            document.getElementById('Command1_0').click();
            requestAnimationFrame(() => setTimeout(() => done(performance.now() - started)));
        })"""))
        browser.evaluate("document.getElementById('Command1_1').click()")
    print(f"compute click to report shown (next frame): median {statistics.median(clicks):.2f} ms"
          f" over 100 clicks (max {max(clicks):.2f} ms)")
    print(f"{page.name}: {page.stat().st_size} bytes")
