#!/usr/bin/env python3
"""A school's shared program folder, writable by every account. The
teacher's results log is hers alone (mode 0600); a pupil on the class
account starts "quoli Anna" in a real X server and plays. The game is played
to its end, the teacher is told in Italian which file could not be used and
why, and her log is left byte for byte; at 640x480 and at 1024x768."""

import os
import shutil
import subprocess
import sys

from quoli_e2e import (Checks, XServer, confirm_top_ten_and_end, framed, fresh_program_folder, profile_settings,
                       write_exercise, write_profile)

NOBODY = 65534

stage = sys.argv[1]
check = Checks()
keep = os.environ.get("QUOLI_KEEP_SCREENS")  # a folder for the screenshots, to look at them
for resolution in ("640x480", "1024x768"):
    work, game = fresh_program_folder(stage, resolution)
    os.chmod(work, 0o755)
    write_exercise(game, "Prova.LEV", b"\r\n\r\n1\r\nUno\r\nsole\r\n")
    write_profile(game, b"Anna", profile_settings(b"Prova"))
    teacher_log = b"DAT\x1a" + (1).to_bytes(4, "little") + (4).to_bytes(4, "little") + (4).to_bytes(4, "little") + b"Uno\0"
    log_path = os.path.join(game, "DATA", "USERS.DAT")
    with open(log_path, "wb") as f:
        f.write(teacher_log)
    for root, dirs, files in os.walk(game):
        for name in dirs + files + [""]:
            path = os.path.join(root, name)
            os.chmod(path, os.stat(path).st_mode | (0o777 if os.path.isdir(path) else 0o666))
    os.chmod(log_path, 0o600)  # the teacher's alone

    x = XServer(window=resolution)
    subprocess.run(["xhost", "+SI:localuser:nobody"], env=x.env, capture_output=True)
    try:
        env = dict(x.env, HOME="/nonexistent", LSAN_OPTIONS="detect_leaks=0")
        program = subprocess.Popen(["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", "./quoli",
                                    "Anna"], cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        x.wait_screen(framed, 30, "the level's title")
        x.wait_screen(lambda s: not framed(s), 30, "the level's title to give way to play")
        x.typed("sole")
        x.wait_screen(framed, 30, "the final screen, after the level done")
        x.wait_screen(lambda s: not framed(s), 30, "the message after the final screen")
        x.settled()
        if keep:
            x.screenshot(os.path.join(keep, f"shared-message-{resolution}.png"), resolution)
        x.key("Return")  # the message: the log could not be used
        confirm_top_ten_and_end(x, program, check, game)
    finally:
        x.stop()
    with open(log_path, "rb") as f:
        check(f"{resolution}: the teacher's log is kept byte for byte", f.read() == teacher_log)
    check(f"{resolution}: nothing was set beside it",
          not [n for n in os.listdir(os.path.join(game, "DATA")) if n.startswith("USERS-")])
    shutil.rmtree(work, ignore_errors=True)
check.finish()
