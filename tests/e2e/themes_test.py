#!/usr/bin/env python3
"""The picture themes in real X servers: a three-level exercise with one
word a level is played in theme 2 ("quoli") and theme 3 ("space") at the
same time, each in its own X server, the words typed with xdotool. Three
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

from quoli_e2e import (Checks, XServer, fresh_program_folder, profile_settings, read_events, wait_for_end,
                       write_exercise, write_profile)

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
    x = XServer(first=141 + 50 * (theme - 2))
    start = time.monotonic()

    def at(seconds):  # waits until `seconds` after the start
        time.sleep(max(0.0, start + seconds - time.monotonic()))

    def now():
        return time.monotonic() - start

    def when_recorded(kind, count, timeout=40.0):
        """The moment the log holds `count` events of `kind` (None if never)."""
        give_up = time.monotonic() + timeout
        while time.monotonic() < give_up:
            if os.path.exists(os.path.join(game, "DATA", "USERS.DAT")):
                if sum(1 for e in read_events(game)[1] if e[1] == kind) >= count:
                    return now()
            time.sleep(0.05)
        return None

    def shot(name):
        if shots:
            x.screenshot(os.path.join(shots, f"theme{theme}-{name}.png"))

    try:
        program = subprocess.Popen(["./quoli", "Anna"], cwd=game, env=x.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT)
        # Each level opens with its title (6 s, recorded as a level event);
        # the word is typed 2.5 s into play.
        hit = None
        for level, word in enumerate(WORDS):
            intro = when_recorded(4, level + 1)
            if intro is None:
                break
            at(intro + 6.0 + 2.5)
            if level == 0:
                shot("1-falling")
            x.typed(word)
            typed_at = now()
            if level == 0:
                for n in range(14):  # firing, the shot in flight, the explosion
                    at(typed_at + 0.9 + 0.25 * n)
                    shot(f"2-shot-{n}")
            hit = when_recorded(7, level + 1, timeout=10.0)
        # After the third hit: 8 s of "level done", the bonus title (6 s),
        # then the bonus stage.
        if hit is not None:
            bonus = hit + 8.0 + 6.0
            at(bonus + 1.5)
            shot("3-bonus")
            x.key("space")
            for n in range(8):
                at(bonus + 2.8 + 0.4 * n)
                shot(f"4-bonus-shot-{n}")
            done = when_recorded(10, 1)
            if done is not None:
                at(done + 3.0)
                shot("5-final")
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
