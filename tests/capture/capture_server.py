#!/usr/bin/env python3
"""The web server of the capture tests: prints its port, then serves the files
of the folder given as its argument on 127.0.0.1, and these answers, each
request of which is counted:
  /changing.html   every answer another colour and number (answer 1 red, ...)
  /form.html       a form that posts to /posted
  /posted          (POST) every answer another colour and number
  /count?PATH      how many requests PATH (with its query) has had, as text
"""
import http.server
import sys
import threading
import urllib.parse

COLOURS = ["#ff0000", "#00c000", "#0000ff", "#ffff00"]
counts = {}
lock = threading.Lock()


def count(path):
    with lock:
        counts[path] = counts.get(path, 0) + 1
        return counts[path]


def answer_page(n, what):
    colour = COLOURS[(n - 1) % len(COLOURS)]
    return ("<!doctype html><html><head><title>%s %d</title></head>"
            "<body style='margin:0;background:%s'><p id=n style='font:40px sans-serif'>%s %d</p>"
            "<div style='height:3000px'></div></body></html>" % (what, n, colour, what, n)).encode()


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=sys.argv[1], **kwargs)

    def log_message(self, *args):
        pass

    def send_page(self, body):
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Cache-Control", "no-store")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path, _, query = self.path.partition("?")
        if path == "/count":
            with lock:
                self.send_page(str(counts.get(urllib.parse.unquote(query), 0)).encode())
            return
        n = count(self.path)
        if path == "/changing.html":
            self.send_page(answer_page(n, "answer"))
        else:
            super().do_GET()

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        self.rfile.read(length)
        n = count(self.path)
        self.send_page(answer_page(n, "post"))


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print("port %d" % server.server_address[1], flush=True)
server.serve_forever()
