"""The mail tests' SMTP server: aiosmtpd with the recording handler of
smtp_recorder.py, on a loopback address of its own.

Run as: python3 smtp_server.py PORT MAILDIR READYFILE

Each run picks an address 127.A.B.C at random (A from 1, so 127.0.0.x stays
free for the tests' unreachable servers) and binds PORT there (0: any free
port); an address another run holds is refused by the system and the next one
is tried. Two test runs on one machine, even both on port 25, thus never
reach each other's server. Once it listens, "ADDRESS PORT" is written to
READYFILE (whole or not at all). The server runs until it is terminated.
"""

import asyncio
import os
import random
import signal
import socket
import sys

from aiosmtpd.smtp import SMTP

from smtp_recorder import Recorder

ATTEMPTS = 200


def listen_on_own_address(port):
    pick = random.SystemRandom()
    last_error = None
    for _ in range(ATTEMPTS):
        address = "127.%d.%d.%d" % (pick.randint(1, 254), pick.randint(0, 255), pick.randint(1, 254))
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        try:
            listener.bind((address, port))
            listener.listen(64)
            return listener
        except OSError as error:
            listener.close()
            last_error = error
    sys.exit("smtp_server: no loopback address could take port %d: %s" % (port, last_error))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    port = int(sys.argv[1])
    handler = Recorder(sys.argv[2])
    ready = sys.argv[3]

    listener = listen_on_own_address(port)
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    server = loop.run_until_complete(loop.create_server(lambda: SMTP(handler), sock=listener))
    for stop in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        loop.add_signal_handler(stop, loop.stop)

    address, bound_port = listener.getsockname()[:2]
    with open(ready + ".part", "w") as out:
        out.write("%s %d\n" % (address, bound_port))
    os.replace(ready + ".part", ready)

    try:
        loop.run_forever()
    finally:
        server.close()
        loop.run_until_complete(server.wait_closed())
        loop.close()


if __name__ == "__main__":
    main()
