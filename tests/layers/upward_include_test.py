#!/usr/bin/env python3
"""The layer check refuses a tree where a lower folder includes a higher one
and accepts the same tree without that include."""

import os
import subprocess
import sys
import tempfile

check = sys.argv[1]
with tempfile.TemporaryDirectory() as src:
    for folder in ("base", "gfx", "ui", "game"):
        os.makedirs(os.path.join(src, folder))
    with open(os.path.join(src, "ui", "TView.h"), "w") as f:
        f.write('#include "gfx/Screen.h"\n#include "base/TList.h"\n')
    with open(os.path.join(src, "game", "Play.cpp"), "w") as f:
        f.write('#include "ui/TView.h"\n')
    good = subprocess.run([sys.executable, check, src], capture_output=True, text=True)
    with open(os.path.join(src, "gfx", "Text.cpp"), "w") as f:
        f.write('#include "gfx/Text.h"\n#include "ui/TView.h"\n')
    bad = subprocess.run([sys.executable, check, src], capture_output=True, text=True)
ok = good.returncode == 0 and bad.returncode != 0 and "gfx/Text.cpp:2" in bad.stdout
print("good:", good.returncode, good.stdout.strip(), "| bad:", bad.returncode, bad.stdout.strip())
sys.exit(0 if ok else 1)
