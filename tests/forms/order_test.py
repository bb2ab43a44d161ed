#!/usr/bin/env python3
"""--orderby, --limit, --offset and --max-events on the example catalogs of every layout. The CSV
of an ordered run is the CSV of the plain run sorted here (stably; no magnitude last), then cut to
the window; the records form writes the same events, whole; --count counts the window; a limit
reached in catalog order opens no further input; a sort past --max-events fails, its document
closed.
Usage: order_test.py CATSIEVE_BINARY PROJECT_DIR"""
import csv, io, json, os, subprocess, sys, unittest
import xml.etree.ElementTree as ET

BIN, ROOT = sys.argv[1], sys.argv[2]
LAYOUTS = [("tarn", "tarn_old"), ("tarn", "tarn_y2k"), ("mech", "tarn_mech_old"),
           ("mech", "tarn_mech_y2k"), ("orv", "orv"), ("brim", "brim"), ("kelp", "kelp"),
           ("f_brim", "full_brim")]
ORDERS = [None, "time", "time-asc", "magnitude", "magnitude-asc"]
# Criteria and a window of the output, each against every order.
RUNS = [([], []), ([], ["--limit", "3"]), ([], ["--offset", "5"]),
        ([], ["--limit", "4", "--offset", "2"]), ([], ["--offset", "1000"]),
        (["-negate", "-magnitude", "3", "9"], ["--limit", "5", "--offset", "2"])]
MISSING = "no-such-input.cat"


def run(args, stdin=None):
    p = subprocess.run(["catsieve"] + args, executable=BIN, input=stdin, capture_output=True)
    return p.stdout.decode("latin-1"), p.stderr.decode(), p.returncode


def example(name):
    return os.path.join(ROOT, "examples", name + ".cat")


def csv_rows(args, files=(), stdin=None):
    out, err, status = run(args + ["--csv"] + list(files), stdin)
    assert status == 0 and err == "", (args, err)
    return list(csv.DictReader(io.StringIO(out)))


def read(path):
    with open(path, encoding="latin-1") as f:
        return f.read()


def time_key(row):
    t = row["time"]  # 1995-02-14T03:21:07.42Z
    return t[:19], float("0" + t[19:-1])


def ordered(rows, order):
    """The rows in the order asked for; time-asc is the catalog's own, as it stands."""
    if order == "time":
        return sorted(rows, key=time_key, reverse=True)
    if order in ("magnitude", "magnitude-asc"):
        rated = [r for r in rows if r["mag"]]
        return sorted(rated, key=lambda r: float(r["mag"]), reverse=order == "magnitude") + \
            [r for r in rows if not r["mag"]]
    return rows


def window(rows, options):
    o = dict(zip(options[::2], map(int, options[1::2])))
    start = o.get("--offset", 1) - 1
    return rows[start:start + o["--limit"]] if "--limit" in o else rows[start:]


def without_ids(rows):
    return [{k: v for k, v in r.items() if k != "id"} for r in rows]


class Order(unittest.TestCase):
    def check_orders(self, fmt, name, files, stdin=None):
        for criteria, options in RUNS:
            base = ["-format", fmt, "-etype", "a"] + criteria
            plain = csv_rows(base, files, stdin)
            for order in ORDERS:
                args = base + (["--orderby", order] if order else []) + options
                with self.subTest(name=name, args=" ".join(args)):
                    want = window(ordered(plain, order), options)
                    self.assertEqual(csv_rows(args, files, stdin), want)
                    # The records, read back in the order written, describe the same events.
                    records, err, status = run(args + files, stdin)
                    self.assertEqual((err, status), ("", 0))
                    back = csv_rows(["-format", fmt, "-etype", "a"], (), records.encode("latin-1"))
                    self.assertEqual(without_ids(back), without_ids(want))
                    count = run(args + ["--count"] + files, stdin)
                    self.assertEqual(count, ("%d\n" % len(want), "", 0))

    def test_orders_and_windows_of_every_layout(self):
        for fmt, name in LAYOUTS:
            self.check_orders(fmt, name, [example(name)])

    def test_ties_keep_input_order(self):
        # Every event twice: equal times and magnitudes throughout.
        doubled = read(example("tarn_old")).encode("latin-1") * 2
        self.check_orders("tarn", "tarn_old doubled", [], doubled)

    def test_records_that_are_no_event_come_last(self):
        lines = read(example("tarn_y2k")).splitlines(True)[:6]
        stdin = "".join(lines[:3] + ["no event\n"] + lines[3:]).encode("latin-1")
        newest = sorted(lines, key=lambda l: l[:16], reverse=True)
        cases = [(["--orderby", "time"], newest + ["no event\n"]),
                 # 3.9 is the largest magnitude of the six.
                 (["--orderby", "magnitude-asc", "--offset", "6"], [lines[2], "no event\n"]),
                 (["--limit", "4"], lines[:3] + ["no event\n"]),
                 (["--offset", "4", "--limit", "2"], ["no event\n", lines[3]])]
        for options, want in cases:
            with self.subTest(options=options):
                self.assertEqual(run(["-etype", "a"] + options, stdin), ("".join(want), "", 0))

    def test_a_limit_in_catalog_order_opens_no_further_input(self):
        records = read(example("tarn_old")).splitlines(True)
        newest = sorted(records, key=lambda l: l[:16], reverse=True)
        unable = "Unable to open file %s\n" % MISSING
        cases = [(["--limit", "2"], records[:2], "", 0),
                 (["--limit", "40"], records, "", 0),
                 (["--orderby", "time-asc", "--offset", "39", "--limit", "2"], records[38:], "",
                  0),
                 (["--limit", "41"], records, unable, 1),
                 # A sort reads every input; what it holds still goes out.
                 (["--orderby", "time", "--limit", "2"], newest[:2], unable, 1)]
        self.assertEqual(run(["-etype", "a", "--count", example("tarn_old")])[0], "40\n")
        for options, want, err, status in cases:
            with self.subTest(options=options):
                got = run(["-etype", "a"] + options + [example("tarn_old"), MISSING])
                self.assertEqual(got, ("".join(want), err, status))
        csv_out, _, status = run(["-etype", "a", "--csv", "--limit", "40", example("tarn_old"),
                                  MISSING])
        self.assertEqual((len(csv_out.splitlines()), status), (41, 0))

    def test_a_sort_past_max_events_fails_with_its_document_closed(self):
        message = ("catsieve: more than 39 events to sort: give --limit, or a larger "
                   "--max-events\n")
        parse = {"": lambda t: t.splitlines(), "--csv": lambda t: t.splitlines()[1:],
                 "--text": lambda t: t.splitlines()[1:],
                 "--geojson": lambda t: json.loads(t)["features"],
                 "--quakeml": lambda t: ET.fromstring(t).findall(".//{*}event")}
        base = ["-etype", "a", "--orderby", "magnitude"]
        for form, events in parse.items():
            with self.subTest(form=form or "records"):
                forms = [form] if form else []
                out, err, status = run(base + forms + ["--max-events", "39", example("tarn_old")])
                self.assertEqual((err, status, events(out)), (message, 1, []))
                out, err, status = run(base + forms + ["--max-events", "40", example("tarn_old")])
                self.assertEqual((err, status, len(events(out))), ("", 0, 40))
        # A limit bounds what is held; a count sorts nothing.
        for options, want in ((["--limit", "39"], 39), (["--count"], 1)):
            out, err, status = run(base + options + ["--max-events", "1", example("tarn_old")])
            self.assertEqual((err, status, len(out.splitlines())), ("", 0, want))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
