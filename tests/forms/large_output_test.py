#!/usr/bin/env python3
"""A selection large enough to be formatted in many batches, by two threads,
reads as the same document as the same records given as many small inputs
(each formatted alone at the end of its input): every record once, in
order, numbered on across the batches.  Only the IDs differ: in the large
file the k-th copy of a record has the suffix -k, in the small ones none.

    large_output_test.py CATSIEVE_BINARY PROJECT_DIR
"""
import os
import re
import subprocess
import sys
import tempfile

BIN, ROOT = sys.argv[1], sys.argv[2]
LAYOUTS = [("tarn", "tarn_old"), ("mech", "tarn_mech_y2k"), ("orv", "orv"), ("brim", "brim"),
           ("kelp", "kelp"), ("f_brim", "full_brim")]
COPIES = 400
SUFFIX = re.compile(rb"((?:tarn|mech|orv|brim|kelp|f_brim)\d{14}(?:\.\d+)?)-(\d+)")
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
            copies = {int(m.group(2)) for m in SUFFIX.finditer(whole)}
            whole = SUFFIX.sub(rb"\1", whole)
            if whole != parts or lines < 3 * 2048 or copies != set(range(2, COPIES + 1)):
                print(f"{name} {form}: {lines} lines, differs: {whole != parts}")
                failed += 1
sys.exit(1 if failed else 0)
