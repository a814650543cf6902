#!/usr/bin/env python3
"""The teacher's statistics in a real X server, with a private printing
system: two children play a short game each, a wrong key before every word;
the statistics database holds both games key by key; the results archive
(F9) shows the first child's progress (printed to the queue, an exercise of
her own made from it), the class table (sorted with a key), and exports the
statistics to the documents folder, read back with Python's csv module; the
child's next game plays the exercise made for her.

    stats_test.py PROGRAM_FOLDER [RESOLUTION [SCREENSHOT_FOLDER]]"""

import csv
import os
import shutil
import signal
import sqlite3
import subprocess
import sys

from quoli_e2e import (Checks, PrivateCups, XServer, confirm_top_ten, fresh_program_folder, logged_texts, must_log,
                       profile_settings, read_events, wait_for_end, wait_until, write_exercise, write_profiles)

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
database = os.path.join(game, "DATA", "STATS.DB")


def shot(name):
    if shots:
        x.screenshot(os.path.join(shots, f"stats-{resolution}-{name}.png"), resolution)


def play(child, wrong):
    """A child's short game: a wrong key, then the word, for each word."""
    program = subprocess.Popen(["./quoli", child], cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    games = len(logged_texts(game, 11))
    shown = len(logged_texts(game, 5))
    for number in range(shown + 1, shown + 3):
        word = must_log(game, 5, number, 30, f"{child}'s word to fall")[number - 1]
        x.typed(wrong + word)
    must_log(game, 11, games + 1, 30, f"{child}'s game to be completed")
    confirm_top_ten(x, game)
    status, output = wait_for_end(program, 20)
    check(f"{child}'s game ends by itself (status {status})", status == 0)


def rows(sql):
    db = sqlite3.connect(database)
    try:
        return db.execute(sql).fetchall()
    finally:
        db.close()


try:
    play("Anna", "q")
    play("Bruno", "z")
    games = rows("SELECT c.name, g.keys, g.keys_wrong, g.words_hit, g.outcome FROM games g JOIN children c"
                 " ON c.id = g.child ORDER BY g.id")
    check(f"both games are in the statistics, key by key (got {games})",
          games == [("Anna", 10, 2, 2, 1), ("Bruno", 10, 2, 2, 1)])
    instead = rows("SELECT key, expected FROM keys WHERE right = 0 ORDER BY game, at_ms")
    check(f"each wrong key with the word's first letter expected (got {instead})",
          [k for k, _ in instead] == ["Q", "Q", "Z", "Z"] and all(e in ("S", "M") for _, e in instead))
    check("the database is whole", rows("PRAGMA integrity_check") == [("ok",)])

    program = subprocess.Popen(["./quoli"], cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    x.wait_drawn()
    x.press("Return")                  # the title screen: on to the main menu
    x.press("F9"); shot("archive")
    x.press("p")                       # "Progressi"
    x.press("Down", "Return")          # Anna
    x.settled(); shot("progress")
    x.press("s")                       # "Stampa": the page as a picture
    printed, title = cups.job(1)
    check(f"the progress page reached the queue, named after Anna (got {title!r})",
          title is not None and b"Anna" in title and printed is not None and printed.startswith(b"P6"))
    x.settled(); shot("printed")
    x.press("Return")                  # the message
    x.press("e")                       # "Esercizio su misura"
    x.settled(); shot("tailored")
    x.press("Return")
    x.press("Escape")                  # back to the archive
    x.press("l"); x.settled(); shot("class")  # "Classe"
    x.key("p"); x.settled(); shot("class-by-accuracy")
    x.press("Escape")
    x.press("e")                       # "Esporta"
    x.settled(); shot("exported")
    x.press("Return")
    x.press("Escape")                  # the archive closes
    x.press("Escape")                  # the quit question
    x.key("s")
    status, output = wait_for_end(program, 15)
    check(f"the program ends with status 0 (got {status})", status == 0)

    exported = os.path.join(home, "Documents", "Quoli")
    try:
        with open(os.path.join(exported, "partite.csv"), encoding="utf-8-sig", newline="") as f:
            table = list(csv.reader(f, delimiter=";"))
    except OSError as e:
        table = [str(e)]
    check(f"the games file lists both games in Italian form (got {table})",
          len(table) == 3 and table[0][0] == "bambino" and [r[0] for r in table[1:]] == ["Anna", "Bruno"] and
          all(r[10] == "80,0" and r[1].count("/") == 2 for r in table[1:]))

    # Anna's next game plays the exercise made for her, of the words she missed.
    before = len(read_events(game)[1])
    child = subprocess.Popen(["./quoli", "Anna"], cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    try:
        wait_until(lambda: 5 in [e[1] for e in read_events(game, whole_only=True)[1][before:]], 30,
                   "Anna's next game to show a word")
    finally:
        child.send_signal(signal.SIGKILL)
        child.communicate()
    new = read_events(game)[1][before:]
    chosen = [e[2] for e in new if e[1] == 3]
    exercise = chosen[0][45:45 + 259].split(b"\0")[0] if chosen else b""
    words = [e[2].rstrip(b"\0") for e in new if e[1] == 5]
    check(f"her game plays her own exercise (got {exercise!r}) of her words (got {words})",
          exercise.startswith(b"Anna_") and words and all(w in (b"sole", b"mare") for w in words) and
          os.path.exists(os.path.join(game, "Esercizi", "Livelli", exercise.decode() + ".LEV")))
finally:
    x.stop()
    cups.stop()
shutil.rmtree(work, ignore_errors=True)
check.finish()
