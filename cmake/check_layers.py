#!/usr/bin/env python3
"""Fails when a folder of src/ includes a folder above it. Layers, lowest
first: platform, base, resources, gfx, app, session, ui, then the features
one above another (devices, exercises, help, stats, users, game, menus: a feature
may use only those before it), then the program's start-up beside main.cpp.

    check_layers.py SRC_FOLDER"""

import os
import re
import sys

ORDER = ["platform", "base", "resources", "gfx", "app", "session", "ui",
         "devices", "exercises", "help", "stats", "users", "game", "menus"]
LAYERS = {name: height for height, name in enumerate(ORDER)}
PROGRAM = len(ORDER)  # files directly in src/

src = sys.argv[1]
found = []
scanned = 0
for folder, _, files in os.walk(src):
    relative = os.path.relpath(folder, src)
    here = PROGRAM if relative == "." else LAYERS.get(relative.split(os.sep)[0])
    if here is None:
        found.append(f"{relative}: a folder the layers do not know")
        continue
    for name in files:
        if not name.endswith((".h", ".cpp")):
            continue
        scanned += 1
        path = os.path.join(folder, name)
        with open(path, encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                match = re.match(r'\s*#\s*include\s+"([A-Za-z_]+)/', line)
                if match and match.group(1) in LAYERS and LAYERS[match.group(1)] > here:
                    found.append(f"{os.path.relpath(path, src)}:{number}: {line.strip()} (a lower layer uses a higher one)")
if scanned == 0:
    found.append("no source file found: wrong folder?")
for problem in found:
    print(problem)
sys.exit(1 if found else 0)
