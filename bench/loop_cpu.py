#!/usr/bin/env python3
"""When the program runs, and what it costs, next to a peer: Debian's
falling-words typing game (installed if missing), in one run, the two taking
turns ROUNDS times in a private Xvfb (16-bit, as a school laptop's desktop
often is); the medians are printed.

For each screen it measures CPU (% of one core), how often the main thread
wakes (voluntary context switches a second: one for every sleep of the
loop), the peak memory and the first drawn frame (from start to the first
pixel in the window); for this program also the loop passes and frames
pushed a second (QUOLI_LOOP_STATS). Then, once more and one screen at a
time, each program runs under callgrind to count the instructions it
executes a second in user space (this machine's processor counters are not
open to perf): the counters are zeroed when the screen is reached and read
after the same seconds. Screens: the title, the main menu, play without
typing (three words falling in 8 s; "slow": two in 60 s, about as little as
moves in the peer's first game), play typing about 6 keys a second
(640x480, plain look) and play at 1024x768 in the space look. Run ./run.sh
once first (or pass a staged folder).

    bench/loop_cpu.py [PROGRAM_FOLDER] [ROUNDS] [SECONDS]"""

import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from quoli_e2e import (XServer, fresh_program_folder, profile_settings, write_exercise, write_last_user,  # noqa: E402
                       write_profile)

stage = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "game")
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 10
PEER = "/usr/games/tuxtype"
TYPING = "solemarecasalunapane" * 20


def ensure_peer():
    if not os.path.exists(PEER):
        subprocess.run(["apt-get", "install", "-y", "tuxtype"], env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"),
                       stdout=subprocess.DEVNULL, check=True)


def main_thread(pid, field):
    with open(f"/proc/{pid}/task/{pid}/status") as f:
        for line in f:
            if line.startswith(field):
                return int(line.split()[1])
    return 0


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def first_frame(x, program, height, start, before):
    """Milliseconds from `start` to the first change of the screen's top
    `height` rows from `before` (what they showed before the start)."""
    while time.time() - start < 20 and program.poll() is None:
        if x.framebuffer.raw(0, height) != before:
            return 1000 * (time.time() - start)
        time.sleep(0.002)
    return float("nan")


CALLGRIND = ["valgrind", "--tool=callgrind", "--dump-instr=no"]
SLOWER = 4  # how much longer the screens take to come under callgrind


def callgrind(*args):
    subprocess.run(["callgrind_control", *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def counted_instructions(out, pid):
    """The instructions of the last dump of `pid` under `out`."""
    dumps = sorted(f for f in os.listdir(out) if f.startswith(f"cg.{pid}."))
    with open(os.path.join(out, dumps[-1])) as f:
        for line in f:
            if line.startswith("summary:"):
                return int(line.split()[1])
    return 0


def measure(x, program, typing, out=None):
    """CPU %, wakes a second of the main thread over `seconds`, typing
    `typing` keys a second meanwhile; under callgrind (its dumps in `out`),
    the instructions a second instead."""
    if out:
        callgrind("-z", str(program.pid))
    c0, w0, t0 = cpu_ticks(program.pid), main_thread(program.pid, "voluntary_ctxt_switches"), time.time()
    if typing:
        keys = iter(TYPING)
        while time.time() - t0 < seconds:
            x.key(next(keys))
            time.sleep(max(0.0, 1 / typing - 0.01))
    else:
        time.sleep(seconds)
    elapsed = time.time() - t0
    if out:
        callgrind("-d", str(program.pid))
        time.sleep(1)
        return counted_instructions(out, program.pid) / elapsed, float("nan")
    hz = os.sysconf("SC_CLK_TCK")
    cpu = 100 * (cpu_ticks(program.pid) - c0) / hz / elapsed
    wakes = (main_thread(program.pid, "voluntary_ctxt_switches") - w0) / elapsed
    return cpu, wakes


def quoli(x, screen, out=None):
    resolution = "1024x768" if screen == "play 1024 space" else "640x480"
    height = int(resolution.split("x")[1])
    work, game = fresh_program_folder(stage, resolution)
    write_exercise(game, "Bench.LEV", b"\r\n\r\n1000\r\nBench\r\nsole\r\nmare\r\ncasa\r\nluna\r\npane\r\n")
    # "play slow": two words falling a whole minute, about as much as moves
    # in the peer's first game.
    slow = screen == "play slow"
    settings = profile_settings(b"Bench", lanes=2 if slow else 3, fall=60 if slow else 8, record=False,
                                top_ten=False, infinite_lives=True, theme=3 if "space" in screen else 1)
    write_profile(game, b"Bench", settings)
    write_last_user(game, b"Bench", settings)
    args = ["./quoli", "Bench"] if screen.startswith("play") else ["./quoli"]
    before = x.framebuffer.raw(0, height)
    start = time.time()
    if out:
        args = CALLGRIND + [f"--callgrind-out-file={out}/cg.%p"] + args
    slower = SLOWER if out else 1
    program = subprocess.Popen(args, cwd=game, env=dict(x.env, QUOLI_LOOP_STATS="1"), stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE)
    first = first_frame(x, program, height, start, before)
    time.sleep(slower * (8 if screen.startswith("play") else 2.5))  # play: past the level's title
    if screen == "main menu":
        x.key("Return")
        time.sleep(slower * 2)
    cpu, wakes = measure(x, program, 6 if "typing" in screen else 0, out)
    peak = main_thread(program.pid, "VmHWM") / 1024
    program.send_signal(signal.SIGTERM)  # ends the loop, which tells its counts
    try:
        err = program.communicate(timeout=15)[1].decode("latin-1")
    except subprocess.TimeoutExpired:
        program.kill()
        err = program.communicate()[1].decode("latin-1")
    shutil.rmtree(work, ignore_errors=True)
    passes = frames = float("nan")
    for line in err.splitlines():
        if line.startswith("loop:"):
            parts = line.split()
            ms = int(parts[-2])
            passes, frames = 1000 * int(parts[1]) / ms, 1000 * int(parts[3]) / ms
    return {"cpu": cpu, "wakes": wakes, "passes": passes, "frames": frames, "peak": peak, "first": first}


def plain_copy(program, folder):
    """Valgrind cannot run a set-group-id program: a copy without the bit."""
    copy = os.path.join(folder, os.path.basename(program))
    shutil.copyfile(program, copy)
    os.chmod(copy, 0o755)
    return copy


def peer(x, screen, out=None):
    if screen == "play 1024 space":
        return None
    home = tempfile.mkdtemp()
    before = x.framebuffer.raw(0, 480)
    start = time.time()
    args = CALLGRIND + [f"--callgrind-out-file={out}/cg.%p", plain_copy(PEER, out), "-w", "-ns"] if out \
        else [PEER, "-w", "-ns"]
    slower = SLOWER if out else 1
    program = subprocess.Popen(args, env=dict(x.env, HOME=home), stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    first = first_frame(x, program, 480, start, before)
    time.sleep(slower * 4)
    if screen == "main menu":
        x.key("Return")                # its game's level menu
        time.sleep(slower * 1.5)
    elif screen.startswith("play"):
        x.key("Return", "Return", "Return", pause=slower * 1.5)  # first game, easy, first word list
        time.sleep(slower * 3)
    cpu, wakes = measure(x, program, 6 if "typing" in screen else 0, out)
    peak = main_thread(program.pid, "VmHWM") / 1024
    program.kill()
    program.wait()
    shutil.rmtree(home, ignore_errors=True)
    return {"cpu": cpu, "wakes": wakes, "passes": float("nan"), "frames": float("nan"), "peak": peak, "first": first}


SCREENS = ["title", "main menu", "play", "play slow", "play typing", "play 1024 space"]
ensure_peer()
results = {(who, s): [] for who in ("quoli", "peer") for s in SCREENS}
x = XServer(first=371, framebuffer=True, depth=16)
try:
    for _ in range(rounds):
        for screen in SCREENS:
            results[("quoli", screen)].append(quoli(x, screen))
            got = peer(x, screen)
            if got:
                results[("peer", screen)].append(got)
    counted = tempfile.mkdtemp()
    for screen in SCREENS:
        for who, run in (("quoli", quoli), ("peer", peer)):
            try:
                got = run(x, screen, counted)
            except (OSError, IndexError, subprocess.SubprocessError) as error:
                print(f"{who}, {screen}: not counted under callgrind ({error})", file=sys.stderr)
                got = None
            if got:
                results[(who, screen)][0]["ir"] = got["cpu"]
    shutil.rmtree(counted, ignore_errors=True)
finally:
    x.stop()


def median(who, screen, key):
    values = [r[key] for r in results[(who, screen)] if r[key] == r[key]]
    return statistics.median(values) if values else float("nan")


def instructions(who, screen):
    """Millions of instructions a second, from the run under callgrind."""
    runs = results[(who, screen)]
    return runs[0].get("ir", float("nan")) / 1e6 if runs else float("nan")


print(f"{'screen':18} {'who':6} {'CPU %':>6} {'M instr/s':>9} {'wakes/s':>8} {'passes/s':>9} {'frames/s':>9} "
      f"{'peak MiB':>9} {'first ms':>9}")
for screen in SCREENS:
    for who in ("quoli", "peer"):
        if not results[(who, screen)]:
            continue
        print(f"{screen:18} {who:6} {median(who, screen, 'cpu'):6.2f} {instructions(who, screen):9.2f} "
              f"{median(who, screen, 'wakes'):8.1f} {median(who, screen, 'passes'):9.1f} "
              f"{median(who, screen, 'frames'):9.1f} {median(who, screen, 'peak'):9.1f} "
              f"{median(who, screen, 'first'):9.0f}")
    peer_cpu = median("peer", screen, "cpu")
    if results[("peer", screen)] and peer_cpu > 0:
        print(f"{'':18} ratio  {median('quoli', screen, 'cpu') / peer_cpu:6.2f} "
              f"{instructions('quoli', screen) / instructions('peer', screen):9.2f}")
