#!/usr/bin/env python3
"""Plants one-line faults in a scratch copy of the tree, one at a time, and says which the test
suite catches.

The faults are listed in scripts/faults.json, each with the file, a unique fragment of the
original line (`find`), the text that replaces that fragment (`replace`), the area and a note
of the mistake it stands for. A fault marked "memory" changes no output but reads or writes
where it must not; the sanitizer build (--sanitize) runs those. A fault marked "inert" (with
the reason) cannot change behaviour and is listed but not counted; one marked "proj" is in code
built only with PROJ, like the EPSG area's.

The working tree is never modified: its tracked and untracked files are copied  to a
scratch folder, configured once there and rebuilt incrementally for each fault. The fault is
applied, the tree built, the suite run with ctest (stopping at the first failure), the file
restored. The table at the end shows, per fault, caught / MISSED and the first failing test.

    scripts/inject-faults.py                   # Release build with PROJ (when installed)
    scripts/inject-faults.py --no-proj         # Release build, PROJ hidden, no EPSG component
    scripts/inject-faults.py --sanitize        # ASan+UBSan Debug build, the memory faults
    scripts/inject-faults.py --only 'tool|utf8'  # faults whose id or area matches the regex
    scripts/inject-faults.py --list            # list the faults and check each applies once
Options: --scratch DIR (default $TMPDIR/quarn-faults-$USER), --jobs N (default 2),
--markdown (the table as Markdown), --keep-going (run every test, list all failures).
"""
import argparse
import getpass
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FAULTS = os.path.join(ROOT, "scripts", "faults.json")


def load_faults():
    with open(FAULTS, encoding="utf-8") as f:
        faults = json.load(f)
    seen = set()
    for fault in faults:
        for key in ("id", "area", "file", "find", "replace", "note"):
            if key not in fault:
                sys.exit(f"faults.json: {fault.get('id', '?')}: missing '{key}'")
        if fault["id"] in seen:
            sys.exit(f"faults.json: duplicate id {fault['id']}")
        seen.add(fault["id"])
    return faults


def apply(text, fault):
    """The text with the fault planted; an error when the fragment is not there exactly once."""
    count = text.count(fault["find"])
    if count != 1:
        raise ValueError(f"{fault['id']}: fragment found {count} times in {fault['file']}")
    return text.replace(fault["find"], fault["replace"], 1)


def run(cmd, cwd=None, log=None, timeout=None):
    started = time.time()
    proc = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, errors="replace", timeout=timeout)
    if log:
        with open(log, "a", encoding="utf-8") as f:
            f.write(f"$ {' '.join(cmd)}  ({time.time() - started:.0f} s, rc {proc.returncode})\n")
            f.write(proc.stdout)
    return proc


def sync_tree(src):
    """Copies the working tree's tracked and untracked (not ignored) files to src. Only files
    whose content differs are written, so the scratch build stays incremental across runs."""
    files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=ROOT,
                           stdout=subprocess.PIPE, check=True).stdout.decode().split("\0")
    for name in filter(None, files):
        source = os.path.join(ROOT, name)
        target = os.path.join(src, name)
        if not os.path.isfile(source):
            continue
        with open(source, "rb") as f:
            content = f.read()
        if os.path.isfile(target):
            with open(target, "rb") as f:
                if f.read() == content:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(source, target)  # a new time: the build sees the change


def configure(src, build, args, log):
    flags = ["-DQUARN_WERROR=OFF", "-DQUARN_BUILD_TESTS=ON", "-DQUARN_BUILD_BENCH=OFF"]
    if args.sanitize:
        flags += ["-DCMAKE_BUILD_TYPE=Debug", "-DQUARN_SANITIZE=ON"]
    else:
        # LTO makes every relink of the library slow and changes no behaviour the tests see.
        flags += ["-DCMAKE_BUILD_TYPE=Release", "-DQUARN_LTO=OFF"]
    if args.no_proj:
        # No EPSG component, and the tests' own look-up of PROJ (through pkg-config) fails.
        flags += ["-DQUARN_EPSG=OFF", "-DCMAKE_DISABLE_FIND_PACKAGE_PkgConfig=ON",
                  "-DCMAKE_DISABLE_FIND_PACKAGE_PROJ=ON"]
    proc = run(["cmake", "-S", src, "-B", build] + flags, log=log)
    if proc.returncode != 0:
        sys.exit(f"configuring failed; see {log}")


def build_tree(build, jobs, log):
    return run(["cmake", "--build", build, f"-j{jobs}"], log=log).returncode == 0


FAILED_LINE = re.compile(r"^\s*\d+ - (\S+) \((Failed|SEGFAULT|Timeout|Subprocess aborted|"
                         r"Child aborted|Exception|[A-Za-z ]+)\)")


# Tests that took longer than this in earlier runs (ctest's cost data: the comparisons with
# PROJ over the corpus, the package tests that build outside projects) run after the others
# have passed: ctest starts the longest first and, at a failure, waits for them to end.
SLOW_SECONDS = 3.0


def slow_tests(build):
    """A regex of the tests that ran longer than SLOW_SECONDS, from ctest's cost data."""
    names = ["_package$"]
    costs = os.path.join(build, "Testing", "Temporary", "CTestCostData.txt")
    if os.path.exists(costs):
        with open(costs, encoding="utf-8", errors="replace") as f:
            for line in f:
                fields = line.split()
                if len(fields) == 3 and float(fields[2]) > SLOW_SECONDS:
                    names.append("^" + re.escape(fields[0]) + "$")
    return "|".join(names)


def run_suite(build, args, log):
    """(passed, failing tests in order) of the suite: the quick tests, then the slow ones."""
    failed = []
    slow = slow_tests(build)
    for stage in (["-E", slow], ["-R", slow]):
        # The sanitizer build runs the comparison with PROJ's corpus for minutes.
        timeout = "900" if args.sanitize else "120"
        cmd = ["ctest", "--test-dir", build, f"-j{args.jobs}", "--timeout", timeout] + stage
        if not args.keep_going:
            cmd.append("--stop-on-failure")
        proc = run(cmd, log=log)
        seen_list = False
        for line in proc.stdout.splitlines():
            if line.startswith("The following tests FAILED"):
                seen_list = True
                continue
            if seen_list:
                m = FAILED_LINE.match(line)
                if m:
                    failed.append(f"{m.group(1)} ({m.group(2)})")
        if proc.returncode != 0 and not failed:
            failed.append("ctest failed (see the log)")
        if failed and not args.keep_going:
            break
    return not failed, failed


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--only", help="regex on the fault's id or area")
    parser.add_argument("--no-proj", action="store_true", help="build without PROJ")
    parser.add_argument("--sanitize", action="store_true",
                        help="ASan+UBSan Debug build; runs the memory faults (or --only)")
    parser.add_argument("--scratch", help="scratch folder (kept between runs)")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--list", action="store_true", help="list the faults and check them")
    parser.add_argument("--markdown", action="store_true", help="print the table as Markdown")
    parser.add_argument("--keep-going", action="store_true",
                        help="run the whole suite for each fault")
    args = parser.parse_args()

    faults = load_faults()
    selected = faults
    if args.only:
        pattern = re.compile(args.only)
        selected = [f for f in faults if pattern.search(f["id"]) or pattern.search(f["area"])]
    elif args.sanitize:
        selected = [f for f in faults if f.get("memory")]

    if args.list:
        bad = 0
        for fault in selected:
            with open(os.path.join(ROOT, fault["file"]), encoding="utf-8") as f:
                text = f.read()
            try:
                apply(text, fault)
                state = "inert" if fault.get("inert") else ("memory" if fault.get("memory") else "")
            except ValueError as error:
                state = f"DOES NOT APPLY: {error}"
                bad += 1
            print(f"{fault['id']:<28} {fault['area']:<12} {state}")
        areas = {}
        for fault in faults:
            areas[fault["area"]] = areas.get(fault["area"], 0) + 1
        print(f"{len(faults)} faults: " + ", ".join(f"{a} {n}" for a, n in sorted(areas.items())))
        return 1 if bad else 0

    variant = "sanitize" if args.sanitize else ("noproj" if args.no_proj else "proj")
    # One scratch folder per checkout (a worktree beside another gets its own) and, in it,
    # one copy per variant, so that runs of two checkouts or two variants do not meet.
    checkout = hashlib.sha1(ROOT.encode()).hexdigest()[:8]
    scratch = args.scratch or os.path.join(tempfile.gettempdir(),
                                           f"quarn-faults-{getpass.getuser()}-{checkout}")
    src = os.path.join(scratch, f"src-{variant}")
    build = os.path.join(scratch, f"build-{variant}")
    log = os.path.join(scratch, f"log-{variant}.txt")
    os.makedirs(scratch, exist_ok=True)
    open(log, "w").close()
    print(f"scratch copy {src}, build {build}, log {log}", flush=True)
    sync_tree(src)
    cache = os.path.join(build, "CMakeCache.txt")
    if os.path.exists(cache):
        with open(cache, encoding="utf-8", errors="replace") as f:
            if f"CMAKE_HOME_DIRECTORY:INTERNAL={src}\n" not in f.read():
                shutil.rmtree(build)  # configured for another copy: start afresh
    if not os.path.exists(cache):
        configure(src, build, args, log)
    if not build_tree(build, args.jobs, log):
        sys.exit(f"the unchanged tree does not build; see {log}")
    passed, failed = run_suite(build, args, log)
    if not passed:
        sys.exit(f"the unchanged tree fails the suite ({', '.join(failed)}); see {log}")

    rows = []
    for number, fault in enumerate(selected, 1):
        path = os.path.join(src, fault["file"])
        with open(path, encoding="utf-8") as f:
            original = f.read()
        if fault.get("inert"):
            rows.append((fault, "inert", fault["inert"]))
            continue
        if fault.get("memory") and not args.sanitize:
            rows.append((fault, "memory", "changes no output: run with --sanitize"))
            continue
        if args.no_proj and (fault["area"] == "epsg" or fault.get("proj")):
            rows.append((fault, "n/a", "the EPSG component is not built without PROJ"))
            continue
        try:
            faulty = apply(original, fault)
        except ValueError as error:
            rows.append((fault, "error", str(error)))
            print(f"[{number}/{len(selected)}] {fault['id']}: {error}", flush=True)
            continue
        with open(path, "w", encoding="utf-8") as f:
            f.write(faulty)
        started = time.time()
        try:
            with open(log, "a", encoding="utf-8") as f:
                f.write(f"\n==== {fault['id']}\n")
            if not build_tree(build, args.jobs, log):
                rows.append((fault, "error", "does not build"))
            else:
                passed, failed = run_suite(build, args, log)
                rows.append((fault, "MISSED", "") if passed else (fault, "caught", failed[0]))
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        print(f"[{number}/{len(selected)}] {fault['id']}: {rows[-1][1]} {rows[-1][2]} "
              f"({time.time() - started:.0f} s)", flush=True)
    # Leave the scratch build matching the tree again.
    build_tree(build, args.jobs, log)

    counted = [r for r in rows if r[1] in ("caught", "MISSED")]
    caught = [r for r in counted if r[1] == "caught"]
    if args.markdown:
        print("\n| fault | area | result | first failing test |\n|---|---|---|---|")
        for fault, state, detail in rows:
            print(f"| {fault['id']} | {fault['area']} | {state} | {detail} |")
    else:
        print()
        for fault, state, detail in rows:
            print(f"{fault['id']:<28} {fault['area']:<12} {state:<7} {detail}")
    share = 100.0 * len(caught) / len(counted) if counted else 0.0
    print(f"\n{variant}: {len(caught)} of {len(counted)} counted faults caught ({share:.1f}%); "
          f"{sum(1 for r in rows if r[1] == 'inert')} inert, "
          f"{sum(1 for r in rows if r[1] == 'n/a')} not built, "
          f"{sum(1 for r in rows if r[1] == 'memory')} memory faults left to --sanitize, "
          f"{sum(1 for r in rows if r[1] == 'error')} errors")
    return 0 if len(caught) == len(counted) else 1


if __name__ == "__main__":
    sys.exit(main())
