#!/usr/bin/env python3
"""A selection large enough to be formatted in many batches, by two threads,
reads as the same document as the same records given as many small inputs
(each formatted alone at the end of its input): every record once, in
order, numbered on across the batches.

    large_output_test.py CATSIEVE_BINARY PROJECT_DIR
"""
import os
import subprocess
import sys
import tempfile

BIN, ROOT = sys.argv[1], sys.argv[2]
LAYOUTS = [("tarn", "tarn_old"), ("mech", "tarn_mech_y2k"), ("orv", "orv"), ("brim", "brim"),
           ("kelp", "kelp"), ("f_brim", "full_brim")]
COPIES = 400
failed = 0
with tempfile.TemporaryDirectory() as tmp:
    for fmt, name in LAYOUTS:
        example = os.path.join(ROOT, "examples", name + ".cat")
        big = os.path.join(tmp, name + ".cat")
        with open(example, "rb") as f, open(big, "wb") as out:
            out.write(f.read() * COPIES)
        for form in ("--csv", "--geojson", "--quakeml"):
            args = [BIN, "-format", fmt, "-magnitude", "0", "9", form]
            whole = subprocess.run(args + [big], capture_output=True, check=True).stdout
            parts = subprocess.run(args + [example] * COPIES, capture_output=True,
                                   check=True).stdout
            lines = whole.count(b"\n")
            if whole != parts or lines < 3 * 2048:
                print(f"{name} {form}: {lines} lines, differs: {whole != parts}")
                failed += 1
sys.exit(1 if failed else 0)
