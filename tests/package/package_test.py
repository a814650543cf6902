#!/usr/bin/env python3
"""The Debian package as a school gets it: lintian finds no error and no
warning, the desktop entry and the AppStream metadata pass their checkers;
installed with apt, it lays the game out as Debian lays out games (fonts as
links into the font packages); an ordinary user (nobody) starts
/usr/games/quoli in a real X server, goes from the title to a game and back,
and the results are in that user's own data folder; a desktop shortcut made
by the installed program starts /usr/games/quoli; removed, the package
leaves the child's data.

    package_test.py FOLDER_WITH_THE_DEB [SHOTS_FOLDER]"""

import ctypes
import glob
import os
import pwd
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from quoli_e2e import Checks, XServer, confirm_top_ten, must_log, unquote_exec, wait_for_end  # noqa: E402

check = Checks()
debs = sorted(glob.glob(os.path.join(sys.argv[1], "quoli_*.deb")))
shots = sys.argv[2] if len(sys.argv) > 2 else None
if not debs:
    print(f"no quoli_*.deb in {sys.argv[1]}: scripts/build-deb.sh makes it")
    sys.exit(1)
deb = os.path.abspath(debs[-1])
if os.geteuid() != 0:
    print("installing the package needs root")
    sys.exit(1)
installed = subprocess.run(["dpkg-query", "-W", "-f=${Status}", "quoli"], capture_output=True, text=True).stdout
if "installed" in installed.split():
    print("quoli is installed already: this test installs and removes it, so it leaves a machine that has it alone")
    sys.exit(1)

# The checkers, on the package and on the files it will install.
lint = subprocess.run(["lintian", "--fail-on", "error,warning", deb], capture_output=True, text=True)
print("lintian:", lint.stdout.strip() or "(nothing to say)")
check(f"lintian gives no error and no warning (status {lint.returncode})",
      lint.returncode == 0 and not any(line[:2] in ("E:", "W:") for line in lint.stdout.splitlines()))
unpacked = tempfile.mkdtemp()
subprocess.run(["dpkg-deb", "-x", deb, unpacked], check=True)
desktop = os.path.join(unpacked, "usr/share/applications/org.velmoran.quoli.desktop")
valid = subprocess.run(["desktop-file-validate", desktop], capture_output=True, text=True)
check(f"the desktop entry passes desktop-file-validate: {valid.stdout}{valid.stderr}",
      valid.returncode == 0 and not valid.stdout.strip())
entry = open(desktop, encoding="utf-8").read()
check("the entry has an Italian name and comment", "Name[it]=" in entry and "Comment[it]=" in entry)
check("the entry is a children's game", "Categories=Game;KidsGame;" in entry)
meta = subprocess.run(["appstreamcli", "validate", "--no-net",
                       os.path.join(unpacked, "usr/share/metainfo/org.velmoran.quoli.metainfo.xml")],
                      capture_output=True, text=True)
check(f"the AppStream metadata passes appstreamcli validate: {meta.stdout}", meta.returncode == 0)
shutil.rmtree(unpacked)

# Installed.
install = subprocess.run(["apt-get", "install", "-y", "-qq", "--no-install-recommends", deb],
                         env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"), capture_output=True, text=True)
check(f"apt installs the package: {install.stderr[-500:]}", install.returncode == 0)
try:
    for path in ("/usr/games/quoli", "/usr/lib/games/quoli/quoli", "/usr/lib/games/quoli/libExtUtils.so",
                 "/usr/share/games/quoli/resource.bin", "/usr/share/games/quoli/Esercizi", "/etc/quoli/config.ini",
                 "/usr/share/man/man6/quoli.6.gz", "/usr/share/man/it/man6/quoli.6.gz",
                 "/usr/share/metainfo/org.velmoran.quoli.metainfo.xml"):
        check(f"{path} is installed", os.path.exists(path))
    for size in (48, 64, 128, 256):
        icon = f"/usr/share/icons/hicolor/{size}x{size}/apps/org.velmoran.quoli.png"
        shape = subprocess.run(["identify", "-format", "%wx%h", icon], capture_output=True, text=True).stdout
        check(f"the {size}px icon is {size}x{size} (got {shape!r})", shape == f"{size}x{size}")
    fonts = glob.glob("/usr/share/games/quoli/fonts/*.ttf")
    check(f"the fonts are links into the font packages (got {len(fonts)})", len(fonts) >= 4 and all(
        os.path.islink(f) and os.path.realpath(f).startswith("/usr/share/fonts/") and os.path.exists(f)
        for f in fonts))
    check("the data folder's settings are the system's", os.path.realpath("/usr/share/games/quoli/config.ini")
          == "/etc/quoli/config.ini")
    check("the system's settings document the shared data folder",
          "DATAFOLDER" in open("/etc/quoli/config.ini", encoding="utf-8").read())

    # An ordinary user plays: the title, the main menu, a name, an exercise,
    # the words, the top ten, the menu, the quit question.
    nobody = pwd.getpwnam("nobody")
    home = tempfile.mkdtemp()
    os.chmod(home, 0o755)
    data = os.path.join(home, ".local/share/velmoran/QUOLI")
    os.makedirs(os.path.join(data, "Esercizi", "Livelli"))
    with open(os.path.join(data, "Esercizi", "Livelli", "A_prova.LEV"), "wb") as f:
        f.write(b"\r\n\r\n2\r\nPrimo\r\nsole\r\nmare\r\n")
    for root, dirs, files in os.walk(home):
        for name in dirs + files + [""]:
            os.chown(os.path.join(root, name), nobody.pw_uid, nobody.pw_gid)
    x = XServer()
    subprocess.run(["xhost", "+SI:localuser:nobody"], env=x.env, capture_output=True)
    try:
        env = dict(x.env, HOME=home, USER="nobody", LOGNAME="nobody")
        env.pop("XDG_DATA_HOME", None)
        program = subprocess.Popen(["setpriv", f"--reuid={nobody.pw_uid}", f"--regid={nobody.pw_gid}",
                                    "--clear-groups", "/usr/games/quoli"], cwd="/", env=env,
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        x.wait_drawn()
        x.settled()
        if shots:
            x.screenshot(os.path.join(shots, "installed-title.png"))
        x.press("Return")                  # the title: on to the main menu
        x.enter("Luca")
        x.press("Tab", "e")                # off the name line, then the exercise list's letter
        x.press("Down")                    # the first exercise
        x.key("F10")
        for number in (1, 2):
            x.typed(must_log(data, 5, number, 30, f"word {number} to fall")[number - 1])
            if shots and number == 1:
                x.screenshot(os.path.join(shots, "installed-play.png"))
        must_log(data, 11, 1, 30, "the exercise to be completed")
        confirm_top_ten(x, data)
        x.wait_screen(lambda s: s.pixel(2, 2) != (248, 160, 0), 10, "the main menu after the top ten")
        x.settled()
        if shots:
            x.screenshot(os.path.join(shots, "installed-menu.png"))
        x.press("Escape")
        x.key("s")
        status, output = wait_for_end(program, 15)
        check(f"the installed program ends with status 0 (got {status}): {output}", status == 0)
    finally:
        x.stop()
    check("the results are in the user's own data folder",
          os.path.getsize(os.path.join(data, "DATA", "USERS.DAT")) > 100)
    check("nothing was written beside the installed data", not os.path.exists("/usr/share/games/quoli/DATA"))

    # A shortcut, as the program makes it from its folder with the
    # launcher's environment.
    shortcut_home = tempfile.mkdtemp()
    launcher_env = subprocess.run(["sh", "-c", "grep -o 'QUOLI_LAUNCHER=[^ ]*' /usr/games/quoli"],
                                  capture_output=True, text=True).stdout.split()
    child = subprocess.run([sys.executable, "-c", f"""
import ctypes, os
os.chdir("/usr/share/games/quoli")
lib = ctypes.CDLL("/usr/lib/games/quoli/libExtUtils.so")
print(lib.CreateIconOnDesktop(b"Quoli", b"Gioca", b"Luca", None))
"""], env=dict(os.environ, HOME=shortcut_home, XDG_CONFIG_HOME=shortcut_home,
               **dict(v.split("=", 1) for v in launcher_env)), capture_output=True, text=True)
    made = glob.glob(os.path.join(shortcut_home, "Desktop", "*.desktop"))
    exec_line = [line[5:] for line in open(made[0], encoding="utf-8").read().splitlines()
                 if line.startswith("Exec=")] if made else []
    check(f"the shortcut starts /usr/games/quoli for the child (got {exec_line} {child.stderr})",
          bool(exec_line) and unquote_exec(exec_line[0]) == ["/usr/games/quoli", "--", "Luca"])
    shutil.rmtree(shortcut_home, ignore_errors=True)
finally:
    remove = subprocess.run(["apt-get", "remove", "-y", "-qq", "quoli"],
                            env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"), capture_output=True, text=True)
check(f"apt removes the package: {remove.stderr[-300:]}", remove.returncode == 0)
check("the program is gone", not os.path.exists("/usr/games/quoli"))
check("the child's data stays", os.path.exists(os.path.join(data, "DATA", "USERS.DAT")))
# The machine as it was: the settings, kept by a removal, go too.
purge = subprocess.run(["dpkg", "--purge", "quoli"], capture_output=True, text=True)
check(f"the package is purged: {purge.stderr[-300:]}", purge.returncode == 0 and not os.path.exists("/etc/quoli"))
check("the child's data stays after the purge too", os.path.exists(os.path.join(data, "DATA", "USERS.DAT")))
shutil.rmtree(home, ignore_errors=True)
check.finish()
