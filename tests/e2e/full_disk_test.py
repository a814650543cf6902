#!/usr/bin/env python3
"""A full disk: the pupil's data folder lives on a small tmpfs filled to the
last byte. A game is played: the registry, the top ten and every result
stored before stay byte for byte, nothing crashes; once space is freed the
next game's results are found after the old ones."""

import os
import shutil
import subprocess
import sys

from quoli_e2e import (Checks, XServer, confirm_top_ten_and_end, framed, fresh_program_folder, must_log, profile_settings,
                       top_ten_name_asked, wait_for_end, write_profile)

NOBODY = 65534

stage = sys.argv[1]
check = Checks()
work, game = fresh_program_folder(stage)
os.chmod(work, 0o755)
home = os.path.join(work, "home")
os.makedirs(home)
if subprocess.run(["mount", "-t", "tmpfs", "-o", f"size=2m,uid={NOBODY},gid={NOBODY}", "tmpfs", home]).returncode != 0:
    print("SKIPPED: a tmpfs cannot be mounted here (the test needs root and a kernel that allows it)")
    sys.exit(0)
data = os.path.join(home, "velmoran", "QUOLI")
os.makedirs(os.path.join(data, "Esercizi", "Livelli"))
with open(os.path.join(data, "Esercizi", "Livelli", "Prova.LEV"), "wb") as f:
    f.write(b"\r\n\r\n1\r\nUno\r\nsole\r\n")
open(os.path.join(data, "Esercizi", ".esempi"), "wb").close()  # no samples: they would fill the disk
write_profile(data, b"Anna", profile_settings(b"Prova"))
# One level record filling the log's 4 KiB page: the next append needs a new one.
title = b"U" * (4096 - 4 - 12 - 1) + b"\0"
old_log = b"DAT\x1a" + (1).to_bytes(4, "little") + (4).to_bytes(4, "little") + len(title).to_bytes(4, "little") + title
with open(os.path.join(data, "DATA", "USERS.DAT"), "wb") as f:
    f.write(old_log)
top_ten = bytes(((b << 4) | (b >> 4)) & 0xFF for b in b"Bea".ljust(20, b"\0")) + (700).to_bytes(4, "little")
with open(os.path.join(data, "DATA", "TOP10.DAT"), "wb") as f:
    f.write(top_ten + bytes(216))
for root, dirs, files in os.walk(home):
    for name in dirs + files + [""]:
        os.chown(os.path.join(root, name), NOBODY, NOBODY)
for root, dirs, files in os.walk(game):
    os.chmod(root, 0o555)


def read(name):
    with open(os.path.join(data, "DATA", name), "rb") as f:
        return f.read()


def play(x):
    """"quoli Anna": "sole" is typed once it falls, after the level's title
    (nothing may be in the log to tell: the screen does)."""
    env = dict(x.env, HOME=home, XDG_DATA_HOME=home, LSAN_OPTIONS="detect_leaks=0")
    program = subprocess.Popen(["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", "./quoli", "Anna"],
                               cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    x.wait_screen(framed, 30, "the level's title")
    x.wait_screen(lambda s: not framed(s), 30, "the level's title to give way to play")
    x.typed("sole")
    return program


registry, filler = read("USERS.ANA"), os.path.join(home, "filler")
# The last byte of the disk taken: every write from here fails.
subprocess.run(["dd", "if=/dev/zero", f"of={filler}", "bs=4k"], capture_output=True)
subprocess.run(["dd", "if=/dev/zero", f"of={filler}2", "bs=1"], capture_output=True)
x = XServer()
subprocess.run(["xhost", "+SI:localuser:nobody"], env=x.env, capture_output=True)
try:
    program = play(x)
    x.wait_screen(framed, 30, "the final screen, after the level done")
    x.wait_screen(lambda s: not framed(s), 30, "the message after the final screen")
    x.settled()
    x.screenshot(os.path.join(work, "lost.png"))
    x.key("Return")                    # the message: the results could not all be saved
    x.wait_screen(lambda s: top_ten_name_asked(s, x.window[0]), 10, "the top ten to ask for the name")
    x.press("Return")                  # the name
    x.screenshot(os.path.join(work, "top-ten-lost.png"))
    x.press("Return")                  # the message: the top ten could not be saved
    x.key("Return")                    # the table
    status, output = wait_for_end(program, 20)
    check(f"the first game ends by itself with status 0 (got {status})", status == 0)
    check("the registry is kept byte for byte", read("USERS.ANA") == registry)
    check("the top ten is kept byte for byte", read("TOP10.DAT")[:24] == top_ten)
    check("the results stored before are all there", read("USERS.DAT")[:len(old_log)] == old_log)
    leftovers = [n for n in os.listdir(os.path.join(data, "DATA")) if n.startswith(".")]
    check(f"no temporary file is left (got {leftovers})", not leftovers)
    os.remove(filler)
    os.remove(filler + "2")
    program = play(x)
    must_log(data, 11, 1, 30, "the second game to be completed")
    confirm_top_ten_and_end(x, program, check, data)
finally:
    x.stop()

log = read("USERS.DAT")
at, kinds = 4, []
while at + 12 <= len(log):
    size = int.from_bytes(log[at + 8:at + 12], "little")
    kinds.append(int.from_bytes(log[at + 4:at + 8], "little"))
    at += 12 + size
check(f"the log walks whole to its end ({at} of {len(log)} bytes)", at == len(log))
check(f"the next game's results follow the old ones (kinds {kinds})", kinds[0] == 4 and 7 in kinds[1:])
subprocess.run(["umount", home])
for root, dirs, files in os.walk(game):
    os.chmod(root, 0o755)
shutil.rmtree(work, ignore_errors=True)
check.finish()
