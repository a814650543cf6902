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

from quoli_e2e import (Checks, WaitTimeout, XServer, fresh_program_folder, profile_settings, read_events, wait_until,
                       write_exercise, write_last_user)

ROUNDS = int(os.environ.get("QUOLI_TWO_COPIES_ROUNDS", "20"))

stage = sys.argv[1]
check = Checks()
work, game = fresh_program_folder(stage)
write_exercise(game, "Prova.LEV", b"\r\n\r\n1\r\nUno\r\nsole\r\n")
write_last_user(game, b"Anna", profile_settings(b"Prova"))


def registered():
    """The names in the profile registry and their ids."""
    try:
        with open(os.path.join(game, "DATA", "USERS.ANA"), "rb") as f:
            registry = f.read()
    except FileNotFoundError:
        return {}
    users = {}
    for i in range(struct.unpack_from("<i", registry, 4)[0] if len(registry) >= 8 else 0):
        at = 8 + i * (28 + 476)
        if at + 28 > len(registry):
            break
        users[registry[at:at + 24].split(b"\0")[0].decode("latin-1")] = struct.unpack_from("<i", registry, at + 24)[0]
    return users


def both_started(names):
    """Both children are registered and each game has recorded its
    settings: each game has started (or the round is lost: the checks
    below tell)."""
    users = registered()
    if not all(n in users for n in names) or not os.path.exists(os.path.join(game, "DATA", "USERS.DAT")):
        return False
    started = {user for user, kind, data in read_events(game, whole_only=True)[1] if kind == 3}
    return all(users[n] in started for n in names)


servers = [XServer(), XServer()]
try:
    for round_ in range(ROUNDS):
        programs = [subprocess.Popen(["./quoli"], cwd=game, env=x.env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL) for x in servers]
        for x in servers:
            x.wait_drawn()
            x.press("Return")                        # the title screen: on
        names = [f"{first}bimbo{round_}" for first in "AB"]
        for x, name in zip(servers, names):
            x.enter(name)                            # replaces the name offered
        for x in servers:
            x.key("F10")                             # both games start at once
        try:
            wait_until(lambda: both_started(names), 15, f"both games of round {round_} to start")
        except WaitTimeout as e:
            print(e)
        for p in programs:
            p.kill()
            p.wait()
        for x in servers:
            x.wait_screen(lambda s: s.blank(), 10, "the killed program's window to go")
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
