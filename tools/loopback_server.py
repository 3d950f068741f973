#!/usr/bin/python3
"""The page's two forms (the one file and the hosted folder), and a page to
leave them for, served from a loopback server of the caller's own, as the
page's tests and its benchmark use them."""
import functools
import http.server
import os
import shutil
import tempfile
import threading
import time


class Server:
    """The two forms of the page, and a page to leave them for, on 127.0.0.1."""
    def __init__(self, app_dir):
        self.root = tempfile.mkdtemp(prefix="velbarino-web-")
        shutil.copy(os.path.join(app_dir, "velbarino.html"), self.root)
        shutil.copytree(os.path.join(app_dir, "velbarino-web"), os.path.join(self.root, "velbarino-web"))
        with open(os.path.join(self.root, "altro.html"), "w", encoding="utf-8") as page:
            page.write("<!DOCTYPE html><title>Altro</title><p>Altra pagina")

        class Quiet(http.server.SimpleHTTPRequestHandler):
            timeout = 1  # a connection the browser opened ahead closes soon, and is not served after the stop

            def log_message(self, *arguments):
                pass

            def end_headers(self):
                # The hosted folder is never kept by the browser's HTTP cache:
                # offline, only the service worker can answer.
                if self.path.startswith("/velbarino-web/"):
                    self.send_header("Cache-Control", "no-store")
                elif self.path.startswith("/shop/"):  # a server that lets its files be kept for an hour
                    self.send_header("Cache-Control", "max-age=3600")
                super().end_headers()
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=self.root))
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def url(self, path, host="localhost"):
        return f"http://{host}:{self.port}/{path}"

    def stop(self):
        if self.httpd:
            self.httpd.shutdown()
            self.httpd.server_close()
            self.httpd = None
            time.sleep(1.5)  # past the connections' timeout

    def remove(self):
        self.stop()
        shutil.rmtree(self.root, ignore_errors=True)
