#!/usr/bin/env python3
"""The layer check refuses a tree where a lower folder includes a higher one,
and a feature that uses a feature above it (the first step of a circle
between features), and accepts the same tree without those includes."""

import os
import subprocess
import sys
import tempfile

check = sys.argv[1]


def run(src):
    return subprocess.run([sys.executable, check, src], capture_output=True, text=True)


def write(src, path, text):
    with open(os.path.join(src, path), "w") as f:
        f.write(text)


with tempfile.TemporaryDirectory() as src:
    for folder in ("base", "gfx", "ui", "session", "users", "game", "menus"):
        os.makedirs(os.path.join(src, folder))
    write(src, "ui/TView.h", '#include "gfx/Screen.h"\n#include "base/TList.h"\n#include "session/Session.h"\n')
    write(src, "game/Play.cpp", '#include "ui/TView.h"\n#include "users/TDataFile.h"\n')
    write(src, "menus/Menu.cpp", '#include "game/Play.h"\n#include "users/TDataFile.h"\n')
    good = run(src)

    write(src, "gfx/Text.cpp", '#include "gfx/Text.h"\n#include "ui/TView.h"\n')
    upward = run(src)
    os.remove(os.path.join(src, "gfx/Text.cpp"))

    # The game going back to the main menu by itself: game uses menus, which uses game.
    write(src, "game/Leave.cpp", '#include "game/Play.h"\n#include "menus/Menu.h"\n')
    circle = run(src)
    os.remove(os.path.join(src, "game/Leave.cpp"))

    write(src, "users/Data.cpp", '#include "session/Session.h"\n#include "game/Play.h"\n')
    users_above = run(src)

ok = (good.returncode == 0 and upward.returncode != 0 and "gfx/Text.cpp:2" in upward.stdout and
      circle.returncode != 0 and "game/Leave.cpp:2" in circle.stdout and
      users_above.returncode != 0 and "users/Data.cpp:2" in users_above.stdout)
for name, result in (("good", good), ("upward", upward), ("circle", circle), ("users above", users_above)):
    print(f"{name}: {result.returncode} {result.stdout.strip()}")
sys.exit(0 if ok else 1)
