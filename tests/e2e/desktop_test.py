#!/usr/bin/env python3
"""The desktop library against real services: a private CUPS daemon (its own
folders and socket, a queue that keeps each job in a file) receives the
printed report and the printed screen; the X clipboard of a private Xvfb
holds the copied text in UTF-8 after the copying program has ended; the
desktop shortcut passes desktop-file-validate, and its Exec line, run as a
desktop runs it, starts the game straight into that child's profile.

    desktop_test.py PROGRAM_FOLDER"""

import ctypes
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile

from quoli_e2e import (Checks, PrivateCups, WaitTimeout, XServer, framed, fresh_program_folder, profile_settings,
                       read_events, unquote_exec, wait_until, write_profile)

stage = os.path.abspath(sys.argv[1])
library = os.path.join(stage, "libExtUtils.so")
check = Checks()
work = tempfile.mkdtemp()
os.chmod(work, 0o755)  # the printing system's backend runs as its own user


# Printing.
cups = PrivateCups(os.path.join(work, "cups"))
os.environ["CUPS_SERVER"] = cups.socket
try:
    lib = ctypes.CDLL(library)
    lines = [b"Risultati di Niccol\xf2", b"08/12/2026 10:00:00", b"perch\xe9        CASA", None]
    array = (ctypes.c_char_p * len(lines))(*lines)
    status = lib.PrintAsciiText(b"Niccol\xf2", array, 1, None)
    check(f"the text job is accepted (status {status})", status == 0)
    data, title = cups.job(1)
    check(f"the queue keeps the job named after the child (got {title!r})", title == "Niccolò".encode())
    expected = "Niccolò\n\nRisultati di Niccolò\n08/12/2026 10:00:00\nperché        CASA\n".encode()
    check(f"the printed text is the lines under the title, accents in UTF-8 (got {data!r})", data == expected)

    sdl = ctypes.CDLL("libSDL-1.2.so.0")
    sdl.SDL_CreateRGBSurface.restype = ctypes.c_void_p
    sdl.SDL_CreateRGBSurface.argtypes = [ctypes.c_uint32, ctypes.c_int, ctypes.c_int, ctypes.c_int] + [ctypes.c_uint32] * 4
    surface = sdl.SDL_CreateRGBSurface(0, 80, 60, 16, 0xF800, 0x07E0, 0x001F, 0)

    class Rect(ctypes.Structure):
        _fields_ = [("x", ctypes.c_int16), ("y", ctypes.c_int16), ("w", ctypes.c_uint16), ("h", ctypes.c_uint16)]
    sdl.SDL_FillRect.argtypes = [ctypes.c_void_p, ctypes.POINTER(Rect), ctypes.c_uint32]
    sdl.SDL_FillRect(surface, None, 0xF800)                    # red
    sdl.SDL_FillRect(surface, ctypes.byref(Rect(40, 0, 40, 60)), 0x001F)  # the right half blue
    lib.PrintBitmap.argtypes = [ctypes.c_char_p, ctypes.c_void_p, ctypes.c_int]
    status = lib.PrintBitmap(b"Quoli - schermata di gioco", surface, 1)
    check(f"the picture job is accepted (status {status})", status == 0)
    data, title = cups.job(2)
    header = b"P6\n80 60\n255\n"
    check("the picture is the screen's size (80x60)", data is not None and data.startswith(header))
    if data:
        pixels = data[len(header):]
        check(f"every pixel is there (got {len(pixels)} bytes)", len(pixels) == 80 * 60 * 3)
        check("left red, right blue", pixels[0:3] == b"\xff\x00\x00" and pixels[-3:] == b"\x00\x00\xff")
finally:
    cups.stop()

# The clipboard, in a private X server: copied by a program that then ends.
x = XServer()
try:
    text_file = os.path.join(work, "report.txt")
    with open(text_file, "wb") as f:
        f.write(b"Risultati di Niccol\xf2\r\nperch\xe9 CASA\r\n")
    env = dict(os.environ, DISPLAY=x.display)
    env.pop("WAYLAND_DISPLAY", None)
    copier = subprocess.run([sys.executable, "-c", "import ctypes, sys; sys.exit(ctypes.CDLL(sys.argv[1])"
                             ".CopyTextFileToClipboard(sys.argv[2].encode()))", library, text_file], env=env,
                            timeout=20)
    check(f"the copy succeeds (status {copier.returncode})", copier.returncode == 0)
    pasted = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=env, capture_output=True, timeout=10).stdout
    check(f"the clipboard holds the text in UTF-8 after the copier ended (got {pasted!r})",
          pasted == "Risultati di Niccolò\r\nperché CASA\r\n".encode())
    no_tools = dict(env, PATH=os.path.join(work, "empty"))
    missing = subprocess.run([sys.executable, "-c", "import ctypes, sys; sys.exit(ctypes.CDLL(sys.argv[1])"
                              ".CopyTextFileToClipboard(sys.argv[2].encode()))", library, text_file], env=no_tools,
                             timeout=20)
    check(f"without a clipboard tool it fails quietly (status {missing.returncode})", missing.returncode not in (0, -11))

    # The desktop shortcut of a child whose name has a space and an accent.
    _, game = fresh_program_folder(stage)
    name = b"Niccol\xf2 Rossi"
    write_profile(game, name, profile_settings(b"Animali", lanes=1, fall=20))
    home = os.path.join(work, "home")
    os.makedirs(home)
    shortcut_env = dict(env, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
    made = subprocess.run([sys.executable, "-c", "import ctypes, sys; sys.exit(ctypes.CDLL(sys.argv[1])"
                           ".CreateIconOnDesktop(b'Quoli - ' + sys.argv[2].encode('latin-1'), b'Gioca con Quoli', "
                           "sys.argv[2].encode('latin-1'), None))", library, name.decode("latin-1")],
                          env=shortcut_env, cwd=game, timeout=20)
    check(f"the shortcut is made (status {made.returncode})", made.returncode == 0)
    desktop = os.path.join(home, "Desktop")
    entries = [e for e in os.listdir(desktop)] if os.path.isdir(desktop) else []
    check(f"one launcher on the desktop (got {entries})", len(entries) == 1 and entries[0].endswith(".desktop"))
    if entries:
        path = os.path.join(desktop, entries[0])
        check("the launcher is executable", os.access(path, os.X_OK))
        valid = subprocess.run(["desktop-file-validate", path], capture_output=True, text=True)
        check(f"desktop-file-validate accepts it: {valid.stdout.strip()}", valid.returncode == 0 and not valid.stdout.strip())
        fields = dict(line.split("=", 1) for line in open(path, encoding="utf-8").read().splitlines() if "=" in line)
        check(f"the title and comment (got {fields.get('Name')!r})",
              fields.get("Name") == "Quoli - Niccolò Rossi" and fields.get("Comment") == "Gioca con Quoli")
        check("the icon exists", os.path.exists(fields.get("Icon", "")))
        arguments = unquote_exec(fields.get("Exec", ""))
        check(f"the Exec line starts this folder's game for the child (got {arguments})",
              arguments == [os.path.join(game, "quoli"), "--", "Niccolò Rossi"])
        run_env = dict(env, LSAN_OPTIONS="detect_leaks=0")
        program = subprocess.Popen(arguments, cwd=fields.get("Path"), env=run_env, stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT)
        log = os.path.join(game, "DATA", "USERS.DAT")
        try:  # the game has started once its date, time and settings are recorded and its title is shown
            wait_until(lambda: os.path.exists(log) and len(read_events(game, whole_only=True)[1]) >= 3, 20,
                       "the shortcut's game to record its start")
            x.wait_screen(framed, 20, "the first level's title")
        except WaitTimeout as e:
            print(e)
        still = program.poll() is None
        program.send_signal(signal.SIGKILL)
        output = program.communicate()[0].decode("latin-1", "replace")
        check(f"the game is running ({output.strip()[-200:]})", still)
        log = os.path.join(game, "DATA", "USERS.DAT")
        events = read_events(game)[1] if os.path.exists(log) else []
        check(f"it is the child's game: date, time and settings recorded for her (got {[e[1] for e in events][:3]})",
              [e[1] for e in events][:3] == [1, 2, 3] and all(e[0] == 1 for e in events))
finally:
    x.stop()

shutil.rmtree(work, ignore_errors=True)
check.finish()
