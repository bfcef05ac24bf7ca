#!/usr/bin/env python3
"""A PS/2 or AccessKvora Rizovuvuri keyboard on a pseudo-terminal that Wine opens as a COM port.

The keyboard answers the serial protocol of the programs: the ping (0x04 0x16 0x16 0x16 0x03), the
version request (0x16 0x16 0x16 'V') and the set image (0x16 0x16 0x16, overlays, then the trailer
0x03 [0x7F] checksum 0x04, whose bytes after the sync must sum to 0 modulo 256), and the infrared
commands of the AccessKvora model (INFRARED_CONTROL below). A test or benchmark
steers it over a TCP connection on 127.0.0.1, one command line each way (see CONTROL below): which
COM port it stands behind, and how it misbehaves.

    keyboard_sim.py --prefix WINEPREFIX --ready FILE [--link N] [--version TEXT]

It writes "<control port> <pty path>" to the ready file once it listens, removes its
dosdevices/comN link when it ends (SIGTERM, SIGINT, or its parent going away), and never replaces a
dosdevices entry that is not a link to a pseudo-terminal.

Commands of the keyboard are generators registered with @command(letter): they take further bytes
with `byte = yield` (or `yield seconds` for a byte within a time, None when none came) and answer
with kb.reply(). New commands (the infrared ones) are added the same way.
"""
import argparse
import os
import select
import signal
import socket
import sys
import termios
import time
import tty

SOH, ETX, EOT, SYN, DEL = 0x01, 0x03, 0x04, 0x16, 0x7F
XON, XOFF = 0x11, 0x13
STATUS_READY, STATUS_LOAD_FAILED = 0x00, 0x02
# After 0x16 0x16 0x16 0x03 a ping ends; an empty set's image goes on with its checksum at once.
PING_SETTLE = 0.02
# A learning goes on by itself after this long, as if someone pressed a button on a remote control.
DEFAULT_LEARN_AFTER = 1.5
DEFAULT_VERSION = "V1.2P"
NOISE = b"Z" * 12  # no SYN, SOH or ETX: an answer no command expects

INFRARED_CONTROL = """infrared (the AccessKvora keyboard's remote control; its log names each command, as ir-record:9F):
  ir-say LETTERS                reports each letter now, framed as 0x16 0x16 letter: while learning
                                'P', 'R', 'Y' (Y learns a code of ir-learn-length bytes), while
                                checking the distance 'P' (a signal), 'R' (none), 'Y' (finished)
  ir-raw HEX                    sends the bytes as they stand
  ir-learn-length N             how many bytes a learned code has (default 101, a code's whole room)
  ir-learn-after MS | ir-learn-after never   a learning the keyboard is asked for goes on by itself:
                                'P' at once, 'R' halfway and 'Y' (a code of its own) after MS
                                (default 1500), unless an ir-say or a break comes first; never: only
                                ir-say reports (what a test that holds the answer back wants)
  ir-code N HEX | ir-code N none   puts a learned code into place N, or empties the place
  ir-code? N                    the code in place N as hex, or none
  ir-room? N                    the 101 bytes of place N's room in the infrared memory, as hex
  ir-read normal|silent|flood|garbled|empty|unended   how 'D' answers: the code as Intel-HEX records,
                                nothing, printable bytes without end, a record with a wrong checksum,
                                no text, the records without their end record
  ir-break-finishes 0|1         whether a break during the distance check reports 'Y' after its own
                                'Y' (default 1)
  ir-state?                     the ID channel, the security code and the mode (idle, record, distance)"""

CONTROL = """control commands (one line each; the answer is one line, "ok ..." or "error ..."):
  link N | unlink               stand behind COMN (1-9), or behind none
  reset                         well-behaved again; forgets the image, the log and the load status
  version TEXT | version none   the answer to 'V' after its 0x16 bytes (default V1.2P or --version), or no answer
  status N                      the ping's status byte from now on (default: 0, 2 after a bad image)
  silent                        reads everything, answers nothing
  late MS                       every answer MS milliseconds late
  garbage noise|syn|syn-flood   answers noise, a single 0x16, or 0x16 without end
  refuse-checksum               every image counts as damaged
  stop-after N                  stops reading after N bytes of an image (a hung keyboard)
  read-baud B                   reads no faster than B baud (11 bits a byte)
  xoff-after N [MS]             sends XOFF after N bytes of an image, and XON MS later (or never)
  log?                          what it received: wake, ping, version, image-ok:N, image-bad:N
  image?                        the last image as hex, or none
  timing?                       ms from the first to the last byte of the last image
  line?                         the line settings the program gave the port, such as 19200 8N2 ixon ixoff
  rx?                           every byte received since the last reset, as hex (XON/XOFF left out)
  rx-forget                     forgets the bytes received so far
""" + INFRARED_CONTROL

COMMANDS = {}


def command(letter):
    """Registers a generator as the handler of a command letter (an int or a one-character str)."""
    code = ord(letter) if isinstance(letter, str) else letter

    def register(handler):
        COMMANDS[code] = handler
        return handler
    return register


class Settings:
    def __init__(self, version=DEFAULT_VERSION):
        self.version = version
        self.status = None
        self.silent = False
        self.late = 0.0
        self.garbage = None
        self.refuse_checksum = False
        self.stop_after = None
        self.read_baud = None
        self.xoff_after = None
        self.xoff_ms = None


def protocol(kb):
    """The keyboard's reading of the byte stream: wake bytes, then commands after 0x16 bytes."""
    byte = yield
    while True:
        if byte == EOT:
            kb.log("wake")
            byte = None
        elif byte == SYN:
            while byte == SYN:
                byte = yield
            handler = COMMANDS.get(byte)
            # A handler returns a byte it read ahead that is not its own, or None.
            byte = (yield from handler(kb)) if handler else None
        else:
            byte = None
        if byte is None:
            byte = yield


@command(ETX)
def ping_or_empty_set(kb):
    following = yield PING_SETTLE
    if following is not None and (following == DEL or following >= 0x30):
        return (yield from receive_image(kb, [ETX, following]))
    kb.log("ping")
    kb.reply(bytes([SYN, SYN, SOH, kb.ping_status(), ETX]))
    return following


@command("V")
def version(kb):
    kb.log("version")
    if kb.settings.version is not None:
        kb.reply(bytes([SYN, SYN]) + kb.settings.version.encode("latin-1") + bytes([ETX]))
    return None
    yield


@command(SOH)
def set_image(kb):
    return (yield from receive_image(kb, [SOH]))


def receive_image(kb, body):
    kb.image_started(len(body))
    while body[-1] != EOT:
        body.append((yield))
        kb.image_progress(len(body))
    kb.image_finished(body)
    return None


def image_is_sound(body):
    """The trailer's form and the checksum: every byte after the sync sums to 0 modulo 256."""
    if len(body) < 3 or body[-1] != EOT or body[-2] < 0x30 or sum(body) % 256 != 0:
        return False
    return body[-3] == ETX or (body[-3] == DEL and len(body) >= 4 and body[-4] == ETX)


# --- infrared --------------------------------------------------------------------------------------
# Learned code n takes IR_CODE_ROOM bytes of the infrared memory from n * IR_CODE_ROOM + IR_FIRST_CODE.
IR_CODE_ROOM, IR_FIRST_CODE, IR_CODES = 101, 122, 160
IR_MEMORY = IR_FIRST_CODE + IR_CODE_ROOM * IR_CODES
IR_ERASED = 0xFF


def hex_record(address, data, kind=0):
    body = bytes([len(data), address >> 8, address & 0xFF, kind]) + bytes(data)
    return ":" + (body + bytes([(-sum(body)) & 0xFF])).hex().upper() + "\r\n"


def code_records(code, data):
    """The records of a code at its place, first record up to a 16-byte boundary, then the end."""
    address = code * IR_CODE_ROOM + IR_FIRST_CODE
    text, done = "", 0
    while done < len(data):
        count = min(16 - address % 16, len(data) - done)
        text += hex_record(address, data[done:done + count])
        done += count
        address += count
    return text + ":00000001FF"


def parse_records(text):
    """[(address, data)] of the data records up to the end record; None when one is damaged."""
    records = []
    for chunk in text.split(":")[1:]:
        digits = "".join(c for c in chunk if c in "0123456789abcdefABCDEF")
        if len(digits) % 2 or len(digits) < 10:
            return None
        body = bytes.fromhex(digits)
        if sum(body) % 256 or body[0] != len(body) - 5:
            return None
        if body[3] != 0:
            break
        records.append(((body[1] << 8) | body[2], body[4:-1]))
    return records


class Infrared:
    def __init__(self):
        self.memory = bytearray([IR_ERASED]) * IR_MEMORY
        self.lengths = {}          # place -> length of the code learned or written there
        self.mode = "idle"         # idle, record, distance
        self.code = None
        self.learn_length = IR_CODE_ROOM
        self.channel = "0"
        self.secure = None
        self.read_mode = "normal"
        self.break_finishes = True
        self.learn_after = DEFAULT_LEARN_AFTER
        self.reports = []          # (due time, letter) of a learning going on by itself

    def start_learning(self, code):
        self.mode, self.code = "record", code
        self.reports = []
        if self.learn_after is not None:
            now = time.monotonic()
            self.reports = [(now, "P"), (now + self.learn_after / 2, "R"), (now + self.learn_after, "Y")]

    def due_reports(self, kb, now):
        while self.reports and self.reports[0][0] <= now:
            self.say(kb, self.reports.pop(0)[1])

    def next_report(self):
        return self.reports[0][0] if self.reports else None

    def learned_code(self, code):
        return bytes((code * 7 + i * 13 + 1) & 0xFF for i in range(self.learn_length))

    def put_code(self, code, data):
        start = code * IR_CODE_ROOM + IR_FIRST_CODE
        self.memory[start:start + len(data)] = data
        self.lengths[code] = len(data)

    def code_at(self, code):
        start = code * IR_CODE_ROOM + IR_FIRST_CODE
        length = self.lengths.get(code)
        return None if length is None else bytes(self.memory[start:start + length])

    def write_records(self, records):
        for address, data in records:
            if address + len(data) > IR_MEMORY:
                return False
        for address, data in records:
            self.memory[address:address + len(data)] = data
        if records:
            first = records[0][0]
            code = (first - IR_FIRST_CODE) // IR_CODE_ROOM
            self.lengths[code] = records[-1][0] + len(records[-1][1]) - first
        return True

    def say(self, kb, letters):
        for letter in letters:
            if letter == "Y" and self.mode == "record":
                self.put_code(self.code, self.learned_code(self.code))
            if letter == "Y":
                self.mode = "idle"
            kb.reply(bytes([SYN, SYN, ord(letter)]))

    def control(self, kb, name, args):
        if name == "ir-say":
            # The test says what happens from now on.
            self.reports = []
            self.say(kb, args[0])
        elif name == "ir-raw":
            kb.reply(bytes.fromhex(args[0]))
        elif name == "ir-learn-length":
            self.learn_length = int(args[0])
        elif name == "ir-learn-after":
            self.learn_after = None if args[0] == "never" else int(args[0]) / 1000.0
            if self.learn_after is None:
                self.reports = []
        elif name == "ir-code":
            code = int(args[0])
            if args[1] == "none":
                self.lengths.pop(code, None)
            else:
                self.put_code(code, bytes.fromhex(args[1]))
        elif name == "ir-code?":
            data = self.code_at(int(args[0]))
            return "ok " + (data.hex() if data else "none")
        elif name == "ir-room?":
            start = int(args[0]) * IR_CODE_ROOM + IR_FIRST_CODE
            return "ok " + self.memory[start:start + IR_CODE_ROOM].hex()
        elif name == "ir-read":
            if args[0] not in ("normal", "silent", "flood", "garbled", "empty", "unended"):
                raise ValueError("unknown ir-read " + args[0])
            self.read_mode = args[0]
        elif name == "ir-break-finishes":
            self.break_finishes = args[0] == "1"
        elif name == "ir-state?":
            return "ok channel=%s secure=%s mode=%s" % (self.channel, self.secure or "none", self.mode)
        else:
            return "error unknown command " + name
        return "ok"


def read_text(count):
    """count further bytes of a command as text."""
    text = ""
    for _ in range(count):
        text += chr((yield))
    return text


def start_learning(kb, kind):
    code = int((yield from read_text(2)), 16)
    kb.log("ir-%s:%02X" % (kind, code))
    kb.ir.start_learning(code)


@command("R")
def ir_record(kb):
    yield from start_learning(kb, "record")


@command("S")
def ir_record_special(kb):
    yield from start_learning(kb, "record-special")


@command("A")
def ir_distance(kb):
    kb.log("ir-distance")
    kb.ir.mode = "distance"
    return None
    yield


@command("Q")
def ir_break(kb):
    kb.log("ir-break")
    finishes = kb.ir.mode == "distance" and kb.ir.break_finishes
    kb.ir.mode = "idle"
    kb.ir.reports = []
    kb.reply(bytes([SYN, SYN, ord("Y")]))
    if finishes:
        kb.reply(bytes([SYN, SYN, ord("Y")]))
    return None
    yield


@command("I")
def ir_id_channel(kb):
    channel = chr((yield))
    if channel == "?":
        kb.log("ir-id?")
        kb.reply(bytes([SYN, SYN, ord("I"), ord(kb.ir.channel)]))
    else:
        kb.log("ir-id:" + channel)
        kb.ir.channel = channel
        kb.reply(bytes([SYN, SYN, ord("Y")]))


@command("D")
def ir_read_code(kb):
    code = int((yield from read_text(2)), 16)
    kb.log("ir-read:%02X" % code)
    mode = kb.ir.read_mode
    if mode == "silent":
        return None
    head = bytes([SYN, SYN, ord("D"), 0x30, 0x30])
    if mode == "flood":
        kb.reply(head)
        kb.flood = b"0123456789ABCDEF"
        return None
    data = kb.ir.code_at(code)
    text = "" if mode == "empty" or data is None else code_records(code, data)
    if mode == "garbled" and text:
        text = text[:9] + ("0" if text[9] != "0" else "1") + text[10:]
    if mode == "unended" and text:
        text = text[:text.rindex(":")]
    kb.reply(head + text.encode("ascii") + bytes([ETX]))


@command("U")
def ir_write_code(kb):
    text = bytearray()
    byte = yield
    while byte is not None and byte != ETX:
        text.append(byte)
        byte = yield
    records = parse_records(text.decode("latin-1"))
    if records is None or not records or not kb.ir.write_records(records):
        kb.log("ir-write:bad")
        kb.reply(bytes([SYN, SYN, ord("N")]))
        return None
    kb.log("ir-write:%d" % ((records[0][0] - IR_FIRST_CODE) // IR_CODE_ROOM))
    kb.reply(bytes([SYN, SYN, ord("Y")]))


@command("X")
def ir_secure(kb):
    kb.ir.secure = yield from read_text(4)
    kb.log("ir-secure:" + kb.ir.secure)
    kb.reply(bytes([SYN, SYN, ord("Y")]))


@command("T")
def ir_test(kb):
    kb.log("ir-test:" + (yield from read_text(5)))
    kb.reply(bytes([SYN, SYN, ord("Y")]))


class Keyboard:
    def __init__(self, prefix, version=DEFAULT_VERSION):
        self.default_version = version
        self.dosdevices = os.path.join(prefix, "dosdevices")
        self.master, self.slave = os.openpty()
        # Raw at once: the line discipline would otherwise echo and eat 0x04, 0x16 and line ends.
        tty.setraw(self.slave)
        os.set_blocking(self.master, False)
        self.pty = os.ttyname(self.slave)
        self.link = None
        self.reset()

    # --- the port link -------------------------------------------------------------------------
    def link_to(self, number):
        if not 1 <= number <= 9:
            raise ValueError("the port must be 1-9")
        target = os.path.join(self.dosdevices, "com%d" % number)
        if os.path.lexists(target) and not (os.path.islink(target) and os.readlink(target).startswith("/dev/pts/")):
            raise ValueError("%s is not a pseudo-terminal link; left alone" % target)
        self.unlink()
        temporary = target + ".keyboard-sim"
        if os.path.lexists(temporary):
            os.remove(temporary)
        os.symlink(self.pty, temporary)
        os.rename(temporary, target)
        self.link = target

    def unlink(self):
        if self.link and os.path.islink(self.link) and os.readlink(self.link) == self.pty:
            os.remove(self.link)
        self.link = None

    # --- state ---------------------------------------------------------------------------------
    def reset(self):
        self.settings = Settings(self.default_version)
        self.events = []
        self.image = None
        self.image_times = None
        self.load_status = STATUS_READY
        self.stopped = False
        self.outbox = []          # (due time, bytes)
        self.xon_at = None
        self.flood = None         # bytes sent again and again, as fast as the line goes
        self.received = bytearray()
        self.ir = Infrared()
        self.next_read = 0.0
        termios.tcflush(self.slave, termios.TCIOFLUSH)
        termios.tcflush(self.master, termios.TCIOFLUSH)
        # Output that an XOFF of ours holds up flows again (tcflow would only undo its own stop).
        if termios.tcgetattr(self.slave)[0] & termios.IXON:
            self.write(bytes([XON]))
        self.start_protocol()

    def start_protocol(self):
        self.protocol = protocol(self)
        self.deadline = None
        self.feed_result(next(self.protocol))

    def log(self, event):
        self.events.append(event)

    def ping_status(self):
        return self.settings.status if self.settings.status is not None else self.load_status

    # --- answers -------------------------------------------------------------------------------
    def reply(self, data):
        s = self.settings
        if s.silent:
            return
        if s.garbage == "noise":
            data = NOISE
        elif s.garbage == "syn":
            data = bytes([SYN])
        elif s.garbage == "syn-flood":
            self.flood = bytes([SYN]) * 16
            return
        self.outbox.append((time.monotonic() + s.late, data))

    def write(self, data):
        try:
            os.write(self.master, data)
        except BlockingIOError:
            pass  # the program's input is full: a real line would lose the bytes too

    # --- the set image -------------------------------------------------------------------------
    def image_started(self, count):
        self.image_times = [time.monotonic(), None]
        self.image_progress(count)

    def image_progress(self, count):
        s = self.settings
        if s.stop_after is not None and count >= s.stop_after:
            self.stopped = True
        if s.xoff_after is not None and count == s.xoff_after:
            self.write(bytes([XOFF]))
            if s.xoff_ms is not None:
                self.xon_at = time.monotonic() + s.xoff_ms / 1000.0

    def image_finished(self, body):
        self.image_times[1] = time.monotonic()
        self.image = bytes([SYN, SYN, SYN]) + bytes(body)
        sound = image_is_sound(body) and not self.settings.refuse_checksum
        self.load_status = STATUS_READY if sound else STATUS_LOAD_FAILED
        self.log("image-%s:%d" % ("ok" if sound else "bad", len(self.image)))

    # --- the byte stream -----------------------------------------------------------------------
    def feed(self, byte):
        self.feed_result(self.protocol.send(byte))

    def feed_result(self, wait):
        self.deadline = None if wait is None else time.monotonic() + wait

    def reading_allowed(self, now):
        return not self.stopped and now >= self.next_read

    def read_port(self, now):
        count = 4096
        baud = self.settings.read_baud
        if baud:
            byte_time = 11.0 / baud
            if self.next_read < now - 0.01:
                self.next_read = now  # the line was idle: no credit for the quiet time
            count = int((now - self.next_read) / byte_time) + 1
        try:
            data = os.read(self.master, count)
        except (BlockingIOError, OSError):
            return
        if baud:
            self.next_read += len(data) * byte_time
        for byte in data:
            if byte in (XON, XOFF):
                continue  # the program's flow control, never data of the protocol
            self.received.append(byte)
            self.feed(byte)
            if self.stopped:
                break

    def catch_up(self):
        """Takes what the program wrote before it asked, so an answer never misses its command."""
        now = time.monotonic()
        if self.reading_allowed(now):
            self.read_port(now)

    def due(self, now):
        if self.deadline is not None and now >= self.deadline:
            self.feed(None)
        while self.outbox and self.outbox[0][0] <= now:
            self.write(self.outbox.pop(0)[1])
        if self.xon_at is not None and now >= self.xon_at:
            self.xon_at = None
            self.write(bytes([XON]))
        if self.flood:
            self.write(self.flood)
        self.ir.due_reports(self, now)

    def wake_time(self, now):
        times = [t for t in (self.deadline, self.xon_at, self.ir.next_report()) if t is not None]
        if self.outbox:
            times.append(self.outbox[0][0])
        if self.flood:
            times.append(now + 16 * 11.0 / 19200)  # about the pace of a 19,200-baud line
        if self.settings.read_baud and not self.stopped and now < self.next_read:
            times.append(self.next_read + 0.002)
        return max(0.0, min(times) - now) if times else None

    def line_settings(self):
        """The port's settings as the program left them on the pseudo-terminal."""
        iflag, _, cflag, _, _, ospeed, _ = termios.tcgetattr(self.slave)
        speeds = {getattr(termios, n): n[1:] for n in dir(termios) if n[0] == "B" and n[1:].isdigit()}
        bits = {termios.CS5: "5", termios.CS6: "6", termios.CS7: "7", termios.CS8: "8"}[cflag & termios.CSIZE]
        parity = "N" if not cflag & termios.PARENB else ("O" if cflag & termios.PARODD else "E")
        words = [speeds.get(ospeed, "?"), bits + parity + ("2" if cflag & termios.CSTOPB else "1")]
        words += [name for name, flag in (("ixon", termios.IXON), ("ixoff", termios.IXOFF)) if iflag & flag]
        return " ".join(words)

    # --- control -------------------------------------------------------------------------------
    def control(self, line):
        words = line.split()
        if not words:
            return "error empty command"
        name, args = words[0], words[1:]
        s = self.settings
        try:
            if name == "link":
                self.link_to(int(args[0]))
            elif name == "unlink":
                self.unlink()
            elif name == "reset":
                self.reset()
            elif name == "version":
                s.version = None if args == ["none"] else " ".join(args)
            elif name == "status":
                s.status = int(args[0])
            elif name == "silent":
                s.silent = True
            elif name == "late":
                s.late = int(args[0]) / 1000.0
            elif name == "garbage":
                if args[0] not in ("noise", "syn", "syn-flood"):
                    raise ValueError("unknown garbage " + args[0])
                s.garbage = args[0]
            elif name == "refuse-checksum":
                s.refuse_checksum = True
            elif name == "stop-after":
                s.stop_after = int(args[0])
            elif name == "read-baud":
                s.read_baud = int(args[0])
            elif name == "xoff-after":
                s.xoff_after = int(args[0])
                s.xoff_ms = int(args[1]) if len(args) > 1 else None
            elif name == "log?":
                self.catch_up()
                return "ok " + " ".join(self.events)
            elif name == "image?":
                return "ok " + (self.image.hex() if self.image else "none")
            elif name == "line?":
                return "ok " + self.line_settings()
            elif name == "rx?":
                self.catch_up()
                return "ok " + (self.received.hex() or "none")
            elif name == "rx-forget":
                self.received.clear()
            elif name.startswith("ir-"):
                self.catch_up()
                return self.ir.control(self, name, args)
            elif name == "timing?":
                if not self.image_times or self.image_times[1] is None:
                    return "ok none"
                return "ok %.1f" % ((self.image_times[1] - self.image_times[0]) * 1000.0)
            else:
                return "error unknown command " + name
        except (IndexError, ValueError, OSError) as error:
            return "error %s" % error
        return "ok"


def serve(kb, ready_file):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(4)
    with open(ready_file + ".tmp", "w") as ready:
        ready.write("%d %s\n" % (listener.getsockname()[1], kb.pty))
    os.rename(ready_file + ".tmp", ready_file)

    parent = os.getppid()
    clients = {}
    while True:
        now = time.monotonic()
        kb.due(now)
        if os.getppid() != parent:
            return  # whoever started us is gone
        readers = [listener] + list(clients)
        if kb.reading_allowed(now):
            readers.append(kb.master)
        wait = kb.wake_time(now)
        ready, _, _ = select.select(readers, [], [], 1.0 if wait is None else min(wait, 1.0))
        for source in ready:
            if source is listener:
                client, _ = listener.accept()
                clients[client] = b""
            elif source is kb.master:
                kb.read_port(time.monotonic())
            else:
                data = source.recv(4096)
                if not data:
                    del clients[source]
                    source.close()
                    continue
                clients[source] += data
                while b"\n" in clients[source]:
                    line, clients[source] = clients[source].split(b"\n", 1)
                    answer = kb.control(line.decode("latin-1").strip())
                    source.sendall(answer.encode("latin-1") + b"\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__, epilog=CONTROL,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--prefix", required=True, help="the Wine prefix whose dosdevices get the link")
    parser.add_argument("--ready", required=True, help="file written once the keyboard listens")
    parser.add_argument("--link", type=int, help="the COM port to stand behind from the start")
    parser.add_argument("--version", default=DEFAULT_VERSION,
                        help="the answer to 'V' from the start and after a reset (default %(default)s, a PS/2 "
                             "keyboard; V8.0A is an AccessKvora keyboard)")
    options = parser.parse_args()

    kb = Keyboard(options.prefix, options.version)

    def stop(signum, frame):
        kb.unlink()
        sys.exit(0)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    try:
        if options.link:
            kb.link_to(options.link)
        serve(kb, options.ready)
    finally:
        kb.unlink()


if __name__ == "__main__":
    main()
