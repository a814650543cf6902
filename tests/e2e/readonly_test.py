#!/usr/bin/env python3
"""A school's install: the program folder belongs to root and cannot be
written; a pupil's account (an ordinary user) starts "quoli Anna" in a real
X server and plays a teacher's exercise kept in the user's own data folder.
The sample exercises are copied there on the first start (the teacher's
file stays as it is), the results and the top ten are written there, and
nothing at all is written in the program folder."""

import os
import shutil
import subprocess
import sys

from quoli_e2e import (Checks, XServer, confirm_top_ten_and_end, fresh_program_folder, must_log, profile_settings,
                       write_profile)

NOBODY = 65534

stage = sys.argv[1]
check = Checks()
work, game = fresh_program_folder(stage)
os.chmod(work, 0o755)
home = os.path.join(work, "home")
data = os.path.join(home, "velmoran", "QUOLI")
os.makedirs(os.path.join(data, "Esercizi", "Livelli"))
teacher = b"\r\n\r\n1\r\nDella maestra\r\nsole\r\n"
# The teacher's own file, under the name of a sample: it must not be replaced.
with open(os.path.join(data, "Esercizi", "Livelli", "Animali.LEV"), "wb") as f:
    f.write(teacher)
write_profile(data, b"Anna", profile_settings(b"Animali"))
for root, dirs, files in os.walk(home):
    for name in dirs + files + [""]:
        os.chown(os.path.join(root, name), NOBODY, NOBODY)
for root, dirs, files in os.walk(game):
    os.chmod(root, 0o555)
    for name in files:
        path = os.path.join(root, name)
        os.chmod(path, 0o555 if os.access(path, os.X_OK) else 0o444)


def listing(folder):
    return sorted(os.path.relpath(os.path.join(r, n), folder) for r, ds, fs in os.walk(folder) for n in ds + fs)


before = listing(game)
x = XServer()
env = dict(x.env, HOME=home, XDG_DATA_HOME=home, LSAN_OPTIONS="detect_leaks=0")
subprocess.run(["xhost", "+SI:localuser:nobody"], env=x.env, capture_output=True)
try:
    program = subprocess.Popen(["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", "./quoli", "Anna"],
                               cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    must_log(data, 5, 1, 30, "the word to fall, after the level's title")
    x.typed("sole")
    must_log(data, 11, 1, 30, "the exercise to be completed")
    confirm_top_ten_and_end(x, program, check, data)  # the name says "Anna"
finally:
    x.stop()

check("nothing is written in the program folder", listing(game) == before)
samples = os.listdir(os.path.join(stage, "Esercizi", "Livelli"))
seeded = os.listdir(os.path.join(data, "Esercizi", "Livelli"))
check(f"every sample exercise is in the user's folder (got {sorted(seeded)})", set(samples) <= set(seeded))
with open(os.path.join(data, "Esercizi", "Livelli", "Animali.LEV"), "rb") as f:
    check("the teacher's file is not replaced by the sample", f.read() == teacher)
for kind in ("Completa", "Tasti"):
    check(f"the {kind} samples are there too",
          sorted(os.listdir(os.path.join(stage, "Esercizi", kind))) == sorted(os.listdir(os.path.join(data, "Esercizi", kind))))
top_ten = os.path.join(data, "DATA", "TOP10.DAT")
check("the top ten is written in the user's folder", os.path.exists(top_ten))
if os.path.exists(top_ten):
    with open(top_ten, "rb") as f:
        first = bytes(((b << 4) | (b >> 4)) & 0xFF for b in f.read()[:4])
    check(f"with Anna first (got {first!r})", first == b"Anna")
log = os.path.join(data, "DATA", "USERS.DAT")
check("the game is recorded in the user's folder", os.path.exists(log) and os.path.getsize(log) > 100)
os.chmod(work, 0o700)
for root, dirs, files in os.walk(game):
    os.chmod(root, 0o755)
shutil.rmtree(work, ignore_errors=True)
check.finish()
