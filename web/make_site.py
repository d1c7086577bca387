# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the site a school copies to its web server from the single-file page: the page as
index.html, linked to its manifest and icons and registering its service worker, the manifest
that the given command writes, the icons drawn from the program's own, and the service worker,
whose store is named after the version and the contents of every other file.

Usage: /usr/bin/python3 make_site.py page.html version folder manifest-command ...
"""
import hashlib
import pathlib
import subprocess
import sys

here = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(here.parent / "resources" / "icons"))
import make_icon  # noqa: E402

page, version, folder = sys.argv[1:4]
folder = pathlib.Path(folder)
folder.mkdir(parents=True, exist_ok=True)

head = ('<link rel="manifest" href="manifest.webmanifest">\n'
        '<link rel="apple-touch-icon" href="apple-touch-icon.png">\n'
        f'<script>\n{(here / "register_worker.js").read_text()}</script>\n</head>')
html = pathlib.Path(page).read_text(encoding="utf-8")
assert html.count("</head>") == 1
(folder / "index.html").write_text(html.replace("</head>", head), encoding="utf-8")
(folder / "manifest.webmanifest").write_bytes(
    subprocess.run(sys.argv[4:], capture_output=True, check=True).stdout)
make_icon.write_site_icons(folder)

files = ["index.html", "manifest.webmanifest", *sorted(make_icon.SITE_ICONS)]
contents = hashlib.sha256()
for name in files:
    contents.update((folder / name).read_bytes())
worker = (here / "sw.js").read_text()
worker = worker.replace("@STORE@", f"{version}-{contents.hexdigest()[:16]}")
# The folder itself too, which is what the manifest starts from.
worker = worker.replace("@FILES@", " ".join(["./", *files]))
(folder / "sw.js").write_text(worker)
