#!/usr/bin/env python3
"""The picture themes in real X servers: a three-level exercise with one
word a level is played in theme 2 ("quoli") and theme 3 ("space") at the
same time, each in its own X server, the words typed with xdotool as they fall. Three
levels in a row earn the bonus stage, where a key fires at the moving
target; then the final screen, and the program ends by itself. The results
log must show the three hits, the bonus record (kind 10, one byte) and the
end of the exercise.

    themes_test.py STAGE [SHOTS_FOLDER]

With a folder, screenshots (PNG, 800x600) of each moment are saved there."""

import os
import shutil
import subprocess
import sys
import threading
import time

from quoli_e2e import (Checks, XServer, framed, fresh_program_folder, must_log, profile_settings, read_events,
                       wait_for_end, write_exercise, write_profile)

stage = sys.argv[1]
shots = sys.argv[2] if len(sys.argv) > 2 else None
check = Checks()
WORDS = ["sole", "mare", "luna"]
EXERCISE = b"\r\n\r\n1\r\nPrimo\r\nsole\r\n\r\n1\r\nSecondo\r\nmare\r\n\r\n1\r\nTerzo\r\nluna\r\n"
results = {}


def play(theme):
    work, game = fresh_program_folder(stage)
    write_exercise(game, "Tre.LEV", EXERCISE)
    write_profile(game, b"Anna", profile_settings(b"Tre", lanes=1, fall=12, top_ten=False, theme=theme))
    x = XServer()

    def shot(name, after=None, seconds=0.0):
        """With a folder, a screenshot `seconds` after the moment `after`
        (for a look at an animation: there is nothing to wait for)."""
        if shots:
            if after is not None:
                time.sleep(max(0.0, after + seconds - time.monotonic()))
            x.screenshot(os.path.join(shots, f"theme{theme}-{name}.png"))

    try:
        program = subprocess.Popen(["./quoli", "Anna"], cwd=game, env=x.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT)
        # Each level opens with its title (6 s); the word is typed as it
        # starts to fall (with a folder, once it is well in view).
        for level, word in enumerate(WORDS):
            must_log(game, 5, level + 1, 40, f"the word of level {level + 1} to fall")
            if level == 0:
                shot("1-falling", time.monotonic(), 2.5)
            x.typed(word)
            typed_at = time.monotonic()
            if level == 0:
                for n in range(14):  # firing, the shot in flight, the explosion
                    shot(f"2-shot-{n}", typed_at, 0.9 + 0.25 * n)
            must_log(game, 7, level + 1, 10, f"the word of level {level + 1} to be hit")
        # After the third hit: 8 s of "level done", the bonus title (6 s),
        # then the bonus stage, where a key fires.
        x.wait_screen(framed, 30, "the bonus title")
        x.wait_screen(lambda s: not framed(s), 20, "the bonus stage")
        shot("3-bonus", time.monotonic(), 1.5)
        x.key("space")
        fired = time.monotonic()
        for n in range(8):
            shot(f"4-bonus-shot-{n}", fired, 1.3 + 0.4 * n)
        must_log(game, 10, 1, 30, "the bonus record")
        shot("5-final", time.monotonic(), 3.0)
        status, output = wait_for_end(program, 40)
        results[theme] = (status, output, read_events(game)[1])
    finally:
        x.stop()
        shutil.rmtree(work, ignore_errors=True)


if shots:
    os.makedirs(shots, exist_ok=True)
threads = [threading.Thread(target=play, args=(theme,)) for theme in (2, 3)]
for t in threads:
    t.start()
for t in threads:
    t.join()

for theme in (2, 3):
    if theme not in results:
        check(f"theme {theme}: the game ran", False)
        continue
    status, output, events = results[theme]
    check(f"theme {theme}: the program ends by itself with status 0 (got {status})", status == 0)
    if status != 0:
        print(output)
    kinds = [e[1] for e in events]
    settings = events[2][2] if len(events) > 2 else b""
    check(f"theme {theme}: the settings say theme {theme}", settings[8:12] == bytes([theme, 0, 0, 0]))
    hits = [e[2].rstrip(b"\0").decode("latin-1") for e in events if e[1] == 7]
    check(f"theme {theme}: the three words are hit (got {hits})", hits == [w.upper() for w in WORDS])
    bonus = [e[2] for e in events if e[1] == 10]
    check(f"theme {theme}: one bonus record of one byte (got {bonus})", len(bonus) == 1 and len(bonus[0]) == 1)
    check(f"theme {theme}: the bonus comes after the third hit and before the end",
          10 in kinds and kinds.index(10) > max(i for i, k in enumerate(kinds) if k == 7) and
          kinds.index(10) < kinds.index(11))
    check(f"theme {theme}: no life lost", 9 not in kinds)
    check(f"theme {theme}: the game ends with completed, then closed (got {kinds[-2:]})", kinds[-2:] == [11, 8])

check.finish()
