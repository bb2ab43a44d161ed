#!/usr/bin/env python3
"""Plant one-line faults in src/ and lib/ and see which ones the suite catches.

  plant_faults.py pick [--seed N] [--count N]         > docs/faults/faults-NAME.txt
  plant_faults.py run FAULTS LABEL [--keep-build]
  plant_faults.py compare FAULTS LABEL1 LABEL2
  plant_faults.py relocate FAULTS OLD_ROOT             > docs/faults/faults-NAME-moved.txt

`pick` chooses faults at random (seeded, so the list can be made again):
relational (< <= > >=), logical (&& ||), arithmetic (+ -), constant (n to
n+1) and boolean (true/false) flips, spread over the kinds.  Each line of the
list is: id, kind, file, line number, column, old text, new text.

`run` copies the checked-out tree (tracked and untracked, not ignored files)
to a scratch folder under build-faults/, builds it once, then for each fault
applies it, rebuilds incrementally, runs ctest with a time limit and puts the
file back.  A fault whose build fails is "n/a"; one whose text is not where
the list says, or whose file is marked "gone:", is "missing".  The outcome of
every fault is written to docs/faults/faults-LABEL.txt, one line per fault,
and a summary is printed.  `compare` prints both figures and every fault
caught in the first run and not in the second.

`relocate` carries a list over to a tree whose files were moved or edited.
OLD_ROOT is a checkout of the tree the list was picked on.  Each fault's line
is read there and looked for, by its text with the white space around it
stripped, in every .cc and .h under src/ and lib/ of this tree.  A single
match is taken; among several, the one whose two lines before and after agree
best with the old ones.  The column keeps its offset from the line's first
non-blank character.  A fault whose line is found nowhere keeps its place,
with its file written "gone:OLD/PATH", and `run` counts it as missing.  The
new list goes to standard output; ids are kept.
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
KINDS = ("relational", "logical", "arithmetic", "constant", "boolean")


def code_mask(text):
    """Per character of text: True where it is code, not a comment or literal."""
    mask = [True] * len(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            mask[i:j] = [False] * (j - i)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            mask[i:j] = [False] * (j - i)
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            mask[i:j] = [False] * (j - i)
            i = j
        elif c == "#" and (i == 0 or text[i - 1] == "\n"):
            j = text.find("\n", i)
            j = n if j < 0 else j
            mask[i:j] = [False] * (j - i)
            i = j
        else:
            i += 1
    return mask


PATTERNS = {
    "relational": [(r" < ", " <= "), (r" <= ", " < "), (r" > ", " >= "), (r" >= ", " > ")],
    "logical": [(r" && ", " || "), (r" \|\| ", " && ")],
    "arithmetic": [(r" \+ ", " - "), (r" - ", " + ")],
    "boolean": [(r"\btrue\b", "false"), (r"\bfalse\b", "true")],
}
CONSTANT = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")


def sites(path):
    text = open(path, encoding="utf-8", errors="surrogateescape").read()
    mask = code_mask(text)
    found = []
    starts = [0] + [m.end() for m in re.finditer("\n", text)]
    lines = text.split("\n")

    def where(pos):
        lo, hi = 0, len(starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if starts[mid] <= pos:
                lo = mid
            else:
                hi = mid - 1
        return lo

    for kind, pats in PATTERNS.items():
        for pat, new in pats:
            for m in re.finditer(pat, text):
                if all(mask[m.start():m.end()]):
                    ln = where(m.start())
                    found.append((kind, ln + 1, m.start() - starts[ln], m.group(0), new))
    for m in CONSTANT.finditer(text):
        if not all(mask[m.start():m.end()]):
            continue
        ln = where(m.start())
        line = lines[ln]
        if re.match(r"\s*(case\b|template\b|static_assert\b)", line) or "[" in line and "]" in line[m.end() - starts[ln]:]:
            continue  # array sizes and case labels mostly break the build
        found.append(("constant", ln + 1, m.start() - starts[ln], m.group(1), str(int(m.group(1)) + 1)))
    return found


def source_files():
    out = []
    for top in ("src", "lib"):
        for d, _, files in os.walk(os.path.join(ROOT, top)):
            for f in sorted(files):
                if f.endswith((".cc", ".h")):
                    out.append(os.path.relpath(os.path.join(d, f), ROOT))
    return sorted(out)


def pick(seed, count):
    rng = random.Random(seed)
    by_kind = {k: [] for k in KINDS}
    for f in source_files():
        for kind, ln, col, old, new in sites(os.path.join(ROOT, f)):
            by_kind[kind].append((f, ln, col, old, new))
    chosen = []
    k = 0
    while len(chosen) < count and any(by_kind.values()):
        kind = KINDS[k % len(KINDS)]
        k += 1
        pool = by_kind[kind]
        if not pool:
            continue
        f, ln, col, old, new = pool.pop(rng.randrange(len(pool)))
        chosen.append((kind, f, ln, col, old, new))
    for i, (kind, f, ln, col, old, new) in enumerate(chosen, 1):
        print(f"F{i:02d}\t{kind}\t{f}\t{ln}\t{col}\t{old.strip()!r}\t{new.strip()!r}")


def read_faults(path):
    faults = []
    for line in open(path, encoding="utf-8"):
        if not line.strip() or line.startswith("#"):
            continue
        fid, kind, f, ln, col, old, new = line.rstrip("\n").split("\t")
        faults.append((fid, kind, f, int(ln), int(col), eval(old), eval(new)))
    return faults


def sh(cmd, cwd, limit):
    """Runs cmd; on time-out its whole process group (hung tests too) is killed."""
    p = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         start_new_session=True)
    try:
        out, _ = p.communicate(timeout=limit)
        return p.returncode, out.decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        p.communicate()
        return "timeout", ""


def reap(program):
    """Kills the runs of program that outlived their tests (a planted fault can make one hang)."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if os.readlink(f"/proc/{pid}/exe") == program:
                os.kill(int(pid), signal.SIGKILL)
        except OSError:
            pass


def results_path(label):
    return os.path.join(ROOT, "docs", "faults", f"faults-{label}.txt")


def write_results(label, results):
    os.makedirs(os.path.dirname(results_path(label)), exist_ok=True)
    with open(results_path(label), "w") as o:
        for fid, outcome, note in results:
            o.write(f"{fid}\t{outcome}\t{note}\n")


def run(faults_path, label, keep):
    faults = read_faults(faults_path)
    scratch = os.path.join(ROOT, "build-faults", "tree")
    files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=ROOT,
                           stdout=subprocess.PIPE, check=True).stdout.decode().split("\0")
    if not keep and os.path.isdir(scratch):
        shutil.rmtree(scratch)
    for f in filter(None, files):
        dst = os.path.join(scratch, f)
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        if not os.path.exists(dst) or open(dst, "rb").read() != open(os.path.join(ROOT, f), "rb").read():
            shutil.copy2(os.path.join(ROOT, f), dst)
    build = os.path.join(scratch, "build")
    rc, out = sh(["cmake", "-S", ".", "-B", "build", "-DCATSIEVE_WERROR=ON"], scratch, 600)
    rc, out = sh(["cmake", "--build", "build", "-j2"], scratch, 3600)
    if rc != 0:
        sys.exit("the unchanged tree does not build:\n" + out[-3000:])
    ctest = ["ctest", "-j2", "--timeout", "30"]
    rc, out = sh(ctest, build, 900)
    if rc != 0:
        sys.exit("the unchanged tree fails its suite:\n" + out[-3000:])
    results = []
    for fid, kind, f, ln, col, old, new in faults:
        if f.startswith("gone:"):
            results.append((fid, "missing", ""))
            continue
        path = os.path.join(scratch, f)
        raw = open(path, "rb").read()
        lines = raw.decode(errors="surrogateescape").split("\n")
        line = lines[ln - 1]
        seen = line[col:col + len(old.strip()) + 2]
        start = line.find(old.strip(), col)
        failed = []
        if start != col and start != col + 1:
            results.append((fid, "missing", seen))
            continue
        lines[ln - 1] = line[:start] + new.strip() + line[start + len(old.strip()):]
        t0 = time.time()
        try:
            open(path, "wb").write("\n".join(lines).encode(errors="surrogateescape"))
            rc, out = sh(["cmake", "--build", "build", "-j2"], scratch, 900)
            if rc != 0:
                outcome = "n/a"
            else:
                rc, out = sh(ctest, build, 600)
                outcome = "survived" if rc == 0 else "caught"
                if rc == "timeout":
                    failed = ["(suite timed out)"]
                else:
                    failed = re.findall(r"^\s*\d+ - (\S+)", out, re.M)
        finally:
            open(path, "wb").write(raw)
            reap(os.path.join(build, "catsieve"))
        note = " ".join(failed) if outcome == "caught" else ""
        results.append((fid, outcome, note))
        write_results(label, results)
        print(fid, kind, f, ln, repr(old.strip()), "->", repr(new.strip()), outcome,
              f"{time.time() - t0:.0f}s", note[:300], flush=True)
    # Leave the scratch build matching the unchanged tree.
    sh(["cmake", "--build", "build", "-j2"], scratch, 3600)
    write_results(label, results)
    caught = sum(1 for r in results if r[1] == "caught")
    applicable = sum(1 for r in results if r[1] in ("caught", "survived"))
    print(f"{label}: caught {caught} of {applicable} applicable ({len(results)} planted)")


def compare(faults_path, first, second):
    def outcomes(label):
        rows = [l.rstrip("\n").split("\t") for l in open(results_path(label))]
        return {r[0]: r[1] for r in rows}
    a, b = outcomes(first), outcomes(second)
    for label, o in ((first, a), (second, b)):
        caught = sum(v == "caught" for v in o.values())
        applicable = sum(v in ("caught", "survived") for v in o.values())
        print(f"{label}: caught {caught} of {applicable} applicable ({len(o)} planted)")
    for fid, kind, f, ln, col, old, new in read_faults(faults_path):
        if a.get(fid) == "caught" and b.get(fid) != "caught":
            print(f"caught in {first}, not in {second}: {fid} {f}:{ln} {old!r} -> {new!r} ({b.get(fid)})")
        elif a.get(fid) != "caught" and b.get(fid) == "caught":
            print(f"caught in {second} only: {fid} {f}:{ln} {old!r} -> {new!r}")


def read_lines(path):
    return open(path, encoding="utf-8", errors="surrogateescape").read().split("\n")


def relocate(faults_path, old_root):
    def around(lines, i):
        return [lines[j].strip() if 0 <= j < len(lines) else None for j in (i - 2, i - 1, i + 1, i + 2)]

    def indent(line):
        return len(line) - len(line.lstrip())

    tree = {f: read_lines(os.path.join(ROOT, f)) for f in source_files()}
    where = {}
    for f, lines in tree.items():
        for i, line in enumerate(lines):
            where.setdefault(line.strip(), []).append((f, i))
    for fid, kind, f, ln, col, old, new in read_faults(faults_path):
        old_path = os.path.join(old_root, f)
        old_lines = read_lines(old_path) if os.path.isfile(old_path) else []
        found = []
        if 0 < ln <= len(old_lines) and old_lines[ln - 1].strip():
            found = where.get(old_lines[ln - 1].strip(), [])
        if not found:
            f = "gone:" + f
        else:
            near = around(old_lines, ln - 1)
            g, i = max(found, key=lambda c: (sum(a == b for a, b in zip(near, around(tree[c[0]], c[1]))),
                                            os.path.basename(c[0]) == os.path.basename(f)))
            col += indent(tree[g][i]) - indent(old_lines[ln - 1])
            f, ln = g, i + 1
        print(f"{fid}\t{kind}\t{f}\t{ln}\t{col}\t{old!r}\t{new!r}")


def main():
    ap = argparse.ArgumentParser()
    sub = ap.add_subparsers(dest="cmd", required=True)
    p = sub.add_parser("pick")
    p.add_argument("--seed", type=int, default=15)
    p.add_argument("--count", type=int, default=45)
    r = sub.add_parser("run")
    r.add_argument("faults")
    r.add_argument("label")
    r.add_argument("--keep-build", action="store_true")
    c = sub.add_parser("compare")
    c.add_argument("faults")
    c.add_argument("first")
    c.add_argument("second")
    m = sub.add_parser("relocate")
    m.add_argument("faults")
    m.add_argument("old_root")
    a = ap.parse_args()
    if a.cmd == "pick":
        pick(a.seed, a.count)
    elif a.cmd == "compare":
        compare(a.faults, a.first, a.second)
    elif a.cmd == "relocate":
        relocate(a.faults, a.old_root)
    else:
        run(a.faults, a.label, a.keep_build)


if __name__ == "__main__":
    main()
