#!/usr/bin/env python3
"""Mutation check: does the test suite notice realistic faults?

Plants each fault of scripts/mutation_faults.py alone in a clean copy of the
sources (a detached git worktree of REV, kept between runs with its own build
folders so that rebuilds are incremental), rebuilds, runs the suite and puts
the file back, also when the run is interrupted. The suite runs in stages,
stopping at the first that fails:

  1. the fast suite: ctest of the default preset without the end-to-end and
     package tests;
  2. the end-to-end modules the fault names (tests/e2e);
  3. for faults marked so, the MinGW-w64 build of the core and its tests,
     every test program run under Wine (a prefix of its own, kept);
  4. for faults in the Windows package (marked `package`), the Windows
     build and the package's checks (scripts/test-windows.sh --package:
     the MSI's tables, signing, installs under Wine, the licence notices);
  5. for faults that only Qt 6.8 shows (marked `trixie`), the end-to-end
     modules they name, built and run in the Debian 13 chroot
     (scripts/in-debian13.sh, from the clean copy).

Each fault ends killed (with the tests that failed), survived, n/a (its old
text is not in the file, or not exactly once) or build-failed. The kill rate
is killed / (killed + survived). A developer's tool, not part of
scripts/test.sh.

  scripts/mutation-check.py                    every fault, on HEAD
  scripts/mutation-check.py m03 m40-m45        some of them
  scripts/mutation-check.py --rev a95787a --tree build/mutants/old --out old.tsv
  scripts/mutation-check.py --check            which edits apply to REV, no build
  scripts/mutation-check.py --report BEFORE=old.tsv AFTER=new.tsv   a Markdown table of runs
"""

import argparse
import csv
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.dont_write_bytecode = True  # no __pycache__ in scripts/
sys.path.insert(0, str(ROOT / "scripts"))
from mutation_faults import FAULTS  # noqa: E402

KILLED, SURVIVED, NA, BUILD_FAILED = "killed", "survived", "n/a", "build-failed"
FIELDS = ["id", "verdict", "killed_by", "seconds", "file", "fault"]


class Stop(Exception):
    """SIGTERM or SIGHUP: ends the run like Ctrl+C, through every finally."""


def stop(signum, _frame):
    raise Stop(signal.Signals(signum).name)


def run(cmd, cwd, env=None, timeout=3600):
    """Runs cmd in a session of its own, so that the whole group can be ended
    on a timeout or an interruption. Returns (exit status, output)."""
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, errors="replace", start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out
    except subprocess.TimeoutExpired:
        end_group(proc)
        out, _ = proc.communicate()
        return 124, (out or "") + f"\n[timed out after {timeout} s]"
    except BaseException:
        end_group(proc)
        raise


def end_group(proc):
    for sig, wait in ((signal.SIGTERM, 10), (signal.SIGKILL, 5)):
        try:
            os.killpg(proc.pid, sig)
        except ProcessLookupError:
            return
        try:
            proc.wait(timeout=wait)
            return
        except subprocess.TimeoutExpired:
            pass


def mutate(text, edits):
    """The text with every edit made, or None when an old text is not there
    exactly once."""
    for old, new in edits:
        if text.count(old) != 1:
            return None
        text = text.replace(old, new)
    return text


def select(ids):
    """The faults named by ids ("m07", "m40-m45"), all of them for none."""
    if not ids:
        return list(FAULTS)
    index = {f.id: i for i, f in enumerate(FAULTS)}
    chosen = set()
    for item in ids:
        first, _, last = item.partition("-")
        if first not in index or (last and last not in index):
            sys.exit(f"mutation-check: no fault {item}")
        chosen.update(range(index[first], index[last or first] + 1))
    return [FAULTS[i] for i in sorted(chosen)]


class Tree:
    """The clean copy of the sources the faults are planted in."""

    def __init__(self, path, rev, wine_prefix):
        self.path = Path(path).resolve()
        self.rev = rev
        self.wine_prefix = Path(wine_prefix).resolve()
        self.env = dict(os.environ, QT_QPA_PLATFORM="offscreen", TOMIRA_REQUIRE_TOOLS="1")
        self.e2e_modules = set()
        self.wine_ready = False

    def prepare(self):
        commit = subprocess.run(["git", "rev-parse", "--verify", self.rev + "^{commit}"], cwd=ROOT, check=True,
                                capture_output=True, text=True).stdout.strip()
        if not (self.path / ".git").exists():
            self.path.parent.mkdir(parents=True, exist_ok=True)
            subprocess.run(["git", "worktree", "add", "--detach", str(self.path), commit], cwd=ROOT, check=True,
                           capture_output=True)
        # A run that was killed may have left a fault in place.
        subprocess.run(["git", "reset", "--hard", "-q"], cwd=self.path, check=True)
        subprocess.run(["git", "checkout", "-q", "--detach", commit], cwd=self.path, check=True)
        self.commit = commit

    def configure(self):
        if not (self.path / "build/default/build.ninja").exists():
            launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"] if shutil.which("ccache") else []
            rc, out = run(["cmake", "--preset", "default", *launcher], self.path, self.env)
            if rc != 0:
                sys.exit("mutation-check: cannot configure the clean copy:\n" + out[-3000:])

    def build(self):
        return run(["cmake", "--build", "--preset", "default"], self.path, self.env, timeout=3600)

    def list_tests(self):
        _, out = run(["ctest", "--preset", "default", "-N"], self.path, self.env)
        names = re.findall(r"^\s*Test\s+#\d+: (\S+)", out, re.M)
        self.e2e_modules = {n[len("e2e."):] for n in names if n.startswith("e2e.")}

    def fast_suite(self):
        """(passed, failed test names, output)"""
        rc, out = run(["ctest", "--preset", "default", "-E", r"^(e2e|packaging)\.", "-j2", "--timeout", "120"],
                      self.path, self.env)
        return rc == 0, failed_ctest(out), out

    def e2e(self, module):
        rc, out = run(["ctest", "--preset", "default", "-R", rf"^e2e\.{module}$"], self.path, self.env,
                      timeout=1200)
        return rc == 0, out

    def trixie_e2e(self, module):
        """(passed, output) of an end-to-end module built and run on Debian 13."""
        command = ("cmake --preset debian13 >/dev/null && cmake --build --preset debian13 && "
                   f"ctest --preset debian13 -R '^e2e[.]{module}$'")
        rc, out = run(["scripts/in-debian13.sh", "bash", "-c", command], self.path, self.env, timeout=2400)
        return rc == 0, out

    def debian_package(self):
        """(passed, output) of the Debian package's check (hardening-check, lintian)."""
        rc, out = run(["ctest", "--preset", "default", "-R", r"^packaging\.install_and_deb$"], self.path, self.env,
                      timeout=1200)
        return rc == 0, out

    def wine_suite(self):
        """Builds the core and its tests with MinGW-w64 and runs every test
        program under Wine as Japanese Windows. (status, failed names, log),
        status being None when the build failed."""
        build = self.path / "build/mingw"
        if not (build / "build.ninja").exists():
            launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"] if shutil.which("ccache") else []
            rc, out = run(["cmake", "-S", ".", "-B", str(build), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=None",
                           f"-DCMAKE_TOOLCHAIN_FILE={self.path}/cmake/mingw-w64-x86_64.cmake",
                           "-DTOMIRA_WITH_QT=OFF", "-DTOMIRA_GTEST_SOURCE_DIR=/usr/src/googletest", *launcher],
                          self.path, self.env)
            if rc != 0:
                return None, [], out
        rc, out = run(["cmake", "--build", str(build), "-j2"], self.path, self.env)
        if rc != 0:
            return None, [], out
        wine = shutil.which("wine64") or "/usr/lib/wine/wine64"
        env = dict(self.env, WINEPREFIX=str(self.wine_prefix), WINEARCH="win64", WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=", LC_ALL="ja_JP.UTF-8", LANG="ja_JP.UTF-8")
        env.pop("DISPLAY", None)
        env.pop("WAYLAND_DISPLAY", None)
        if not self.wine_ready:
            if not self.wine_prefix.exists():
                rc, out = run([wine, "wineboot", "--init"], self.path, env, timeout=300)
                if rc != 0:
                    sys.exit("mutation-check: Wine cannot start here:\n" + out[-2000:])
            self.wine_ready = True
        _, listing = run(["ctest", "--test-dir", str(build), "-N"], self.path, env)
        failed, log = [], ""
        for name in re.findall(r"^\s*Test\s+#\d+: (\S+)", listing, re.M):
            exe = next(build.glob(f"tests/**/{name}.exe"), None)
            if exe is None:
                failed.append(name + " (not built)")
                continue
            rc, out = run([wine, exe.name], exe.parent, env, timeout=300)
            log += out
            names = re.findall(r"^\[  FAILED  \] (\S+\.\S+)", out, re.M)
            if rc != 0 or names:
                failed.extend(dict.fromkeys(names) or [name])
        return not failed, failed, log


    def windows_package(self):
        """(passed, output) of the Windows build and the package's checks."""
        rc, out = run(["scripts/test-windows.sh", "--package"], self.path, self.env, timeout=3600)
        return rc == 0, out


def failed_ctest(out):
    part = out.split("The following tests FAILED:", 1)
    return re.findall(r"^\s*\d+ - (\S+)", part[1], re.M) if len(part) == 2 else []


def brief(names, limit=3):
    return " ".join(names[:limit]) + (f" (+{len(names) - limit})" if len(names) > limit else "")


def check_fault(tree, fault, use_e2e, use_wine, logs):
    """Plants one fault, runs the stages, restores the file. (verdict, by);
    the output of the last stage run is kept in logs/<id>.log."""
    path = tree.path / fault.file
    if not path.exists():
        return NA, "file not there"
    original = path.read_bytes()
    mutated = mutate(original.decode("utf-8"), fault.edits)
    if mutated is None:
        return NA, "edit text not found once"
    log = ""
    try:
        path.write_bytes(mutated.encode("utf-8"))
        if fault.linux:
            rc, log = tree.build()
            if rc != 0:
                errors = [line for line in log.splitlines() if "error" in line]
                return BUILD_FAILED, brief(errors, 2) or log[-300:]
            passed, failed, log = tree.fast_suite()
            if not passed:
                return KILLED, "unit: " + (brief(failed) or log[-200:])
            for module in fault.e2e if use_e2e else []:
                if module not in tree.e2e_modules:
                    continue
                passed, log = tree.e2e(module)
                if not passed:
                    return KILLED, "e2e: " + module
            for module in fault.trixie if use_e2e else []:
                passed, log = tree.trixie_e2e(module)
                if not passed:
                    return KILLED, "debian 13 e2e: " + module
            if fault.debian and use_e2e:
                passed, log = tree.debian_package()
                if not passed:
                    return KILLED, "debian package: packaging.install_and_deb"
        if fault.wine and use_wine:
            passed, failed, log = tree.wine_suite()
            if passed is None:
                return BUILD_FAILED, "windows: " + (brief([l for l in log.splitlines() if "error" in l], 2)
                                                    or log[-300:])
            if not passed:
                return KILLED, "windows: " + brief(failed)
        if fault.package and use_wine:
            passed, log = tree.windows_package()
            if not passed:
                return KILLED, "windows package: " + (brief(re.findall(r"^(.*): FAILED$", log, re.M)) or log[-200:])
        return SURVIVED, ""
    finally:
        path.write_bytes(original)
        logs.mkdir(parents=True, exist_ok=True)
        (logs / f"{fault.id}.log").write_text(log, encoding="utf-8")


def write_results(out, rows):
    with open(out, "w", newline="", encoding="utf-8") as f:
        writer = csv.DictWriter(f, FIELDS, delimiter="\t")
        writer.writeheader()
        writer.writerows(rows)


def read_results(path):
    with open(path, newline="", encoding="utf-8") as f:
        return {row["id"]: row for row in csv.DictReader(f, delimiter="\t")}


def kill_rate(verdicts):
    killed = sum(v == KILLED for v in verdicts)
    scored = killed + sum(v == SURVIVED for v in verdicts)
    return f"{killed}/{scored} = {100 * killed / scored:.0f} %" if scored else "none scored"


def report(runs):
    """A Markdown table of several runs, one row a fault, in the list's order;
    each run is a results file, LABEL=FILE to name its column."""
    labelled = [(r.partition("=")[0], r.partition("=")[2]) if "=" in r else (Path(r).stem.upper(), r) for r in runs]
    results = [(label, read_results(path)) for label, path in labelled]
    last_label, last = results[-1]
    print("| id | fault | file | " + " | ".join(label for label, _ in results) + f" | killed by ({last_label}) |")
    print("| --- | --- | --- |" + " --- |" * (len(results) + 1))
    for f in FAULTS:
        verdicts = " | ".join(r.get(f.id, {}).get("verdict", "–") for _, r in results)
        by = last.get(f.id, {}).get("killed_by", "").replace("|", "\\|")
        print(f"| {f.id} | {f.what} | `{f.file.removeprefix('src/')}` | {verdicts} | {by} |")
    print()
    for label, r in results:
        print(f"Kill rate {label}:", kill_rate([row["verdict"] for row in r.values()]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("ids", nargs="*", help="faults to plant (m07, m40-m45); all when none")
    parser.add_argument("--rev", default="HEAD", help="the commit whose suite is checked (HEAD)")
    parser.add_argument("--tree", default=str(ROOT / "build/mutants/tree"),
                        help="the clean copy, made at the first run and kept (build/mutants/tree)")
    parser.add_argument("--wine-prefix", default=str(ROOT / "build/mutants/wine"))
    parser.add_argument("--out", help="write the results to this file (tab-separated)")
    parser.add_argument("--logs", help="where the output of each fault's last stage is kept (TREE-logs)")
    parser.add_argument("--no-e2e", action="store_true", help="the fast suite only")
    parser.add_argument("--no-wine", action="store_true", help="no MinGW build and Wine")
    parser.add_argument("--check", action="store_true", help="only tell which edits apply to REV")
    parser.add_argument("--report", nargs="+", metavar="[LABEL=]FILE",
                        help="a Markdown table of results files, one column each")
    args = parser.parse_args()

    if args.report:
        report(args.report)
        return 0
    faults = select(args.ids)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGHUP, stop)
    tree = Tree(args.tree, args.rev, args.wine_prefix)
    tree.prepare()
    print(f"clean copy {tree.path} at {tree.commit[:10]}", flush=True)

    if args.check:
        missing = 0
        for f in faults:
            path = tree.path / f.file
            if not path.exists() or mutate(path.read_text(encoding="utf-8"), f.edits) is None:
                missing += 1
                print(f"{f.id}\tn/a\t{f.file}\t{f.what}")
        print(f"{len(faults) - missing} of {len(faults)} faults apply")
        return 0

    started = time.monotonic()
    tree.configure()
    rc, out = tree.build()
    if rc != 0:
        sys.exit("mutation-check: the clean copy does not build:\n" + out[-3000:])
    tree.list_tests()
    passed, failed, _ = tree.fast_suite()
    if not passed:
        sys.exit("mutation-check: the fast suite fails without any fault: " + " ".join(failed))
    if not args.no_wine and any(f.wine for f in faults):
        passed, failed, log = tree.wine_suite()
        if not passed:
            sys.exit("mutation-check: the Windows suite fails without any fault: " + " ".join(failed)
                     + "\n" + log[-2000:])
    if not args.no_wine and any(f.package for f in faults):
        passed, log = tree.windows_package()
        if not passed:
            sys.exit("mutation-check: the Windows package's checks fail without any fault:\n" + log[-2000:])
    print(f"clean suite passes ({time.monotonic() - started:.0f} s)", flush=True)

    logs = Path(args.logs or tree.path.parent / (tree.path.name + "-logs")).resolve()
    rows = []
    try:
        for f in faults:
            t0 = time.monotonic()
            verdict, by = check_fault(tree, f, not args.no_e2e, not args.no_wine, logs)
            by = " ".join(by.split())
            row = dict(id=f.id, verdict=verdict, killed_by=by, seconds=int(time.monotonic() - t0),
                       file=f.file, fault=f.what)
            rows.append(row)
            print(f"{f.id}\t{verdict}\t{row['seconds']} s\t{f.what}\t{by}", flush=True)
            if args.out:
                write_results(args.out, rows)
    except (KeyboardInterrupt, Stop) as why:
        print(f"mutation-check: stopped ({why or 'interrupted'}); the clean copy is restored", file=sys.stderr)
        return 130
    finally:
        counts = {v: sum(r["verdict"] == v for r in rows) for v in (KILLED, SURVIVED, NA, BUILD_FAILED)}
        print(", ".join(f"{n} {v}" for v, n in counts.items()),
              f"in {time.monotonic() - started:.0f} s; kill rate {kill_rate([r['verdict'] for r in rows])}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
