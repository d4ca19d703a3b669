#!/usr/bin/env python3
"""A local HTTP proxy that demands basic authentication, for tests only.

Usage: update_proxy.py USER PASSWORD LOG

Listens on 127.0.0.1 on a port the system chooses and prints "PORT <n>" once
it accepts connections. A request whose Proxy-Authorization is not Basic
USER:PASSWORD gets 407 with a Basic challenge. Authorised GETs of absolute
http:// URLs and CONNECT tunnels are forwarded, to loopback addresses only.
Every request is appended to LOG, before it is answered, as "REQUEST <method>
<target>", its "HEADER <name>: <value>" lines, "AUTH ok|missing|wrong" and
"END".
"""
import base64
import select
import socket
import sys
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import urlsplit

LOG_LOCK = threading.Lock()
LOOPBACK = {"127.0.0.1", "localhost"}


def relay(a, b):
    """Copies bytes both ways until either side closes."""
    sockets = [a, b]
    while True:
        readable, _, _ = select.select(sockets, [], [])
        for s in readable:
            data = s.recv(65536)
            if not data:
                return
            (b if s is a else a).sendall(data)


def make_handler(user, password, log_path):
    expected = "Basic " + base64.b64encode(("%s:%s" % (user, password)).encode("utf-8")).decode("ascii")

    class Handler(BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def authorised(self):
            given = self.headers.get("Proxy-Authorization")
            verdict = "missing" if given is None else ("ok" if given == expected else "wrong")
            lines = ["REQUEST %s %s" % (self.command, self.path)]
            lines += ["HEADER %s: %s" % (n, v) for n, v in self.headers.items()]
            lines += ["AUTH " + verdict, "END"]
            with LOG_LOCK:
                with open(log_path, "a", encoding="utf-8", errors="replace") as f:
                    f.write("\n".join(lines) + "\n")
            if verdict == "ok":
                return True
            self.send_response(407)
            self.send_header("Proxy-Authenticate", 'Basic realm="test proxy"')
            self.send_header("Content-Length", "0")
            self.send_header("Connection", "close")
            self.end_headers()
            self.close_connection = True
            return False

        def do_GET(self):
            if not self.authorised():
                return
            url = urlsplit(self.path)
            if url.scheme != "http" or url.hostname not in LOOPBACK:
                self.send_error(403)
                return
            upstream = socket.create_connection((url.hostname, url.port or 80))
            target = url.path + ("?" + url.query if url.query else "")
            head = ["GET %s HTTP/1.0" % (target or "/")]
            head += ["%s: %s" % (n, v) for n, v in self.headers.items()
                     if not n.lower().startswith("proxy-") and n.lower() != "connection"]
            head.append("Connection: close")
            upstream.sendall(("\r\n".join(head) + "\r\n\r\n").encode("utf-8"))
            while True:
                data = upstream.recv(65536)
                if not data:
                    break
                self.wfile.write(data)
            upstream.close()
            self.close_connection = True

        def do_CONNECT(self):
            if not self.authorised():
                return
            host, _, port = self.path.rpartition(":")
            if host not in LOOPBACK:
                self.send_error(403)
                return
            upstream = socket.create_connection((host, int(port)))
            self.send_response(200, "Connection established")
            self.end_headers()
            self.wfile.flush()
            relay(self.connection, upstream)
            upstream.close()
            self.close_connection = True

    return Handler


class Server(ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that went away


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    server = Server(("127.0.0.1", 0), make_handler(sys.argv[1], sys.argv[2], sys.argv[3]))
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
