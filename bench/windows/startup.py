"""Start-up of tomira.exe under Wine against a bare Qt program of one Japanese label built with the
same Qt: the time from starting the program until its window is mapped on the X server, the two
alternating, in one Japanese Wine prefix that stays warm between starts; the first start of each
is not counted.
    startup.py PACKAGE_FOLDER BARE_LABEL_EXE [ROUNDS]"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from tomira_e2e import Display, end  # noqa: E402


def main(package, bare, rounds=15):
    wine = shutil.which("wine64") or "/usr/lib/wine/wine64"
    display = Display()
    work = tempfile.mkdtemp(prefix="tomira-bench-wine.")
    env = dict(display.env, WINEPREFIX=os.path.join(work, "prefix"), WINEARCH="win64", WINEDEBUG="-all",
               LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8", WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    folder = os.path.join(work, "TOMIRA")
    shutil.copytree(package, folder)
    shutil.copy(bare, folder)
    try:
        subprocess.run([wine, "wineboot", "--init"], env=env, capture_output=True, timeout=300, check=True)
        programs = (("tomira.exe", "TOMIRA"), (os.path.basename(bare), "bare label"))
        times = {exe: [] for exe, _ in programs}
        for round_ in range(rounds + 1):
            for exe, title in programs:
                def shown():
                    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], env=env,
                                          capture_output=True).stdout.strip()
                started = time.monotonic()
                process = subprocess.Popen([wine, os.path.join(folder, exe)], env=env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                while not shown():
                    if time.monotonic() - started > 120:
                        raise RuntimeError(f"{exe} showed no window in 120 s")
                    time.sleep(0.01)
                if round_:
                    times[exe].append(time.monotonic() - started)
                end(process)
                while shown() and time.monotonic() - started < 150:
                    time.sleep(0.05)
        tomira, yardstick = (statistics.median(times[exe]) for exe, _ in programs)
        print(f"Wine start-up to the mapped window, medians of {rounds} alternating starts: "
              f"tomira.exe {tomira * 1000:.0f} ms, bare Qt label {yardstick * 1000:.0f} ms, "
              f"ratio {tomira / yardstick:.2f} (goal 1.25)")
        return 0 if tomira / yardstick <= 1.25 else 1
    finally:
        subprocess.run([shutil.which("wineserver") or "/usr/lib/wine/wineserver", "-k"], env=env, capture_output=True)
        display.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], *map(int, sys.argv[3:])))
