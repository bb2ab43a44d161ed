#!/usr/bin/env python3
"""Whatever ends a run, every output form is a whole document: after a magnitude type the catalog
lacks, a missing input or a damaged compressed input, CSV and text rows are whole, GeoJSON parses,
QuakeML is well formed (and valid against ../shared/quakeml where at hand) and --count prints the
count so far; the error still goes to standard error with status 1. Values no client can take
leave no trace in any form, and --strict names each record that holds one.
Usage: documents_test.py CATSIEVE_BINARY PROJECT_DIR IO_FAULT_LIBRARY"""
import csv, gzip, io, json, os, shutil, subprocess, sys, tempfile, unittest
import xml.etree.ElementTree as ET

BIN, ROOT, IO_FAULT = sys.argv[1], sys.argv[2], sys.argv[3]
SCHEMA = os.path.join(ROOT, "..", "shared", "quakeml", "QuakeML-1.2.xsd")
TMP = tempfile.TemporaryDirectory()


def example(name):
    return os.path.join(ROOT, "examples", name + ".cat")


def run(args, stdin=None, env=None):
    p = subprocess.run(["catsieve"] + args, executable=BIN, input=stdin, capture_output=True,
                       env=env and dict(os.environ, **env))
    return p.stdout.decode("latin-1"), p.stderr.decode(), p.returncode


def truncated_gzip():
    path = os.path.join(TMP.name, "cut.gz")
    data = gzip.compress(open(example("tarn_old"), "rb").read())
    with open(path, "wb") as f:
        f.write(data[: len(data) * 2 // 3])
    return path


def entries(form, out):
    """The number of events of a document, or an assertion error when it is not whole."""
    if form == "--csv":
        rows = list(csv.reader(io.StringIO(out)))
        assert out.endswith("\n") and len({len(r) for r in rows}) == 1, out[-300:]
        return len(rows) - 1
    if form == "--text":
        lines = out.splitlines()
        assert out.endswith("\n") and {l.count("|") for l in lines} == {13}, out[-300:]
        return len(lines) - 1
    if form == "--geojson":
        return len(json.loads(out)["features"])
    if form == "--quakeml":
        if shutil.which("xmllint") and os.path.exists(SCHEMA):
            check = subprocess.run(["xmllint", "--noout", "--schema", SCHEMA, "-"],
                                   input=out.encode(), capture_output=True)
            assert check.returncode == 0, check.stderr.decode()[-1000:]
        return len(ET.fromstring(out).findall(".//{*}event"))
    return int(out)


class Documents(unittest.TestCase):
    def test_every_form_closes_whatever_ends_the_run(self):
        tarn_rows = len(open(example("tarn_old")).readlines())
        # Reads of the catalog fail after its first 1000 bytes.
        # (A sanitizer's runtime is told that it does not come first.)
        read_fault = {"LD_PRELOAD": IO_FAULT, "CATSIEVE_FAULT_READ": "1000",
                      "CATSIEVE_FAULT_PATH": example("tarn_old"),
                      "ASAN_OPTIONS": "verify_asan_link_order=0"}
        # Options and inputs, the message, and the events written before the error.
        cases = [
            (["-format", "orv", "-mtype", "mw,md", "-magnitude", "0", "9", example("orv")],
             "Specified magnitude not available for orv catalog\n", None),
            (["-etype", "a", example("tarn_old"), "nosuch.cat"], "Unable to open file nosuch.cat\n",
             tarn_rows),
            (["-etype", "a", "nosuch.cat", example("tarn_old")], "Unable to open file nosuch.cat\n",
             0),
            (["-etype", "a", truncated_gzip(), example("tarn_old")], "truncated gzip data", None),
            (["--strict", "-etype", "a", example("tarn_old")], "read error on", None, read_fault),
        ]
        if not (shutil.which("xmllint") and os.path.exists(SCHEMA)):
            print("QuakeML checked for well-formedness only: xmllint or ../shared/quakeml "
                  "is missing")
        for args, message, events, *env in cases:
            for form in ("--csv", "--text", "--geojson", "--quakeml", "--count"):
                with self.subTest(args=args[-2:], form=form):
                    out, err, status = run([form] + args, env=env[0] if env else None)
                    self.assertEqual(status, 1)
                    self.assertIn(message, err)
                    n = entries(form, out)
                    if events is not None:
                        self.assertEqual(n, events)

    def test_values_no_client_can_take(self):
        kelp = open(example("kelp")).readline()
        tarn = open(example("tarn_old")).readline()
        far = kelp[:25] + " 95.1987" + kelp[33:]
        odd = tarn + "\n" + "junk line\n" + tarn[:2] + "13" + tarn[4:] + tarn[:6] + "25" + tarn[8:]
        cases = [
            # An epicentre beyond 90 degrees: no position in any form.
            ("kelp", far, 1, 1, ["line 1: epicentre 95.1987 174.523 out of range: the event has "
                                 "no position"]),
            # A blank and a junk line are no events; month 13 and hour 25 carry over as the time
            # test reads them.
            ("tarn", odd, 3, 5, [
                "line 2: no event: a date, time, latitude or longitude field holds no digit",
                "line 3: no event: a date, time, latitude or longitude field holds no digit",
                "line 4: month 13 out of range, read as 1995-01-27T07:06:28.51Z",
                "line 5: hour 25 out of range, read as 1994-01-28T01:06:28.51Z"]),
        ]
        for fmt, text, events, records, reports in cases:
            with self.subTest(fmt):
                args = ["-format", fmt] + (["-etype", "a"] if fmt == "tarn" else [])
                data = text.encode("latin-1")
                self.assertEqual(run(args + ["--count"], data), ("%d\n" % records, "", 0))
                self.assertEqual(run(args, data), (text, "", 0))
                rows = list(csv.DictReader(io.StringIO(run(args + ["--csv"], data)[0])))
                features = json.loads(run(args + ["--geojson"], data)[0])["features"]
                quakeml = ET.fromstring(run(args + ["--quakeml"], data)[0])
                self.assertEqual((len(rows), len(features), entries("--quakeml", ET.tostring(
                    quakeml).decode())), (events, events, events))
                located = [bool(r["latitude"]) for r in rows]
                self.assertEqual([f["geometry"] is not None for f in features], located)
                for event, on_map in zip(quakeml.findall(".//{*}event"), located):
                    # Without a position an event is its magnitude alone.
                    tags = [c.tag.split("}")[1] for c in event]
                    self.assertTrue("origin" in tags if on_map else
                                    tags == ["preferredMagnitudeID", "magnitude"], tags)
                if fmt == "tarn":
                    self.assertEqual([r["time"] for r in rows[1:]],
                                     ["1995-01-27T07:06:28.51Z", "1994-01-28T01:06:28.51Z"])
                for form in ("--csv", "--count", "--quakeml"):
                    err, status = run(["--strict", form] + args, data)[1:]
                    self.assertEqual((err, status), ("".join(
                        "catsieve: standard input: %s\n" % r for r in reports), 1))

    def test_inputs_out_of_time_order(self):
        # (The Y2K layout; the old one's time carries over in inputs_test.cc and strict_test.cc.)
        rows = open(example("tarn_y2k")).readlines()
        late, early = os.path.join(TMP.name, "late.cat"), os.path.join(TMP.name, "early.cat")
        open(late, "w").writelines(rows[len(rows) // 2:])
        open(early, "w").writelines(rows[: len(rows) // 2])
        half, bound = len(rows) - len(rows) // 2, rows[-1]
        base = ["-etype", "a", "--count", "--until", "2050-01-01", late, early]
        self.assertEqual(run(base), ("%d\n" % half, "", 0))
        self.assertEqual(run(["--each-input"] + base), ("%d\n" % len(rows), "", 0))
        out, err, status = run(["--strict"] + base)
        when = "%s-%s-%sT%s:%s:%s.%sZ" % (bound[:4], bound[4:6], bound[6:8], bound[8:10],
                                          bound[10:12], bound[12:14], bound[14:16])
        when = when.replace(" ", "0")
        self.assertEqual((out, err, status), ("%d\n" % half, "catsieve: %s: %d records before %s "
                         "skipped: the lower time bound carries over from the input before "
                         "(--each-input reads each alone)\n" % (early, len(rows) // 2, when), 1))
        # Without a lower bound nothing is skipped, but the overlap is told.
        err = run(["--strict", "-etype", "a", "--count", late, early])[1]
        self.assertIn("catsieve: %s: begins at " % early, err)
        self.assertIn("events held by both are written twice", err)
        self.assertEqual(run(["--strict", "-etype", "a", "--count", early, late]),
                         ("%d\n" % len(rows), "", 0))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
