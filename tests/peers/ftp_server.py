# pyftpdlib on a free loopback port, account trevalmonte / harbloom, read-only.
# Prints the port once it listens; ends when its standard input closes.
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root = sys.argv[1]
logging.basicConfig(level=logging.CRITICAL)

authorizer = DummyAuthorizer()
authorizer.add_user("trevalmonte", "harbloom", root, perm="elr")

handler = FTPHandler
handler.authorizer = authorizer
handler.permit_foreign_addresses = False

server = FTPServer(("127.0.0.1", 0), handler)
print(server.address[1], flush=True)

def stop_when_parent_goes():
    sys.stdin.read()
    os._exit(0)

threading.Thread(target=stop_when_parent_goes, daemon=True).start()
server.serve_forever(handle_exit=False)
