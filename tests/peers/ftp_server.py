# pyftpdlib on a loopback port, account trevalmonte / harbloom, read-only,
# active mode (PORT to the client's own address only).
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, port = sys.argv[1], int(sys.argv[2])
logging.basicConfig(level=logging.WARNING)

authorizer = DummyAuthorizer()
authorizer.add_user("trevalmonte", "harbloom", root, perm="elr")

handler = FTPHandler
handler.authorizer = authorizer
handler.permit_foreign_addresses = False

FTPServer(("127.0.0.1", port), handler).serve_forever(handle_exit=True)
