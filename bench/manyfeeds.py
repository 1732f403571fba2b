#!/usr/bin/env python3
"""Plain HTTP answers "ok" on 50 consecutive ports from PORT on, for scale runs.

    manyfeeds.py PORT [ADDRESS]   (default 127.0.0.1)
"""
import http.server
import socketserver
import sys
import threading


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        body = b"ok"
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    request_queue_size = 1024


base = int(sys.argv[1])
address = sys.argv[2] if len(sys.argv) > 2 else "127.0.0.1"
for port in range(base, base + 50):
    threading.Thread(target=Server((address, port), Handler).serve_forever, daemon=True).start()
print("ready", flush=True)
threading.Event().wait()
