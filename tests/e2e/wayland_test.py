#!/usr/bin/env python3
"""The program on Wayland, through the SDL 1.2 that Debian 13 ships (the
layer over SDL 2) and SDL 2's Wayland driver, with no X server named:

- under a headless weston, which offers no seat (no keyboard, no pointer),
  SDL 2's driver would crash: the program ends with its fatal message and
  status 1 instead;
- under weston shown in a private Xvfb (its X11 back end gives it a seat),
  "quoli Anna" starts, the words fall, the keys typed into weston reach the
  program and hit them, and the game ends as on X11.

    wayland_test.py PROGRAM_FOLDER [SHOTS_FOLDER]"""

import os
import shutil
import subprocess
import sys
import tempfile

from quoli_e2e import (TOP_TEN_ORANGE, Checks, XServer, confirm_top_ten_and_end, fresh_program_folder, must_log, profile_settings,
                       wait_until, write_exercise, write_profile)

COMPAT = "/usr/lib/x86_64-linux-gnu/sdl12-compat"
stage = sys.argv[1]
shots = sys.argv[2] if len(sys.argv) > 2 else None
check = Checks()


class Weston:
    """A weston of its own (its socket in a private runtime folder)."""

    def __init__(self, backend, env):
        self.runtime = tempfile.mkdtemp()
        os.chmod(self.runtime, 0o700)
        self.log = os.path.join(self.runtime, "weston.log")
        self.process = subprocess.Popen(["weston", f"--backend={backend}", "--socket=quoli", "--idle-time=0",
                                         "--no-config", "--use-pixman", "--width=1024", "--height=768"],
                                        env=dict(env, XDG_RUNTIME_DIR=self.runtime),
                                        stdout=open(self.log, "wb"), stderr=subprocess.STDOUT)
        wait_until(lambda: os.path.exists(os.path.join(self.runtime, "quoli")), 20, "weston's socket")

    def client_env(self, base):
        env = {k: v for k, v in base.items() if k != "DISPLAY"}
        env.update(XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY="quoli", SDL_VIDEODRIVER="wayland",
                   LD_LIBRARY_PATH=COMPAT, LSAN_OPTIONS="detect_leaks=0")
        return env

    def stop(self):
        self.process.terminate()
        self.process.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)


work, game = fresh_program_folder(stage)
write_exercise(game, "Prova.LEV", b"\r\n\r\n2\r\nPrimo\r\nsole\r\nmare\r\n")
write_profile(game, b"Anna", profile_settings(b"Prova"))

# No seat: a fatal error that says why, not a crash.
weston = Weston("headless-backend.so", os.environ)
try:
    run = subprocess.run(["./quoli", "Anna"], cwd=game, env=weston.client_env(os.environ), capture_output=True,
                         timeout=60)
    told = run.stdout.decode("utf-8", "replace") + run.stderr.decode("utf-8", "replace")
    check(f"without a seat the program ends with status 1, no crash (got {run.returncode}): {told}",
          run.returncode == 1)
    check(f"it says, in Italian first, that the screen cannot start: {told}",
          "ERROR: Impossibile avviare la grafica:" in told and "no seat" in told)
finally:
    weston.stop()

# A seat: the game is played with keys typed into weston.
x = XServer(window="1024x768")
weston = Weston("x11-backend.so", x.env)
try:
    program = subprocess.Popen(["./quoli", "Anna"], cwd=game, env=weston.client_env(x.env),
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    subprocess.run(["xdotool", "mousemove", "512", "384"], env=x.env)  # X's focus follows the pointer
    word = must_log(game, 5, 1, 30, "the first word to fall")[0]
    with open(f"/proc/{program.pid}/maps") as f:
        maps = f.read()
    check("the program runs on the layer over SDL 2", "libSDL2" in maps and "sdl12-compat" in maps)
    check("it talks Wayland", "libwayland-client" in maps)
    if shots:
        x.settled()
        subprocess.run(["convert", "xwd:" + x.framebuffer.path, os.path.join(shots, "wayland-play.png")])
    x.typed(word)
    word = must_log(game, 5, 2, 30, "the second word to fall")[1]
    x.typed(word)
    hits = must_log(game, 7, 2, 20, "both words to be hit by keys typed into weston")
    check(f"the words typed are hit (got {hits})", sorted(hits) == ["MARE", "SOLE"])
    must_log(game, 11, 1, 30, "the exercise to be completed")
    # Weston places the window where it likes: the top ten's orange, filling
    # the 800x600 window, tells where.
    orange = x.wait_screen(lambda s: (lambda b: b and b[2] - b[0] + 1 == 800 and b[3] - b[1] + 1 == 600)(
        s.colour_box(TOP_TEN_ORANGE, 1024)), 30, "the top ten's window in weston's output").colour_box(
        TOP_TEN_ORANGE, 1024)
    x.window, x.framebuffer.origin, x.placed = (800, 600), orange[:2], True
    confirm_top_ten_and_end(x, program, check, game)
finally:
    weston.stop()
    x.stop()
shutil.rmtree(work, ignore_errors=True)
check.finish()
