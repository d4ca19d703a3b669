#!/usr/bin/env python3
"""A local stand-in for the download server, for tests only.

Usage: update_server.py ROUTES LOG [--tls CERT KEY] [--blackhole]

Listens on 127.0.0.1 on a port the system chooses and prints "PORT <n>" (and,
with --blackhole, "BLACKHOLE <n>": a port whose connections never complete)
on standard output once it accepts connections. ROUTES is a JSON list of
routes (see LocalServers.h); every request is appended to LOG, before it is
answered, as "REQUEST <method> <target>", one "HEADER <name>: <value>" line
per header in the order received, and "END".
"""
import json
import os
import socket
import ssl
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

LOG_LOCK = threading.Lock()


def pattern(size):
    """The generated body of SIZE bytes: byte i is (i * 31 + 7) mod 251."""
    block = bytes((i * 31 + 7) % 251 for i in range(251))
    whole, rest = divmod(size, 251)
    return block * whole + block[:rest]


def log_request(path, handler):
    lines = ["REQUEST %s %s" % (handler.command, handler.path)]
    for name, value in handler.headers.items():
        lines.append("HEADER %s: %s" % (name, value))
    lines.append("END")
    with LOG_LOCK:
        with open(path, "a", encoding="utf-8", errors="replace") as f:
            f.write("\n".join(lines) + "\n")


def make_handler(routes, log_path):
    class Handler(BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def do_GET(self):
            log_request(log_path, self)
            route = routes.get(self.path.split("?", 1)[0])
            if route is None:
                self.send_error(404)
                return
            hold = route.get("hold_file")
            if hold:
                while not os.path.exists(hold):
                    time.sleep(0.01)
            if route.get("stall_before_headers"):
                threading.Event().wait()
            body = route["body"].encode("utf-8") if "body" in route else pattern(route.get("size", 0))
            status = route.get("status", 200)
            self.send_response(status)
            if route.get("location"):
                self.send_header("Location", route["location"])
            if route.get("content_length", True):
                self.send_header("Content-Length", str(len(body)))
            self.send_header("Connection", "close")
            self.end_headers()
            stall_after = route.get("stall_after", -1)
            if stall_after >= 0:
                self.wfile.write(body[:stall_after])
                self.wfile.flush()
                threading.Event().wait()
            chunk = route.get("chunk", 0) or len(body) or 1
            delay = route.get("delay_ms", 0) / 1000.0
            for start in range(0, len(body), chunk):
                if start and delay:
                    time.sleep(delay)
                self.wfile.write(body[start:start + chunk])
                self.wfile.flush()
            self.close_connection = True

    return Handler


class Server(ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that went away (time-outs, refused certificates)


def main():
    args = sys.argv[1:]
    if len(args) < 2:
        sys.exit(__doc__)
    with open(args[0], encoding="utf-8") as f:
        routes = {r["path"]: r for r in json.load(f)}
    log_path = args[1]
    server = Server(("127.0.0.1", 0), make_handler(routes, log_path))
    if "--tls" in args:
        i = args.index("--tls")
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args[i + 1], args[i + 2])
        server.socket = context.wrap_socket(server.socket, server_side=True)
    out = ["PORT %d" % server.server_address[1]]
    if "--blackhole" in args:
        # A listening socket whose queue of finished handshakes (length 0:
        # room for one) is filled by a connection of our own and never
        # accepted: the system then drops every further connection request,
        # so a client waits until its own connect time-out.
        hole = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        hole.bind(("127.0.0.1", 0))
        hole.listen(0)
        filler = socket.create_connection(hole.getsockname())
        out.append("BLACKHOLE %d" % hole.getsockname()[1])
        main.keep = (hole, filler)
    print("\n".join(out), flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
