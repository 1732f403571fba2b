#!/usr/bin/env python3
"""A misbehaving status server on 127.0.0.1 for soak runs of glinter --headless.

Every connection is TLS with the tests' certificate. The first path segment picks the
behaviour: ok, hang (accept, never answer), trickle (one byte every 0.5 s), close (cut
the body), redirect (302 to /ok), fail (500), slow (answer after 3 s), gzip (compressed).

    mixedfeeds.py PORT
"""
import gzip
import os
import socket
import ssl
import sys
import threading
import time

TLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "tls")
OK = b'{"page":{"name":"x"},"status":{"indicator":"minor","description":"Degraded"},"components":[],"incidents":[]}'


def answer(conn, status, body, extra=b""):
    head = b"HTTP/1.1 %d X\r\nContent-Type: application/json\r\nContent-Length: %d\r\n%sConnection: close\r\n\r\n" % (
        status, len(body), extra)
    conn.sendall(head + body)


def handle(raw, context):
    try:
        conn = context.wrap_socket(raw, server_side=True)
        request = conn.recv(65536).decode("latin-1")
        path = request.split(" ")[1] if " " in request else "/"
        kind = path.strip("/").split("/")[0] or "ok"
        if kind == "hang":
            time.sleep(600)
        elif kind == "trickle":
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 60\r\n\r\n")
            for _ in range(60):
                time.sleep(0.5)
                conn.sendall(b"x")
        elif kind == "close":
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 4000\r\n\r\n" + b"x" * 100)
        elif kind == "redirect":
            answer(conn, 302, b"", b"Location: /ok/api/v2/summary.json\r\n")
        elif kind == "fail":
            answer(conn, 500, b"{}")
        elif kind == "slow":
            time.sleep(3)
            answer(conn, 200, OK)
        elif kind == "gzip":
            answer(conn, 200, gzip.compress(OK), b"Content-Encoding: gzip\r\n")
        else:
            answer(conn, 200, OK)
        conn.close()
    except (OSError, ssl.SSLError):
        pass


def main():
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(TLS, "server.pem"), os.path.join(TLS, "server.key"))
    server = socket.socket()
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", int(sys.argv[1])))
    server.listen(256)
    while True:
        raw, _ = server.accept()
        threading.Thread(target=handle, args=(raw, context), daemon=True).start()


if __name__ == "__main__":
    main()
