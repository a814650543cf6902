#!/usr/bin/env python3
"""Full screen on panels of other sizes: the program asks for its 800x600
picture full screen on a 1366x768 and on a 1920x1080 screen, as on a
school's desktop: with a window manager (SDL 2 asks the window manager for
full screen). The whole picture shows, centred, its proportions kept
(scaled or not), never a corner of it; and the program's pointer is drawn
where the X pointer is.

    fullscreen_test.py PROGRAM_FOLDER [SHOTS_FOLDER]"""

import os
import shutil
import subprocess
import sys

from quoli_e2e import Checks, XServer, check_library, fresh_program_folder

stage = sys.argv[1]
shots = sys.argv[2] if len(sys.argv) > 2 else None
check = Checks()


def picture_box(screen, width):
    """The smallest rectangle holding every pixel that is not black."""
    box = None
    stride = screen.fb.stride
    for y in range(screen.height):
        row = screen.data[y * stride:y * stride + 4 * width]
        rest = row.lstrip(b"\0")
        if rest:
            x0, x1 = (len(row) - len(rest)) // 4, (len(row.rstrip(b"\0")) - 1) // 4
            box = (x0, y, x1, y) if box is None else (min(box[0], x0), box[1], max(box[2], x1), y)
    return box


def changed_box(a, b, width, near, reach):
    """Where screens a and b differ within `reach` pixels of `near`."""
    box = None
    stride = a.fb.stride
    for y in range(max(0, near[1] - reach), min(a.height, near[1] + reach)):
        for x in range(max(0, near[0] - reach), min(width, near[0] + reach)):
            at = y * stride + 4 * x
            if a.data[at:at + 3] != b.data[at:at + 3]:
                box = (x, y, x, y) if box is None else (min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y))
    return box


for size in ("1366x768", "1920x1080"):
    width, height = (int(n) for n in size.split("x"))
    work, game = fresh_program_folder(stage, "800x600")
    with open(os.path.join(game, "config.ini"), "wb") as f:
        f.write(b"[global]\r\nRESOLUTION=800x600\r\nFULLSCREEN=1\r\nAUDIO=0\r\n")
    x = XServer(window=size, screen_size=size)
    manager = subprocess.Popen(["matchbox-window-manager", "-use_titlebar", "no"], env=x.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        program = subprocess.Popen(["./quoli"], cwd=game, env=x.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT)
        check_library(check, program)
        subprocess.run(["xdotool", "mousemove", str(width // 2 - 100), str(height // 2 - 100)], env=x.env)
        # More than a pointer: the title's picture (a window manager may
        # first show the window as it was before it went full screen).
        x.wait_screen(lambda s: (lambda b: b is not None and b[2] - b[0] > 600)(picture_box(s, width)), 30,
                      "the picture on the screen")
        first = x.settled(quiet=0.3)
        box = picture_box(first, width)
        if shots:
            x.screenshot(os.path.join(shots, f"fullscreen-{size}.png"))
        check(f"{size}: a picture shows (got {box})", box is not None)
        if box:
            w, h = box[2] - box[0] + 1, box[3] - box[1] + 1
            check(f"{size}: the whole picture, at least 800x600 (got {w}x{h})", w >= 798 and h >= 598)
            check(f"{size}: its proportions kept, 4:3 (got {w}x{h})", abs(w * 3 - h * 4) <= 3 * 4)
            check(f"{size}: centred (got {box})",
                  abs(box[0] - (width - 1 - box[2])) <= 2 and abs(box[1] - (height - 1 - box[3])) <= 2)
            # The pointer: moved to a place of the picture, it is drawn there.
            target = (box[0] + w // 3, box[1] + h // 2)
            subprocess.run(["xdotool", "mousemove", str(target[0] - 12), str(target[1] - 12)], env=x.env)
            subprocess.run(["xdotool", "mousemove", str(target[0]), str(target[1])], env=x.env)
            moved = x.wait_change(first, 10, "the pointer drawn at its new place")
            drawn = changed_box(first, moved, width, target, 80)
            check(f"{size}: the pointer is drawn where it is (at {target}, drawn {drawn})",
                  drawn is not None and abs(drawn[0] - target[0]) <= 3 and abs(drawn[1] - target[1]) <= 3)
        x.key("ctrl+q")
        try:
            status = program.wait(timeout=15)
        except subprocess.TimeoutExpired:
            program.kill()
            status = -1
        check(f"{size}: Ctrl+Q ends the program (status {status})", status == 0)
    finally:
        manager.terminate()
        manager.wait()
        x.stop()
        shutil.rmtree(work, ignore_errors=True)
check.finish()
