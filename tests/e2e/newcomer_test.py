#!/usr/bin/env python3
"""A newcomer's path, keyboard only, in a real X server: title screen, main
menu, a name, an exercise, F10, the words typed, back to the menu, F8 and
three lanes, F2 and the top ten, Escape, the quit question, yes. Then the
last-user file and the top-ten file are checked."""

import os
import shutil
import struct
import subprocess
import sys
import time

from quoli_e2e import Checks, XServer, fresh_program_folder, wait_for_end, write_exercise

stage = sys.argv[1]
check = Checks()
work, game = fresh_program_folder(stage)
write_exercise(game, "A_prova.LEV", b"\r\n\r\n2\r\nPrimo\r\nsole\r\nmare\r\n")  # first in the list, one short level

x = XServer()
env = x.env
typed = x.typed


def key(*names, pause=0.4):
    x.key(*names, pause=pause)


try:
    program = subprocess.Popen(["./quoli"], cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    time.sleep(2.5)
    key("Return")                      # title screen: on to the main menu
    time.sleep(1)
    typed("Luca")                      # the name line has the focus
    key("Tab", "Tab", "Tab")           # kind, theme, then the exercise list
    key("Down")                        # the first exercise
    key("F10")                         # play
    time.sleep(7.5)
    for word in ["sole", "mare"] * 3:
        typed(word)
        time.sleep(1.2)
    time.sleep(8 + 1 + 10 + 2)         # level done, completed, final screen
    key("Return", pause=1)             # confirm the name in the top ten
    key("Return", pause=1.5)           # close the table: back to the menu
    key("F8", pause=1)                 # options
    key("3")                           # three lanes
    key("Escape", pause=0.8)           # close the options
    key("F2", pause=1)                 # the top ten
    key("Escape", pause=0.8)
    key("Escape", pause=0.8)           # the quit question
    key("s", pause=1)                  # yes
    status, output = wait_for_end(program, 15, lambda: x.screenshot("/tmp/quoli-newcomer-failure.png", "1024x768"))
    check(f"the program ends with status 0 (got {status})", status == 0)
    if status != 0:
        print(output)
finally:
    x.stop()

last = open(os.path.join(game, "DATA", "ULTIMO.DAT"), "rb").read() if os.path.exists(
    os.path.join(game, "DATA", "ULTIMO.DAT")) else b""
check(f"the last-user file holds name, size and settings (got {len(last)} bytes)", len(last) == 20 + 4 + 476)
if len(last) == 500:
    check("the name is Luca", last[:20].rstrip(b"\0") == b"Luca")
    check("the size is 476", struct.unpack_from("<I", last, 20)[0] == 476)
    settings = last[24:]
    check(f"three lanes are kept (got {struct.unpack_from('<i', settings, 16)[0]})",
          struct.unpack_from("<i", settings, 16)[0] == 3)
    check("the exercise is kept", settings[45:45 + 8] == b"A_prova\0")
top = open(os.path.join(game, "DATA", "TOP10.DAT"), "rb").read()
swapped = bytes(((b << 4) | (b >> 4)) & 0xFF for b in b"Luca")
check("Luca is first in the top ten", top[:4] == swapped)
check(f"with 2 x 25 + 50 = 100 (got {struct.unpack_from('<I', top, 20)[0]})", struct.unpack_from("<I", top, 20)[0] == 100)
shutil.rmtree(work, ignore_errors=True)
check.finish()
