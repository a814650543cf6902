"""Shared by the Python end-to-end tests and the play benchmark: a tally of
checks, a fresh copy of the program folder, a profile, and a private X
server with real key presses."""

import os
import select
import shlex
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time


class WaitTimeout(AssertionError):
    """A bounded wait ran out: what was waited for never came."""


def wait_until(predicate, seconds, what, interval=0.02):
    """The first true value of `predicate()`, polled every `interval`
    seconds; a WaitTimeout naming `what` once `seconds` have gone by."""
    end = time.monotonic() + seconds
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= end:
            raise WaitTimeout(f"gave up after {seconds} s waiting for {what}")
        time.sleep(interval)


class Checks:
    """The tally; parts of a test running side by side may share it."""

    def __init__(self):
        self.passed = self.failed = 0
        self.lock = threading.Lock()

    def __call__(self, what, ok):
        with self.lock:
            if ok:
                self.passed += 1
            else:
                self.failed += 1
                print("FAILED:", what, flush=True)

    def finish(self):
        print(f"{self.passed} passed, {self.failed} failed")
        sys.exit(0 if self.failed == 0 else 1)


def fresh_program_folder(stage, resolution="800x600"):
    """Copies the staged program without what a used folder collects, as a
    school would start it, windowed and silent. Returns (work, game)."""
    work = tempfile.mkdtemp()
    game = os.path.join(work, "game")
    shutil.copytree(stage, game)
    for leftover in ("DATA", "txt", "config.ini"):
        path = os.path.join(game, leftover)
        if os.path.isdir(path):
            shutil.rmtree(path, ignore_errors=True)
        elif os.path.exists(path):
            os.remove(path)
    with open(os.path.join(game, "config.ini"), "wb") as f:
        f.write(b"[global]\r\nRESOLUTION=" + resolution.encode() + b"\r\nFULLSCREEN=0\r\nAUDIO=0\r\n")
    return work, game


def check_library(check, program):
    """On the compatibility layer's runs (QUOLI_E2E_LIBRARY=compat), that
    the program does run on it: its SDL 1.2 is the layer, over SDL 2."""
    if os.environ.get("QUOLI_E2E_LIBRARY") != "compat":
        return
    def loaded():
        maps = open(f"/proc/{program.pid}/maps").read()
        return maps if "libSDL-1.2" in maps and "libSDL2" in maps else None
    maps = wait_until(loaded, 20, "the program to load its SDL")
    check("the program runs on the layer over SDL 2", "sdl12-compat/libSDL-1.2" in maps)


def write_exercise(game, name, text):
    with open(os.path.join(game, "Esercizi", "Livelli", name), "wb") as f:
        f.write(text)


def profile_settings(exercise, lanes=1, fall=20, record=True, top_ten=True, infinite_lives=False, theme=1, kind=1,
                     switches=0, scan_tenths=10):
    """The 476-byte game settings of a profile: whole words unless told;
    `switches` 1 or 2 turns on the keyboard as a switch device."""
    b = bytearray(476)
    b[0] = 1 if record else 0
    b[1] = 1 if top_ten else 0
    b[3] = b[4] = 1
    struct.pack_into("<iiiiiii", b, 8, theme, kind, lanes, fall, 1, 2, 3)  # theme, kind, lanes, fall, spawn, case, lives
    b[36] = 1 if infinite_lives else 0
    struct.pack_into("<i", b, 40, 22)
    b[45:45 + len(exercise)] = exercise
    struct.pack_into("<i", b, 304, 1)
    b[308:308 + 7] = b"comicbd"
    struct.pack_into("<iii", b, 428, 28, 0, 15)
    struct.pack_into("<iiiiiiii", b, 440, 1 if switches else 0, 1, max(switches, 1), 0, 1, 0, scan_tenths, 150)
    return bytes(b)


def wait_for_end(program, timeout, on_timeout=None):
    """The program's exit status (-1 when it had to be killed) and output."""
    try:
        status = program.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        if on_timeout:
            on_timeout()
        program.kill()
        program.wait()
        status = -1
    return status, program.stdout.read().decode("latin-1", "replace")


def confirm_top_ten_and_end(x, program, check, game):
    """Enter keeps the name the top ten offers, Enter closes the table; the
    program, started for one game, then ends by itself with status 0."""
    confirm_top_ten(x, game)
    status, output = wait_for_end(program, 20)
    check(f"the program ends by itself with status 0 (got {status})", status == 0)
    if status != 0:
        print(output)


def read_events(game, whole_only=False):
    """The results log as (user, kind, data) records; with `whole_only`, a
    last record the program is still writing is left out."""
    with open(os.path.join(game, "DATA", "USERS.DAT"), "rb") as f:
        log = f.read()
    events = []
    at = 4
    while at + 12 <= len(log):
        user, kind, size = struct.unpack_from("<iii", log, at)
        if whole_only and at + 12 + size > len(log):
            break
        events.append((user, kind, log[at + 12:at + 12 + size]))
        at += 12 + size
    return log[:4], events


def logged_texts(game, kind):
    """The texts of the results log's events of one kind, in order."""
    if not os.path.exists(os.path.join(game, "DATA", "USERS.DAT")):
        return []
    return [e[2].rstrip(b"\0").decode("latin-1") for e in read_events(game, whole_only=True)[1] if e[1] == kind]


def wait_logged(game, kind, count, seconds):
    """logged_texts() once there are `count` of them, or after `seconds`."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        texts = logged_texts(game, kind)
        if len(texts) >= count:
            return texts
        time.sleep(0.02)
    return logged_texts(game, kind)


def must_log(game, kind, count, seconds, what):
    """The texts of the log's events of `kind` once there are `count`; a
    WaitTimeout naming `what` if they do not come within `seconds`."""
    return wait_until(lambda: (lambda t: t if len(t) >= count else None)(logged_texts(game, kind)), seconds, what)


def write_profile(game, name, settings):
    write_profiles(game, [(name, settings)])


def write_profiles(game, profiles):
    """The profile registry: (name, settings) pairs, ids 1, 2, ..."""
    os.makedirs(os.path.join(game, "DATA"), exist_ok=True)
    with open(os.path.join(game, "DATA", "USERS.ANA"), "wb") as f:
        f.write(b"ANA\x1a" + struct.pack("<i", len(profiles)))
        for number, (name, settings) in enumerate(profiles, 1):
            f.write(name.ljust(24, b"\0") + struct.pack("<i", number) + settings)


def write_last_user(game, name, settings):
    """The last-user file: the name the main menu starts with, and its settings."""
    os.makedirs(os.path.join(game, "DATA"), exist_ok=True)
    with open(os.path.join(game, "DATA", "ULTIMO.DAT"), "wb") as f:
        f.write(name.ljust(20, b"\0") + struct.pack("<I", 476) + settings)


def colour_box(png, rgb):
    """The smallest rectangle (left, top, right, bottom) holding every pixel of
    exactly that colour in a PNG screenshot, or None."""
    ppm = subprocess.run(["convert", png, "ppm:-"], capture_output=True).stdout
    fields = ppm.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    pixels = fields[4]
    target = bytes(rgb)
    box = None
    for y in range(height):
        row = pixels[y * width * 3:(y + 1) * width * 3]
        at = row.find(target)
        while at >= 0 and at % 3:
            at = row.find(target, at + 1)
        if at < 0:
            continue
        last = row.rfind(target)
        while last >= 0 and last % 3:
            last = row.rfind(target, 0, last)
        x0, x1 = at // 3, last // 3
        box = (x0, y, x1, y) if box is None else (min(box[0], x0), box[1], max(box[2], x1), y)
    return box


def sixteen_bits(rgb):
    """A colour as the program's 16-bit (RGB565) screen holds it. Classic
    SDL 1.2 shows such a colour with its low bits zero (31 -> 248); the
    layer over SDL 2 widens it to nearly the whole range (31 -> 255): what
    the child sees is the same, and the checks compare at 16 bits."""
    return (rgb[0] & 0xF8, rgb[1] & 0xFC, rgb[2] & 0xF8)


class Framebuffer:
    """The screen of an Xvfb started with -fbdir: an XWD image the server
    keeps up to date, read a row at a time as (r, g, b) triples, far faster
    than a screenshot (for following what moves on the screen). Rows and
    columns count from `origin`, the top left of the program's window."""

    def __init__(self, path):
        self.path = path
        self.origin = (0, 0)
        with open(path, "rb") as f:
            head = f.read(100)
        order = ">" if struct.unpack_from(">I", head, 0)[0] < 4096 else "<"
        fields = struct.unpack_from(order + "25I", head, 0)
        header_size, byte_order, bits, self.stride, ncolours = fields[0], fields[7], fields[11], fields[12], fields[19]
        self.width, self.height = fields[4], fields[5]
        if bits not in (16, 32):
            raise ValueError("a 16- or 32-bit framebuffer is expected")
        self.bytes = bits // 8
        self.offset = header_size + 12 * ncolours
        self.lsb = byte_order == 0

    def raw(self, top, bottom):
        """The bytes of rows top..bottom-1 (whole rows of the screen, from
        the window's first column on), to tell when they change."""
        with open(self.path, "rb") as f:
            f.seek(self.offset + (top + self.origin[1]) * self.stride + self.bytes * self.origin[0])
            return f.read((bottom - top) * self.stride)

    def row(self, y, width=None):
        if self.bytes != 4:
            raise ValueError("rows are read from a 24-bit screen")
        with open(self.path, "rb") as f:
            f.seek(self.offset + (y + self.origin[1]) * self.stride + 4 * self.origin[0])
            data = f.read(4 * (width or self.width - self.origin[0]))
        if self.lsb:
            return [sixteen_bits((data[i + 2], data[i + 1], data[i])) for i in range(0, len(data), 4)]
        return [sixteen_bits((data[i + 1], data[i + 2], data[i + 3])) for i in range(0, len(data), 4)]


def read_strip(fb, width, height):
    """(cells, lit) as the letter strip of a switch player shows them now, or
    None: the strip is the black band at the bottom of the window; on a row
    near the top of its small cells each cell begins, after black, with its
    frame colour (red when lit)."""
    black, cell_frame, lit_frame = (0, 0, 0), (0xB8, 0xBC, 0xB8), (0xF8, 0, 0)
    top = height - 1
    while top > height // 2 and fb.row(top, width)[10] == black:
        top -= 1
    band = height - 1 - top
    if band < 20:
        return None
    row = fb.row(top + 1 + band // 4 + 4, width)
    cells, lit = 0, None
    for x in range(20, width - 20):
        if row[x - 1] == black and row[x] in (cell_frame, lit_frame):
            if row[x] == lit_frame:
                lit = cells
            cells += 1
    return (cells, lit) if lit is not None else None


def wait_strip(fb, width, height, test, seconds):
    """Polls the strip until `test(cells, lit)` holds; the last reading."""
    end = time.time() + seconds
    seen = None
    while time.time() < end:
        seen = read_strip(fb, width, height)
        if seen and test(*seen):
            return seen
        time.sleep(0.02)
    return seen


def strip_letters(word):
    """The strip's cells while only `word` falls: its letters, then cancel."""
    return sorted(set(word.upper())) + [None]


def type_on_strip(x, fb, width, height, word, pace=0.0):
    """A child with two switches types `word`: for each letter, Space until
    its cell is lit (each press once the one before has moved the light),
    then Enter; with `pace`, that many seconds more after each press, as a
    slower child."""
    cells = strip_letters(word)
    for letter in word.upper():
        for _ in range(len(cells) + 1):
            seen = read_strip(fb, width, height)
            if seen and seen[1] == cells.index(letter):
                break
            x.key("space")
            wait_strip(fb, width, height, lambda c, lit, before=seen: (c, lit) != before, 2)
            if pace:
                time.sleep(pace)
        x.key("Return")
        if pace:
            time.sleep(pace)


def strip_presses(word):
    """How many presses (steps and selections) `word` takes on the strip,
    letter by letter, the highlight starting on the first cell."""
    cells = strip_letters(word)
    at, presses = 0, []
    for letter in word.upper():
        wanted = cells.index(letter)
        presses.append((wanted - at) % len(cells) + 1)
        at = wanted
    return presses


# Colours that tell the program's screens apart.
FRAME_BLUE = (0, 4, 248)        # the frame of a level's title, the bonus title and the final screen
TOP_TEN_ORANGE = (248, 160, 0)  # behind the top ten
FOCUS_YELLOW = (248, 252, 0)    # the frame of the focused control
SCAN_RED = (248, 0, 0)          # the frame of the control a switch user's scan is on


class Screen:
    """One reading of an X server's screen, the `height` rows of the
    program's window: what it showed at that moment."""

    def __init__(self, fb, height):
        self.fb = fb
        self.height = height
        self.data = fb.raw(0, height)
        self.masked = None

    def __eq__(self, other):
        return isinstance(other, Screen) and self.data == other.data

    def blank(self):
        """Nothing on the screen but, perhaps, the server's own pointer."""
        return len(self.data) - self.data.count(0) < 4096

    def pixel(self, x, y):
        """The colour at (x, y), as the 16-bit screen holds it."""
        at = y * self.fb.stride + 4 * x
        p = self.data[at:at + 4]
        return sixteen_bits((p[2], p[1], p[0]) if self.fb.lsb else (p[1], p[2], p[3]))

    def sixteen_bit_data(self):
        """The pixels as the 16-bit screen holds them (made once, when asked)."""
        if self.masked is None:
            mask = (b"\xf8\xfc\xf8\x00" if self.fb.lsb else b"\x00\xf8\xfc\xf8") * (len(self.data) // 4 + 1)
            mask = mask[:len(self.data)]
            self.masked = (int.from_bytes(self.data, "little") & int.from_bytes(mask, "little")).to_bytes(
                len(self.data), "little")
        return self.masked

    def colour_box(self, rgb, width):
        """The smallest rectangle (left, top, right, bottom) of the leftmost
        `width` columns holding every pixel of exactly that 16-bit colour
        (as either library shows it), or None."""
        rgb = sixteen_bits(rgb)
        target, lane = (bytes(reversed(rgb)), 0) if self.fb.lsb else (bytes(rgb), 1)
        data = self.sixteen_bit_data()
        box = None
        for y in range(self.height):
            row = data[y * self.fb.stride:y * self.fb.stride + 4 * width]
            at = row.find(target)
            while at >= 0 and at % 4 != lane:
                at = row.find(target, at + 1)
            if at < 0:
                continue
            last = row.rfind(target)
            while last >= 0 and last % 4 != lane:
                last = row.rfind(target, 0, last + 2)
            x0, x1 = at // 4, last // 4
            box = (x0, y, x1, y) if box is None else (min(box[0], x0), box[1], max(box[2], x1), y)
        return box

    def differing(self, other, width, limit):
        """How many of the leftmost `width` columns' pixels differ from
        `other`'s, counted up to `limit`."""
        count, stride = 0, self.fb.stride
        for y in range(min(self.height, other.height)):
            a = self.data[y * stride:y * stride + 4 * width]
            b = other.data[y * stride:y * stride + 4 * width]
            if a == b:
                continue
            for x in range(0, 4 * width, 4):
                if a[x:x + 3] != b[x:x + 3]:
                    count += 1
                    if count >= limit:
                        return count
        return count


class XServer:
    """A private Xvfb on a display it picks itself (-displayfd: servers
    started at the same time never race for one). Its screen is kept in a
    file (-fbdir), read for what the program shows far faster than a
    screenshot. `window` is the size of the program's window, found where
    the library opens it (classic SDL 1.2 at the top left, SDL 2 in the
    middle of the screen); `screen_size` the server's; `first` and
    `framebuffer` are no longer needed and are ignored."""

    def __init__(self, first=None, framebuffer=True, depth=24, window="800x600", screen_size="1024x768"):
        self.window = tuple(int(n) for n in window.split("x"))
        self.placed = False
        self.fbdir = tempfile.mkdtemp()
        ready, told = os.pipe()
        self.process = subprocess.Popen(["Xvfb", "-displayfd", str(told), "-screen", "0", f"{screen_size}x{depth}",
                                         "-nolisten", "tcp", "-noreset", "-fbdir", self.fbdir],
                                        pass_fds=(told,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(told)
        number = b""
        end = time.monotonic() + 30
        while not number.endswith(b"\n") and time.monotonic() < end:
            if select.select([ready], [], [], max(0.0, end - time.monotonic()))[0]:
                chunk = os.read(ready, 16)
                if not chunk:
                    break
                number += chunk
        os.close(ready)
        if not number.strip().isdigit():
            self.process.kill()
            raise WaitTimeout("Xvfb did not start (it told no display number)")
        self.display = ":" + number.strip().decode()
        # Options the caller gives come last, and win (the layer over SDL 2
        # leaks in ways its frames do not tell: its runs turn leak checks off).
        lsan = "suppressions=" + os.path.join(os.path.dirname(os.path.abspath(__file__)), "lsan.supp")
        if os.environ.get("LSAN_OPTIONS"):
            lsan += ":" + os.environ["LSAN_OPTIONS"]
        self.env = dict(os.environ, DISPLAY=self.display, LSAN_OPTIONS=lsan)
        self.framebuffer = Framebuffer(os.path.join(self.fbdir, "Xvfb_screen0"))

    def find_window(self):
        """Where the program's window is: the top left of the mapped window
        of its size, looked for until found (the screen is read from there)."""
        if self.placed:
            return self.framebuffer.origin
        tree = subprocess.run(["xwininfo", "-root", "-tree"], env=self.env, capture_output=True, text=True).stdout
        size = "{}x{}+".format(*self.window)
        for line in tree.splitlines():
            fields = line.split()
            geometry = next((f for f in fields if f.startswith(size)), None)
            if geometry and len(fields) >= 2 and fields[-1].startswith("+"):
                x, y = (int(n) for n in fields[-1][1:].split("+"))
                self.framebuffer.origin = (x, y)
                self.placed = True
                break
        return self.framebuffer.origin

    def at(self, x, y):
        """A place of the window as the screen's."""
        ox, oy = self.find_window()
        return x + ox, y + oy

    def key(self, *names, pause=0.0):
        if pause:
            for name in names:
                subprocess.run(["xdotool", "key", name], env=self.env)
                time.sleep(pause)
        else:
            subprocess.run(["xdotool", "key"] + list(names), env=self.env)

    def click(self, x, y):
        """A left click at (x, y). The pointer gets there in two moves: the
        program swallows the motion its own pointer warps cause, so the
        second move is the one it follows; the click comes once the program
        has drawn a move of its pointer (the click carries its own place)."""
        sx, sy = self.at(x, y)
        subprocess.run(["xdotool", "mousemove", str(sx - 12), str(sy - 12)], env=self.env)
        before = self.screen()
        subprocess.run(["xdotool", "mousemove", str(sx), str(sy)], env=self.env)
        self.wait_change(before, 5, f"the pointer drawn at ({x}, {y})")
        subprocess.run(["xdotool", "click", "1"], env=self.env)

    def typed(self, text):
        subprocess.run(["xdotool", "type", "--delay", "80", text], env=self.env)

    def screenshot(self, path, size=None):
        """The program's window as PNG (`size` of it from its top left)."""
        ox, oy = self.find_window()
        size = size or "{}x{}".format(*self.window)
        subprocess.run(["convert", "xwd:" + self.framebuffer.path, "-crop", f"{size}+{ox}+{oy}", "+repage", path],
                       env=self.env)

    def hold(self, name, down):
        subprocess.run(["xdotool", "keydown" if down else "keyup", name], env=self.env)

    # What the screen shows, and waiting for it.

    def screen(self):
        self.find_window()
        return Screen(self.framebuffer, self.window[1])

    def colour_box(self, rgb):
        """colour_box() of the window as it is now."""
        return self.screen().colour_box(rgb, self.window[0])

    def wait_screen(self, test, seconds, what):
        """The first screen for which `test(screen)` holds; on a time-out the
        screen is kept as a PNG for a look and a WaitTimeout names `what`."""
        try:
            return wait_until(lambda: (lambda s: s if test(s) else None)(self.screen()), seconds, what)
        except WaitTimeout as e:
            path = os.path.join(tempfile.gettempdir(), f"quoli-e2e-timeout-{os.getpid()}.png")
            self.screenshot(path, "{}x{}".format(*self.window))
            raise WaitTimeout(f"{e} (the screen is in {path})") from None

    def poll_screen(self, test, seconds):
        """The first screen for which `test(screen)` holds, or None after
        `seconds` (for a check to tell)."""
        try:
            return wait_until(lambda: (lambda s: s if test(s) else None)(self.screen()), seconds, "")
        except WaitTimeout:
            return None

    def settled(self, quiet=0.06, seconds=3.0):
        """The screen once it has stayed the same for `quiet` seconds (or
        the last reading after `seconds`: a screen that moves on its own)."""
        end = time.monotonic() + seconds
        last = self.screen()
        while time.monotonic() < end:
            time.sleep(quiet)
            now = self.screen()
            if now == last:
                return now
            last = now
        return last

    def wait_change(self, before, seconds, what):
        """The screen once it differs from `before` and has settled."""
        self.wait_screen(lambda s: s != before, seconds, what)
        return self.settled()

    def wait_drawn(self, seconds=30, what="the program's first picture"):
        """The first screen on which the program has drawn something."""
        return self.wait_screen(lambda s: not s.blank(), seconds, what)

    def press(self, *names, seconds=10):
        """Each key in turn, once the program has shown what the one before
        did: a key in the menus always changes something on the screen."""
        for name in names:
            before = self.screen()
            self.key(name)
            self.wait_change(before, seconds, f"the screen to change after {name}")

    def enter(self, text, seconds=10):
        """Types `text` and waits until the program has shown it."""
        before = self.screen()
        self.typed(text)
        self.wait_change(before, seconds, f"{text!r} to show")

    def stop(self):
        self.process.terminate()
        self.process.wait()
        shutil.rmtree(self.fbdir, ignore_errors=True)


def top_ten_name_asked(screen, width):
    """The top ten asks for the name: its orange background, and the
    focused name line, framed in the focus colour (or the red of a switch
    user's scan), a frame far wider than the table's OK button."""
    if screen.pixel(2, 2) != TOP_TEN_ORANGE:
        return False
    for mark in (FOCUS_YELLOW, SCAN_RED):
        box = screen.colour_box(mark, width)
        if box is not None and box[2] - box[0] > width // 3:
            return True
    return False


def framed(screen):
    """A level's title, the bonus title or the final screen is showing."""
    return screen.pixel(1, 1) == FRAME_BLUE


def confirm_top_ten(x, game):
    """The top ten asks for the name after the final screen: Enter keeps
    the name it offers (the table is saved), Enter closes the table."""
    x.wait_screen(lambda s: top_ten_name_asked(s, x.window[0]), 30, "the top ten to ask for the name")
    top_ten = os.path.join(game, "DATA", "TOP10.DAT")
    before = open(top_ten, "rb").read() if os.path.exists(top_ten) else None
    x.key("Return")
    wait_until(lambda: os.path.exists(top_ten) and open(top_ten, "rb").read() != before, 10,
               "the top ten to be saved with the new entry")
    x.key("Return")


def wait_for(path, seconds=10):
    """Whether `path` comes within `seconds` (a printed job's file is moved
    into place whole)."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if os.path.exists(path) and os.path.getsize(path) > 0:
            return True
        time.sleep(0.02)
    return False


class PrivateCups:
    """cupsd with its own configuration, spool and socket; its one queue,
    the default, hands every job to a backend that keeps it in a file."""

    def __init__(self, root):
        self.root = root
        self.out = os.path.join(root, "out")
        for sub in ("etc", "state", "cache", "spool", "tmp", "log", "bin/backend"):
            os.makedirs(os.path.join(root, sub))
        os.makedirs(self.out)
        os.chmod(self.out, 0o777)
        for entry in os.listdir("/usr/lib/cups"):
            if entry != "backend":
                os.symlink(os.path.join("/usr/lib/cups", entry), os.path.join(root, "bin", entry))
        backend = os.path.join(root, "bin/backend/keep")
        with open(backend, "w") as f:
            f.write(f"""#!/bin/sh
[ $# -eq 0 ] && {{ echo 'direct keep "Unknown" "Keep"'; exit 0; }}
umask 022
printf '%s' "$3" > {self.out}/job-$1.title
if [ -n "$6" ]; then cat "$6"; else cat; fi > {self.out}/job-$1.tmp
mv {self.out}/job-$1.tmp {self.out}/job-$1.out
""")
        os.chmod(backend, 0o755)
        self.socket = os.path.join(root, "cups.sock")
        with open(os.path.join(root, "etc/cupsd.conf"), "w") as f:
            f.write(f"Listen {self.socket}\nLogLevel warn\nWebInterface No\n"
                    "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
        with open(os.path.join(root, "etc/cups-files.conf"), "w") as f:
            for key, sub in (("ServerRoot", "etc"), ("ServerBin", "bin"), ("StateDir", "state"), ("CacheDir", "cache"),
                             ("RequestRoot", "spool"), ("TempDir", "tmp")):
                f.write(f"{key} {os.path.join(root, sub)}\n")
            for key in ("AccessLog", "ErrorLog", "PageLog"):
                f.write(f"{key} {os.path.join(root, 'log', key)}\n")
        os.chmod(root, 0o755)
        self.process = subprocess.Popen(["cupsd", "-f", "-c", os.path.join(root, "etc/cupsd.conf"),
                                         "-s", os.path.join(root, "etc/cups-files.conf")])
        wait_until(lambda: os.path.exists(self.socket), 20, "cupsd's socket")
        subprocess.run(["lpadmin", "-h", self.socket, "-p", "aula", "-E", "-v", "keep:/", "-m", "raw"],
                       capture_output=True)
        subprocess.run(["lpadmin", "-h", self.socket, "-d", "aula"], capture_output=True)

    def job(self, number):
        path = os.path.join(self.out, f"job-{number}.out")
        if not wait_for(path):
            return None, None
        return open(path, "rb").read(), open(os.path.join(self.out, f"job-{number}.title"), "rb").read()

    def stop(self):
        self.process.terminate()
        self.process.wait()


def unquote_exec(value):
    """The arguments of an Exec line as a desktop reads them: the string
    escapes first, then the quoting, then %% as %."""
    text = value.replace("\\\\", "\x00").replace("\\s", " ").replace("\\n", "\n").replace("\\t", "\t")
    text = text.replace("\\r", "\r").replace("\x00", "\\")
    return [a.replace("%%", "%") for a in shlex.split(text, posix=True)]
