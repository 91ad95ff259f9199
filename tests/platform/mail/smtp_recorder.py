"""A recording handler for aiosmtpd, used by the mail tests.

Used by smtp_server.py, which serves it on a loopback address of its own.

Every accepted message is parsed with Python's own e-mail package and
summarised in DIR/message-NNNN.txt, one "key value" line per fact, values in
hexadecimal (UTF-8 for texts) so that any byte survives:

    helo <name>            the HELO/EHLO name
    mail_from <address>    the envelope sender
    rcpt <address>         one line per accepted RCPT TO, in order
    header <name> <value>  every top-level header field, decoded
    raw_header <name> <value>  the same fields as written, unfolded
    content_type <type>    the top-level content type
    body <text>            the text/plain body, decoded, line ends as LF
    attachment <name> <bytes>
    defects <count>        MIME defects the parser found in any part

Refusals the tests provoke:
    MAIL FROM an address starting with "refused-sender"  -> 553
    RCPT TO an address starting with "rejected"          -> 550
    a Subject containing "refuse-data"                   -> 554 after DATA
"""

import email
import email.policy
import itertools
import os


def _hex(text):
    if isinstance(text, str):
        text = text.encode("utf-8", "surrogateescape")
    return text.hex() or "-"


class Recorder:
    def __init__(self, directory):
        self.directory = directory
        os.makedirs(directory, exist_ok=True)
        self.numbers = itertools.count(1)

    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        if address.lower().startswith("refused-sender"):
            return "553 5.7.1 Sender refused by policy"
        envelope.mail_from = address
        envelope.mail_options.extend(mail_options)
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower().startswith("rejected"):
            return "550 5.1.1 <%s>: Recipient address rejected" % address
        envelope.rcpt_tos.append(address)
        envelope.rcpt_options.extend(rcpt_options)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        if "refuse-data" in str(message.get("Subject", "")):
            return "554 5.6.0 Message content refused"

        lines = ["helo " + _hex(session.host_name or ""),
                 "mail_from " + _hex(envelope.mail_from or "")]
        lines += ["rcpt " + _hex(address) for address in envelope.rcpt_tos]
        for name, value in message.items():
            lines.append("header %s %s" % (_hex(name), _hex(str(value))))
        for name, value in message.raw_items():
            raw = value.replace("\r\n", "").replace("\n", "").strip()
            lines.append("raw_header %s %s" % (_hex(name), _hex(raw)))
        lines.append("content_type " + _hex(message.get_content_type()))
        body = message.get_body(preferencelist=("plain",))
        if body is not None:
            text = body.get_content().replace("\r\n", "\n")
            lines.append("body " + _hex(text))
        for part in message.iter_attachments():
            lines.append("attachment %s %s" % (_hex(part.get_filename() or ""),
                                               _hex(part.get_payload(decode=True) or b"")))
        defects = sum(len(part.defects) for part in message.walk())
        lines.append("defects %s" % _hex(str(defects)))

        number = next(self.numbers)
        final = os.path.join(self.directory, "message-%04d.txt" % number)
        with open(final + ".part", "w") as out:
            out.write("\n".join(lines) + "\n")
        os.replace(final + ".part", final)
        return "250 OK"
