#!/usr/bin/env python3
"""Stand-in update server on loopback: serves the version file for the end-to-end tests.

    version_server.py PORT [--body TEXT | --body-file F] [--status N]
                           [--mode normal|slow|silent|trickle|stalled]

Only the version file's path is served, exactly as Wine's WinINet sends it: the GBK bytes of
"/版本号.txt", unescaped. Any other path gets 404.
--mode slow sends the body one byte a second; silent accepts and never answers; trickle sends
the headers and then a byte every half second without end; stalled never accepts a connection
(its queue is kept full, so a client's connection attempt gets no answer at all).
"ready" is printed once the port is served. Every request line and its headers are appended to
the file named by LANZHOU_SERVER_LOG, if set (bytes kept as they came, read it as Latin-1).
"""
import argparse
import http.server
import os
import socket
import socketserver
import sys
import time

# The request path that the launcher asks for, as bytes on the wire.
VERSION_PATH = "/版本号.txt".encode("gbk")


def make_handler(body: bytes, status: int, mode: str):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def do_GET(self):  # noqa: N802 (the base class's name)
            log = os.environ.get("LANZHOU_SERVER_LOG")
            if log:
                with open(log, "a", encoding="latin-1") as f:
                    f.write(self.requestline + "\n")
                    f.write("".join(f"{k}: {v}\n" for k, v in self.headers.items()) + "\n")
            # http.server decodes the request line as Latin-1: that gives the bytes back.
            if self.path.encode("latin-1") != VERSION_PATH:
                self.answer(404, b"Not Found")
                return
            if mode == "silent":
                time.sleep(3600)
                return
            if mode == "trickle":
                self.send_response(status)
                self.send_header("Content-Type", "text/plain")
                self.end_headers()
                try:
                    while True:
                        self.wfile.write(b"1")
                        self.wfile.flush()
                        time.sleep(0.5)
                except OSError:  # the client gave up
                    return
            self.answer(status, body, slow=mode == "slow")

        def answer(self, code: int, content: bytes, slow: bool = False):
            self.send_response(code)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(content)))
            self.end_headers()
            if slow:
                for i in range(len(content)):
                    self.wfile.write(content[i:i + 1])
                    self.wfile.flush()
                    time.sleep(1)
            else:
                self.wfile.write(content)

        def log_message(self, *args):
            pass

    return Handler


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def serve_stalled(port: int) -> None:
    """Listens without ever accepting; one connection of our own fills the queue."""
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen(0)
    filler = socket.create_connection(("127.0.0.1", port), timeout=5)
    print("ready", flush=True)
    try:
        while True:
            time.sleep(3600)
    finally:
        filler.close()
        listener.close()


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("port", type=int)
    parser.add_argument("--body", default="1.1")
    parser.add_argument("--body-file")
    parser.add_argument("--status", type=int, default=200)
    parser.add_argument("--mode", choices=("normal", "slow", "silent", "trickle", "stalled"),
                        default="normal")
    args = parser.parse_args()
    if args.mode == "stalled":
        serve_stalled(args.port)
        return 0
    body = args.body.encode("latin-1")
    if args.body_file:
        with open(args.body_file, "rb") as f:
            body = f.read()
    server = Server(("127.0.0.1", args.port), make_handler(body, args.status, args.mode))
    print("ready", flush=True)
    server.serve_forever()
    return 0


if __name__ == "__main__":
    sys.exit(main())
