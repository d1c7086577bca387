# SPDX-License-Identifier: GPL-3.0-or-later
"""A web site on this machine's loopback, for the page's checks and benchmarks."""
import contextlib
import functools
import http.server
import threading


@contextlib.contextmanager
def served(folder, port=0):
    """A web site on this machine's loopback serving folder; yields the server, whose
    requested paths are in its list paths."""
    paths = []

    class Handler(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *_):
            paths.append(self.path)

    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", port), functools.partial(Handler, directory=folder))
    server.paths = paths
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield server
    finally:
        server.shutdown()
        server.server_close()
        thread.join()
