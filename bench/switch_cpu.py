#!/usr/bin/env python3
"""The CPU a whole game costs when a child plays it through the letter strip
with two switches (Space steps, Enter selects), against the same game typed
on the keyboard at the same pace (each letter when the strip would have
reached it), in the same run, in a real X server (Xvfb). The two ways take
turns ROUNDS times; the medians are printed. Run ./run.sh once first
(or pass a staged folder).

    bench/switch_cpu.py [PROGRAM_FOLDER] [ROUNDS] [RESOLUTION]

THEME=2 or THEME=3 in the environment plays a picture theme."""

import os
import shutil
import statistics
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from quoli_e2e import (XServer, fresh_program_folder, logged_texts, profile_settings, strip_letters,  # noqa: E402
                       strip_presses, type_on_strip, wait_logged, wait_strip, write_exercise, write_profile)

stage = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "game")
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
resolution = sys.argv[3] if len(sys.argv) > 3 else "800x600"
width, height = (int(n) for n in resolution.split("x"))
theme = int(os.environ.get("THEME", "1"))
WORDS = 6
PACE = 0.25  # seconds between two presses of a switch


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def play(x, with_switches):
    """One game of WORDS words; (CPU seconds, seconds) from the first word
    shown to the game completed."""
    work, game = fresh_program_folder(stage, resolution)
    write_exercise(game, "Bench.LEV", f"\r\n\r\n{WORDS}\r\nBench\r\nsole\r\nmare\r\ncasa\r\nluna\r\nrana\r\npane\r\n"
                   .encode())
    write_profile(game, b"Bench", profile_settings(b"Bench", fall=30, top_ten=False, theme=theme,
                                                   switches=2 if with_switches else 0))
    program = subprocess.Popen(["./quoli", "Bench"], cwd=game, env=x.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        hz = os.sysconf("SC_CLK_TCK")
        wait_logged(game, 5, 1, 20)
        c0, t0 = cpu_ticks(program.pid), time.time()
        for number in range(1, WORDS + 1):
            shown = wait_logged(game, 5, number, 20)
            if len(shown) < number:
                raise RuntimeError("no word fell")
            word = shown[number - 1]
            if with_switches:
                wait_strip(x.framebuffer, width, height, lambda c, lit: c == len(strip_letters(word)), 10)
                type_on_strip(x, x.framebuffer, width, height, word, PACE)
            else:
                # At the switch player's pace: a letter when the strip
                # would have reached it.
                for letter, presses in zip(word, strip_presses(word)):
                    time.sleep(presses * PACE)
                    x.typed(letter)
            if len(wait_logged(game, 7, number, 10)) < number:
                raise RuntimeError(f"the word {word} was not hit")
        wait_logged(game, 11, 1, 30)
        c1, t1 = cpu_ticks(program.pid), time.time()
        if logged_texts(game, 9):
            raise RuntimeError("a word fell: the game was not played through")
    finally:
        program.kill()
        program.wait()
        shutil.rmtree(work, ignore_errors=True)
    return (c1 - c0) / hz, t1 - t0


x = XServer(first=351, framebuffer=True)
results = {False: [], True: []}
try:
    for _ in range(rounds):
        for with_switches in (False, True):
            results[with_switches].append(play(x, with_switches))
finally:
    x.stop()

for with_switches, name in ((False, "typed"), (True, "strip")):
    runs = results[with_switches]
    rate = statistics.median(100 * c / t for c, t in runs)
    print(f"theme {theme}, {resolution}, {name}: {statistics.median(t for _, t in runs):.1f} s a game, "
          f"{statistics.median(c for c, _ in runs):.2f} s of CPU, {rate:.1f}% of one core "
          f"(runs: {', '.join(f'{100 * c / t:.1f}%' for c, t in runs)})")
typed = statistics.median(100 * c / t for c, t in results[False])
strip = statistics.median(100 * c / t for c, t in results[True])
print(f"the strip costs {100 * (strip - typed) / typed:+.1f}% CPU per second of play against typing")
