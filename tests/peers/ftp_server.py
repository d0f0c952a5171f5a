# pyftpdlib on a loopback port of the system's choosing, written to the file named;
# account trevalmonte / harbloom, read-only, active mode (PORT to the client's own address only).
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import ActiveDTP, FTPHandler
from pyftpdlib.servers import FTPServer

root, port_file = sys.argv[1], sys.argv[2]
logging.basicConfig(level=logging.WARNING)

authorizer = DummyAuthorizer()
authorizer.add_user("trevalmonte", "harbloom", root, perm="elr")


class ConnectedActiveDTP(ActiveDTP):
    # Once connected, the socket belongs to the data channel, but the session keeps
    # this connector and closes it when the session ends. That close takes the
    # descriptor's number out of the poller, and by then the number may be a new
    # control connection's, accepted in the same turn of the loop: its commands
    # would never be read (the client waits, then fails on a healthy server).
    def handle_connect(self):
        super().handle_connect()
        if self.cmd_channel._dtp_connector is self:
            self.cmd_channel._dtp_connector = None


handler = FTPHandler
handler.active_dtp = ConnectedActiveDTP
handler.authorizer = authorizer
handler.permit_foreign_addresses = False

server = FTPServer(("127.0.0.1", 0), handler)
# Named once it listens, whole or not at all.
with open(port_file + ".new", "w") as out:
    out.write(str(server.socket.getsockname()[1]))
os.replace(port_file + ".new", port_file)
server.serve_forever(handle_exit=True)
