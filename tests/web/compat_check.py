# SPDX-License-Identifier: GPL-3.0-or-later
"""The page against the browsers it supports (web/.browserslistrc), with the tools that know
them: eslint-plugin-compat on its own scripts and on the script of the built page, which must
also parse as ECMAScript 2018; doiuse on the built page's style; and wasm-opt, which reads its
module allowing no feature beyond WebAssembly's first version.

Where the build could not target the oldest of them, BINROT_OLDEST_BROWSERS_UNMET says why,
and the check is skipped with that reason (77).

Usage: compat_check.py tools-folder browserslistrc binrot.html script.js ...
"""
import base64
import os
import pathlib
import re
import subprocess
import sys
import tempfile

tools, browsers, page, *scripts = sys.argv[1:]
if os.environ.get("BINROT_OLDEST_BROWSERS_UNMET"):
    print(f"skipped: the page is built for current browsers only; "
          f"{os.environ['BINROT_OLDEST_BROWSERS_UNMET']}", file=sys.stderr)
    sys.exit(77)
bin_folder = pathlib.Path(tools, "node_modules", ".bin")
environment = dict(os.environ, BROWSERSLIST_CONFIG=str(pathlib.Path(browsers).resolve()))
html = pathlib.Path(page).read_text(encoding="utf-8")
failures = []

# What doiuse reports that the page allows, each for a reason.
ALLOWED = {
    # dvh: the style gives a height in vh first, which older browsers keep.
    "viewport-unit-variants",
    # Older browsers draw their own focus ring where :focus-visible is unknown.
    "css-focus-visible",
    # touch-action only spares a tapped button the wait for a double tap; caniuse counts it as
    # pointer events too.
    "css-touch-action",
    "pointer",
    # resize: none, where a box could not be resized anyway.
    "css-resize",
    # The partial support is of overflow: clip and overlay; the page uses hidden and scroll.
    "css-overflow",
}

with tempfile.TemporaryDirectory(dir=tools) as work:
    # The built page's own script, where eslint can read it: inside the tools' folder.
    built = pathlib.Path(work, "page-script.js")
    built.write_text("\n".join(re.findall(r"<script[^>]*>(.*?)</script>", html, re.S)))
    lint = subprocess.run([bin_folder / "eslint", "--no-config-lookup",
                           "--config", pathlib.Path(tools, "eslint.config.mjs"), built, *scripts],
                          env=environment, capture_output=True, text=True)
    if lint.returncode != 0:
        failures.append(f"eslint:\n{lint.stdout}{lint.stderr}")

    style = pathlib.Path(work, "page.css")
    style.write_text("\n".join(re.findall(r"<style>(.*?)</style>", html, re.S)))
    found = subprocess.run([bin_folder / "doiuse", style], env=environment, capture_output=True,
                           text=True)
    for line in found.stdout.splitlines():
        feature = re.search(r"\(([\w-]+)\)$", line)
        if not feature or feature.group(1) not in ALLOWED:
            failures.append(f"doiuse: {line}")
    if found.returncode != 0 and not found.stdout:
        failures.append(f"doiuse failed: {found.stderr}")

    module = pathlib.Path(work, "page.wasm")
    embedded = re.search(r"data:application/octet-stream;base64,([A-Za-z0-9+/=]+)", html)
    if not embedded:
        failures.append("no WebAssembly module in the page")
    else:
        module.write_bytes(base64.b64decode(embedded.group(1)))
        read = subprocess.run(["wasm-opt", "--mvp-features", module, "-o", os.devnull],
                              capture_output=True, text=True)
        if read.returncode != 0:
            failures.append(f"wasm-opt --mvp-features: {read.stderr}")

for failure in failures:
    print(f"FAIL: {failure}", file=sys.stderr)
print(f"the page against {browsers} with eslint, doiuse and wasm-opt: {len(failures)} failed")
sys.exit(1 if failures else 0)
