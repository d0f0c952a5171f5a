# pyftpdlib on a loopback port of the system's choosing, written to the file named;
# account trevalmonte / harbloom, read-only, active mode (PORT to the client's own address only).
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, port_file = sys.argv[1], sys.argv[2]
logging.basicConfig(level=logging.WARNING)

authorizer = DummyAuthorizer()
authorizer.add_user("trevalmonte", "harbloom", root, perm="elr")

handler = FTPHandler
handler.authorizer = authorizer
handler.permit_foreign_addresses = False

server = FTPServer(("127.0.0.1", 0), handler)
# Named once it listens, whole or not at all.
with open(port_file + ".new", "w") as out:
    out.write(str(server.socket.getsockname()[1]))
os.replace(port_file + ".new", port_file)
server.serve_forever(handle_exit=True)
