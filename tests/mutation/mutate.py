#!/usr/bin/python3
"""Mutation run: does the suite notice the faults developers really write?

Each entry of faults.txt (beside this script) names one single-line fault: the
file (a glob, so that an entry survives a file being split), a piece of text
that must occur on exactly one line of those files, what replaces it, and the
test binaries that should notice. For every entry the script

  1. copies the sources (tracked and new files of this checkout, as they are
     in the working tree) into a scratch folder, build-mutation/ by default,
     writing only files that changed so that builds stay incremental;
  2. puts the fault into the scratch copy (never into this checkout);
  3. rebuilds the named test binaries there and runs them, with a time limit;
  4. puts the scratch file back as it was.

A fault is killed when a test binary fails (or runs past its time limit);
it survived when every binary passes. An entry whose text is not found, or is
found on more than one line, whose binaries fail without any fault, or whose
fault does not build, is an error: it counts neither way and makes the exit
status 1.

    /usr/bin/python3 tests/mutation/mutate.py            # every entry
    /usr/bin/python3 tests/mutation/mutate.py --check    # only check that every entry applies
    /usr/bin/python3 tests/mutation/mutate.py --only data --only SiteMap

Not part of CTest: a whole run takes tens of minutes.
"""

import argparse
import collections
import filecmp
import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
KEYS = ("fault", "layer", "file", "find", "replace", "test")


class Entry:
    def __init__(self, fields, lineno):
        self.lineno = lineno
        self.name = fields.get("fault", "")
        self.layer = fields.get("layer", "")
        self.file_glob = fields.get("file", "")
        self.find = fields.get("find", "")
        self.replace = fields.get("replace", "")
        self.tests = fields.get("test", "").split()
        self.path = None      # relative path of the file that holds the line
        self.line_index = -1  # 0-based line number there
        self.problem = None   # why the entry does not apply
        missing = [k for k in KEYS if k not in fields or (k != "replace" and not fields[k].strip())]
        if missing:
            self.problem = "missing " + ", ".join(missing)
        elif self.find == self.replace:
            self.problem = "the replacement is the text itself"


def parse_list(path):
    """Blocks of 'key: value' lines separated by blank lines; '#' comments."""
    entries, fields, start = [], {}, 0
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for number, raw in enumerate(lines + [""], 1):
        if raw.startswith("#"):
            continue
        if not raw.strip():
            if fields:
                entries.append(Entry(fields, start))
                fields = {}
            continue
        key, sep, value = raw.partition(":")
        key = key.strip()
        if not sep or key not in KEYS:
            sys.exit(f"{path}:{number}: expected one of {', '.join(KEYS)} followed by ':'")
        if not fields:
            start = number
        fields[key] = value[1:] if value.startswith(" ") else value
    return entries


def locate(entry, root):
    """Finds the one line of the entry's files that holds its text."""
    if entry.problem:
        return
    files = sorted(p for p in glob.glob(os.path.join(root, entry.file_glob), recursive=True) if os.path.isfile(p))
    if not files:
        entry.problem = f"no file matches {entry.file_glob}"
        return
    hits = []
    for p in files:
        with open(p, encoding="utf-8", errors="surrogateescape") as f:
            for i, line in enumerate(f.read().split("\n")):
                if entry.find in line:
                    hits.append((os.path.relpath(p, root), i))
    if not hits:
        entry.problem = f"text not found in {entry.file_glob}: {entry.find!r}"
    elif len(hits) > 1:
        where = ", ".join(f"{p}:{i + 1}" for p, i in hits[:5])
        entry.problem = f"text found on {len(hits)} lines ({where}): {entry.find!r}"
    else:
        entry.path, entry.line_index = hits[0]


def source_files(root):
    out = subprocess.run(["git", "ls-files", "-z", "-c", "-o", "--exclude-standard"], cwd=root,
                         check=True, capture_output=True).stdout
    return [p for p in out.decode().split("\0") if p and os.path.isfile(os.path.join(root, p))]


def sync_sources(root, scratch_src):
    """Mirrors the checkout into the scratch folder, touching only what differs."""
    wanted = set(source_files(root))
    copied = 0
    for rel in wanted:
        src, dst = os.path.join(root, rel), os.path.join(scratch_src, rel)
        if os.path.isfile(dst) and filecmp.cmp(src, dst, shallow=False):
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        shutil.copy2(src, dst)
        os.utime(dst)  # newer than any object built from the old text
        copied += 1
    removed = 0
    for dirpath, dirnames, filenames in os.walk(scratch_src):
        if os.path.abspath(dirpath) == os.path.abspath(scratch_src) and "build" in dirnames:
            dirnames.remove("build")
        for name in filenames:
            rel = os.path.relpath(os.path.join(dirpath, name), scratch_src)
            if rel not in wanted:
                os.remove(os.path.join(dirpath, name))
                removed += 1
    return copied, removed


def run(cmd, cwd, log, timeout=None, env=None):
    """Runs cmd, appending its output to log. Returns (exit code or None on timeout, seconds, output)."""
    start = time.monotonic()
    p = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         stdin=subprocess.DEVNULL, start_new_session=True)
    try:
        out, _ = p.communicate(timeout=timeout)
        code = p.returncode
    except subprocess.TimeoutExpired:
        # The whole process group goes: the binary and what it started.
        os.killpg(p.pid, signal.SIGKILL)
        out, _ = p.communicate()
        code = None
    text = out.decode(errors="replace")
    with open(log, "a", encoding="utf-8") as f:
        f.write(f"$ {' '.join(cmd)}\n{text}\n")
    return code, time.monotonic() - start, text


class Runner:
    def __init__(self, scratch, jobs):
        self.scratch = os.path.abspath(scratch)
        self.src = os.path.join(self.scratch, "src")
        self.build = os.path.join(self.src, "build")
        self.log = os.path.join(self.scratch, "mutation.log")
        self.jobs = jobs
        self.baseline = {}  # test binary -> seconds, or None when it fails unmutated

    def configure(self):
        # Every run: the sources may have new test folders or targets.
        code, _, _ = run(["cmake", "-S", self.src, "-B", self.build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo"],
                         self.src, self.log)
        return code == 0

    def build_targets(self, targets):
        code, _, text = run(["cmake", "--build", self.build, "-j", str(self.jobs), "--target", *targets],
                            self.src, self.log)
        return code == 0, text

    def env(self):
        env = dict(os.environ)
        env["QT_QPA_PLATFORM"] = "offscreen"
        env["ZANFIRA_HOME"] = os.path.join(self.build, "programfolder")
        env.setdefault("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu")
        return env

    def binary(self, target):
        return os.path.join(self.build, "bin", target) if os.path.isfile(
            os.path.join(self.build, "bin", target)) else os.path.join(self.build, "tests", target)

    def run_test(self, target, timeout):
        # Screenshot writers are no tests; leave them out.
        cmd = [self.binary(target), "--gtest_filter=-*Screenshot*", "--gtest_brief=1"]
        code, seconds, text = run(cmd, self.build, self.log, timeout=timeout, env=self.env())
        failed = re.findall(r"^\[  FAILED  \] (\S+\.\S+)", text, re.M)
        return code, seconds, sorted(set(failed))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--list", default=os.path.join(HERE, "faults.txt"), help="the list of faults")
    ap.add_argument("--scratch", help="scratch folder (default: build-mutation/ in the checkout)")
    ap.add_argument("--only", action="append", default=[],
                    help="run only entries whose layer, file or name contains this text (repeatable)")
    ap.add_argument("--check", action="store_true", help="only check that every entry applies")
    ap.add_argument("--jobs", type=int, default=2)
    args = ap.parse_args()

    root = subprocess.run(["git", "rev-parse", "--show-toplevel"], cwd=HERE, check=True,
                          capture_output=True, text=True).stdout.strip()
    entries = parse_list(args.list)
    for e in entries:
        locate(e, root)
    if args.only:
        entries = [e for e in entries
                   if any(o.lower() in f"{e.layer} {e.file_glob} {e.name}".lower() for o in args.only)]
    errors = [e for e in entries if e.problem]
    for e in errors:
        print(f"ERROR     {e.layer:9} {e.name} (faults.txt line {e.lineno}): {e.problem}")
    if args.check:
        print(f"{len(entries) - len(errors)} of {len(entries)} entries apply")
        return 1 if errors else 0

    runner = Runner(args.scratch or os.path.join(root, "build-mutation"), args.jobs)
    os.makedirs(runner.src, exist_ok=True)
    open(runner.log, "w").close()
    copied, removed = sync_sources(root, runner.src)
    print(f"scratch copy {runner.src}: {copied} files written, {removed} removed; log {runner.log}", flush=True)
    if not runner.configure():
        print("ERROR: the scratch copy does not configure; see the log")
        return 1

    live = [e for e in entries if not e.problem]
    targets = sorted({t for e in live for t in e.tests})
    ok, _ = runner.build_targets(targets) if targets else (True, "")
    if not ok:
        # A build that regenerated its own makefiles half-way may need a second go.
        ok, _ = runner.build_targets(targets)
    if not ok:
        print("ERROR: the unmutated sources do not build; see the log")
        return 1
    for t in targets:
        code, seconds, failed = runner.run_test(t, timeout=1800)
        runner.baseline[t] = seconds if code == 0 else None
        print(f"baseline  {t}: {'passes' if code == 0 else 'FAILS ' + ' '.join(failed)} ({seconds:.0f} s)", flush=True)

    results = []  # (entry, outcome, detail)
    for e in entries:
        if e.problem:
            results.append((e, "error", e.problem))
            continue
        broken = [t for t in e.tests if runner.baseline.get(t) is None]
        if broken:
            detail = f"{' '.join(broken)} fails without the fault"
            results.append((e, "error", detail))
            print(f"ERROR     {e.layer:9} {e.name}: {detail}", flush=True)
            continue
        target = os.path.join(runner.src, e.path)
        with open(target, "rb") as f:
            original = f.read()
        lines = original.decode(errors="surrogateescape").split("\n")
        lines[e.line_index] = lines[e.line_index].replace(e.find, e.replace, 1)
        try:
            with open(target, "wb") as f:
                f.write("\n".join(lines).encode(errors="surrogateescape"))
            built, _ = runner.build_targets(e.tests)
            if not built:
                outcome, detail = "error", "the fault does not build"
            else:
                outcome, detail = "survived", ""
                for t in e.tests:
                    limit = max(120.0, 5 * runner.baseline[t])
                    code, seconds, failed = runner.run_test(t, timeout=limit)
                    if code is None:
                        outcome, detail = "killed", f"{t} ran past {limit:.0f} s"
                        break
                    if code != 0:
                        outcome = "killed"
                        detail = f"{t}: " + (", ".join(failed[:3]) + (" ..." if len(failed) > 3 else "")
                                             if failed else f"exit {code}")
                        break
        finally:
            with open(target, "wb") as f:
                f.write(original)
        results.append((e, outcome, detail))
        print(f"{outcome.upper():9} {e.layer:9} {e.name} [{e.path}:{e.line_index + 1}] {detail}", flush=True)

    # The scratch build is left as the sources are.
    runner.build_targets(targets)

    table = collections.OrderedDict()
    for e, outcome, _ in results:
        row = table.setdefault(e.layer, collections.Counter())
        row[outcome] += 1
    print()
    print(f"{'layer':10} {'killed':>6} {'survived':>8} {'errors':>6} {'kill rate':>9}")
    total = collections.Counter()
    for layer, row in table.items():
        total.update(row)
        print(_row(layer, row))
    print(_row("total", total))
    survivors = [e for e, o, _ in results if o == "survived"]
    if survivors:
        print("\nsurvived:")
        for e in survivors:
            print(f"  {e.layer}: {e.name} ({e.path}:{e.line_index + 1})")
    return 1 if total["error"] else 0


def _row(name, row):
    counted = row["killed"] + row["survived"]
    rate = f"{100.0 * row['killed'] / counted:.0f}%" if counted else "-"
    return f"{name:10} {row['killed']:6} {row['survived']:8} {row['error']:6} {rate:>9}"


if __name__ == "__main__":
    sys.exit(main())
