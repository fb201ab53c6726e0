#!/usr/bin/env python3
"""A small scriptable HTTP server for the download faults nginx will not
produce on demand. Standard library only. Listens on 127.0.0.1 on the given
port (0: a free one), writes the port it got to --port-file, and serves:

  /status/<code>?len=N      answer <code> with a body of N bytes and Content-Length N
  /status/<code>?nolen=N    answer <code> with N bytes and no Content-Length (closes)
  /bytes/<n>                200, n bytes of the pattern below, Content-Length n
  /nolen/<n>                200, n pattern bytes, no Content-Length (closes)
  /cut/<announced>/<sent>   200, Content-Length announced, sends <sent> bytes, drops
  /slow/<n>/<piece>/<ms>    200, n pattern bytes with Content-Length, <piece> bytes every <ms>
  /huge/<n>                 200, Content-Length n, the connection dropped after the header
  /page?type=<type>         200, a network's sign-in page, Content-Type <type> (text/html)
  /redirect?to=<path>       302 to <path> on this server
  /headers                  200, the request line and headers as the body (text)
  /file/<name>              200, a file from --root with Content-Length
  /resume/<key>/<n>/<cut>   the first request for <key>: 200, Content-Length n, an ETag,
                            <cut> bytes, then the connection dropped; later ones: a
                            "Range: bytes=N-" whose If-Range carries the ETag gets 206
                            with the rest, anything else 200 with all n bytes.
                            ?norange: Range is never honoured; ?noetag: no ETag;
                            ?stall=S: the first answer stops for S seconds after <cut>
                            bytes, then sends the rest; ?cuts=C: the first C answers
                            (200 or 206) are each dropped <cut> bytes after their start;
                            ?shortrange: the 206 announces and sends half of the rest
  /busy/<key>/<times>/<n>   the first <times> requests for <key>: 503 (with Retry-After
                            when ?after=S), then 200 with n bytes
  /dropfile/<key>/<cut>/<path>, /busyfile/<key>/<times>/<path>
                            as /resume and /busy, with a file from --root as the body
  /wrongfile/<key>/<n>/<path>  the first <n> requests for <key>: the file with every
                            byte changed (same length), then the file
  /reset/<key>/<times>/<n>  the first <times> requests for <key>: the connection is reset
                            without an answer, then 200 with n bytes
  /silent/<key>/<s>/<n>     the first request for <key>: nothing for <s> seconds, then
                            200 with n bytes; later ones at once
  /seen/<key>               each request for <key> so far, one a line: its Range header
                            ("-" for none) and the status it was answered with

HEAD is refused (405), as by a server that answers only GET, except on the
file routes.

The pattern byte at offset i is (i * 7 + i // 4096) & 0xFF, so a misplaced
batch shows in a byte comparison.
"""
import argparse
import http.server
import os
import socket
import socketserver
import struct
import sys
import time
import urllib.parse


# What a hotel's or an airport's network answers in place of any address.
SIGN_IN_PAGE = (b"<!DOCTYPE html>\n<html><head><title>Guest Wi-Fi</title></head>"
                b"<body><form action=\"/login\">Sign in to continue</form></body></html>\n")


def pattern(start, count):
    return bytes(((i * 7 + i // 4096) & 0xFF) for i in range(start, start + count))


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    root = "."
    seen = {}  # key -> the Range header of each request, "-" for none

    def log_message(self, fmt, *args):
        sys.stderr.write("%s %s\n" % (self.requestline, fmt % args))

    def head(self, code, length=None, extra=(), close=False, ctype="application/octet-stream"):
        self.send_response(code)
        self.send_header("Content-Type", ctype)
        if length is not None:
            self.send_header("Content-Length", str(length))
        for name, value in extra:
            self.send_header(name, value)
        if close or length is None:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()

    def body(self, count, piece=65536, delay=0.0):
        sent = 0
        while sent < count:
            n = min(piece, count - sent)
            self.wfile.write(pattern(sent, n))
            self.wfile.flush()
            sent += n
            if delay:
                time.sleep(delay)

    def do_HEAD(self):
        # The file routes answer HEAD, as the product's server does, without
        # counting it; everything else refuses it.
        parts = [p for p in urllib.parse.urlsplit(self.path).path.split("/") if p]
        if len(parts) > 3 and parts[0] in ("dropfile", "busyfile", "wrongfile"):
            self.head(200, len(self.file(parts[3:])))
        else:
            self.head(405, 0)

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query, keep_blank_values=True)
        parts = [p for p in url.path.split("/") if p]
        try:
            self.route(parts, query)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def route(self, parts, query):
        kind = parts[0] if parts else ""
        if kind == "status":
            code = int(parts[1])
            if "nolen" in query:
                n = int(query["nolen"][0])
                self.head(code, None)
            else:
                n = int(query.get("len", ["0"])[0])
                self.head(code, n)
            self.body(n)
        elif kind == "bytes":
            n = int(parts[1])
            self.head(200, n)
            self.body(n)
        elif kind == "nolen":
            n = int(parts[1])
            self.head(200, None)
            self.body(n)
        elif kind == "cut":
            announced, sent = int(parts[1]), int(parts[2])
            self.head(200, announced, close=True)
            self.body(sent)
            self.close_connection = True
        elif kind == "slow":
            n, piece, ms = int(parts[1]), int(parts[2]), int(parts[3])
            self.head(200, n)
            self.body(n, piece, ms / 1000.0)
        elif kind == "huge":
            self.head(200, int(parts[1]), close=True)
        elif kind == "page":
            page = SIGN_IN_PAGE
            self.head(200, len(page), ctype=query.get("type", ["text/html"])[0])
            self.wfile.write(page)
        elif kind == "redirect":
            target = query.get("to", ["/"])[0]
            self.head(302, 0, extra=[("Location", target)])
        elif kind == "headers":
            text = (self.requestline + "\r\n" + str(self.headers)).encode("latin-1")
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(text)))
            self.end_headers()
            self.wfile.write(text)
        elif kind == "resume":
            n = int(parts[2])
            self.resume(parts[1], pattern(0, n), int(parts[3]), query)
        elif kind == "dropfile":
            self.resume(parts[1], self.file(parts[3:]), int(parts[2]), query)
        elif kind == "busy":
            n = int(parts[3])
            self.busy(parts[1], int(parts[2]), pattern(0, n), query)
        elif kind == "busyfile":
            self.busy(parts[1], int(parts[2]), self.file(parts[3:]), query)
        elif kind == "wrongfile":
            key, data = parts[1], self.file(parts[3:])
            if len(self.seen.get(key, [])) < int(parts[2]):
                data = bytes(b ^ 0xFF for b in data)
            self.note(key, 200)
            self.head(200, len(data))
            self.wfile.write(data)
        elif kind == "reset":
            key, times, n = parts[1], int(parts[2]), int(parts[3])
            if len(self.seen.get(key, [])) < times:
                self.note(key, 0)
                # Linger 0: the close sends a reset instead of an orderly end.
                self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER,
                                           struct.pack("ii", 1, 0))
                self.close_connection = True
                return
            self.note(key, 200)
            self.head(200, n)
            self.body(n)
        elif kind == "silent":
            key, seconds, n = parts[1], float(parts[2]), int(parts[3])
            if key not in self.seen:
                time.sleep(seconds)
            self.note(key, 200)
            self.head(200, n)
            self.body(n)
        elif kind == "seen":
            text = "".join(r + "\n" for r in self.seen.get(parts[1], [])).encode()
            self.head(200, len(text))
            self.wfile.write(text)
        elif kind == "file":
            path = os.path.join(self.root, *parts[1:])
            with open(path, "rb") as f:
                data = f.read()
            self.head(200, len(data))
            self.wfile.write(data)
        else:
            self.head(404, 0)


    def note(self, key, status):
        """Records this request for `key` and the status it is answered with."""
        self.seen.setdefault(key, []).append("%s %d" % (self.headers.get("Range", "-"), status))

    def file(self, path_parts):
        with open(os.path.join(self.root, *path_parts), "rb") as f:
            return f.read()

    def resume(self, key, data, cut, query):
        n = len(data)
        etag = '"v-%s"' % key
        extra = [] if "noetag" in query else [("ETag", etag)]
        asked = self.headers.get("Range", "")
        start = 0
        if (key in self.seen and asked.startswith("bytes=") and asked.endswith("-")
                and "norange" not in query and self.headers.get("If-Range") == etag):
            start = int(asked[6:-1])
        dropping = len(self.seen.get(key, [])) < int(query.get("cuts", ["1"])[0])
        if start:
            self.note(key, 206)
            extra = extra + [("Content-Range", "bytes %d-%d/%d" % (start, n - 1, n))]
            if "shortrange" in query:
                self.head(206, (n - start) // 2, extra=extra)
                self.wfile.write(data[start:start + (n - start) // 2])
                return
            self.head(206, n - start, extra=extra, close=dropping)
        else:
            self.note(key, 200)
            self.head(200, n, extra=extra, close=dropping)
        if not dropping:
            self.wfile.write(data[start:])
            return
        self.wfile.write(data[start:start + cut])
        if "stall" in query:
            self.wfile.flush()
            time.sleep(float(query["stall"][0]))
            self.wfile.write(data[start + cut:])
        self.close_connection = True

    def busy(self, key, times, data, query):
        if len(self.seen.get(key, [])) < times:
            self.note(key, 503)
            extra = [("Retry-After", query["after"][0])] if "after" in query else []
            self.head(503, 5, extra=extra)
            self.wfile.write(b"busy\n")
            return
        self.note(key, 200)
        self.head(200, len(data))
        self.wfile.write(data)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    parser.add_argument("--root", default=".")
    args = parser.parse_args()
    Handler.root = args.root
    server = Server(("127.0.0.1", args.port), Handler)
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write(str(server.server_address[1]))
        os.replace(args.port_file + ".tmp", args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
