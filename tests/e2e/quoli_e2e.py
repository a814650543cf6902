"""Shared by the Python end-to-end tests and the play benchmark: a tally of
checks, a fresh copy of the program folder, a profile, and a private X
server with real key presses."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time


class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def __call__(self, what, ok):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print("FAILED:", what)

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


def write_exercise(game, name, text):
    with open(os.path.join(game, "Esercizi", "Livelli", name), "wb") as f:
        f.write(text)


def profile_settings(exercise, lanes=1, fall=20, record=True, top_ten=True, infinite_lives=False, theme=1, kind=1):
    """The 476-byte game settings of a profile: whole words unless told."""
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
    struct.pack_into("<iiiiiiii", b, 440, 0, 1, 1, 0, 1, 0, 10, 150)
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


def read_events(game):
    """The results log as (user, kind, data) records."""
    with open(os.path.join(game, "DATA", "USERS.DAT"), "rb") as f:
        log = f.read()
    events = []
    at = 4
    while at + 12 <= len(log):
        user, kind, size = struct.unpack_from("<iii", log, at)
        events.append((user, kind, log[at + 12:at + 12 + size]))
        at += 12 + size
    return log[:4], events


def write_profile(game, name, settings):
    os.makedirs(os.path.join(game, "DATA"), exist_ok=True)
    with open(os.path.join(game, "DATA", "USERS.ANA"), "wb") as f:
        f.write(b"ANA\x1a" + struct.pack("<i", 1) + name.ljust(24, b"\0") + struct.pack("<i", 1) + settings)


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


class XServer:
    """A private Xvfb on the first free display from `first` on (servers
    started at the same time need different ranges)."""

    def __init__(self, first=141):
        self.display = next(f":{n}" for n in range(first, first + 100)
                            if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"))
        self.env = dict(os.environ, DISPLAY=self.display)
        self.process = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                                         "-noreset"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if subprocess.run(["xdpyinfo"], env=self.env, capture_output=True).returncode == 0:
                break
            time.sleep(0.1)

    def key(self, *names, pause=0.0):
        if pause:
            for name in names:
                subprocess.run(["xdotool", "key", name], env=self.env)
                time.sleep(pause)
        else:
            subprocess.run(["xdotool", "key"] + list(names), env=self.env)

    def click(self, x, y):
        """A left click at (x, y). The pointer gets there in two moves: the
        program swallows the motion its own pointer warps cause."""
        for dx in (-12, 0):
            subprocess.run(["xdotool", "mousemove", str(x + dx), str(y + dx)], env=self.env)
            time.sleep(0.25)
        subprocess.run(["xdotool", "click", "1"], env=self.env)

    def typed(self, text):
        subprocess.run(["xdotool", "type", "--delay", "80", text], env=self.env)

    def screenshot(self, path, size="800x600"):
        """The program's window (it opens at the top left of the screen) as PNG."""
        subprocess.run(["import", "-window", "root", "-crop", size + "+0+0", path], env=self.env)

    def stop(self):
        self.process.terminate()
        self.process.wait()
