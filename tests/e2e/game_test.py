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

from quoli_e2e import (Checks, XServer, check_library, confirm_top_ten_and_end, fresh_program_folder, must_log,
                       profile_settings, read_events, write_exercise, write_profile)

stage = sys.argv[1]
check = Checks()
work, game = fresh_program_folder(stage)
write_exercise(game, "Prova.LEV", b"\r\n\r\n2\r\nPrimo\r\nsole\r\nmare\r\n\r\n1\r\nSecondo\r\ncasa\r\n")
settings = profile_settings(b"Prova")
write_profile(game, b"Anna", settings)

x = XServer()
try:
    program = subprocess.Popen(["./quoli", "Anna"], cwd=game, env=x.env, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT)
    check_library(check, program)
    # Each word is typed as it starts to fall (after the level's title, 6 s):
    # the log says which word that is.
    for number in (1, 2):
        word = must_log(game, 5, number, 30, f"word {number} of the first level to fall")[number - 1]
        x.typed(word)
    must_log(game, 7, 2, 10, "both words of the first level to be hit")
    # The level done (8 s), then the second level's title (6 s).
    word = must_log(game, 5, 3, 30, "the second level's word to fall")[2]
    x.typed("xq")                      # a few wrong keys
    x.typed(word)
    must_log(game, 11, 1, 30, "the exercise to be completed")
    confirm_top_ten_and_end(x, program, check, game)  # the name already says "Anna"
finally:
    x.stop()

# The results log: the events of one game, in order.
magic, events = read_events(game)
check("the log starts with its magic", magic == b"DAT\x1a")
check("every event is the player's", all(e[0] == 1 for e in events))
kinds = [e[1] for e in events]
text = lambda e: e[2].rstrip(b"\0").decode("latin-1")
check(f"a game starts with date, time and settings (got {kinds[:3]})", kinds[:3] == [1, 2, 3])
check("the settings are recorded whole", events[2][2] == settings)
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
check.finish()
