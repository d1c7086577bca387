# SPDX-License-Identifier: GPL-3.0-or-later
"""Headless Chromium driven through its DevTools protocol, for the page's checks and benchmarks."""
import base64
import json
import os
import shutil
import subprocess
import tempfile
import time
import urllib.request

import websocket

# Without the networking flags Chromium keeps reaching for hosts a closed network refuses.
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1024,768", "--remote-debugging-port=0",
         # Older Chromium refuses a DevTools client that names an origin it was not told of.
         "--remote-allow-origins=*"]


class Chromium:
    def __init__(self):
        self.profile = tempfile.mkdtemp()
        self.process = subprocess.Popen(
            ["chromium", *FLAGS, f"--user-data-dir={self.profile}", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.monotonic() + 60
        while not os.path.exists(port_file) or not open(port_file).read().strip():
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise RuntimeError("Chromium did not start")
            time.sleep(0.05)
        port = open(port_file).read().split()[0]
        pages = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list"))
        page = next(target for target in pages if target["type"] == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=60,
                                                  suppress_origin=True)
        self.next_id = 0
        self.events = []
        self.call("Page.enable")

    def close(self):
        self.socket.close()
        self.process.terminate()
        self.process.wait(timeout=30)
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message["result"]
            self.events.append(message)

    def trace(self, action):
        """The timeline's trace events, with the script stacks that caused them, while action()
        runs."""
        first = len(self.events)
        self.call("Tracing.start", transferMode="ReportEvents",
                  categories="devtools.timeline,disabled-by-default-devtools.timeline.stack")
        action()
        self.call("Tracing.end")
        while not any(event.get("method") == "Tracing.tracingComplete"
                      for event in self.events[first:]):
            self.events.append(json.loads(self.socket.recv()))
        return [item for event in self.events[first:]
                if event.get("method") == "Tracing.dataCollected"
                for item in event["params"]["value"]]

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page; promises are awaited."""
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def open(self, url, ready):
        """Navigates to url and waits until the expression ready is true."""
        self.call("Page.navigate", url=url)
        deadline = time.monotonic() + 30
        while not self.evaluate(ready):
            if time.monotonic() > deadline:
                raise RuntimeError(f"{url} was never ready")
            time.sleep(0.01)

    def emulate_phone(self, width, height):
        """A phone of width x height CSS pixels held upright: a touch screen and no mouse."""
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=2, mobile=True)
        self.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)

    def emulate_desktop(self):
        self.call("Emulation.clearDeviceMetricsOverride")
        self.call("Emulation.setTouchEmulationEnabled", enabled=False)

    def tap(self, x, y):
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=1)

    def key(self, name, code, modifiers=0, text=""):
        """A key pressed and released; text is what it types, such as "\r" for Enter."""
        self.call("Input.dispatchKeyEvent", type="keyDown" if text else "rawKeyDown", key=name,
                  code=name, windowsVirtualKeyCode=code, modifiers=modifiers, text=text)
        self.call("Input.dispatchKeyEvent", type="keyUp", key=name, code=name,
                  windowsVirtualKeyCode=code, modifiers=modifiers)

    def type(self, text):
        self.call("Input.insertText", text=text)

    def screenshot(self, path):
        data = self.call("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as file:
            file.write(base64.b64decode(data))
