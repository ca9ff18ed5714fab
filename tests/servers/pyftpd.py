#!/usr/bin/python3
"""A small FTP server on pyftpdlib for the tests, the demo and the bench.

Serves --root for one account (or "anonymous") on 127.0.0.1. With --port 0 the
system picks a free port; the chosen port is printed alone on the first line of
stdout once the server accepts connections.

Fault modes (--fault, repeatable, or one per line of --fault-file, read at each
use so a test can switch them while the server runs) make it misbehave in one
known way each:
  refuse:VERB[:CODE] answer CODE (550 by default) to VERB
  garbage:VERB       answer VERB with a line that is no reply
  endless:VERB       answer VERB with a multi-line reply that never ends
  drop:VERB          drop the control connection on VERB
  drop-after-data    drop the control connection once a transfer completed
  drop-stor-start    drop the connection at the first bytes of an upload
  full-stor:CODE     answer CODE (452, 552) at the first bytes of an upload
  stall-stor         open the data connection for STOR and never read
  endless-list       MLSD and LIST answers that never end
  trickle-list       MLSD and LIST answers that never end, a line every 50 ms
  drop-retr          send half of a file, then drop the connection
  drop-stor          drop the connection after 64 KiB of an upload
  drop-once[:BYTES[:TAG]]  the next transfer loses its data connection, with 426, once
                     for each TAG: a download at half way, an upload after BYTES (16 KiB
                     by default); a new TAG in --fault-file strikes again
  no-rest            REST refused with 502 and left out of FEAT
  short-stor         keep only half of each upload, and still answer 226
  stall-retr         open the data connection for RETR and never send
  early-226          answer 226 to RETR before the data arrives
  multiline          multi-line greeting and CWD reply, bare LF line ends
  wrong-pasv         EPSV refused; the 227 reply names an unreachable address
  odd-names          MLSD and LIST answer a fixed listing of awkward names
  no-overwrite       RNTO onto an existing file is refused
  mute               accept connections but never greet
  tls-refused        list AUTH TLS, PBSZ and PROT in FEAT, and answer AUTH with 500, as a
                     server built with TLS but given no certificate does
  slow-login:MS      answer PASS, and all after it, MS ms late, as a server hashing
                     passwords slowly does
  pwd-slash          PWD names every folder but the root with a last "/"
  cut-retr:NAME      the first RETR of NAME from its first byte stops at half way, with 426
  raw-names          names pass as the bytes they are, UTF8 still announced: a name an
                     8-bit client wrote lists, and is found again, in Windows-1252 bytes

With --tls-cert (and --tls-key) the server offers explicit FTPS (AUTH TLS, PBSZ,
PROT), and these modes misbehave in TLS:
  tls-stall-handshake  accept AUTH TLS, then never answer the handshake
  tls-drop-handshake   accept AUTH TLS, then drop the connection mid-handshake
  tls-garbage-handshake accept AUTH TLS, then answer the handshake with clear text
  tls-plain-data       data connections stay clear text whatever PROT says
  tls-rogue            the handshake shows --tls-rogue-cert instead
With --tls-required, USER and PASS are refused before AUTH TLS.

--latency-ms N sends every reply N ms late, in order, as a server a few hundred
kilometres away does (plain FTP only: a late 234 would go out encrypted). With
--trip-log, each command is logged there too, after the number of its connection and
of its round trip on it: a command that comes while no reply is still to go starts a
new round trip, one that comes earlier was sent along with the one before.
"""

import argparse
import itertools
import logging
import os
import sys
import time
import warnings

from pyftpdlib import handlers
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.log import config_logging
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
try:
    from OpenSSL import SSL
    from pyftpdlib.handlers import SSLConnection, TLS_DTPHandler, TLS_FTPHandler
except ImportError:  # python3-openssl missing: plain FTP only
    SSL = None
from pyftpdlib.servers import FTPServer

ODD_MLSD = (b"type=cdir; .\r\n"
            b"type=pdir; ..\r\n"
            b"type=dir; my folder\r\n"
            b"type=file;size=3; les pins_txt.ini\r\n"
            b"type=file;size=3; caf\xc3\xa9.ini\r\n"
            b"type=file;size=3; ../x\r\n"
            b"type=file;size=3; bad\rname\r\n"
            b"type=file;size=3; ~hmpart-left.ini\r\n"
            b"type=file;size=3; /etc/passwd\r\n"
            b"type=file;size=3; " + b"L" * 300 + b".ini\r\n"
            b"type=dir; sub\r\n")

ODD_LIST = (b"total 8\r\n"
            b"drwxr-xr-x    2 ftp      ftp          4096 Jan 01 12:00 .\r\n"
            b"drwxr-xr-x    2 ftp      ftp          4096 Jan 01 12:00 ..\r\n"
            b"drwxr-xr-x    2 ftp      ftp          4096 Jan 01 12:00 my folder\r\n"
            b"-rw-r--r--    1 ftp      ftp             3 Mar 15  2021 les pins_txt.ini\r\n"
            b"-rw-r--r--    1 ftp      ftp             3 Jan 01 12:00 caf\xc3\xa9.ini\r\n"
            b"-rw-r--r--    1 ftp      ftp             3 Jan 01 12:00 ../x\r\n"
            b"-rw-r--r--    1 ftp      ftp             3 Jan 01 12:00 bad\rname\r\n"
            b"-rw-r--r--    1 ftp      ftp             3 Jan 01 12:00 /etc/passwd\r\n"
            b"-rw-r--r--    1 ftp      ftp             3 Jan 01 12:00 " + b"L" * 300 + b".ini\r\n"
            b"drwxr-xr-x    2 ftp      ftp          4096 Jan 01 12:00 sub\r\n")


def parse_args():
    p = argparse.ArgumentParser(description=__doc__,
                                formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--root", required=True)
    p.add_argument("--user", default="anonymous")
    p.add_argument("--password", default="")
    p.add_argument("--port", type=int, default=0)
    p.add_argument("--no-mlsd", action="store_true")
    p.add_argument("--throttle", type=int, default=0, help="bytes per second each way")
    p.add_argument("--fault", action="append", default=[])
    p.add_argument("--fault-file", help="more fault modes, one a line, read at each use")
    p.add_argument("--log", help="append every received command line to this file")
    p.add_argument("--tls-cert", help="PEM certificate chain: offer explicit FTPS")
    p.add_argument("--tls-key", help="PEM private key of --tls-cert")
    p.add_argument("--tls-rogue-cert", help="PEM certificate with its key, for tls-rogue")
    p.add_argument("--tls-required", action="store_true")
    p.add_argument("--latency-ms", type=int, default=0)
    p.add_argument("--trip-log", help="with --latency-ms: 'CONNECTION TRIP COMMAND' lines")
    p.add_argument("--max-logins", type=int, default=0, help="connections at once (421 beyond)")
    return p.parse_args()


def fault_argument(faults, mode, verb):
    """The text after "mode:verb" ("" when none) if that fault is on, else None."""
    for fault in faults:
        name, _, rest = fault.partition(":")
        if name == mode:
            what, _, argument = rest.partition(":")
            if what == verb:
                return argument
    return None


def fault_codes(faults, mode):
    return [f.split(":", 1)[1] for f in faults if f.startswith(mode + ":")]


class EndlessListing:
    """A producer for the data connection that never runs dry."""

    def __init__(self):
        self.count = itertools.count()

    def more(self):
        return b"".join(b"type=file;size=1; endless%d\r\n" % next(self.count) for _ in range(100))


def drop_once(faults):
    """The "drop-once" fault still to strike and its upload's byte limit, else (None, None)."""
    for fault in faults:
        name, _, rest = fault.partition(":")
        if name == "drop-once" and fault not in FaultMixin.struck:
            return fault, int(rest.partition(":")[0] or 16384)
    return None, None


class FaultDTPHandler(ThrottledDTPHandler):
    def break_off(self):
        """Closes the data connection and answers 426, as a dropped link does."""
        self._resp = ("426 Connection closed; transfer aborted.", logging.info)
        self.transfer_finished = False
        self.close()

    def handle_read(self):
        super().handle_read()
        faults = self.cmd_channel.faults
        if not self.tot_bytes_received or self._closed:
            return
        fault, limit = drop_once(faults)
        if fault and self.tot_bytes_received > limit:
            FaultMixin.struck.add(fault)
            self.break_off()
        elif "drop-stor-start" in faults or ("drop-stor" in faults and self.tot_bytes_received > 65536):
            self.cmd_channel.close()
        elif fault_codes(faults, "full-stor"):
            self._resp = (fault_codes(faults, "full-stor")[0] + " Insufficient storage space.", logging.info)
            self.transfer_finished = False
            self.close()

    handle_read_event = handle_read

    def close(self):
        channel = self.cmd_channel
        if "early-226" in channel.faults and not self.receive:
            self._resp = ()  # the 226 went out before the data
        finished = not self._closed and self.transfer_finished
        kept = self.file_obj.name if self.receive and self.file_obj is not None else None
        super().close()
        if finished and kept and "short-stor" in channel.faults:
            os.truncate(kept, os.path.getsize(kept) // 2)
        if finished and "drop-after-data" in channel.faults:
            channel.close_when_done()


class FaultMixin:
    struck = set()  # the "drop-once" faults spent, for the whole server
    static_faults = set()
    fault_file = None
    log_path = None

    @property
    def faults(self):
        if not self.fault_file:
            return self.static_faults
        try:
            with open(self.fault_file, encoding="utf-8") as f:
                return self.static_faults | set(f.read().split())
        except OSError:
            return self.static_faults

    def pre_process_command(self, line, cmd, arg):
        if self.log_path:
            with open(self.log_path, "a", encoding="utf-8", errors="backslashreplace") as log:
                log.write(line + "\n")
        if self.trip_log and self.latency:
            self.log_trip(line)
        faults = self.faults
        code = fault_argument(faults, "refuse", cmd)
        if code is not None:
            return self.respond((code or "550") + " Refused by test server.")
        if fault_argument(faults, "garbage", cmd) is not None:
            return self.push("\x00\xff this is no reply\r\n")
        if fault_argument(faults, "endless", cmd) is not None:
            self.push("250-This reply goes on\r\n")
            return self._reply_more()
        if fault_argument(faults, "drop", cmd) is not None:
            return self.close()
        if cmd == "REST" and "no-rest" in faults:
            return self.respond("502 REST not implemented.")
        slow = fault_codes(faults, "slow-login")
        if cmd == "PASS" and slow:
            self._hold_until = time.monotonic() + int(slow[0]) / 1000.0
        if cmd == "AUTH" and "tls-refused" in faults:
            return self.respond("500 This security scheme is not implemented.")
        return super().pre_process_command(line, cmd, arg)

    @property
    def unicode_errors(self):
        # Undecodable bytes of a name ride in the str as surrogates, which the file system
        # and the listing turn back into the same bytes.
        return "surrogateescape" if "raw-names" in self.faults else "replace"

    def ftp_FEAT(self, line):
        faults = self.faults
        extra = self._extra_feats
        if "no-rest" in faults:
            self.proto_cmds = {k: v for k, v in type(self).proto_cmds.items() if k != "REST"}
        if "tls-refused" in faults:
            self._extra_feats = extra + ["AUTH TLS", "PBSZ", "PROT"]
        try:
            return super().ftp_FEAT(line)
        finally:
            self._extra_feats = extra
            self.__dict__.pop("proto_cmds", None)

    def _reply_more(self):
        if not self._closed:
            self.push(" and on\r\n" * 50)
            self.ioloop.call_later(0.02, self._reply_more)

    latency = 0.0
    _reply_due = 0.0
    trip_log = None
    connections = itertools.count(1)
    _connection = 0
    _trip = 0

    def log_trip(self, line):
        if not self._connection:
            self._connection = next(self.connections)
        if time.monotonic() >= self._reply_due:
            self._trip += 1
        with open(self.trip_log, "a", encoding="utf-8", errors="backslashreplace") as log:
            log.write(f"{self._connection} {self._trip} {line}\n")

    _hold_until = 0.0

    def push(self, s):
        if "multiline" in self.faults:
            s = s.replace("\r\n", "\n")
        late = self.__dict__.setdefault("_late", [])
        now = time.monotonic()
        if not self.latency and not late and max(self._hold_until, self._reply_due) <= now:
            return self._push_now(s)
        # Each reply after the one before it, never before `latency` has passed: queued in
        # order, since the timers of two replies due together may fire either way round.
        self._reply_due = max(now + self.latency, self._reply_due, self._hold_until)
        late.append((self._reply_due, s))
        self.ioloop.call_later(self._reply_due - now, self._push_due)

    def _push_due(self):
        late = self._late
        while late and late[0][0] <= time.monotonic() + 0.001 and not self._closed:
            self._push_now(late.pop(0)[1])

    def _push_now(self, s):
        if "raw-names" in self.faults and not isinstance(self, SSLConnection if SSL else ()):
            # a path echoed in a reply (CWD's 250) goes back in the bytes it came in
            return handlers.asynchat.async_chat.push(self, s.encode("utf8", "surrogateescape"))
        return super().push(s)

    def handle(self):
        if "mute" in self.faults:
            return
        if "multiline" in self.faults:
            self.push("220-Welcome\r\n 220 is not the end\r\n220-still the greeting\r\n")
        super().handle()

    def respond(self, resp, logfun=None):
        if "multiline" in self.faults and resp.startswith("250 ") and "current directory" in resp:
            resp = "250-Directory changed\r\n200 inner line, not the end\r\n250 " + resp[4:]
        if logfun is None:
            return super().respond(resp)
        return super().respond(resp, logfun)

    def ftp_STOR(self, file, mode="w"):
        if "stall-stor" in self.faults:
            return self.respond("150 Opening data connection.")
        return super().ftp_STOR(file, mode)

    def ftp_PWD(self, line):
        if "pwd-slash" in self.faults and self.fs.cwd != "/":
            return self.respond('257 "%s/" is the current directory.' % self.fs.cwd.replace('"', '""'))
        return super().ftp_PWD(line)

    def _cut_once(self, file):
        name = os.path.basename(file)
        if self._restart_position or fault_argument(self.faults, "cut-retr", name) is None:
            return False
        if ("cut-retr", name) in FaultMixin.struck:
            return False
        FaultMixin.struck.add(("cut-retr", name))
        return True

    def ftp_RETR(self, file):
        if self._cut_once(file):
            return self._retr_broken_off(file)
        if "stall-retr" in self.faults:
            return self.respond("150 Opening data connection.")
        if "drop-retr" in self.faults or "early-226" in self.faults:
            return self._faulty_retr(file)
        fault, _ = drop_once(self.faults)
        if fault:
            FaultMixin.struck.add(fault)
            return self._retr_broken_off(file)
        return super().ftp_RETR(file)

    def _retr_broken_off(self, file):
        with open(file, "rb") as f:
            data = f.read()
        self.respond("150 Opening data connection.")
        self._send_data(data[: len(data) // 2], finish=False)
        self.ioloop.call_later(0.3, self._break_off_data)

    def _break_off_data(self):
        if self.data_channel is not None:
            return self.data_channel.break_off()
        if not self._closed:
            self.ioloop.call_later(0.05, self._break_off_data)

    def _faulty_retr(self, file):
        with open(file, "rb") as f:
            data = f.read()
        if "drop-retr" in self.faults:
            self._send_data(data[: len(data) // 2], finish=False)
            return self.ioloop.call_later(0.3, self.close)
        self.respond("150 Opening data connection.")
        self.respond("226 Transfer complete.")
        self.ioloop.call_later(0.3, self._send_data, data)

    def _send_data(self, data, finish=True):
        if self.data_channel is None:  # the client has not connected yet
            if not self._closed:
                self.ioloop.call_later(0.05, self._send_data, data, finish)
            return
        self.data_channel.push(data)
        if finish:
            self.data_channel.close_when_done()

    def ftp_EPSV(self, line):
        if "wrong-pasv" in self.faults:
            return self.respond("502 EPSV not offered here.")
        return super().ftp_EPSV(line)

    def _trickle(self, count=0):
        """Sends one listing line at a time, never fast enough to end nor slow enough to stall."""
        if self._closed:
            return
        if self.data_channel is not None:
            if self.data_channel._closed:
                return
            self.data_channel.push(b"type=file;size=1; slow%d\r\n" % count)
            count += 1
        self.ioloop.call_later(0.05, self._trickle, count)

    def _listing_fault(self, cmd, odd_listing):
        """Answers a listing command in the fault mode that is on; False when none is."""
        if "endless-list" in self.faults:
            self.push_dtp_data(EndlessListing(), isproducer=True, cmd=cmd)
        elif "trickle-list" in self.faults:
            self.respond("150 Here it comes, slowly.")
            self._trickle()
        elif "odd-names" in self.faults:
            self.push_dtp_data(odd_listing, cmd=cmd)
        else:
            return False
        return True

    def ftp_MLSD(self, path):
        return self._listing_fault("MLSD", ODD_MLSD) or super().ftp_MLSD(path)

    def ftp_LIST(self, path):
        return self._listing_fault("LIST", ODD_LIST) or super().ftp_LIST(path)

    def ftp_RNTO(self, path):
        if "no-overwrite" in self.faults and os.path.exists(path):
            return self.respond("550 File exists.")
        return super().ftp_RNTO(path)


class FaultHandler(FaultMixin, FTPHandler):
    pass


if SSL is not None:
    class TlsFaultDTPHandler(TLS_DTPHandler, FaultDTPHandler):
        def __init__(self, sock, cmd_channel):
            if "tls-plain-data" in cmd_channel.faults:
                SSLConnection.__init__(self, sock, cmd_channel)  # never secured
            else:
                super().__init__(sock, cmd_channel)

    class TlsFaultHandler(FaultMixin, TLS_FTPHandler):
        rogue_cert = None

        def ftp_AUTH(self, line):
            faults = self.faults
            if "tls-stall-handshake" in faults:
                return self.respond("234 AUTH TLS successful.")
            if "tls-drop-handshake" in faults:
                self.respond("234 AUTH TLS successful.")
                return self.ioloop.call_later(0.2, self.close)
            if "tls-garbage-handshake" in faults:
                self.respond("234 AUTH TLS successful.")
                return self.push("this is no TLS handshake\r\n" * 4)
            if "tls-rogue" in faults and self.rogue_cert:
                rogue = SSL.Context(self.ssl_protocol)
                rogue.use_certificate_chain_file(self.rogue_cert)
                rogue.use_privatekey_file(self.rogue_cert)
                self.ssl_context = rogue
            return super().ftp_AUTH(line)


def tls_handler(args):
    if SSL is None:
        sys.exit("pyftpd.py: --tls-cert needs python3-openssl")
    handler = TlsFaultHandler
    handler.certfile = args.tls_cert
    handler.keyfile = args.tls_key
    handler.rogue_cert = args.tls_rogue_cert
    handler.tls_control_required = handler.tls_data_required = args.tls_required
    handler.ssl_options = SSL.OP_NO_SSLv2 | SSL.OP_NO_SSLv3 | SSL.OP_NO_TLSv1 | SSL.OP_NO_TLSv1_1
    handler.dtp_handler = TlsFaultDTPHandler
    return handler


def main():
    args = parse_args()
    warnings.filterwarnings("ignore", category=RuntimeWarning)
    authorizer = DummyAuthorizer()
    if args.user == "anonymous":
        authorizer.add_anonymous(args.root, perm="elradfmwMT")
    else:
        authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")

    handler = tls_handler(args) if args.tls_cert else FaultHandler
    handler.authorizer = authorizer
    handler.static_faults = set(args.fault)
    handler.latency = args.latency_ms / 1000.0
    handler.trip_log = args.trip_log
    handler.max_cons_per_ip = args.max_logins
    handler.fault_file = args.fault_file
    handler.log_path = args.log
    handler.passive_ports = None
    handler.permit_foreign_addresses = False
    dtp = handler.dtp_handler if args.tls_cert else FaultDTPHandler
    dtp.read_limit = dtp.write_limit = args.throttle
    handler.dtp_handler = dtp
    commands = dict(handler.proto_cmds)
    if args.no_mlsd:
        commands.pop("MLSD", None)
        commands.pop("MLST", None)
    if "wrong-pasv" in handler.static_faults:
        handler.masquerade_address = "192.0.2.1"
    handler.proto_cmds = commands

    config_logging(level=logging.ERROR)
    server = FTPServer(("127.0.0.1", args.port), handler)
    print(server.address[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    sys.exit(main())
