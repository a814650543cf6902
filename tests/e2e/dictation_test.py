#!/usr/bin/env python3
"""Dictation in a real X server, with the voice speaking into SDL's dummy
sound driver: the same two-level exercise is played once typed normally
(the program started straight into the child's game) and once as a
dictation chosen in the main menu, typed from what the test knows the words
are. The results log of the dictation is the normal game's, record for
record (dates and times apart), and the statistics note the dictation.
Screenshots of the dictation go to SHOTS when it is given.

    dictation_test.py STAGE [RESOLUTION] [SHOTS]"""

import os
import sqlite3
import subprocess
import sys

from quoli_e2e import (Checks, XServer, fresh_program_folder, must_log, profile_settings, read_events,
                       wait_for_end, write_exercise, write_last_user, write_profile)

stage = sys.argv[1]
resolution = sys.argv[2] if len(sys.argv) > 2 else "800x600"
shots = sys.argv[3] if len(sys.argv) > 3 else None
check = Checks()
work, game = fresh_program_folder(stage, resolution)
with open(os.path.join(game, "config.ini"), "wb") as f:
    f.write(b"[global]\r\nRESOLUTION=" + resolution.encode() + b"\r\nFULLSCREEN=0\r\nAUDIO=1\r\n")
# One word a level: both games see their words in the same order.
write_exercise(game, "Prova.LEV", b"\r\n\r\n1\r\nPrimo\r\nsole\r\n\r\n1\r\nSecondo\r\npesca [[p'eska]]\r\n")
settings = profile_settings(b"Prova", top_ten=False, fall=8)
write_profile(game, b"Anna", settings)
write_last_user(game, b"Anna", settings)


def play(x, first_event, shot=None):
    """Types each word once it is shown (the first in two goes, with a
    screenshot between them when `shot` names one)."""
    for number, word in ((1, "sole"), (2, "pesca")):
        shown = must_log(game, 5, first_event[5] + number, 40, f"word {number} to fall")
        check(f"the word is logged as written in the exercise (got {shown[-1]!r})", shown[-1] == word)
        x.typed("x" + word[:2])  # a wrong key first, as a child might
        if shot and number == 1:
            # Once the word's pale box has fallen a third of the way.
            width, height = (int(v) for v in resolution.split("x"))
            low = lambda s: (lambda b: b is not None and b[1] > height // 3)(s.colour_box((248, 252, 248), width))
            x.wait_screen(low, 10, "the word to fall a third of the way")
            x.screenshot(shot, resolution)
        x.typed(word[2:])
        must_log(game, 7, first_event[7] + number, 15, f"word {number} to be hit")
    must_log(game, 11, first_event[11] + 1, 40, "the exercise to be completed")


x = XServer(window=resolution)
env = dict(x.env, SDL_AUDIODRIVER="dummy")
try:
    normal = subprocess.Popen(["./quoli", "Anna"], cwd=game, env=env, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT)
    play(x, {5: 0, 7: 0, 11: 0})
    status, output = wait_for_end(normal, 30)
    check(f"the normal game ends by itself (status {status})", status == 0)
    _, events = read_events(game)
    first_game = len(events)

    menu = subprocess.Popen(["./quoli"], cwd=game, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    title = x.wait_screen(lambda s: not s.blank(), 20, "the title screen")
    x.key("Return")
    x.wait_screen(lambda s: s != title and not s.blank(), 20, "the main menu")
    # From the name: the kinds, the themes, then the dictation box.
    x.key("Tab", "Tab", "Tab", "space", pause=0.3)
    x.key("F10")
    if shots:
        os.makedirs(shots, exist_ok=True)
    play(x, {5: 2, 7: 2, 11: 1}, os.path.join(shots, f"dictation-{resolution}.png") if shots else None)
    must_log(game, 8, 2, 30, "the dictation's game to close")
    x.key("ctrl+q")
    status, output = wait_for_end(menu, 30)
    check(f"the program ends when asked (status {status})", status == 0)
finally:
    x.stop()

_, events = read_events(game)
strip = lambda es: [(u, k, d) for (u, k, d) in es if k not in (1, 2)]
normal_events, dictation_events = strip(events[:first_game]), strip(events[first_game:])
check(f"the dictation's log is the normal game's ({len(dictation_events)} and {len(normal_events)} records)",
      dictation_events == normal_events)
check("no bracket in the log", all(b"[[" not in d for (_, _, d) in events))
db = sqlite3.connect(os.path.join(game, "DATA", "STATS.DB"))
games = db.execute("SELECT id FROM games ORDER BY id").fetchall()
dictations = db.execute("SELECT game FROM dictation_games").fetchall()
check(f"the statistics know the second game was a dictation (games {games}, dictations {dictations})",
      len(games) == 2 and dictations == [games[1]])
voice = db.execute("SELECT dictation FROM voice_options").fetchall()
check(f"Anna's choice of dictation is kept beside her profile (got {voice})", voice == [(1,)])
check.finish()
