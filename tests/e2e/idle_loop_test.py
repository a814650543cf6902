#!/usr/bin/env python3
"""The program asleep when nothing moves, in a real X server: on a still
main menu its main thread wakes fewer than 20 times a second (it used to
come round every millisecond), and a key pressed while it sleeps is on the
screen within about a frame.

    idle_loop_test.py PROGRAM_FOLDER"""

import os
import shutil
import statistics
import subprocess
import sys
import time

from quoli_e2e import Checks, XServer, fresh_program_folder

stage = sys.argv[1]
check = Checks()
work, game = fresh_program_folder(stage, "800x600")
x = XServer()


def wakeups(pid):
    """The main thread's voluntary context switches: one for every sleep."""
    with open(f"/proc/{pid}/task/{pid}/status") as f:
        for line in f:
            if line.startswith("voluntary_ctxt_switches"):
                return int(line.split()[1])
    return 0


try:
    program = subprocess.Popen(["./quoli"], cwd=game, env=x.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    x.wait_drawn()
    x.press("Return")                  # title screen: on to the main menu
    x.settled(quiet=0.3)               # and it has stopped drawing
    w0, t0 = wakeups(program.pid), time.time()
    time.sleep(4)                      # what is measured: four still seconds
    rate = (wakeups(program.pid) - w0) / (time.time() - t0)
    check(f"a still main menu wakes fewer than 20 times a second (got {rate:.1f})", rate < 20)

    # The name box has the focus: each letter typed changes the menu's top.
    fb = x.framebuffer
    latencies = []
    for letter in "abcdefghij":
        # The scenario measured: a key typed after the loop has gone to sleep,
        # past the 200 ms it stays awake after a key for the key's repeat.
        time.sleep(0.3)
        before = fb.raw(0, 150)
        start = time.time()
        x.key(letter)
        while fb.raw(0, 150) == before and time.time() - start < 1:
            time.sleep(0.001)
        latencies.append(1000 * (time.time() - start))
    median = statistics.median(latencies)
    check(f"a key typed while it sleeps shows within a frame or so (median {median:.0f} ms, "
          f"all {', '.join(f'{v:.0f}' for v in latencies)})", median < 40 and max(latencies) < 1000)
finally:
    program.kill()
    program.wait()
    x.stop()
shutil.rmtree(work, ignore_errors=True)
check.finish()
