#!/usr/bin/env python3
"""Plain HTTP answers "ok" on PORT of COUNT loopback addresses (127.0.0.1, 127.0.0.2, ...,
250 per /24), one listener each, for runs with every service on a host of its own.

    distincthosts.py PORT COUNT
"""
import asyncio
import resource
import sys

ANSWER = b"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"


def address(i):
    return f"127.0.{i // 250}.{i % 250 + 1}"


async def serve(reader, writer):
    try:
        while True:
            head = await reader.readuntil(b"\r\n\r\n")
            if not head:
                break
            writer.write(ANSWER)
            await writer.drain()
    except (asyncio.IncompleteReadError, ConnectionError):
        pass
    writer.close()


async def main(port, count):
    for i in range(count):
        await asyncio.start_server(serve, address(i), port, backlog=64)
    print("ready", flush=True)
    await asyncio.Event().wait()


soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
resource.setrlimit(resource.RLIMIT_NOFILE, (hard, hard))
asyncio.run(main(int(sys.argv[1]), int(sys.argv[2])))
