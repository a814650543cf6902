#!/usr/bin/env python3
"""Two copies of the program on one data folder (two children on a shared
profile folder, a double click): each in its own X server, each child types
a new name and starts a game at the same moment, twenty times. Every child
must then have a profile, and every game's records must be under its own
child's id."""

import os
import struct
import subprocess
import sys
import time

from quoli_e2e import (Checks, XServer, fresh_program_folder, profile_settings, read_events, write_exercise,
                       write_last_user)

ROUNDS = int(os.environ.get("QUOLI_TWO_COPIES_ROUNDS", "20"))

stage = sys.argv[1]
check = Checks()
work, game = fresh_program_folder(stage)
write_exercise(game, "Prova.LEV", b"\r\n\r\n1\r\nUno\r\nsole\r\n")
write_last_user(game, b"Anna", profile_settings(b"Prova"))
servers = [XServer(first=401), XServer(first=451)]
try:
    for round_ in range(ROUNDS):
        programs = [subprocess.Popen(["./quoli"], cwd=game, env=x.env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL) for x in servers]
        time.sleep(3)
        for x in servers:
            x.key("Return")                          # the title screen: on
        time.sleep(2)
        for x, first in zip(servers, "AB"):
            x.typed(f"{first}bimbo{round_}")        # replaces the name offered
        for x in servers:
            x.key("F10")                             # both games start at once
        time.sleep(3)
        for p in programs:
            p.kill()
            p.wait()
finally:
    for x in servers:
        x.stop()

with open(os.path.join(game, "DATA", "USERS.ANA"), "rb") as f:
    registry = f.read()
count = struct.unpack_from("<i", registry, 4)[0]
record = 28 + 476
users = {}
for i in range(count):
    at = 8 + i * record
    name = registry[at:at + 24].split(b"\0")[0].decode("latin-1")
    users[name] = struct.unpack_from("<i", registry, at + 24)[0]
expected = {f"{first}bimbo{r}" for r in range(ROUNDS) for first in "AB"}
missing = expected - set(users)
check(f"every child has a profile ({len(expected) - len(missing)} of {len(expected)}; missing {sorted(missing)[:5]})",
      not missing)
check("no two children share an id", len(set(users.values())) == len(users))
magic, events = read_events(game)
by_id = {}
for user, kind, data in events:
    if kind == 3:  # the settings record each game starts with
        by_id[user] = by_id.get(user, 0) + 1
ids = {users[name] for name in expected if name in users}
check(f"each child's game is recorded once under their own id (got {len(by_id)} ids for {len(ids)} children)",
      all(by_id.get(i, 0) == 1 for i in ids))
check.finish()
