#!/usr/bin/env python3
"""The README's map recipe, run for the example catalog of every layout: what GMT reads from the
CSV the recipe writes (its catsieve options, then the -h and -i options of its `gmt plot`) is each
event's longitude, latitude and scaled magnitude as the full CSV gives them, NaN where the event
has none. Skips, saying so, where GMT is not installed.
Usage: gmt_recipe_test.py CATSIEVE_BINARY PROJECT_DIR"""
import csv, io, math, os, re, shlex, shutil, subprocess, sys, tempfile

BIN, ROOT = sys.argv[1], sys.argv[2]
LAYOUTS = [("tarn", "tarn_old"), ("mech", "tarn_mech_y2k"), ("orv", "orv"), ("brim", "brim"),
           ("kelp", "kelp"), ("f_brim", "full_brim")]


def recipe():
    """The output options of the recipe's catsieve command (its selection left out) and the -h
    and -i options of its plot."""
    text = open(os.path.join(ROOT, "README.md")).read()
    block = re.search(r"## Map the selection\n.*?```sh\n(.*?)```", text, re.S).group(1)
    command = next(l for l in block.splitlines() if l.startswith("./build/catsieve"))
    words = shlex.split(command.split(">")[0])[1:]
    options = []
    for i, w in enumerate(words):
        if w == "--csv":
            options.append(w)
        elif w in ("--columns", "--missing"):
            options += words[i:i + 2]
    plot = next(l for l in block.splitlines() if "gmt plot selection.csv" in l)
    reading = [w for w in plot.split() if w.startswith(("-h", "-i"))]
    return options, reading


def main():
    if not shutil.which("gmt"):
        print("skipped: GMT is not installed (apt-get install gmt)")
        return 0
    options, reading = recipe()
    assert "--columns" in options and "--missing" in options, options
    scale = float(re.search(r"\+s([0-9.]+)", " ".join(reading)).group(1))
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        for fmt, name in LAYOUTS:
            example = os.path.join(ROOT, "examples", name + ".cat")
            # Every event of the catalog, written as the recipe writes them.
            base = [BIN, "-format", fmt] + (["-etype", "a"] if fmt in ("tarn", "brim", "f_brim")
                                            else [])
            table = os.path.join(tmp, "selection.csv")
            with open(table, "w") as f:
                subprocess.run(base + options + [example], stdout=f, check=True)
            got = subprocess.run(["gmt", "convert", table] + reading, capture_output=True,
                                 text=True, check=True).stdout.splitlines()
            got = [[float(v) for v in l.split()] for l in got if not l.startswith("#")]
            full = subprocess.run(base + ["--csv", example], capture_output=True, text=True,
                                  check=True).stdout
            want = [[num(r["longitude"]), num(r["latitude"]), num(r["mag"]) * scale]
                    for r in csv.DictReader(io.StringIO(full))]
            if len(got) != len(want) or any(not same(a, b) for g, w in zip(got, want)
                                             for a, b in zip(g, w)):
                print(f"{name}: GMT reads {got[:3]}..., the CSV holds {want[:3]}...")
                failed += 1
    return 1 if failed else 0


def num(text):
    return float(text) if text else math.nan


def same(a, b):
    return (math.isnan(a) and math.isnan(b)) or math.isclose(a, b, rel_tol=1e-9, abs_tol=1e-9)


if __name__ == "__main__":
    sys.exit(main())
