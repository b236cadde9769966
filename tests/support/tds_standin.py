#!/usr/bin/env python3
"""A stand-in for SQL Server on the wire, for the tests of the ODBC backend
through FreeTDS. It stands for the wire, not for the server's SQL: it speaks
as much TDS 7.x as FreeTDS needs (pre-login, login, SQL batches and
transaction requests), parses no SQL (it only splits a batch at its INSERTs,
as FreeTDS sends a parameter array) and answers from the fixed rules of
answer_batch, which are what the tests ask of it.

Usage: tds_standin.py LOG
Listens on a free port of 127.0.0.1 and prints it on a line; writes every
login and request it receives to LOG, one JSON object a line. Exits when its
standard input closes (the test that started it ended) or after two minutes.
"""
import json
import os
import re
import socket
import socketserver
import struct
import sys
import threading

# Packet types.
SQL_BATCH, REPLY, ATTENTION, TRANSACTION, LOGIN7, PRELOGIN = 1, 4, 6, 14, 16, 18
# The collation of SQL_Latin1_General_CP1_CI_AS: varchar in code page 1252.
CP1252 = bytes([0x09, 0x04, 0xD0, 0x00, 0x34])
DONE_MORE, DONE_ERROR, DONE_COUNT = 0x01, 0x02, 0x10
# The transaction request that commits (FreeTDS ends transactions so).
TM_COMMIT = 7

log_lock = threading.Lock()
log_file = None


def log(entry):
    with log_lock:
        log_file.write(json.dumps(entry, ensure_ascii=False) + "\n")
        log_file.flush()


def ucs2(text):
    return text.encode("utf-16-le")


def b_varchar(text):
    return bytes([len(text)]) + ucs2(text)


def us_varchar(text):
    return struct.pack("<H", len(text)) + ucs2(text)


def token(kind, body):
    return bytes([kind]) + struct.pack("<H", len(body)) + body


def done(status=0, count=0, kind=0xFD):
    if count:
        status |= DONE_COUNT
    return bytes([kind]) + struct.pack("<HHQ", status, 0, count)


def error(number, message, state=1, severity=16):
    body = (struct.pack("<iBB", number, state, severity) + us_varchar(message) +
            b_varchar("standin") + b_varchar("") + struct.pack("<i", 1))
    return token(0xAA, body)


def varchar_rows(column, values):
    """One varchar column in code page 1252, as the server sends its text."""
    meta = (bytes([0x81]) + struct.pack("<H", 1) + struct.pack("<IH", 0, 0x0001) +
            bytes([0xA7]) + struct.pack("<H", 8000) + CP1252 + b_varchar(column))
    rows = b"".join(bytes([0xD1]) + struct.pack("<H", len(v)) + v for v in values)
    return meta + rows + done(count=len(values))


class Reader:
    """Reads a value at a time from a message body."""

    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, n):
        piece = self.data[self.pos:self.pos + n]
        if len(piece) != n:
            raise ValueError("message ends early")
        self.pos += n
        return piece

    def unpack(self, fmt):
        return struct.unpack(fmt, self.take(struct.calcsize(fmt)))[0]


def skip_all_headers(r):
    total = r.unpack("<I")
    r.take(total - 4)


class Session(socketserver.BaseRequestHandler):
    def setup(self):
        self.request.settimeout(30)
        self.fail_commit = False

    def read_message(self):
        """A whole message (type, body), or None when the client left."""
        body, kind = b"", None
        while True:
            header = self.read_exactly(8)
            if header is None:
                return None
            kind, status, length = header[0], header[1], struct.unpack(">H", header[2:4])[0]
            data = self.read_exactly(length - 8)
            if data is None:
                return None
            body += data
            if status & 0x01:
                return kind, body

    def read_exactly(self, n):
        data = b""
        while len(data) < n:
            try:
                piece = self.request.recv(n - len(data))
            except OSError:
                return None
            if not piece:
                return None
            data += piece
        return data

    def send(self, body, kind=REPLY):
        size = 4096 - 8
        chunks = [body[i:i + size] for i in range(0, len(body), size)] or [b""]
        for i, chunk in enumerate(chunks):
            last = 1 if i == len(chunks) - 1 else 0
            header = struct.pack(">BBHHBB", kind, last, len(chunk) + 8, 0, (i + 1) % 256, 0)
            self.request.sendall(header + chunk)

    def handle(self):
        while True:
            message = self.read_message()
            if message is None:
                return
            kind, body = message
            if kind == PRELOGIN:
                self.send(prelogin_reply())
            elif kind == LOGIN7:
                self.send(self.login(body))
            elif kind == SQL_BATCH:
                r = Reader(body)
                skip_all_headers(r)
                text = r.data[r.pos:].decode("utf-16-le")
                log({"sql": text})
                reply = self.answer_batch(text)
                if reply is None:  # the link breaks
                    self.request.shutdown(socket.SHUT_RDWR)
                    return
                self.send(reply)
            elif kind == TRANSACTION:
                r = Reader(body)
                skip_all_headers(r)
                request = r.unpack("<H")
                log({"transaction": request})
                self.send(self.end_transaction(commit=request == TM_COMMIT))
            elif kind == ATTENTION:
                self.send(done(status=0x20))
            else:
                log({"unknown packet": kind})
                return

    def login(self, body):
        fields = {}
        for name, at in (("host", 36), ("user", 40), ("password", 44), ("app", 48),
                         ("server", 52), ("database", 68)):
            offset, length = struct.unpack("<HH", body[at:at + 4])
            raw = body[offset:offset + 2 * length]
            if name == "password":
                # Each byte XORed with A5 after its nibbles were swapped.
                raw = bytes(((b ^ 0xA5) << 4 & 0xF0) | ((b ^ 0xA5) >> 4) for b in raw)
            fields[name] = raw.decode("utf-16-le")
        log({"login": fields})
        ack = (bytes([1]) + bytes([0x74, 0x00, 0x00, 0x04]) + b_varchar("standin") +
               bytes([16, 0, 0, 0]))
        env = (token(0xE3, bytes([1]) + b_varchar(fields["database"] or "master") + b_varchar("")) +
               token(0xE3, bytes([7]) + bytes([5]) + CP1252 + bytes([0])) +
               token(0xE3, bytes([4]) + b_varchar("4096") + b_varchar("4096")))
        return env + token(0xAD, ack) + done()

    def answer_batch(self, text):
        """The rules for SQL batches: what the tests send, by a piece of it."""
        inserts = [piece for piece in re.split(r"(?=INSERT INTO)", text) if piece.strip()]
        if len(inserts) > 1:
            # FreeTDS sends a parameter array as one batch of statements, one
            # a row: each gets its own end, and a row holding 'refused' fails
            # as a constraint fails it, the batch going on.
            reply = b""
            for n, insert in enumerate(inserts):
                more = DONE_MORE if n + 1 < len(inserts) else 0
                if "'refused'" in insert:
                    reply += error(547, "The INSERT statement conflicted with the CHECK "
                                        "constraint \"CK_IMP_VALOR\".") + done(more | DONE_ERROR)
                else:
                    reply += done(more, count=1)
            return reply
        if "CHAR(209)" in text:
            return varchar_rows("n", [b"\xd1"])
        if "stand-in text" in text:
            return varchar_rows("t", ["Ñandú Ámbar".encode("cp1252")])
        if "stand-in drop" in text:
            return None
        if "stand-in fail commit" in text:
            self.fail_commit = True
            return done()
        return done()

    def end_transaction(self, commit):
        if commit and self.fail_commit:
            self.fail_commit = False
            return error(9002, "The transaction log for database 'Aduana' is full.",
                         severity=17) + done(DONE_ERROR)
        return done()


def prelogin_reply():
    # Version, encryption not supported (no TLS), instance, thread, MARS off.
    options = [(0, bytes([16, 0, 0, 0, 0, 0])), (1, bytes([2])), (2, bytes([0])),
               (3, bytes(4)), (4, bytes([0]))]
    header_size = 5 * len(options) + 1
    header, data = b"", b""
    for option, value in options:
        header += struct.pack(">BHH", option, header_size + len(data), len(value))
        data += value
    return header + bytes([0xFF]) + data


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    global log_file
    log_file = open(sys.argv[1], "w", encoding="utf-8")
    server = Server(("127.0.0.1", 0), Session)
    print(server.server_address[1], flush=True)

    def end_with_stdin():
        sys.stdin.buffer.read()
        os._exit(0)

    threading.Thread(target=end_with_stdin, daemon=True).start()
    threading.Timer(120, lambda: os._exit(1)).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
