#!/usr/bin/env python3
"""A teacher's afternoon in a real X server, with a private printing system:
two children play a short game each; the results archive (F9) shows the
first child's report, copies it (the clipboard holds it) and prints it (the
queue receives it); the profile menu (F7) deletes the second child (the
results log keeps only the first child's events, byte for byte) and puts a
shortcut for the first child on the desktop, whose Exec line starts her game.

    results_test.py PROGRAM_FOLDER [RESOLUTION [SCREENSHOT_FOLDER]]"""

import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile

from quoli_e2e import (Checks, PrivateCups, WaitTimeout, XServer, confirm_top_ten, fresh_program_folder, logged_texts,
                       must_log, profile_settings, read_events, unquote_exec, wait_for_end, wait_until, write_exercise,
                       write_profiles)

stage = os.path.abspath(sys.argv[1])
resolution = sys.argv[2] if len(sys.argv) > 2 else "800x600"
shots = sys.argv[3] if len(sys.argv) > 3 else None
check = Checks()
work, game = fresh_program_folder(stage, resolution)
os.chmod(work, 0o755)
write_exercise(game, "Breve.LEV", b"\r\n\r\n2\r\nPrimo\r\nsole\r\nmare\r\n")
settings = profile_settings(b"Breve", lanes=1, fall=20)
write_profiles(game, [(b"Anna", settings), (b"Bruno", settings)])
home = os.path.join(work, "home")
os.makedirs(home)

cups = PrivateCups(os.path.join(work, "cups"))
x = XServer(window=resolution)
env = dict(x.env, CUPS_SERVER=cups.socket, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
env.pop("WAYLAND_DISPLAY", None)
shot_number = [0]


def key(*names):
    x.press(*names)


def shot(name):
    shot_number[0] += 1
    if shots:
        x.screenshot(os.path.join(shots, f"results-{resolution}-{shot_number[0]:02d}-{name}.png"), resolution)


def play(child, words):
    """A child's short game, started as a shortcut starts it."""
    program = subprocess.Popen(["./quoli", child], cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    games = len(logged_texts(game, 11))
    shown = len(logged_texts(game, 5))
    for number in range(shown + 1, shown + 3):  # each word typed as it falls
        x.typed(must_log(game, 5, number, 30, f"{child}'s word to fall")[number - 1])
    must_log(game, 11, games + 1, 30, f"{child}'s game to be completed")
    confirm_top_ten(x, game)           # the top ten: confirm the name, close the table
    status, output = wait_for_end(program, 20)
    check(f"{child}'s game ends by itself (status {status})", status == 0)


try:
    play("Anna", ["sole", "mare"])
    play("Bruno", ["mare", "sole"])
    magic, events = read_events(game)
    log_before = open(os.path.join(game, "DATA", "USERS.DAT"), "rb").read()
    check(f"both children are in the log (got users {sorted(set(e[0] for e in events))})",
          sorted(set(e[0] for e in events)) == [1, 2])

    program = subprocess.Popen(["./quoli"], cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    x.wait_drawn()
    key("Return")                      # the title screen: on to the main menu

    key("F9"); shot("archive")
    key("Return"); shot("chooser")     # "Mostra i risultati"
    key("Down", "Return"); shot("report")  # Anna
    x.key("c")                         # "Copia"

    def clipboard():
        return subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=env, capture_output=True,
                              timeout=10).stdout.decode("utf-8", "replace")
    try:
        pasted = wait_until(clipboard, 10, "the clipboard to hold the report", interval=0.1)
    except WaitTimeout:
        pasted = ""
    hits = sorted(e[2].rstrip(b"\0").decode("latin-1") for e in events if e[0] == 1 and e[1] == 7)
    # Her keys, hit or mistyped, each appear in her report as often as in her events.
    typed = [e[2].rstrip(b"\0").decode("latin-1") for e in events if e[0] == 1 and e[1] in (6, 7)]
    check(f"the copied report is Anna's: her level and her keys {typed} (got {pasted!r})",
          "Primo" in pasted and all(h in pasted for h in hits) and
          all(pasted.count(w) == sum(t.count(w) for t in typed) for w in ("SOLE", "MARE")))
    shot("copied")
    key("Return")                      # the message: the text is copied
    key("Escape")                      # close the report
    key("s"); key("Down", "Return"); shot("print-question")  # "Stampa i risultati", Anna
    key("s")                           # yes
    printed, title = cups.job(1)
    check(f"the queue received the report, named after Anna (got {title!r})", title == b"Anna")
    check("the printed report is the copied one under her name",
          printed is not None and printed.decode("utf-8", "replace").replace("\r", "").startswith("Anna\n\n") and
          all(h in printed.decode("utf-8", "replace") for h in hits))
    key("Return")                      # the message that it was printed
    key("Escape")                      # the archive closes; the report file goes with it

    key("F7"); shot("profiles")
    key("e"); key("Down", "Down", "Return"); shot("delete-question")  # "Elimina un profilo", Bruno
    key("s")
    key("i"); key("Down", "Return"); shot("shortcut-made")  # "Icona sul desktop", Anna
    key("Return")                      # the message
    key("Escape")
    key("Escape")                      # the quit question
    x.key("s")
    status, output = wait_for_end(program, 15)
    check(f"the program ends with status 0 (got {status})", status == 0)
finally:
    pass

check("the report file is gone", not os.path.exists(os.path.join(game, "DATA", "LAST.TXT")))
registry = open(os.path.join(game, "DATA", "USERS.ANA"), "rb").read()
check("only Anna is left in the profiles", struct.unpack_from("<i", registry, 4)[0] == 1 and registry[8:12] == b"Anna")
kept = log_before[:4]
at = 4
while at + 12 <= len(log_before):
    user, kind, size = struct.unpack_from("<iii", log_before, at)
    if user == 1:
        kept += log_before[at:at + 12 + size]
    at += 12 + size
check("the log keeps Anna's events byte for byte, and only hers",
      open(os.path.join(game, "DATA", "USERS.DAT"), "rb").read() == kept)

desktop = os.path.join(home, "Desktop")
launchers = os.listdir(desktop) if os.path.isdir(desktop) else []
check(f"a launcher for Anna on the desktop (got {launchers})", launchers == ["quoli-Anna.desktop"])
try:
    if launchers:
        fields = dict(line.split("=", 1) for line in open(os.path.join(desktop, launchers[0]), encoding="utf-8")
                      .read().splitlines() if "=" in line)
        events_before = len(read_events(game)[1])
        child = subprocess.Popen(unquote_exec(fields["Exec"]), cwd=fields["Path"], env=env, stdout=subprocess.PIPE,
                                 stderr=subprocess.STDOUT)
        try:  # her game has started, and is in play once a word falls (after the title)
            wait_until(lambda: 5 in [e[1] for e in read_events(game, whole_only=True)[1][events_before:]], 30,
                       "the shortcut's game to start and a word to fall")
        except WaitTimeout as e:
            print(e)
        shot("shortcut-game")
        running = child.poll() is None
        child.send_signal(signal.SIGKILL)
        child.communicate()
        new = read_events(game)[1][events_before:]
        check(f"the shortcut starts Anna's game (running {running}, new events {[(e[0], e[1]) for e in new][:4]})",
              running and [e[1] for e in new][:3] == [1, 2, 3] and all(e[0] == 1 for e in new))
finally:
    x.stop()
    cups.stop()
shutil.rmtree(work, ignore_errors=True)
check.finish()
