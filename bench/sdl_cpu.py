#!/usr/bin/env python3
"""CPU use (% of one core) of the real program on classic SDL 1.2 and on the
compatibility layer over SDL 2 (Debian 13's SDL 1.2), and on the layer
with every update drawn by the layer's own renderer (the program's
direct window updates turned off), idle on the title
screen and while a three-lane game plays, at 640x480 and 1024x768. All
three copies run at once, each in its own Xvfb, and are measured over the same
windows of time, so the machine's other load falls on both alike. A
benchmark, not a test: it measures and prints, it does not judge.

    bench/sdl_cpu.py [PROGRAM_FOLDER] [SECONDS_PER_WINDOW] [WINDOWS]

The folder defaults to build/game (./run.sh makes it); measure a Release
build."""

import os
import shutil
import statistics
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from quoli_e2e import XServer, fresh_program_folder, profile_settings, write_exercise, write_profile  # noqa: E402

COMPAT = "/usr/lib/x86_64-linux-gnu/sdl12-compat"
stage = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "game")
window = float(sys.argv[2]) if len(sys.argv) > 2 else 10
windows = int(sys.argv[3]) if len(sys.argv) > 3 else 3
hz = os.sysconf("SC_CLK_TCK")


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def start(library, resolution, play):
    work, game = fresh_program_folder(stage, resolution)
    args = ["./quoli"]
    if play:
        write_exercise(game, "Bench.LEV", b"\r\n\r\n1000\r\nBench\r\ngatto\r\ncane\r\nelefante\r\nmare\r\nsole\r\n")
        write_profile(game, b"Bench", profile_settings(b"Bench", lanes=3, fall=8, record=False, top_ten=False,
                                                       infinite_lives=True))
        args.append("Bench")
    x = XServer(window=resolution)
    env = dict(x.env)
    if library != "classic":
        env["LD_LIBRARY_PATH"] = COMPAT
    if library == "layer":
        env["QUOLI_WINDOW_PUSH"] = "layer"  # every update through the layer's own renderer
    program = subprocess.Popen(args, cwd=game, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return work, x, program


def measure(resolution, play):
    runs = {library: start(library, resolution, play) for library in ("classic", "compat", "layer")}
    for _, x, _ in runs.values():
        x.wait_drawn()
    time.sleep(8 if play else 2)  # past the level's title: words are falling
    shares = {library: [] for library in runs}
    for _ in range(windows):
        before = {library: cpu_ticks(p.pid) for library, (_, _, p) in runs.items()}
        t0 = time.monotonic()
        time.sleep(window)
        spent = time.monotonic() - t0
        for library, (_, _, p) in runs.items():
            shares[library].append(100 * (cpu_ticks(p.pid) - before[library]) / hz / spent)
    for work, x, program in runs.values():
        program.terminate()
        program.wait()
        x.stop()
        shutil.rmtree(work, ignore_errors=True)
    return {library: statistics.median(values) for library, values in shares.items()}


print(f"{'':10} {'size':9} {'classic':>8} {'compat':>8} {'compat/classic':>15} {'layer-drawn':>12}"
      f"   ({windows} windows of {window:g} s)")
for resolution in ("640x480", "1024x768"):
    for play in (False, True):
        got = measure(resolution, play)
        ratio = got["compat"] / got["classic"] if got["classic"] > 0 else float("inf")
        print(f"{'play' if play else 'idle':10} {resolution:9} {got['classic']:7.2f}% {got['compat']:7.2f}% "
              f"{ratio:14.2f}x {got['layer']:11.2f}%", flush=True)
