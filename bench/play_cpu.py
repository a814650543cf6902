#!/usr/bin/env python3
"""CPU use (% of one core) and peak memory of the real program while a
three-lane game plays in a real X server (Xvfb) for a while, at each screen
size given. Run ./run.sh once first (or pass a staged folder).

    bench/play_cpu.py [PROGRAM_FOLDER] [SECONDS] [RESOLUTION...]

THEME=2 or THEME=3 in the environment plays a picture theme."""

import os
import shutil
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from quoli_e2e import XServer, fresh_program_folder, profile_settings, write_exercise, write_profile  # noqa: E402

stage = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "game")
seconds = int(sys.argv[2]) if len(sys.argv) > 2 else 60
resolutions = sys.argv[3:] or ["640x480", "1024x768"]
theme = int(os.environ.get("THEME", "1"))


def measure(resolution):
    work, game = fresh_program_folder(stage, resolution)
    write_exercise(game, "Bench.LEV", b"\r\n\r\n1000\r\nBench\r\ngatto\r\ncane\r\nelefante\r\nmare\r\nsole\r\n")
    # three lanes, and infinite lives: the game goes on for the whole measurement
    write_profile(game, b"Bench", profile_settings(b"Bench", lanes=3, fall=8, record=False, top_ten=False,
                                                   infinite_lives=True, theme=theme))
    x = XServer()
    env = x.env
    program = subprocess.Popen(["./quoli", "Bench"], cwd=game, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    time.sleep(8)  # past the first title screen: words are falling
    hz = os.sysconf("SC_CLK_TCK")

    def cpu():
        with open(f"/proc/{program.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])

    c0, t0 = cpu(), time.time()
    time.sleep(seconds)
    c1, t1 = cpu(), time.time()
    with open(f"/proc/{program.pid}/status") as f:
        status = dict(line.split(":", 1) for line in f if ":" in line)
    peak = int(status["VmHWM"].split()[0]) / 1024
    program.terminate()
    program.wait()
    x.stop()
    shutil.rmtree(work, ignore_errors=True)
    print(f"theme {theme}, playing at {resolution} for {t1 - t0:.0f} s: CPU {100 * (c1 - c0) / hz / (t1 - t0):.1f}% of one core, "
          f"peak memory {peak:.1f} MiB")


for r in resolutions:
    measure(r)
