#!/usr/bin/env python3
"""Stand-in update server on loopback: serves the version file for the end-to-end tests.

    version_server.py PORT [--body TEXT | --body-file F] [--status N] [--mode normal|slow|silent]

--mode slow sends the body one byte a second; silent accepts and never answers.
Every request line is appended to the file named by LANZHOU_SERVER_LOG, if set.
"""
import argparse
import http.server
import os
import socketserver
import sys
import time


def make_handler(body: bytes, status: int, mode: str):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def do_GET(self):  # noqa: N802 (the base class's name)
            log = os.environ.get("LANZHOU_SERVER_LOG")
            if log:
                with open(log, "a", encoding="latin-1") as f:
                    f.write(self.requestline + "\n")
                    f.write("".join(f"{k}: {v}\n" for k, v in self.headers.items()) + "\n")
            if mode == "silent":
                time.sleep(3600)
                return
            self.send_response(status)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            if mode == "slow":
                for i in range(len(body)):
                    self.wfile.write(body[i:i + 1])
                    self.wfile.flush()
                    time.sleep(1)
            else:
                self.wfile.write(body)

        def log_message(self, *args):
            pass

    return Handler


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("port", type=int)
    parser.add_argument("--body", default="1.1")
    parser.add_argument("--body-file")
    parser.add_argument("--status", type=int, default=200)
    parser.add_argument("--mode", choices=("normal", "slow", "silent"), default="normal")
    args = parser.parse_args()
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
