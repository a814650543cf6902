#!/usr/bin/env python3
"""CPU use (% of one core) and peak memory of the real program while a
three-lane game plays in a real X server (Xvfb) for a while, at each screen
size given. Run ./run.sh once first (or pass a staged folder).

    bench/play_cpu.py [PROGRAM_FOLDER] [SECONDS] [RESOLUTION...]"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
stage = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "game")
seconds = int(sys.argv[2]) if len(sys.argv) > 2 else 60
resolutions = sys.argv[3:] or ["640x480", "1024x768"]


def settings():
    b = bytearray(476)
    b[3] = b[4] = 1
    struct.pack_into("<iiiiiii", b, 8, 1, 1, 3, 8, 1, 2, 3)
    b[36] = 1  # infinite lives: the game goes on for the whole measurement
    struct.pack_into("<i", b, 40, 22)
    b[45:45 + 5] = b"Bench"
    struct.pack_into("<i", b, 304, 1)
    b[308:308 + 7] = b"comicbd"
    struct.pack_into("<iii", b, 428, 28, 0, 15)
    struct.pack_into("<iiiiiiii", b, 440, 0, 1, 1, 0, 1, 0, 10, 150)
    return bytes(b)


def measure(resolution):
    work = tempfile.mkdtemp()
    game = os.path.join(work, "game")
    shutil.copytree(stage, game)
    with open(os.path.join(game, "config.ini"), "wb") as f:
        f.write(b"[global]\r\nRESOLUTION=" + resolution.encode() + b"\r\nFULLSCREEN=0\r\nAUDIO=0\r\n")
    with open(os.path.join(game, "Esercizi", "Livelli", "Bench.LEV"), "wb") as f:
        f.write(b"\r\n\r\n1000\r\nBench\r\ngatto\r\ncane\r\nelefante\r\nmare\r\nsole\r\n")
    os.makedirs(os.path.join(game, "DATA"), exist_ok=True)
    with open(os.path.join(game, "DATA", "USERS.ANA"), "wb") as f:
        f.write(b"ANA\x1a" + struct.pack("<i", 1) + b"Bench".ljust(24, b"\0") + struct.pack("<i", 1) + settings())
    display = ":199"
    env = dict(os.environ, DISPLAY=display)
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1.5)
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
    xvfb.terminate()
    xvfb.wait()
    shutil.rmtree(work, ignore_errors=True)
    print(f"playing at {resolution} for {t1 - t0:.0f} s: CPU {100 * (c1 - c0) / hz / (t1 - t0):.1f}% of one core, "
          f"peak memory {peak:.1f} MiB")


for r in resolutions:
    measure(r)
