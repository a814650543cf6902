#!/usr/bin/env python3
"""A child's game in a real X server: a profile and a two-level exercise are
made, "quoli Anna" starts play at once, the falling words are typed with
xdotool (with a few wrong keys), the final screen and the top ten follow, the
name is confirmed and the program ends by itself. Then the results log and
the top-ten file are checked byte by byte."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

stage = sys.argv[1]
passed = failed = 0


def check(what, ok):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print("FAILED:", what)


def settings():
    b = bytearray(476)
    b[0] = 1  # record results
    b[1] = 1  # enter the top ten
    b[3] = 1
    b[4] = 1
    struct.pack_into("<iiiiiii", b, 8, 1, 1, 1, 20, 1, 2, 3)  # theme, kind, lanes, fall, spawn, case, lives
    struct.pack_into("<i", b, 40, 22)
    b[45:45 + 5] = b"Prova"
    struct.pack_into("<i", b, 304, 1)
    b[308:308 + 7] = b"comicbd"
    struct.pack_into("<iii", b, 428, 28, 0, 15)
    struct.pack_into("<iiiiiiii", b, 440, 0, 1, 1, 0, 1, 0, 10, 150)
    return bytes(b)


def free_display():
    for n in range(141, 190):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return f":{n}"
    raise SystemExit("no free display")


work = tempfile.mkdtemp()
game = os.path.join(work, "game")
shutil.copytree(stage, game)
for leftover in ("DATA", "txt", "config.ini"):  # a used folder: start as a school would
    path = os.path.join(game, leftover)
    shutil.rmtree(path, ignore_errors=True) if os.path.isdir(path) else (os.path.exists(path) and os.remove(path))
with open(os.path.join(game, "config.ini"), "wb") as f:
    f.write(b"[global]\r\nRESOLUTION=800x600\r\nFULLSCREEN=0\r\nAUDIO=0\r\n")
with open(os.path.join(game, "Esercizi", "Livelli", "Prova.LEV"), "wb") as f:
    f.write(b"\r\n\r\n2\r\nPrimo\r\nsole\r\nmare\r\n\r\n1\r\nSecondo\r\ncasa\r\n")
os.makedirs(os.path.join(game, "DATA"), exist_ok=True)
with open(os.path.join(game, "DATA", "USERS.ANA"), "wb") as f:
    f.write(b"ANA\x1a" + struct.pack("<i", 1) + b"Anna".ljust(24, b"\0") + struct.pack("<i", 1) + settings())

display = free_display()
env = dict(os.environ, DISPLAY=display)
xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    for _ in range(100):
        if subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode == 0:
            break
        time.sleep(0.1)
    program = subprocess.Popen(["./quoli", "Anna"], cwd=game, env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT)

    def key(*names):
        subprocess.run(["xdotool", "key"] + list(names), env=env)

    def typed(text):
        subprocess.run(["xdotool", "type", "--delay", "80", text], env=env)

    time.sleep(8)                      # the first level's title screen: 6 s
    for word in ["sole", "mare", "sole", "mare"]:
        typed(word)                    # whichever word falls first, both get hit
        time.sleep(1.5)
    time.sleep(8 + 7)                  # level done (8 s), then the second title (6 s)
    typed("xq")                        # a few wrong keys
    typed("casa")
    time.sleep(8 + 1 + 10 + 1.5)       # level done, completed, the final screen (10 s)
    key("Return")                      # the name already says "Anna": confirm it
    time.sleep(1)
    key("Return")                      # close the table
    try:
        status = program.wait(timeout=20)
    except subprocess.TimeoutExpired:
        program.kill()
        status = -1
    output = program.stdout.read().decode("latin-1", "replace")
    check(f"the program ends by itself with status 0 (got {status})", status == 0)
    if status != 0:
        print(output)
finally:
    xvfb.terminate()

# The results log: the events of one game, in order.
with open(os.path.join(game, "DATA", "USERS.DAT"), "rb") as f:
    log = f.read()
check("the log starts with its magic", log[:4] == b"DAT\x1a")
events = []
at = 4
while at + 12 <= len(log):
    user, kind, size = struct.unpack_from("<iii", log, at)
    events.append((user, kind, log[at + 12:at + 12 + size]))
    at += 12 + size
check("every event is the player's", all(e[0] == 1 for e in events))
kinds = [e[1] for e in events]
text = lambda e: e[2].rstrip(b"\0").decode("latin-1")
check(f"a game starts with date, time and settings (got {kinds[:3]})", kinds[:3] == [1, 2, 3])
check("the settings are recorded whole", events[2][2] == settings())
levels = [text(e) for e in events if e[1] == 4]
check(f"both levels are recorded (got {levels})", levels == ["Primo", "Secondo"])
hits = [text(e) for e in events if e[1] == 7]
check(f"three words hit, in capitals (got {hits})", sorted(hits) == ["CASA", "MARE", "SOLE"])
wrong = [text(e) for e in events if e[1] == 6]
check(f"the wrong keys are recorded apart (got {wrong})", "XQ" in wrong)
shown = [text(e) for e in events if e[1] == 5]
check(f"every word shown is recorded (got {shown})", "casa" in shown and "sole" in shown and "mare" in shown)
check(f"the game ends with completed, then closed (got {kinds[-2:]})", kinds[-2:] == [11, 8])
check("no life was lost", 9 not in kinds)

# The top ten: Anna first with 3 x 25 + 50 + 100 = 225, the name stored swapped.
with open(os.path.join(game, "DATA", "TOP10.DAT"), "rb") as f:
    top = f.read()
check(f"the top-ten file is 240 bytes (got {len(top)})", len(top) == 240)
swapped = bytes(((b << 4) | (b >> 4)) & 0xFF for b in b"Anna")
check("the first name is Anna, stored swapped", top[:4] == swapped and top[4:20] == bytes(16))
check(f"the first score is 225 (got {struct.unpack_from('<I', top, 20)[0]})", struct.unpack_from("<I", top, 20)[0] == 225)
check("the other rows are empty", top[24:] == bytes(216))

shutil.rmtree(work, ignore_errors=True)
print(f"{passed} passed, {failed} failed")
sys.exit(0 if failed == 0 else 1)
