"""SMTP server on loopback for the mail tests.

Accepts AUTH LOGIN for one account and stores every message it receives in a
folder: NNNN.eml holds the raw content bytes, NNNN.json the envelope. Prints
its port on stdout once it listens. It stops by itself after --lifetime
seconds, or as soon as stdin closes (the test process went away), so a
crashed test leaves nothing running.
"""

import argparse
import asyncio
import json
import logging
import os
import sys
import warnings

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def parse_arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--lifetime", type=float, default=120.0)
    parser.add_argument("--refuse-rcpt", default="")
    behaviour = parser.add_mutually_exclusive_group()
    # Accepts the connection and never greets.
    behaviour.add_argument("--hang", action="store_true")
    # Takes the whole message and never answers the final dot.
    behaviour.add_argument("--hang-after-data", action="store_true")
    return parser.parse_args()


class Handler:
    def __init__(self, arguments):
        self.arguments = arguments
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address == self.arguments.refuse_rcpt:
            return "550 5.1.1 Recipient refused"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if self.arguments.hang_after_data:
            await asyncio.sleep(self.arguments.lifetime)
        self.count += 1
        base = os.path.join(self.arguments.folder, "%04d" % self.count)
        with open(base + ".eml", "wb") as raw:
            raw.write(envelope.original_content)
        # The envelope file comes last and by rename: once it is there, the
        # message is complete.
        with open(base + ".tmp", "w", encoding="utf-8") as meta:
            json.dump({"from": envelope.mail_from, "to": envelope.rcpt_tos}, meta)
        os.replace(base + ".tmp", base + ".json")
        return "250 Message accepted"


def make_authenticator(arguments):
    def authenticate(server, session, envelope, mechanism, auth_data):
        good = (
            mechanism == "LOGIN"
            and isinstance(auth_data, LoginPassword)
            and auth_data.login == os.fsencode(arguments.user)
            and auth_data.password == os.fsencode(arguments.password)
        )
        return AuthResult(success=good, handled=False)

    return authenticate


async def hold_silently(reader, writer):
    await asyncio.get_running_loop().create_future()


async def serve(arguments):
    loop = asyncio.get_running_loop()
    if arguments.hang:
        server = await asyncio.start_server(hold_silently, "127.0.0.1", 0)
    else:
        handler = Handler(arguments)
        authenticator = make_authenticator(arguments)

        def factory():
            return SMTP(
                handler,
                hostname="velmora-test",
                auth_required=True,
                auth_require_tls=False,
                authenticator=authenticator,
            )

        server = await loop.create_server(factory, "127.0.0.1", 0)

    finished = loop.create_future()
    loop.call_later(arguments.lifetime, finished.set_result, None)
    loop.add_reader(sys.stdin.fileno(), stop_at_end_of_input, loop, finished)

    print(server.sockets[0].getsockname()[1], flush=True)
    await finished
    server.close()


def stop_at_end_of_input(loop, finished):
    if os.read(sys.stdin.fileno(), 4096):
        return
    loop.remove_reader(sys.stdin.fileno())
    if not finished.done():
        finished.set_result(None)


def main():
    # Login without TLS is what a loopback test wants; aiosmtpd warns of it
    # at every connection.
    warnings.simplefilter("ignore")
    logging.getLogger("mail.log").setLevel(logging.ERROR)
    asyncio.run(serve(parse_arguments()))


if __name__ == "__main__":
    main()
