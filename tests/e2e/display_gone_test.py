#!/usr/bin/env python3
"""When the display goes away under the program (the desktop's session
ends), the program ends too, with status 1, on classic SDL 1.2 and on the
layer over SDL 2 alike: on the title screen and in the middle of a game.
None stays behind without a display, holding the data folder's locks."""

import shutil
import subprocess
import sys

from quoli_e2e import Checks, XServer, fresh_program_folder, must_log, profile_settings, write_exercise, write_profile

COMPAT = "/usr/lib/x86_64-linux-gnu/sdl12-compat"
stage = sys.argv[1]
check = Checks()
for library in ("classic", "compat"):
    for screen in ("title", "game"):
        work, game = fresh_program_folder(stage)
        args = ["./quoli"]
        if screen == "game":
            write_exercise(game, "Prova.LEV", b"\r\n\r\n5\r\nPrimo\r\nsole\r\nmare\r\n")
            write_profile(game, b"Anna", profile_settings(b"Prova"))
            args.append("Anna")
        x = XServer()
        env = dict(x.env, LSAN_OPTIONS="detect_leaks=0")
        if library == "compat":
            env["LD_LIBRARY_PATH"] = COMPAT
        program = subprocess.Popen(args, cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        try:
            if screen == "game":
                must_log(game, 5, 1, 30, "a word to fall")
            else:
                x.wait_drawn()
            x.process.kill()
            try:
                status = program.wait(timeout=15)
            except subprocess.TimeoutExpired:
                status = None
            check(f"{library}, {screen}: the program ends with status 1 when the display goes (got {status})",
                  status == 1)
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()
            x.stop()
            shutil.rmtree(work, ignore_errors=True)
check.finish()
