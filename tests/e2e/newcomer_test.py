#!/usr/bin/env python3
"""A newcomer's path, keyboard only, in a real X server: title screen (its
title grey under the quit question, yellow again after "No"), main menu, a name, an exercise, F10, the words typed, back to the menu, F8 and
three lanes, F2 and the top ten, Escape, the quit question, yes. Then the
last-user file and the top-ten file are checked."""

import os
import shutil
import struct
import subprocess
import sys

from quoli_e2e import (TOP_TEN_ORANGE, Checks, XServer, check_library, confirm_top_ten, fresh_program_folder,
                       must_log, wait_for_end, write_exercise)

stage = sys.argv[1]
check = Checks()
work, game = fresh_program_folder(stage)
write_exercise(game, "A_prova.LEV", b"\r\n\r\n2\r\nPrimo\r\nsole\r\nmare\r\n")  # first in the list, one short level

x = XServer()
try:
    program = subprocess.Popen(["./quoli"], cwd=game, env=x.env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    check_library(check, program)
    x.wait_drawn()
    # The title "Quoli" is yellow; under a question it is drawn grey in the
    # window itself, not only in the program's picture of it.
    yellow, grey = (248, 252, 0), (184, 188, 184)  # as the 16-bit screen shows them

    def title_in(colour):
        return lambda s: (lambda box: box is not None and box[1] < 80)(s.colour_box(colour, 800))

    x.wait_screen(title_in(yellow), 10, "the yellow title")
    x.key("Escape")
    x.wait_screen(lambda s: not title_in(yellow)(s) and title_in(grey)(s), 10, "the grey title under the quit question")
    x.key("n")
    x.wait_screen(title_in(yellow), 10, "the yellow title after No")
    x.settled()
    x.press("Return")                  # title screen: on to the main menu
    x.enter("Luca")                    # the name line has the focus
    x.press("Tab", "Tab", "Tab")       # kind, theme, then the exercise list
    x.press("Down")                    # the first exercise
    x.key("F10")                       # play
    for number in (1, 2):              # each word typed as it falls
        x.typed(must_log(game, 5, number, 30, f"word {number} to fall")[number - 1])
    must_log(game, 7, 2, 10, "both words to be hit")
    must_log(game, 11, 1, 30, "the exercise to be completed")
    confirm_top_ten(x, game)  # confirm the name, close the table: back to the menu
    x.wait_screen(lambda s: s.pixel(2, 2) != TOP_TEN_ORANGE, 10, "the main menu after the top ten")
    x.settled()
    x.press("F8")                      # options
    x.press("3")                       # three lanes
    x.press("Escape")                  # close the options
    x.press("F2")                      # the top ten
    x.press("Escape")
    x.press("Escape")                  # the quit question
    x.key("s")                         # yes
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
