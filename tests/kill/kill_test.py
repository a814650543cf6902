#!/usr/bin/env python3
"""Kill -9 during every kind of save loses nothing.

    kill_test.py SAVE_LOOP [KILLS]      (or KILLS=500 in the environment)

For each kind of save, a loop of the program's real saves (SAVE_LOOP run) is
killed at a random moment 0-50 ms into its saving; then SAVE_LOOP check reads
what is left with the program's readers: the lock free, every file whole and
as it was before the save in flight or after it, the log holding every record
appended. The next loop starts on what the kill left, as the program would.

A kill cannot tear a record (a write of a few bytes is never cut by a signal),
a power cut can: now and then the log is given a torn last record before a
loop starts, which that loop must cut aside into a USERS-RESTO file, byte for
byte. Temporaries the kills leave must not pile up.
"""
import collections
import os
import random
import re
import select
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

KINDS = ["profile", "delete", "game", "purge", "topten", "lastuser", "text", "exercise"]
LOG_KINDS = {"delete", "game", "purge"}
RESET_AFTER = 400      # steps; then the kind starts again in an empty folder
TEMPORARY = re.compile(r"^\..+\.[A-Za-z0-9]{6}$")


def temporaries(folder):
    found = []
    for root, _, files in os.walk(folder):
        found += [os.path.join(root, f) for f in files if TEMPORARY.match(f)]
    return found


def rests(folder):
    data = os.path.join(folder, "DATA")
    names = os.listdir(data) if os.path.isdir(data) else []
    return collections.Counter(open(os.path.join(data, n), "rb").read()
                               for n in names if n.startswith("USERS-RESTO-"))


def tear_log(folder, number, rng):
    """Ends the log with the first bytes of a record, as a power cut would."""
    log = os.path.join(folder, "DATA", "USERS.DAT")
    if not os.path.exists(log) or os.path.getsize(log) < 4:
        return None
    text = b"%06d parola spezzata\0" % number
    record = (1).to_bytes(4, "little") + (5).to_bytes(4, "little") + len(text).to_bytes(4, "little") + text
    torn = record[:rng.randint(18, len(record) - 1)]
    with open(log, "ab") as f:
        f.write(torn)
    return torn


def run_loop(loop, kind, folder, start, rng):
    """Starts the loop, kills it 0-50 ms into its saving (a game, which takes
    longer, up to 600 ms, so that some games end before the kill); the steps
    it told."""
    proc = subprocess.Popen([loop, "run", kind, folder, str(start)], stdout=subprocess.PIPE)
    ready, _, _ = select.select([proc.stdout], [], [], 30)
    first = proc.stdout.readline() if ready else b""
    if not first.startswith(b"b "):
        proc.kill()
        proc.wait()
        raise AssertionError(f"{kind}: the loop did not start saving ({first!r}); is a lock left held?")
    time.sleep(rng.uniform(0, 0.6 if kind == "game" else 0.05))
    proc.send_signal(signal.SIGKILL)
    told = first + proc.stdout.read()
    if proc.wait() != -signal.SIGKILL:
        raise AssertionError(f"{kind}: the loop ended by itself ({proc.returncode})")
    begun = done = start
    appends = collections.defaultdict(int)
    for line in told.decode().splitlines():
        what, n, *rest = line.split()
        n = int(n)
        if what == "b":
            begun = n
        elif what == "d":
            done = n
        else:
            appends[n] = int(rest[0])
    return begun, done, appends[begun] if begun > done else 0


class Kind:
    def __init__(self, name, work):
        self.name = name
        self.work = work
        self.stats = collections.Counter()
        self.folder = None
        self.reset()

    def reset(self):
        if self.folder:
            shutil.rmtree(self.folder)
        self.folder = tempfile.mkdtemp(prefix=self.name + "-", dir=self.work)
        self.step = 0
        self.games_told_done = 0   # the loop said the game was over
        self.games_cut = 0         # killed inside a game
        self.tails = collections.Counter()  # every torn tail seen
        self.pending = b""                  # the one still at the log's end

    def kill_once(self, loop, rng):
        if self.step > RESET_AFTER:
            self.reset()
        if self.name in LOG_KINDS and not self.pending and rng.random() < 0.4:
            torn = tear_log(self.folder, sum(self.tails.values()) + 1, rng)
            if torn:
                self.tails[torn] += 1
                self.pending = torn
                self.stats["torn tails given"] += 1
        copy = os.path.join(self.work, "before")
        shutil.rmtree(copy, ignore_errors=True)
        shutil.copytree(self.folder, copy, symlinks=True)
        temps_before = set(temporaries(self.folder))

        self.step_before = self.step
        begun, done, appends = run_loop(loop, self.name, self.folder, self.step, rng)
        self.stats["kills"] += 1
        self.stats["steps"] += begun - self.step
        if set(temporaries(self.folder)) - temps_before:
            self.stats["killed mid-write (a temporary left)"] += 1

        check = subprocess.run([loop, "check", self.name, self.folder, copy, str(self.step), str(done), str(begun),
                                str(appends)], capture_output=True, text=True, timeout=120)
        if check.returncode != 0:
            raise AssertionError(f"{self.name}: killed in step {begun} (from {self.step}, {done} done, "
                                 f"{appends} records appended):\n{check.stdout}{check.stderr}")
        answer = dict(line.split(" ", 1) for line in check.stdout.splitlines())
        self.step = int(answer["state"])
        if begun == done:
            self.stats["between steps"] += 1
        else:
            self.stats["in a step: left as before" if self.step == done else "in a step: left as after"] += 1
        self.check_tails(bytes.fromhex(answer["tail"]) if answer["tail"] != "-" else b"")
        self.check_temporaries()
        if self.name == "game":
            self.games_told_done += done - self.step_before
            self.games_cut += begun > done
            self.check_statistics(done)

    def check_statistics(self, done):
        """The statistics database is whole, and holds every game done."""
        path = os.path.join(self.folder, "DATA", "STATS.DB")
        if not os.path.exists(path):
            if self.games_told_done == 0:
                return  # killed before the first game opened it
            raise AssertionError(f"{self.name}: no statistics database after {done} games")
        db = sqlite3.connect(path)
        try:
            check = db.execute("PRAGMA integrity_check").fetchall()
            if check != [("ok",)]:
                raise AssertionError(f"{self.name}: the statistics database is damaged: {check}")
            # Killed before its first game made the tables: an empty file.
            made = db.execute("SELECT count(*) FROM sqlite_master WHERE name = 'games'").fetchone()[0]
            finished = db.execute("SELECT count(*) FROM games WHERE outcome != 0").fetchone()[0] if made else 0
            keys = db.execute("SELECT count(*) FROM keys WHERE game IN (SELECT id FROM games WHERE outcome != 0)"
                              ).fetchone()[0] if made else 0
        finally:
            db.close()
        # Every game the loop said was over is there, ended; a game killed
        # after its last level was written may be there too.
        if not self.games_told_done <= finished <= self.games_told_done + self.games_cut:
            raise AssertionError(f"{self.name}: {finished} games ended in the statistics, but {self.games_told_done} "
                                 f"were told over and {self.games_cut} cut by a kill")
        self.stats["statistics checked"] += 1
        self.stats["games in the statistics"] = max(self.stats["games in the statistics"], finished)
        if keys != 6 * finished:
            raise AssertionError(f"{self.name}: {finished} games with {keys} keys, not 6 each")

    def check_tails(self, tail):
        if tail and tail != self.pending:
            self.stats["torn tails from kills"] += 1
            self.tails[tail] += 1
        self.pending = tail
        kept = rests(self.folder)
        owed = self.tails - collections.Counter([tail] if tail else [])
        for torn, count in owed.items():
            if kept[torn] < count:
                raise AssertionError(f"{self.name}: a torn tail of {len(torn)} bytes cut from the log is in no "
                                     f"USERS-RESTO file ({kept[torn]} of {count}); the files hold "
                                     f"{[len(k) for k in kept.elements()]} bytes")

    def check_temporaries(self):
        temps = [os.path.basename(t) for t in temporaries(self.folder)]
        self.stats["most temporaries at once"] = max(self.stats["most temporaries at once"], len(temps))
        # One a file at most, the last killed save's: a save takes the ones
        # before. Each cut of the log has a file of its own, one temporary
        # for them all.
        files = collections.Counter("USERS-RESTO" if t.startswith(".USERS-RESTO-") else t[1:-7] for t in temps)
        if any(count > 1 for count in files.values()):
            raise AssertionError(f"{self.name}: temporaries pile up: {sorted(temps)}")


def main():
    loop = sys.argv[1]
    kills = int(sys.argv[2] if len(sys.argv) > 2 else os.environ.get("KILLS", "48"))
    seed = int(os.environ.get("SEED", str(time.time_ns() % 1000000)))
    rng = random.Random(seed)
    print(f"{kills} kills, seed {seed}", flush=True)
    with tempfile.TemporaryDirectory(prefix="quoli-kill-") as work:
        # ONLY=game (a comma list) kills just those kinds.
        named = os.environ.get("ONLY", "").split(",") if os.environ.get("ONLY") else KINDS
        kinds = [Kind(name, work) for name in named]
        failures = 0
        for i, kind in enumerate(kinds):
            share = kills // len(kinds) + (i < kills % len(kinds))
            try:
                for _ in range(share):
                    kind.kill_once(loop, rng)
            except AssertionError as e:
                failures += 1
                print("FAIL", e, flush=True)
            print(kind.name + ": " + ", ".join(f"{k} {v}" for k, v in sorted(kind.stats.items())), flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
