#!/usr/bin/env python3
"""Loopback statistics server: records every request as one JSON line and answers 200.

Each line of the log is an object with the keys
  time          host clock (UTC seconds, float) when the request arrived
  request_line  the request line as received, e.g. "POST / HTTP/1.1"
  method, path, version
  headers       [[name, value], ...] in the order received
  body          the raw body; each byte is one character U+0000..U+00FF
  body_hex      the raw body in hexadecimal
  form          [[key, value], ...] decoded as application/x-www-form-urlencoded;
                values are bytes as in "body" (a GBK name keeps its bytes)

A request to the path /__quit ends the server and is not logged.
"""

import argparse
import http.server
import json
import os
import sys
import threading
import time
import urllib.parse

QUIT_PATH = "/__quit"


def parse_form(body):
    pairs = urllib.parse.parse_qsl(body.decode("latin-1"), keep_blank_values=True,
                                   encoding="latin-1", errors="strict")
    return [[k, v] for k, v in pairs]


class Recorder:
    def __init__(self, log_path):
        self.log_path = log_path
        self.lock = threading.Lock()

    def record(self, entry):
        line = json.dumps(entry, ensure_ascii=True) + "\n"
        with self.lock:
            if self.log_path:
                with open(self.log_path, "a", encoding="ascii") as f:
                    f.write(line)
            else:
                sys.stdout.write(line)
                sys.stdout.flush()


def make_handler(recorder, reply, silent):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def handle_one_request(self):
            if silent:
                self.swallow()
                return
            super().handle_one_request()

        def swallow(self):
            # Accepts the connection and never answers, so that clients can prove their
            # time-outs; only the quit request is still served.
            self.close_connection = True
            first = self.rfile.readline(65537)
            if first.split(b" ")[1:2] == [QUIT_PATH.encode()]:
                self.quit()
                return
            try:
                while self.connection.recv(4096):
                    pass
            except OSError:
                pass

        def do_any(self):
            if self.path == QUIT_PATH:
                self.quit()
                return
            length = int(self.headers.get("Content-Length") or 0)
            body = self.rfile.read(length) if length > 0 else b""
            recorder.record({
                "time": time.time(),
                "request_line": self.requestline,
                "method": self.command,
                "path": self.path,
                "version": self.request_version,
                "headers": [[k, v] for k, v in self.headers.items()],
                "body": body.decode("latin-1"),
                "body_hex": body.hex(),
                "form": parse_form(body),
            })
            self.reply(reply)

        def quit(self):
            self.wfile.write(b"HTTP/1.1 200 OK\r\nContent-Length: 4\r\nConnection: close\r\n\r\nbye\n")
            self.wfile.flush()
            threading.Thread(target=self.server.shutdown, daemon=True).start()

        def reply(self, data):
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        do_GET = do_POST = do_PUT = do_HEAD = do_any

        def log_message(self, format, *args):
            pass

    return Handler


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=18090, help="0 picks a free port")
    parser.add_argument("--log", help="append the JSON lines here (default: standard output)")
    parser.add_argument("--ready-file", help="write the port here once listening")
    parser.add_argument("--reply-size", type=int, default=3,
                        help="bytes of the answer's body (default 3: \"ok\\n\")")
    parser.add_argument("--silent", action="store_true",
                        help="accept connections and never answer")
    parser.add_argument("--lifetime", type=float, default=0,
                        help="end after this many seconds (0: run until /__quit or Ctrl+C)")
    args = parser.parse_args()

    reply = (b"ok\n" + b"x" * max(0, args.reply_size - 3))[:max(0, args.reply_size)]
    recorder = Recorder(args.log)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port),
                                             make_handler(recorder, reply, args.silent))
    server.daemon_threads = True
    if args.ready_file:
        tmp = args.ready_file + ".tmp"
        with open(tmp, "w", encoding="ascii") as f:
            f.write("%d\n" % server.server_address[1])
        os.replace(tmp, args.ready_file)
    if args.lifetime > 0:
        timer = threading.Timer(args.lifetime, server.shutdown)
        timer.daemon = True
        timer.start()
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    server.server_close()


if __name__ == "__main__":
    main()
