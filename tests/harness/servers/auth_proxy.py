#!/usr/bin/env python3
"""A forwarding HTTP proxy that asks for a user name and password the way
corporate proxies do: every request without the right Basic credentials gets
407 with Proxy-Authenticate, a wrong password included (the small Debian
proxies answer a wrong one with 401, which no client takes for the proxy's
question). Standard library only; GET and HEAD are forwarded, CONNECT is
tunnelled. Each request is logged as "<verb> <target> <accepted|refused>".

  auth_proxy.py --port-file F --log L --user U --password P
"""
import argparse
import base64
import http.client
import http.server
import select
import socket
import urllib.parse


def make_handler(expected, log):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def accepted(self):
            ok = self.headers.get("Proxy-Authorization", "") == expected
            with open(log, "a") as out:
                out.write(f"{self.command} {self.path} {'accepted' if ok else 'refused'}\n")
            if not ok:
                body = b"Proxy authentication required"
                self.send_response(407)
                self.send_header("Proxy-Authenticate", 'Basic realm="Vimzee test proxy"')
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                if self.command != "HEAD":
                    self.wfile.write(body)
            return ok

        def forward(self):
            if not self.accepted():
                return
            target = urllib.parse.urlsplit(self.path)
            upstream = http.client.HTTPConnection(target.hostname, target.port or 80, timeout=60)
            headers = {k: v for k, v in self.headers.items()
                       if k.lower() not in ("proxy-authorization", "proxy-connection")}
            path = target.path + ("?" + target.query if target.query else "")
            upstream.request(self.command, path or "/", headers=headers)
            answer = upstream.getresponse()
            self.send_response(answer.status, answer.reason)
            for key, value in answer.getheaders():
                if key.lower() not in ("connection", "transfer-encoding", "keep-alive"):
                    self.send_header(key, value)
            length = answer.getheader("Content-Length")
            if length is None and self.command != "HEAD":
                self.send_header("Connection", "close")
                self.close_connection = True
            self.end_headers()
            if self.command == "HEAD":
                return
            while True:
                piece = answer.read(65536)
                if not piece:
                    break
                self.wfile.write(piece)
            upstream.close()

        do_GET = forward
        do_HEAD = forward

        def do_CONNECT(self):
            if not self.accepted():
                return
            host, _, port = self.path.rpartition(":")
            upstream = socket.create_connection((host, int(port)), timeout=60)
            self.send_response(200, "Connection established")
            self.end_headers()
            self.close_connection = True
            ends = [self.connection, upstream]
            while True:
                ready, _, _ = select.select(ends, [], [], 60)
                if not ready:
                    break
                for end in ready:
                    data = end.recv(65536)
                    if not data:
                        upstream.close()
                        return
                    (upstream if end is self.connection else self.connection).sendall(data)

    return Handler


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    args = parser.parse_args()
    expected = "Basic " + base64.b64encode(f"{args.user}:{args.password}".encode()).decode()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), make_handler(expected, args.log))
    server.daemon_threads = True
    with open(args.port_file, "w") as out:
        out.write(str(server.server_address[1]))
    server.serve_forever()


if __name__ == "__main__":
    main()
