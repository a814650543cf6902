#!/usr/bin/env python3
"""A teacher's exercise workshop in a real X server, then a child's game on
what she made. From the main menu: F3, new, "Completa", a name, a level
"Vocali" with three words whose letters are hidden on the grid (arrows and
Space, and one with a mouse click), the count set to 3, yes to saving. The
child then plays it by typing only the hidden letters, and the results log
shows the hits. A second pass adds a level, moves it up, renames it and
deletes a word, then deletes another exercise; the files are checked byte
by byte.

    editors_test.py PROGRAM_FOLDER [RESOLUTION [SCREENSHOT_FOLDER]]"""

import os
import shutil
import subprocess
import sys
import time

from quoli_e2e import (FOCUS_YELLOW, TOP_TEN_ORANGE, Checks, XServer, confirm_top_ten, fresh_program_folder, must_log,
                       profile_settings, read_events, wait_for_end, write_last_user)

stage = sys.argv[1]
resolution = sys.argv[2] if len(sys.argv) > 2 else "800x600"
shots = sys.argv[3] if len(sys.argv) > 3 else None
check = Checks()
work, game = fresh_program_folder(stage, resolution)
completa = os.path.join(game, "Esercizi", "Completa")
write_last_user(game, b"Anna", profile_settings(b"", lanes=1, fall=20, kind=2))

x = XServer(window=resolution)
shot_number = [0]


def key(*names):
    x.press(*names)


def typed(text):
    x.enter(text)


def shot(name):
    """With a folder, a screenshot for review."""
    shot_number[0] += 1
    if shots:
        x.screenshot(os.path.join(shots, f"editors-{resolution}-{shot_number[0]:02d}-{name}.png"), resolution)


def hide_on_grid(word, keys, click_letter=None):
    """In the word list: the word, Enter, then the grid's keys (and a click on
    one letter), then Enter to take it."""
    typed(word)
    key("Return")
    shot("grid-" + word)
    box = x.colour_box(FOCUS_YELLOW)
    key(*keys)
    if click_letter is not None:
        # The focused grid is framed in the focus colour; its cells lie 3
        # pixels inside, ten to a row, three rows.
        check(f"the grid is found on the screen (got {box})", box is not None)
        if box:
            left, top, right, bottom = box[0] + 3, box[1] + 3, box[2] - 3, box[3] - 3
            cell_w, cell_h = (right - left + 1) / 10, (bottom - top + 1) / 3
            x.click(int(left + (click_letter + 0.5) * cell_w), int(top + 0.5 * cell_h))
    shot("grid-" + word + "-marked")
    key("Return")


def saved(path, expected):
    """The file's content once it is `expected` (or as it is after 5 s)."""
    def content():
        return open(path, "rb").read() if os.path.exists(path) else b""
    end = time.monotonic() + 5
    while content() != expected and time.monotonic() < end:
        time.sleep(0.02)
    return content()


try:
    program = subprocess.Popen(["./quoli"], cwd=game, env=x.env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    x.wait_drawn()
    key("Return")                      # title screen: on to the main menu, "Anna" and "Completa" already set
    shot("main-menu")

    # First pass: a new "Completa" exercise.
    key("F3"); shot("exercise-menu")
    key("Return"); shot("kind")        # "Nuovo esercizio"
    key("c"); shot("name")             # "Completa"
    typed("A_vocali")
    key("Return"); shot("levels-new")
    key("n"); shot("level-title")      # "Nuovo livello"
    typed("Vocali")
    key("Return"); shot("words-new")   # the new level's words open at once
    hide_on_grid("casa", ["Right", "space", "Right", "Right", "space"])
    hide_on_grid("mare", ["space"])
    hide_on_grid("sole", [], click_letter=2)
    shot("words-three")
    key("alt+n"); shot("count")        # "Numero di parole"
    key("End", "BackSpace")
    typed("3")
    key("Return")
    key("Escape"); shot("save-question")
    key("s"); shot("levels-saved")     # yes: the level and the exercise are saved
    key("Escape", "Escape", "Escape")  # level list, kind chooser, exercise menu
    first = saved(os.path.join(completa, "A_vocali.CMP"), b"\r\n\r\n3\r\nVocali\r\nc_s_ aa\r\n_are m\r\nso_e l\r\n")
    check(f"the new exercise is saved as the teacher made it (got {first!r})",
          first == b"\r\n\r\n3\r\nVocali\r\nc_s_ aa\r\n_are m\r\nso_e l\r\n")

    # The child plays it: the new exercise is the first of the list.
    key("alt+e")                       # "Esercizi": the exercise list
    key("Down"); shot("main-menu-chosen")
    x.key("F10")
    for number in (1, 2, 3):           # the hidden letters of each word, as it falls
        x.typed(must_log(game, 5, number, 30, f"word {number} to fall")[number - 1])
    must_log(game, 11, 1, 40, "the exercise to be completed")
    confirm_top_ten(x, game)           # the top ten: confirm "Anna", close the table
    x.wait_screen(lambda s: s.pixel(2, 2) != TOP_TEN_ORANGE, 10, "the main menu after the top ten")
    x.settled()

    # Second pass: modify the exercise.
    key("F3")
    key("m")                           # "Modifica"
    key("c"); shot("chooser")
    key("Down")                        # the first exercise, A_vocali
    key("Return"); shot("levels-two-passes")
    key("n")
    typed("Doppie")
    key("Return")
    hide_on_grid("gatto", ["Right", "Right", "space", "Right", "space"])
    key("Escape")
    key("s")                           # the new level saved
    key("s"); shot("levels-moved")     # "Su": the new level goes first
    key("r"); shot("rename")           # "Rinomina"
    key("End")
    typed(" facili")
    key("Return")                      # the focus is still on the level list
    key("Down")                        # "Vocali", now second
    key("m"); shot("words-vocali")     # "Modifica"
    key("Tab")                         # to the word list ("Aggiungi" is off while the entry is empty)
    key("Down", "Down")                # "mare"
    key("e"); shot("delete-word")      # "Elimina"
    key("s")
    key("Escape", "s")                 # the level saved, and with it the rename and the move
    key("Escape"); shot("chooser-again")  # nothing left to save: no question
    key("Escape", "Escape")            # chooser, kind chooser: the exercise menu again
    key("e")                           # "Elimina"
    key("c")
    key("Down", "Down"); shot("delete-chooser")  # from A_vocali, still chosen: Accenti, Doppie
    key("e"); shot("delete-question")
    key("s")
    key("Escape", "Escape", "Escape")
    shot("main-menu-end")
    key("Escape")                      # the quit question
    x.key("s")
    status, output = wait_for_end(program, 15, lambda: x.screenshot("/tmp/quoli-editors-failure.png", resolution))
    check(f"the program ends with status 0 (got {status})", status == 0)
    if status != 0:
        print(output)
finally:
    x.stop()

magic, events = read_events(game) if os.path.exists(os.path.join(game, "DATA", "USERS.DAT")) else (b"", [])
text = lambda e: e[2].rstrip(b"\0").decode("latin-1")
levels = [text(e) for e in events if e[1] == 4]
check(f"the game played the level Vocali (got {levels})", levels == ["Vocali"])
hits = [text(e) for e in events if e[1] == 7]
check(f"three hits by the hidden letters alone (got {hits})", sorted(hits) == ["AA", "L", "M"])
kinds = [e[1] for e in events]
check(f"the game was completed (got {kinds[-2:]})", kinds[-2:] == [11, 8])

second = open(os.path.join(completa, "A_vocali.CMP"), "rb").read()
check(f"the second pass is saved (got {second!r})",
      second == b"\r\n\r\n5\r\nDoppie facili\r\nga__o tt\r\n\r\n3\r\nVocali\r\nc_s_ aa\r\nso_e l\r\n")
check("the deleted exercise is gone", not os.path.exists(os.path.join(completa, "Doppie.CMP")))
for name in ("Accenti.CMP", "Vocali_mancanti.CMP"):
    check(f"{name} is untouched", open(os.path.join(completa, name), "rb").read() ==
          open(os.path.join(stage, "Esercizi", "Completa", name), "rb").read())
check("no scraps are left in the folder", sorted(os.listdir(completa)) ==
      ["A_vocali.CMP", "Accenti.CMP", "Vocali_mancanti.CMP"])
shutil.rmtree(work, ignore_errors=True)
check.finish()
