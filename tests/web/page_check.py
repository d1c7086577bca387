# SPDX-License-Identifier: GPL-3.0-or-later
"""The page as a student meets it: opened from disk in headless Chromium, typed into and clicked,
its reports compared with the native program's, its colours read from a screenshot, in a light
and a dark scheme; on phones held upright, tapped; and as published, served from a web site,
the single file and the site that installs as an app and works offline.

Usage: /usr/bin/python3 page_check.py binrot.html path/to/native/report_dump task_statement.txt
           site-address site-folder   (the address the build names, or "")
"""
import html.parser
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

from chromium import Chromium
from loopback import served

page, native_dump, statement_file, site_address, site_folder = sys.argv[1:6]
title = "Възможни числа при двоично представяне"
ready = "document.activeElement && document.activeElement.id === 'Text2_0'"
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print(f"FAIL: {what}", file=sys.stderr)


def native_report(text):
    """The native program's report for text, as a text box shows it: LF line ends."""
    output = subprocess.run([native_dump, text], capture_output=True, check=True).stdout
    return output.decode().split("\n", 1)[1].replace("\r\n", "\n")


def value(element):
    return browser.evaluate(f"document.getElementById('{element}').value")


def is_offered(text):
    return text.isdigit() and 1000 <= int(text) <= 8999 and str(int(text)) == text


def centre(element):
    box = browser.evaluate(
        f"(() => {{ const r = document.getElementById('{element}').getBoundingClientRect();"
        f" return [r.x + r.width / 2, r.y + r.height / 2]; }})()")
    return box[0], box[1]


def enter_number(text):
    """Selects what the input holds and types text over it, as a user would."""
    browser.click(*centre("Text2_0"))
    browser.evaluate("document.getElementById('Text2_0').select()")
    browser.type(text)


def boxes():
    """Each visible control's box, and the size of its text, in CSS pixels."""
    return browser.evaluate("""[...document.querySelectorAll('#window > *, #refusal[open], #refusal[open] *')]
        .filter((e) => e.getClientRects().length).map((e) => {
            const r = e.getBoundingClientRect();
            return [e.id || e.tagName, r.left, r.top, r.right, r.bottom,
                    parseFloat(getComputedStyle(e).fontSize)];
        })""")


def check_fits(what, width, height):
    """The whole window, and the refusal when it is open, inside a screen of width x height,
    with no text under 12 px and no box under the 24 x 24 px a finger needs."""
    page_width = browser.evaluate("document.documentElement.scrollWidth")
    check(page_width <= width, f"{what}: the page is {page_width} px wide, the screen {width}")
    for name, left, top, right, bottom, text in boxes():
        check(left >= 0 and top >= 0 and right <= width and bottom <= height,
              f"{what}: {name} at {left:.0f},{top:.0f}-{right:.0f},{bottom:.0f} is cut off")
        check(text >= 12, f"{what}: {name} has {text} px text")
        if name not in ("refusal-text", "refusal-title", "FORM"):
            check(right - left >= 24 and bottom - top >= 24,
                  f"{what}: {name} is {right - left:.0f} x {bottom - top:.0f} px")


def tap(element):
    browser.tap(*centre(element))


class Markup(html.parser.HTMLParser):
    """What a validator finds wrong in the file as shipped: empty headings, untyped buttons."""

    def __init__(self):
        super().__init__()
        self.faults = []
        self.heading = None

    def handle_starttag(self, tag, attrs):
        if tag == "button" and "type" not in dict(attrs):
            self.faults.append("a button without a type")
        if tag in ("h1", "h2", "h3", "h4", "h5", "h6"):
            self.heading = [tag, ""]

    def handle_data(self, data):
        if self.heading:
            self.heading[1] += data

    def handle_endtag(self, tag):
        if self.heading and tag == self.heading[0]:
            if not self.heading[1].strip():
                self.faults.append(f"an empty <{tag}>")
            self.heading = None


def requests_when_served():
    """The paths the page asks a web site for as it opens, served from this machine."""
    with served(pathlib.Path(page).resolve().parent) as server, Chromium() as browser:
        browser.open(f"http://127.0.0.1:{server.server_port}/{pathlib.Path(page).name}", ready)
        # A favicon is asked for after the page has loaded.
        browser.evaluate("new Promise((done) => setTimeout(done, 1000))")
        return server.paths


def focused():
    return browser.evaluate("document.activeElement.id")


def colour_at(png, x, y):
    return subprocess.run(["convert", png, "-format", f"%[hex:p{{{x},{y}}}]", "info:"],
                          capture_output=True, text=True, check=True).stdout[:6].upper()


def check_colours(png, scheme):
    left, top = browser.evaluate(
        "(() => { const r = document.getElementById('window').getBoundingClientRect();"
        " return [Math.round(r.x), Math.round(r.y)]; })()")
    for (x, y), expected in {(4, 40): "C0C0FF", (463, 90): "C0C0FF", (44, 3): "FFC080",
                             (182, 54): "80FF80", (358, 54): "FF8080"}.items():
        actual = colour_at(png, left + x, top + y)
        check(actual == expected, f"{scheme}: colour at {x},{y} is {actual}, not {expected}")


def contrast(first, second):
    def luminance(rgb):
        channels = [c / 255 for c in rgb]
        linear = [c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4 for c in channels]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    a, b = sorted((luminance(first), luminance(second)))
    return (b + 0.05) / (a + 0.05)


def check_readable(scheme):
    """Every text's colour against the colour behind it, as the page computes them."""
    pairs = browser.evaluate("""(() => {
        const rgb = (text) => text.match(/\\d+/g).slice(0, 3).map(Number);
        const behind = (element) => {
            for (; element; element = element.parentElement) {
                const colour = getComputedStyle(element).backgroundColor;
                if (!colour.endsWith(', 0)')) return rgb(colour);
            }
            return [255, 255, 255];
        };
        return ['Label1_0', 'Text2_0', 'Command1_0', 'Command1_1', 'Text1_0'].map((id) => {
            const element = document.getElementById(id);
            return [id, rgb(getComputedStyle(element).color), behind(element)];
        });
    })()""")
    for element, text, background in pairs:
        ratio = contrast(text, background)
        check(ratio >= 4.5, f"{scheme}: {element} text contrast {ratio:.1f}:1")


with Chromium() as browser, tempfile.TemporaryDirectory() as work:
    url = pathlib.Path(page).resolve().as_uri()
    # The set-up builds the controls and asks nothing of the layout: the browser lays the page
    # out once, when it is ready to, not at every question of the script.
    browser.call("Runtime.enable")
    trace = browser.trace(lambda: browser.open(url, ready))
    forced = [event["args"]["beginData"]["stackTrace"][0]["functionName"] for event in trace
              if event.get("name") == "Layout" and "stackTrace" in event["args"].get("beginData", {})]
    check(not forced, f"the set-up forces layouts in {forced}")

    # As it opens: the offered number, the statement, the caption, the language.
    statement = pathlib.Path(statement_file).read_text()
    check(is_offered(value("Text2_0")), f"offered {value('Text2_0')!r}")
    check(value("Text1_0") == statement, "the report box does not show the task statement")
    # From a file, the address the build names, else the title alone.
    caption = browser.evaluate("document.querySelector('title').textContent")
    check(caption == (f"{site_address}  {title}" if site_address else title), f"caption {caption!r}")
    # The single file is no web app: no manifest, no service worker, and nothing goes wrong.
    check(browser.evaluate("!document.querySelector('link[rel=manifest]')"
                           " && !navigator.serviceWorker.controller"), "the file is a web app")
    errors = [event for event in browser.events if event.get("method") == "Runtime.exceptionThrown"
              or event.get("params", {}).get("type") == "error"]
    check(not errors, f"the file logs errors: {errors}")
    check(browser.evaluate("document.documentElement.lang") == "bg", "lang")
    check(browser.evaluate("document.getElementById('Text2_0').getAttribute('aria-label')")
          == "Число", "the input's accessible name")
    check(browser.evaluate("document.getElementById('Text1_0').getAttribute('aria-label')")
          == "Резултат", "the report's accessible name")
    visible = browser.evaluate(
        "[...document.getElementById('window').children].filter((e) => !e.hidden)"
        ".map((e) => e.id).join(' ')")
    check(visible == "Label1_0 Text2_0 Command1_0 Command1_1 Text1_0", f"visible: {visible}")
    # On a desktop, the window at its designed size, with 16 px text.
    placed = {name: (round(left), round(top), round(right - left), round(bottom - top), text)
              for name, left, top, right, bottom, text in boxes()}
    left, top = placed["Label1_0"][0] - 40, placed["Label1_0"][1]
    for name, (x, y, width, height) in {"Label1_0": (40, 0, 393, 25), "Text2_0": (8, 48, 129, 33),
                                        "Command1_0": (176, 48, 105, 33),
                                        "Command1_1": (352, 48, 105, 33),
                                        "Text1_0": (8, 96, 449, 137)}.items():
        check(placed[name] == (left + x, top + y, width, height, 16),
              f"at 1024 px {name} is {placed[name]}")
    browser.screenshot(f"{work}/light.png")
    check_colours(f"{work}/light.png", "light")
    check_readable("light")

    # Tab goes round the four controls, and Shift+Tab back. After the report the browser takes
    # the focus to its own controls (here, headless, to the page itself) before the input.
    for expected in ("Command1_0", "Command1_1", "Text1_0", "", "Text2_0"):
        browser.key("Tab", 9)
        check(focused() == expected, f"Tab reached {focused()}, not {expected}")
    for expected in ("", "Text1_0", "Command1_1", "Command1_0", "Text2_0"):
        browser.key("Tab", 9, modifiers=8)
        check(focused() == expected, f"Shift+Tab reached {focused()}, not {expected}")

    # The input takes six characters.
    enter_number("12345678")
    check(value("Text2_0") == "123456", f"the input took {value('Text2_0')!r}")

    # Compute, then clear, clicked as a user clicks.
    enter_number("12345")
    browser.click(*centre("Command1_0"))
    check(value("Text1_0") == native_report("12345"), "the report of 12345")
    check(browser.evaluate("document.getElementById('Command1_0').disabled"), "compute enabled")
    check(browser.evaluate("document.getElementById('Text1_0').scrollTop") == 0,
          "the report is not shown from its first line")
    check(browser.evaluate("document.getElementById('Text1_0').readOnly"), "report writable")
    browser.screenshot(f"{work}/computed.png")
    browser.click(*centre("Command1_1"))
    check(value("Text1_0") == "", "clear left a report")
    check(is_offered(value("Text2_0")), f"clear offered {value('Text2_0')!r}")
    check(not browser.evaluate("document.getElementById('Command1_0').disabled"),
          "compute still disabled after clear")

    # Out of range: a message in the page, and nothing else changes.
    enter_number("9e9")
    browser.click(*centre("Command1_0"))
    refusal = subprocess.run([native_dump, "9e9"], capture_output=True, check=True)
    message = refusal.stdout.decode().split("\n")[1]
    check(browser.evaluate("document.getElementById('refusal').open"), "no refusal shown")
    check(browser.evaluate("document.getElementById('refusal-text').textContent") == message,
          "the refusal's text")
    check(browser.evaluate("document.getElementById('refusal-title').textContent") == "Внимание",
          "the refusal's title")
    browser.key("Enter", 13, text="\r")
    check(not browser.evaluate("document.getElementById('refusal').open"), "Enter left it open")
    check(value("Text1_0") == "" and value("Text2_0") == "9e9", "the refusal changed the page")
    check(not browser.evaluate("document.getElementById('Command1_0').disabled"),
          "the refusal disabled compute")
    # The focus comes back to the input with the dialog's close event, which follows the close.
    check(browser.evaluate("new Promise((done) => setTimeout("
                           "() => done(document.activeElement.id), 100))") == "Text2_0",
          f"after the refusal the focus is on {focused()}")

    # Every report byte for byte, over numbers of every size and exponents up to 31 digits.
    inputs = [str(n) for n in (0, 1, 2, 10, 255, 8186, 12345, 65535, 99999, 999999)]
    inputs += [f"{m}e{e}" for m in (1, 2, 3, 7) for e in (6, 7, 8, 9)]
    inputs += ["", "abc", "-12345", "2.5", "3.5", " 1 2", "12,5"]
    for text in inputs:
        shown = browser.evaluate(
            f"(() => {{ const input = document.getElementById('Text2_0');"
            f" input.value = {text!r}; document.getElementById('Command1_0').click();"
            f" const report = document.getElementById('Text1_0').value;"
            f" document.getElementById('refusal').close();"
            f" document.getElementById('Command1_1').click(); return report; }})()")
        output = subprocess.run([native_dump, text], capture_output=True, check=True).stdout
        if "извън допустимия обхват" in output.decode():
            check(shown == "", f"{text!r} was not refused")
        else:
            check(shown == native_report(text), f"the report of {text!r}")

    # A dark scheme keeps the window's colours and every text readable.
    browser.call("Emulation.setEmulatedMedia",
                 features=[{"name": "prefers-color-scheme", "value": "dark"}])
    browser.screenshot(f"{work}/dark.png")
    check_colours(f"{work}/dark.png", "dark")
    check_readable("dark")
    browser.call("Emulation.setEmulatedMedia", features=[])

    # Phones held upright: the whole window in view, readable and tapped with a finger.
    for width, height in ((320, 568), (360, 740)):
        what = f"{width} x {height}"
        browser.emulate_phone(width, height)
        browser.open(url, ready)
        check_fits(what, width, height)
        tap("Text2_0")
        browser.evaluate("document.getElementById('Text2_0').select()")
        browser.type("8186")
        tap("Command1_0")
        check(value("Text1_0") == native_report("8186"), f"{what}: the tapped report of 8186")
        # The report box reaches down to the bottom of the screen, less the 8 px margin, and
        # shows the whole report of a 14-digit number.
        bottom = browser.evaluate(
            "document.getElementById('Text1_0').getBoundingClientRect().bottom")
        check(height - 9 <= bottom <= height - 7, f"{what}: the report box ends at {bottom}")
        if height >= 740:
            tap("Command1_1")
            browser.evaluate("document.getElementById('Text2_0').value = '12345'")
            tap("Command1_0")
            check(browser.evaluate("(() => { const box = document.getElementById('Text1_0');"
                                   " return box.scrollHeight <= box.clientHeight; })()"),
                  f"{what}: the report of 12345 does not fit")
        tap("Command1_1")
        browser.evaluate("document.getElementById('Text2_0').value = '9e9'")
        tap("Command1_0")
        check(browser.evaluate("document.getElementById('refusal').open"),
              f"{what}: no refusal shown")
        check_fits(f"{what}, refusal", width, height)
        tap("refusal-close")
        check(not browser.evaluate("document.getElementById('refusal').open"),
              f"{what}: a tap left the refusal open")
    browser.emulate_desktop()

# What older browsers lack, taken away before the page loads. Before Safari 15.4 and Firefox 98,
# <dialog> is an element they do not know: no showModal, no open property, no styles of its
# own. Chromium is made to treat it so (its own styles undone in a layer below the page's),
# and the refusal must still be hidden until needed, show on top, take the focus, close with
# its button and leave the page as it was. Without WebAssembly the window's place says why the
# program cannot run.
UNKNOWN_DIALOG = """
const dialog = HTMLDialogElement.prototype;
for (const name of Object.getOwnPropertyNames(dialog))
    delete dialog[name];
delete window.HTMLDialogElement;
document.addEventListener('DOMContentLoaded', () => {
    const style = document.createElement('style');
    style.textContent = '@layer unknown { dialog { all: unset; } }';
    document.head.prepend(style);
});
"""
with Chromium() as browser:
    browser.call("Page.addScriptToEvaluateOnNewDocument", source=UNKNOWN_DIALOG)
    # Ready once the offered number is in and something has the focus, wherever it went.
    browser.open(url, "(document.getElementById('Text2_0') || {}).value > ''"
                 " && document.activeElement !== document.body")
    refusal = "getComputedStyle(document.getElementById('refusal'))"
    shown = "document.getElementById('refusal').hasAttribute('open')"
    check(browser.evaluate(f"{refusal}.display") == "none" and not browser.evaluate(shown)
          and focused() == "Text2_0", "without <dialog>, the refusal shows before it is needed")
    enter_number("9e9")
    browser.click(*centre("Command1_0"))
    check(browser.evaluate(shown) and browser.evaluate(f"{refusal}.position") == "fixed",
          "without <dialog>, the refusal is not shown on top")
    check(focused() == "refusal-close", f"without <dialog>, the focus is on {focused()}")
    check_fits("without <dialog>", 1024, 768)
    browser.key("Enter", 13, text="\r")
    check(not browser.evaluate(shown) and browser.evaluate(f"{refusal}.display") == "none",
          "without <dialog>, Enter left the refusal open")
    check(focused() == "Text2_0" and value("Text2_0") == "9e9" and value("Text1_0") == statement
          and browser.evaluate("location.href") == url,
          "without <dialog>, closing the refusal changed the page")
with Chromium() as browser:
    browser.call("Page.addScriptToEvaluateOnNewDocument", source="delete window.WebAssembly")
    browser.open(url, "(document.getElementById('unsupported') || {}).hidden === false")
    check(browser.evaluate("document.getElementById('window').hidden"
                           " && document.getElementById('unsupported').textContent"
                           ".includes('WebAssembly')"), "without WebAssembly, no message")

markup = Markup()
markup.feed(pathlib.Path(page).read_text())
for fault in markup.faults:
    check(False, f"the file has {fault}")
requested = requests_when_served()
check(requested == ["/" + pathlib.Path(page).name], f"served, the page asked for {requested}")


def until(expression, what):
    """Waits until expression is true in the page, through the page's own reloads."""
    for _ in range(300):
        try:
            if browser.evaluate(expression):
                return True
        except RuntimeError:  # a reload under way
            pass
        time.sleep(0.1)
    check(False, what)
    return False


# The site as a school publishes it: installable, working offline after one visit, and updated
# when rebuilt and served again.
site_files = {"/", "/index.html", "/sw.js", "/manifest.webmanifest", "/icon-192.png",
              "/icon-512.png", "/apple-touch-icon.png"}
with tempfile.TemporaryDirectory() as work, Chromium() as browser:
    first = pathlib.Path(work, "first")
    shutil.copytree(site_folder, first)
    with served(first) as server:
        port = server.server_port
        url = f"http://127.0.0.1:{port}/"
        browser.open(url, ready)
        until("!!navigator.serviceWorker.controller", "no service worker took the page")
        errors = browser.call("Page.getInstallabilityErrors")["installabilityErrors"]
        check(not errors, f"the site is not installable: {errors}")
        manifest = browser.call("Page.getAppManifest")
        check(manifest["url"].endswith("/manifest.webmanifest") and not manifest["errors"],
              f"the manifest: {manifest}")
        caption = browser.evaluate("document.querySelector('title').textContent")
        check(caption == f"{site_address or f'127.0.0.1:{port}'}  {title}", f"served, {caption!r}")
        check(set(server.paths) <= site_files, f"the site asked for {server.paths}")

    # Offline: the server is gone and the browser's own cache is off, so that only the
    # service worker can answer; the page still opens and computes.
    browser.call("Network.enable")
    browser.call("Network.setCacheDisabled", cacheDisabled=True)
    browser.open(url, ready)
    enter_number("12345")
    browser.click(*centre("Command1_0"))
    check(value("Text1_0") == native_report("12345"), "offline, the report of 12345")

    # Rebuilt with a changed page and served again: the visit after runs the new files, and
    # only the new store is left.
    changed = pathlib.Path(work, "changed.html")
    changed.write_text(pathlib.Path(page).read_text(encoding="utf-8").replace(
        "</head>", '<meta name="rebuilt" content="">\n</head>'), encoding="utf-8")
    version = browser.evaluate("document.querySelector('meta[name=generator]').content.split(' ')[1]")
    second = pathlib.Path(work, "second")
    subprocess.run(["/usr/bin/python3", pathlib.Path(__file__).parents[2] / "web" / "make_site.py",
                    changed, version, second, "cat", first / "manifest.webmanifest"], check=True)
    with served(second, port):
        browser.open(url, ready)
        until("!!document.querySelector('meta[name=rebuilt]')", "the rebuilt site never ran")
        stores = browser.evaluate("caches.keys()")
        check(len(stores) == 1, f"the stores after the update: {stores}")

size = pathlib.Path(page).stat().st_size
check(size < 100_000, f"the page is {size} bytes")
site_sizes = {path.name: path.stat().st_size for path in pathlib.Path(site_folder).iterdir()}
check(site_sizes["index.html"] < 100_000 and sum(site_sizes.values()) < 120_000,
      f"the site's sizes: {site_sizes}")
print(f"page: {size} bytes; {len(inputs) + 2} reports as the native ones; "
      f"{len(failures)} failed")
sys.exit(1 if failures else 0)
