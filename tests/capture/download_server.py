#!/usr/bin/env python3
"""A tiny web server for the download tests: prints its port, then serves
fixed answers on 127.0.0.1 until stdin closes."""
import http.server
import sys
import threading
import time

PNG = b"\x89PNG\r\n\x1a\n" + bytes(range(256)) * 4


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_body(self, code, body, length=None, extra=()):
        self.send_response(code)
        for key, value in extra:
            self.send_header(key, value)
        if length is not False:
            self.send_header("Content-Length", str(len(body) if length is None else length))
        else:
            self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = self.path
        if path == "/a.png":
            self.send_body(200, PNG)
        elif path == "/err.gif":
            self.send_body(200, b"<html>not found</html>")
        elif path == "/missing.png":
            self.send_body(404, b"")
        elif path == "/redirect.png":
            self.send_body(302, b"", extra=[("Location", "/a.png")])
        elif path == "/big.png":
            self.send_response(200)
            self.send_header("Content-Length", str(10 * 1024 * 1024))
            self.end_headers()
            self.wfile.write(b"x" * 4096)
        elif path == "/unannounced.png":
            self.send_body(200, b"y" * 5000, length=False)
            self.close_connection = True
        elif path == "/login.html":
            # The login page: it sets the session cookie the private PDF asks for.
            self.send_body(200, b"<html><title>in</title><body>logged in</body></html>",
                           extra=[("Content-Type", "text/html"), ("Set-Cookie", "session=granted; Path=/")])
        elif path == "/private.pdf":
            cookie = self.headers.get("Cookie", "")
            if "session=granted" in cookie:
                agent = self.headers.get("User-Agent", "")
                referrer = self.headers.get("Referer", "")
                self.send_body(200, ("%PDF-1.4 private|" + agent + "|" + referrer).encode())
            else:
                self.send_body(200, b"<html>please log in</html>")
        elif path == "/silent.png":
            self.send_response(200)
            self.send_header("Content-Length", "100")
            self.end_headers()
            self.wfile.write(b"z" * 10)
            self.wfile.flush()
            time.sleep(20)
        else:
            self.send_body(404, b"")


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
threading.Thread(target=server.serve_forever, daemon=True).start()
print(server.server_address[1], flush=True)
sys.stdin.read()
