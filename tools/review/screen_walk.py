#!/usr/bin/env python3
"""A walk through the program as a school runs it, for a person to look at:
the staged program copied to a read-only folder, started by an ordinary user
(nobody) in a private Xvfb at one screen size, driven by real key presses
(and a few clicks), a PNG screenshot at every step.

    screen_walk.py STAGED_PROGRAM_FOLDER OUTDIR [640x480|800x600|1024x768]
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e"))
from quoli_e2e import XServer, fresh_program_folder, profile_settings, write_last_user  # noqa: E402

NOBODY = 65534
stage, out = sys.argv[1], sys.argv[2]
size = sys.argv[3] if len(sys.argv) > 3 else "800x600"
os.makedirs(out, exist_ok=True)
work, game = fresh_program_folder(stage, size)
os.chmod(work, 0o755)
home = os.path.join(work, "home")
data = os.path.join(home, "velmoran", "QUOLI")
os.makedirs(data)
write_last_user(data, b"Anna", profile_settings(b"Animali", lanes=2, fall=15, theme=2))
for root, dirs, files in os.walk(home):
    for name in dirs + files + [""]:
        os.chown(os.path.join(root, name), NOBODY, NOBODY)
for root, dirs, files in os.walk(game):
    os.chmod(root, 0o555)

x = XServer(first=301)
subprocess.run(["xhost", "+SI:localuser:nobody"], env=x.env, capture_output=True)
env = dict(x.env, HOME=home, XDG_DATA_HOME=home, LSAN_OPTIONS="detect_leaks=0")
step = [0]


def shot(name, wait=1.0):
    time.sleep(wait)
    step[0] += 1
    x.screenshot(os.path.join(out, f"{step[0]:02d}-{name}.png"), size)


program = subprocess.Popen(["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", "./quoli"],
                           cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
try:
    shot("title", 3)
    x.key("Escape"); shot("title-quit-question")
    x.key("n"); shot("title-after-no")
    x.key("F10"); shot("title-help", 1.5)
    x.key("Escape"); x.key("Return"); shot("main-menu", 2)
    x.key("F8"); shot("options", 1.5)
    x.key("Escape"); x.key("F2"); shot("top-ten", 1.5)
    x.key("Escape"); x.key("F1"); shot("menu-help", 1.5)
    x.key("Escape"); x.key("F3"); shot("editors", 1.5)
    x.key("Escape"); x.key("F7"); shot("profiles", 1.5)
    x.key("Escape"); x.key("F9"); shot("results", 1.5)
    x.key("Escape"); x.key("F6"); shot("controls", 1.5)
    x.key("F1"); shot("controls-help", 1.5)
    x.key("Escape"); x.key("Escape")
    x.key("F10"); shot("level-title", 2)
    shot("play", 6)
    x.typed("xq"); shot("wrong-key", 0.1)
    x.key("Pause"); shot("pause", 1)
    x.key("Return"); x.key("Escape"); shot("leave-question", 1)
    x.key("n"); shot("play-again", 1)
    x.key("Escape"); x.key("s"); shot("back-to-menu", 2)
finally:
    program.kill()
    program.wait()
    x.stop()
    for root, dirs, files in os.walk(game):
        os.chmod(root, 0o755)
    shutil.rmtree(work, ignore_errors=True)
print("screenshots in", out)
