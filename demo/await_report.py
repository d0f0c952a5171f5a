#!/usr/bin/python3
"""Listens on a free loopback port, names it in the port file, and writes what one
connection sends into the report file; gives up after 60 seconds."""
import socket
import sys

report_file, port_file = sys.argv[1], sys.argv[2]
listener = socket.socket()
listener.bind(("127.0.0.1", 0))
listener.listen(1)
listener.settimeout(60)
with open(port_file, "w") as out:
    out.write(str(listener.getsockname()[1]))
connection, _ = listener.accept()
connection.settimeout(10)
received = b""
while len(received) < 4096:
    chunk = connection.recv(4096)
    if not chunk:
        break
    received += chunk
with open(report_file, "wb") as out:
    out.write(received + b"\n")
