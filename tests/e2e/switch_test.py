#!/usr/bin/env python3
"""Switch access in real X servers, real key presses only. The three parts
run side by side, each in an X server and a program folder of its own.

(a) A teacher opens the controls (F6), turns the device on, picks the
    keyboard with two switches and tries it (F2): the test panel's "OK" box
    fills while Enter is held and empties when it is let go; the joystick-
    like look with directions and the pointer look open too; serial port 4,
    which this machine does not have, gives the Italian message.
(b) A child whose profile has the keyboard as two switches goes from the
    title screen to the game and destroys every word of a two-level exercise
    with Space (step) and Enter (select) only, on the letter strip; the
    results log holds each word hit; the final screen and the top ten follow.
(c) The child with one switch (Space, scan every 0.5 s) destroys a word
    by pressing Space when the scan reaches each letter.

    switch_test.py PROGRAM_FOLDER [RESOLUTION [SCREENSHOT_FOLDER]]"""

import os
import shutil
import subprocess
import sys
import threading
import time
import traceback

from quoli_e2e import (SCAN_RED, TOP_TEN_ORANGE, Checks, XServer, confirm_top_ten, framed, fresh_program_folder,
                       logged_texts, profile_settings, read_strip, strip_letters, top_ten_name_asked, type_on_strip, wait_for_end,
                       wait_logged, wait_strip, write_exercise, write_last_user, write_profile)

stage = os.path.abspath(sys.argv[1])
resolution = sys.argv[2] if len(sys.argv) > 2 else "800x600"
shots = sys.argv[3] if len(sys.argv) > 3 else None
width, height = (int(n) for n in resolution.split("x"))
check = Checks()

RED = SCAN_RED
shot_number = [0]


def shot(x, name):
    """With a folder, a screenshot for review."""
    if shots:
        shot_number[0] += 1
        x.screenshot(os.path.join(shots, f"switch-{resolution}-{shot_number[0]:02d}-{name}.png"), resolution)


def start(x, game, *args):
    return subprocess.Popen(["./quoli", *args], cwd=game, env=x.env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)


def teacher(x, work_game):
    """(a): the controls dialog and its test panel, keyboard only."""
    settings = bytearray(profile_settings(b"Prova"))
    settings[474] = 1  # this profile may use pointer events as a device
    write_last_user(work_game, b"Maestra", bytes(settings))
    program = start(x, work_game)
    try:
        x.wait_drawn()
        x.press("Return")              # title screen: on to the main menu
        x.press("F6")                  # the controls
        shot(x, "controls-off")
        x.press("space", "t", "2")     # on; the keyboard; two switches
        shot(x, "controls-two-switches")
        x.press("F2")
        check("no red in the panel before a switch is pressed", x.colour_box(RED) is None)
        x.hold("Return", True)
        held = x.poll_screen(lambda s: s.colour_box(RED, width), 5)
        if shots:
            shot(x, "panel-ok-held")
        box = held.colour_box(RED, width) if held else None
        x.hold("Return", False)
        check(f"the OK box fills while Enter is held (got {box})",
              box is not None and 25 <= box[2] - box[0] <= 70 and abs((box[2] - box[0]) - (box[3] - box[1])) <= 1
              and box[2] < width // 2)
        check("and empties when it is let go", x.poll_screen(lambda s: s.colour_box(RED, width) is None, 5) is not None)
        x.hold("space", True)
        held = x.poll_screen(lambda s: s.colour_box(RED, width), 5)
        scan = held.colour_box(RED, width) if held else None
        x.hold("space", False)
        check(f"Space fills the scan box, on the right (got {scan})", scan is not None and scan[0] > width // 2)
        x.poll_screen(lambda s: s.colour_box(RED, width) is None, 5)
        x.press("Escape")              # the panel closes
        x.press("d", "F2")             # one switch and directions: the arrows
        shot(x, "panel-directions")
        x.press("Escape")
        x.press("1")                   # back to one switch
        x.press("p", "F2")             # pointer events: the pointer field
        subprocess.run(["xdotool", "mousemove", str(width // 3), str(height // 3)], env=x.env)
        shot(x, "panel-pointer")
        x.press("Escape")
        x.press("s", "Tab", "Tab", "Down", "Down", "Down")  # serial; its ports; port 4
        shot(x, "controls-serial-4")
        x.press("F2")
        shot(x, "serial-4-message")
        x.press("Return")              # the message closes
        x.press("Escape")              # the controls close
        x.press("Escape")              # the quit question
        x.key("s")
        status, output = wait_for_end(program, 15)
    finally:
        if program.poll() is None:
            program.kill()
    check(f"the teacher's program ends with status 0 (got {status})", status == 0)
    check("serial port 4 gives the Italian message",
          "Impossibile usare il dispositivo: controlla che sia collegato e acceso." in output)
    check("the keyboard and pointer panels opened without it", output.count("Impossibile usare il dispositivo") == 1)


def two_switch_child(x, game):
    """(b): from the title screen to the end of the game, Space and Enter."""
    write_exercise(game, "Prova.LEV", b"\r\n\r\n2\r\nPrimo\r\nsole\r\nmare\r\n\r\n1\r\nSecondo\r\ncasa\r\n")
    settings = profile_settings(b"Prova", fall=40, switches=2)
    write_profile(game, b"Sara", settings)
    write_last_user(game, b"Sara", settings)
    fb = x.framebuffer
    program = start(x, game)
    try:
        x.wait_drawn()
        shot(x, "title-scanned")
        x.press("Return")              # switch 1 presses "Invio - Avanti", marked from the start
        x.press("space")
        shot(x, "menu-scanned")
        x.press(*["space"] * 11)       # on round the menu to "F10 - Gioca!"
        shot(x, "menu-play-marked")
        x.key("Return")
        hit = 0
        for number in range(1, 4):
            shown = wait_logged(game, 5, number, 30)
            if len(shown) < number:
                break
            word = shown[number - 1]
            wait_strip(fb, width, height, lambda c, lit: c == len(strip_letters(word)), 10)
            if number == 1:
                shot(x, "game-strip")
            type_on_strip(x, fb, width, height, word)
            hit = len(wait_logged(game, 7, number, 5))
        check(f"every word of both levels is hit (got {hit} of 3)", hit == 3)
        completed = wait_logged(game, 11, 1, 30)
        check("the game is completed", len(completed) == 1)
        if shots:
            x.wait_screen(framed, 10, "the final screen")
            shot(x, "final-screen")
        # After the final screen, the top ten's name: switch 1 on the focused
        # name keeps it (the table is saved), switch 1 on OK closes the table.
        x.wait_screen(lambda s: top_ten_name_asked(s, width), 30, "the top ten to ask for the name")
        shot(x, "top-ten-name")
        confirm_top_ten(x, game)
        x.wait_screen(lambda s: s.pixel(2, 2) != TOP_TEN_ORANGE, 10, "the main menu after the top ten")
        shot(x, "after-top-ten")
    finally:
        program.kill()
        program.wait()
    hits = logged_texts(game, 7)
    check(f"the log has each word hit (got {hits})", sorted(hits) == ["CASA", "MARE", "SOLE"])
    levels = logged_texts(game, 4)
    check(f"both levels are recorded (got {levels})", levels == ["Primo", "Secondo"])


def one_switch_child(x, game):
    """(c): one switch, Space, the scan stepping every half second."""
    write_exercise(game, "Uno.LEV", b"\r\n\r\n1\r\nUno\r\nsole\r\n")
    settings = profile_settings(b"Uno", fall=40, switches=1, scan_tenths=5)
    write_profile(game, b"Sara", settings)
    fb = x.framebuffer
    program = start(x, game, "Sara")
    try:
        shown = wait_logged(game, 5, 1, 20)
        check("a word falls", len(shown) == 1)
        cells = strip_letters(shown[0] if shown else "sole")
        first = wait_strip(fb, width, height, lambda c, lit: c == len(cells), 10)
        check(f"the strip shows the word's letters and cancel (got {first})", first and first[0] == len(cells))
        # The scan moves on by itself: time two steps.
        a = wait_strip(fb, width, height, lambda c, lit: lit is not None, 2)
        wait_strip(fb, width, height, lambda c, lit: lit != a[1], 2)
        t0 = time.time()
        b = read_strip(fb, width, height)
        wait_strip(fb, width, height, lambda c, lit: lit != b[1], 2)
        step = time.time() - t0
        check(f"the scan steps every half second (got {step:.2f} s)", 0.4 <= step <= 0.6)
        for letter in (shown[0] if shown else "sole").upper():
            wait_strip(fb, width, height, lambda c, lit, i=cells.index(letter): lit == i, 5)
            x.key("space")
        hits = wait_logged(game, 7, 1, 5)
        check(f"one switch destroys the word (got {hits})", hits == ["SOLE"])
        check("and nothing was typed wrong", logged_texts(game, 6) == [])
    finally:
        program.kill()
        program.wait()


def part(play):
    """One part, in an X server and a program folder of its own, beside the
    others: a part that gives up on a wait, or breaks, fails a check."""
    work, game = fresh_program_folder(stage, resolution)
    x = XServer(window=resolution)
    try:
        play(x, game)
    except Exception:
        check(f"{play.__name__} runs to its end:\n{traceback.format_exc()}", False)
    finally:
        x.stop()
        shutil.rmtree(work, ignore_errors=True)


parts = [threading.Thread(target=part, args=(play,)) for play in (teacher, two_switch_child, one_switch_child)]
for t in parts:
    t.start()
for t in parts:
    t.join()
check.finish()
