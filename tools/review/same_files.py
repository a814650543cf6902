#!/usr/bin/env python3
"""Plays the same scripted games with each staged program folder given and
compares, byte for byte, the files each one wrote: the results log, the top
ten, the profile registry and anything else that is new after a game.

    same_files.py [--parallel] [--keep DIR] [--only GAME] [--ignore NAME] STAGE_A STAGE_B [STAGE_C ...]

Every game runs in a fresh copy of the program folder, in a private Xvfb,
with real xdotool keys, HOME pointing at an empty folder of its own (a
version that writes to the per-user data folder is looked at there too).
The words are typed as the results log says they were shown, so nothing
depends on which word comes first; one lane and long fall times leave
nothing to luck.

The wall clock the program sees is fixed with libfaketime (installed with
apt-get when missing and run as root): the program seeds its random numbers
from it and writes the date and time at the start of each game. A stopped
clock cannot last the whole game, though: SDL 1.2 counts its ticks from
gettimeofday(), so with the wall clock stopped no level title ever ends.
The clock therefore stands at 2026-01-15 10:00:00 (TZ=UTC) from the start
until the log holds the game's date, time and settings records, then runs on
from 10:00:01 (libfaketime reads its timestamp file at every call, so the
change is seen at once; the one-second step keeps the ticks moving forward).
The date and time records are checked to read 15/01/2026 and 10:00:00.

Per game and per file it prints "same" or the first differing offset with a
hex dump of both around it and the log records there. Exit status 0 only
when every file is identical in every stage (but those named with --ignore,
which are still shown) and every game played out: its words hit, its lives
lost as planned, a non-empty log with the fixed date and time, a top ten
holding the player. --parallel plays each game with all stages at once, each
in its own X server (about three minutes in all instead of three a stage)."""

import argparse
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from quoli_e2e import XServer, fresh_program_folder, profile_settings, write_profile  # noqa: E402

STOPPED = "2026-01-15 10:00:00"
RUNNING = "@2026-01-15 10:00:01"
DATE_TEXT, TIME_TEXT = "15/01/2026", "10:00:00"
PLAYER = b"Anna"

KIND_NAMES = {0: "closed", 1: "date", 2: "time", 3: "settings", 4: "level", 5: "shown", 6: "mistyped", 7: "hit",
              8: "context closed", 9: "life lost", 10: "bonus", 11: "completed"}
TEXT_KINDS = (1, 2, 4, 5, 6, 7)
SUBFOLDER = {1: "Livelli", 2: "Completa", 3: "Tasti"}
EXTENSION = {1: ".LEV", 2: ".CMP", 3: ".TBL"}


# --------------------------------------------------------------------------
# The games. `plan` says, for each word in the order the log shows them,
# which keys go before it and whether it is typed ("hit") or left to land
# ("land"). `expect` is what the log of a game played out must hold.

GAMES = [
    dict(name="a-plain-two-levels",
         what="plain theme, whole words, two levels, wrong keys before a word",
         kind=1, file="Prova",
         text=b"\r\n\r\n2\r\nPrimo\r\nsole\r\nmare\r\n\r\n1\r\nSecondo\r\ncasa\r\n",
         settings=dict(theme=1, fall=20),
         plan=[("", "hit"), ("", "hit"), ("xq", "hit")],
         expect=dict(hits=3, levels=2, lives_lost=0)),
    dict(name="b-picture-theme",
         what="picture theme 2, whole words, two levels, wrong keys before a word",
         kind=1, file="Figure",
         text=b"\r\n\r\n2\r\nPrimo\r\nluna\r\npane\r\n\r\n1\r\nSecondo\r\nfiore\r\n",
         settings=dict(theme=2, fall=20),
         plan=[("", "hit"), ("zk", "hit"), ("", "hit")],
         expect=dict(hits=3, levels=2, lives_lost=0)),
    dict(name="c-life-lost",
         what="plain theme, a word left to land with keys typed at it, the level again",
         kind=1, file="Caduta",
         text=b"\r\n\r\n2\r\nUnico\r\nnave\r\ntopo\r\n",
         settings=dict(theme=1, fall=8),
         plan=[("wy", "land"), ("", "hit"), ("", "hit")],
         expect=dict(hits=2, levels=2, lives_lost=1)),
    dict(name="d-completa",
         what="a Completa exercise in picture theme 3, one level",
         kind=2, file="Buchi",
         text=b"\r\n\r\n2\r\nVocali\r\ng_tto a\r\nl_na u\r\n",
         settings=dict(theme=3, fall=20, kind=2),
         plan=[("", "hit"), ("e", "hit")],
         expect=dict(hits=2, levels=1, lives_lost=0)),
    dict(name="e-key-set",
         what="a key-set exercise in the plain theme, keys outside the set and a wrong key of the set",
         kind=3, file="Tasti",
         text=b"AEL\r\n\r\n2\r\nLettere\r\nala\r\nela\r\n",
         settings=dict(theme=1, fall=20, kind=3),
         plan=[("qx", "hit"), ("e", "hit")],
         expect=dict(hits=2, levels=1, lives_lost=0)),
]


# --------------------------------------------------------------------------
# Files and records.

def parse_log(data):
    """(magic, [(offset, user, kind, payload)], offset where whole records end)."""
    events, at = [], 4
    while at + 12 <= len(data):
        user, kind, size = struct.unpack_from("<iii", data, at)
        if size < 0 or at + 12 + size > len(data):
            break
        events.append((at, user, kind, data[at + 12:at + 12 + size]))
        at += 12 + size
    return data[:4], events, at


def describe_record(kind, payload):
    name = KIND_NAMES.get(kind, f"kind {kind}")
    if kind in TEXT_KINDS:
        return f"{name} {payload.rstrip(bytes(1)).decode('latin-1')!r}"
    if kind == 9 and len(payload) == 4:
        return f"{name} (lives before {struct.unpack('<i', payload)[0]})"
    if kind == 10 and len(payload) == 1:
        return f"{name} {'hit' if payload[0] else 'missed'}"
    if kind == 3:
        return f"{name} ({len(payload)} bytes, sha1 {hashlib.sha1(payload).hexdigest()[:10]})"
    return f"{name}" + (f" {payload.hex()}" if payload else "")


def unswap(data):
    return bytes(((b << 4) | (b >> 4)) & 0xFF for b in data)


def describe_top_row(data, offset):
    row = offset // 24
    entry = data[row * 24:row * 24 + 24]
    if len(entry) < 24:
        return f"row {row}: cut short ({len(entry)} bytes)"
    name = unswap(entry[:20]).rstrip(bytes(1)).decode("latin-1", "replace")
    return f"row {row}: name {name!r}, score {struct.unpack_from('<I', entry, 20)[0]}"


def find_file(roots, name):
    """The first file called `name` (whatever the case) under the roots."""
    for root in roots:
        for folder, _, files in os.walk(root):
            for f in files:
                if f.lower() == name.lower():
                    return os.path.join(folder, f)
    return None


def snapshot(root):
    """Every file under root as relative path -> bytes."""
    out = {}
    for folder, _, files in os.walk(root):
        for f in files:
            path = os.path.join(folder, f)
            if os.path.isfile(path):
                with open(path, "rb") as fh:
                    out[os.path.relpath(path, root)] = fh.read()
    return out


def faketime_library():
    def found():
        listing = subprocess.run(["dpkg", "-L", "libfaketime"], capture_output=True, text=True).stdout.split()
        return next((p for p in listing if p.endswith("/libfaketime.so.1")), None)

    lib = found()
    if not lib and os.geteuid() == 0:
        subprocess.run(["apt-get", "install", "-y", "faketime"], stdout=subprocess.DEVNULL)
        lib = found()
    if not lib:
        sys.exit("libfaketime is needed: apt-get install faketime")
    return lib


# --------------------------------------------------------------------------
# One game with one stage.

class Run:
    def __init__(self, stage, game, display_from, library):
        self.stage, self.game, self.display_from, self.library = stage, game, display_from, library
        self.problems = []   # what went wrong in play: the game did not play out
        self.files = {}      # relative path -> bytes, what the game wrote
        self.seconds = 0.0

    def problem(self, text):
        self.problems.append(text)

    def read(self, name):
        """The bytes of the file the program writes under that name, wherever it is."""
        path = self.found.get(name)
        if not path or not os.path.exists(path):
            path = self.found[name] = find_file(self.roots, name)
        if not path:
            return b""
        with open(path, "rb") as f:
            return f.read()

    def log(self):
        return parse_log(self.read("USERS.DAT"))[1]

    def top_ten(self):
        return self.read("TOP10.DAT")

    def wait_log(self, test, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            events = self.log()
            if test(events):
                return events
            if self.program.poll() is not None:
                return self.log()
            time.sleep(0.05)
        return self.log()

    def play(self):
        try:
            self.play_once()
        except Exception as error:  # a run that broke is reported, not taken for one that wrote nothing
            self.problem(f"the run broke: {error!r}")

    def play_once(self):
        g = self.game
        begun = time.monotonic()
        work, folder = fresh_program_folder(self.stage)
        home = tempfile.mkdtemp(prefix="same_files-home-")
        self.roots = [os.path.join(folder, "DATA"), home, folder]
        self.found = {}
        exercises = os.path.join(folder, "Esercizi", SUBFOLDER[g["kind"]])
        os.makedirs(exercises, exist_ok=True)
        with open(os.path.join(exercises, g["file"] + EXTENSION[g["kind"]]), "wb") as f:
            f.write(g["text"])
        write_profile(folder, PLAYER, profile_settings(g["file"].encode(), lanes=1, **g["settings"]))
        before = {"game/" + k: v for k, v in snapshot(folder).items()}

        clock = os.path.join(work, "clock")
        with open(clock, "w") as f:
            f.write(STOPPED + "\n")
        x = XServer(first=self.display_from)
        env = {k: v for k, v in x.env.items() if not k.startswith("FAKETIME") and k != "XDG_DATA_HOME"}
        env.update(HOME=home, TZ="UTC", LD_PRELOAD=self.library, FAKETIME_TIMESTAMP_FILE=clock,
                   FAKETIME_NO_CACHE="1", FAKETIME_DONT_FAKE_MONOTONIC="1", NO_FAKE_STAT="1")
        output = ""
        self.program = None
        try:
            self.program = subprocess.Popen(["./quoli", PLAYER.decode()], cwd=folder, env=env,
                                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
            # The clock stands still until the game's first records are written.
            events = self.wait_log(lambda e: len(e) >= 3, 30)
            with open(clock + ".new", "w") as f:
                f.write(RUNNING + "\n")
            os.replace(clock + ".new", clock)
            if len(events) < 3:
                self.problem("the game wrote no date, time and settings records within 30 s")
            else:
                self.follow_plan(x)
                self.end_game(x)
            try:
                self.program.wait(timeout=20)
            except subprocess.TimeoutExpired:
                self.problem("the program did not end by itself")
                self.program.kill()
                self.program.wait()
            output = self.program.stdout.read().decode("latin-1", "replace")
            if self.program.returncode != 0:
                self.problem(f"the program ended with status {self.program.returncode}")
        finally:
            if self.program and self.program.poll() is None:
                self.program.kill()
                self.program.wait()
            x.stop()
        after = {"game/" + k: v for k, v in snapshot(folder).items()}
        after.update({"home/" + k: v for k, v in snapshot(home).items()})
        # Everything in the data folder, and whatever else is new or changed.
        self.files = {k: v for k, v in after.items() if before.get(k) != v or k.startswith("game/DATA/")}
        self.check_play(output)
        shutil.rmtree(work, ignore_errors=True)
        shutil.rmtree(home, ignore_errors=True)
        self.seconds = time.monotonic() - begun

    def follow_plan(self, x):
        """Each word as the log shows it: its keys before, then typed or left to land."""
        for number, (before, action) in enumerate(self.game["plan"]):
            events = self.wait_log(lambda e: sum(1 for r in e if r[2] == 5) > number, 60)
            shown = [r[3] for r in events if r[2] == 5]
            if len(shown) <= number:
                self.problem(f"word {number + 1} was never shown")
                return
            answer = shown[number].rstrip(bytes(1)).decode("latin-1")
            if before:
                x.typed(before)
            if action == "hit":
                x.typed(answer)
                hits = sum(1 for r in events if r[2] == 7)
                later = self.wait_log(lambda e: sum(1 for r in e if r[2] == 7) > hits, 10)
                if sum(1 for r in later if r[2] == 7) <= hits:
                    self.problem(f"word {number + 1} ({answer!r}) was typed and not hit")
            else:
                lives = sum(1 for r in events if r[2] == 9)
                later = self.wait_log(lambda e: sum(1 for r in e if r[2] == 9) > lives, 60)
                if sum(1 for r in later if r[2] == 9) <= lives:
                    self.problem(f"word {number + 1} ({answer!r}) did not land")

    def end_game(self, x):
        """After the final screen (10 s) the top ten asks for the name: Enter
        keeps the one offered; once it is in the file, Enter closes the table."""
        events = self.wait_log(lambda e: any(r[2] == 11 for r in e), 60)
        if not any(r[2] == 11 for r in events):
            self.problem("the game was never completed")
            return
        time.sleep(11.5)
        for _ in range(4):
            x.key("Return")
            end = time.monotonic() + 4
            while time.monotonic() < end and unswap(PLAYER) not in self.top_ten():
                time.sleep(0.1)
            if unswap(PLAYER) in self.top_ten():
                break
        time.sleep(1)
        for _ in range(3):
            x.key("Return")
            try:
                self.program.wait(timeout=5)
                break
            except subprocess.TimeoutExpired:
                pass

    def check_play(self, output):
        e, expect = self.log(), self.game["expect"]
        kinds = [r[2] for r in e]
        texts = {k: [r[3].rstrip(bytes(1)).decode("latin-1") for r in e if r[2] == k] for k in TEXT_KINDS}
        if not e:
            self.problem("no results log")
        if texts[1][:1] != [DATE_TEXT] or texts[2][:1] != [TIME_TEXT]:
            self.problem(f"the date and time records read {texts[1][:1]} {texts[2][:1]}, "
                         f"not {DATE_TEXT} {TIME_TEXT}: the clock was not fixed")
        if kinds.count(7) != expect["hits"]:
            self.problem(f"{kinds.count(7)} words hit, {expect['hits']} expected")
        if kinds.count(4) != expect["levels"]:
            self.problem(f"{kinds.count(4)} level records, {expect['levels']} expected")
        if kinds.count(9) != expect["lives_lost"]:
            self.problem(f"{kinds.count(9)} lives lost, {expect['lives_lost']} expected")
        if 11 not in kinds:
            self.problem("no completed record")
        top = self.top_ten()
        if not top or unswap(PLAYER) not in top:
            self.problem("the top ten does not hold the player")
        if self.problems and output.strip():
            self.problems.append("program output: " + output.strip()[-400:])


# --------------------------------------------------------------------------
# Comparing.

def hex_lines(data, offset, around=24):
    start = max(0, (offset - around) // 16 * 16)
    stop = min(len(data), offset + around + 1)
    lines = []
    for at in range(start, stop, 16):
        chunk = data[at:min(at + 16, stop)]
        text = "".join(chr(b) if 32 <= b < 127 else "." for b in chunk)
        mark = "  <" if at <= offset < at + 16 else ""
        lines.append(f"      {at:08x}  {chunk.hex(' '):<47}  {text}{mark}")
    return lines


def first_difference(a, b):
    for i in range(min(len(a), len(b))):
        if a[i] != b[i]:
            return i
    return min(len(a), len(b)) if len(a) != len(b) else None


def records_around(data, offset):
    magic, events, whole = parse_log(data)
    if offset < 4:
        return [f"      the magic: {magic!r}"]
    index = next((i for i, r in enumerate(events) if r[0] <= offset < r[0] + 12 + len(r[3])), len(events))
    lines = []
    for i in range(max(0, index - 2), min(len(events), index + 2)):
        at, user, kind, payload = events[i]
        mark = "  <" if i == index else ""
        lines.append(f"      record at {at:#x}: user {user}, {describe_record(kind, payload)}{mark}")
    if index >= len(events):
        lines.append(f"      (offset past the last whole record, which ends at {whole:#x})")
    return lines


def compare(label_runs, ignored):
    """Prints the comparison of one game's files; true when all are the same
    (files whose names are in `ignored` are shown but not counted)."""
    paths = sorted(set().union(*(r.files.keys() for _, r in label_runs)))
    all_same = True
    for path in paths:
        base_label, base = label_runs[0][0], label_runs[0][1].files.get(path)
        counted = os.path.basename(path).upper() not in ignored
        parts = []
        for label, run in label_runs[1:]:
            other = run.files.get(path)
            if base is None and other is None:
                parts.append((label, "written by neither", None))
                all_same = all_same and not counted
                continue
            if base is None or other is None:
                all_same = all_same and not counted
                parts.append((label, f"written only by {label if base is None else base_label}", None))
                continue
            at = first_difference(base, other)
            if at is None:
                parts.append((label, "same", None))
            else:
                all_same = all_same and not counted
                parts.append((label, f"differs at offset {at:#x} ({len(base)} and {len(other)} bytes)",
                              (at, other)))
        sizes = "/".join(str(len(r.files[path])) if path in r.files else "-" for _, r in label_runs)
        print(f"  {path} ({sizes} bytes{'' if counted else ', not counted'}): " +
              ", ".join(f"{base_label} vs {l}: {t}" for l, t, _ in parts))
        if any(t != "same" for _, t, _ in parts) and len(label_runs) > 2:
            groups = {}
            for label, run in label_runs:
                groups.setdefault(run.files.get(path), []).append(label)
            print("    alike: " + " | ".join(" ".join(g) + ("" if content is not None else " (none)")
                                            for content, g in groups.items()))
        shown = set()
        for label, _, detail in parts:
            if not detail:
                continue
            at, other = detail
            for name, data in ((base_label, base), (label, other)):
                if (name, at) in shown:
                    continue
                shown.add((name, at))
                print(f"    {name}:")
                print("\n".join(hex_lines(data, at)))
                if os.path.basename(path).upper() == "USERS.DAT":
                    print("\n".join(records_around(data, at)))
                elif os.path.basename(path).upper() == "TOP10.DAT":
                    print("      " + describe_top_row(data, at))
    return all_same


def stage_commit(stage):
    """(short hash, subject) of the checkout a stage was built in, or None."""
    commit = subprocess.run(["git", "-C", stage, "log", "-1", "--format=%h %s"], capture_output=True, text=True)
    if commit.returncode != 0 or not commit.stdout.strip():
        return None
    short, _, subject = commit.stdout.strip().partition(" ")
    return short, subject[:70]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--parallel", action="store_true", help="play each game with all stages at once")
    parser.add_argument("--keep", help="folder for a copy of what each game wrote (default: a new temporary one)")
    parser.add_argument("--only", action="append", help="play only the game of that name (may be repeated)")
    parser.add_argument("--ignore", action="append", default=[],
                        help="a file name (any folder, any case) shown in the comparison but not counted")
    parser.add_argument("stages", nargs="+")
    args = parser.parse_args()
    if len(args.stages) < 2:
        parser.error("at least two staged program folders")
    for stage in args.stages:
        if not os.access(os.path.join(stage, "quoli"), os.X_OK):
            parser.error(f"{stage} holds no program")
    library = faketime_library()
    keep = args.keep or tempfile.mkdtemp(prefix="same_files-")
    # Each stage is called by its commit when all are known and differ, else by its place.
    commits = [stage_commit(stage) for stage in args.stages]
    labels = [c[0] for c in commits] if all(commits) and len({c[0] for c in commits}) == len(commits) else \
        [f"stage{i + 1}" for i in range(len(args.stages))]
    for label, stage, commit in zip(labels, args.stages, commits):
        print(f"{label} = {os.path.abspath(stage)}" + (f"  ({commit[1]})" if commit else ""))
    started = time.monotonic()
    good = True
    games = [g for g in GAMES if not args.only or g["name"] in args.only]
    if not games:
        parser.error("no game of that name: " + ", ".join(g["name"] for g in GAMES))
    for game in games:
        runs = [Run(stage, game, 141 + 50 * i, library) for i, stage in enumerate(args.stages)]
        if args.parallel:
            threads = [threading.Thread(target=r.play) for r in runs]
            for t in threads:
                t.start()
            for t in threads:
                t.join()
        else:
            for r in runs:
                r.play()
        print(f"\n{game['name']}: {game['what']}")
        print("  played in " + ", ".join(f"{l} {r.seconds:.0f} s" for l, r in zip(labels, runs)))
        for label, run in zip(labels, runs):
            for p in run.problems:
                print(f"  {label}: NOT PLAYED OUT: {p}")
            good = good and not run.problems
            for path, data in run.files.items():
                target = os.path.join(keep, label, game["name"], path)
                os.makedirs(os.path.dirname(target), exist_ok=True)
                with open(target, "wb") as f:
                    f.write(data)
        log = parse_log(next((d for p, d in runs[0].files.items() if os.path.basename(p).upper() == "USERS.DAT"),
                             b""))[1]
        print(f"  {labels[0]}'s log: " + "; ".join(describe_record(r[2], r[3]) for r in log if r[2] not in (3,)))
        same = compare(list(zip(labels, runs)), {name.upper() for name in args.ignore})
        if not any(os.path.basename(p).upper() == "USERS.DAT" for p in runs[0].files):
            print("  no results log was written")
            same = False
        if not any(os.path.basename(p).upper() == "TOP10.DAT" for p in runs[0].files):
            print("  no top-ten file was written")
            same = False
        good = good and same
    print(f"\nwhat each game wrote is kept in {keep}")
    print(f"{'ALL SAME' if good else 'DIFFERENT OR NOT PLAYED OUT'} ({time.monotonic() - started:.0f} s)")
    sys.exit(0 if good else 1)


if __name__ == "__main__":
    main()
