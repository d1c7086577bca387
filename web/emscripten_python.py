#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Python that emscripten's commands run in (EMSDK_PYTHON), which gives them the npm tools
of BINROT_WEB_TOOLS, babel among them: emscripten calls babel to build for the oldest browsers
the page supports, and Debian 13's emscripten (3.1.69) looks it up wrongly, giving its bare name
where a command line is wanted ("babel was not found!"). Elsewhere nothing changes.

Run as emscripten runs its Python: emscripten_python.py -E path/to/emcc.py argument ...
"""

import os
import runpy
import sys

arguments = sys.argv[1:]
if arguments[:1] == ["-E"]:
    arguments = arguments[1:]
script = arguments[0]
sys.argv = arguments
sys.path.insert(0, os.path.dirname(os.path.abspath(script)))
tools = os.environ.get("BINROT_WEB_TOOLS", "")
if tools:
    from tools import shared  # emscripten's own, which the script imports too

    modules = os.path.join(tools, "node_modules")

    def npm_command(name):
        command = os.path.join(modules, ".bin", name)
        if not os.path.exists(command):
            shared.exit_with_error(f"{name} was not found in {modules}: scripts/setup web installs it")
        return shared.config.NODE_JS + [command]

    shared.get_npm_cmd = npm_command
    # babel, run in emscripten's folder, finds @babel/preset-env among the tools.
    os.environ["NODE_PATH"] = os.pathsep.join(filter(None, [modules, os.environ.get("NODE_PATH")]))
runpy.run_path(script, run_name="__main__")
