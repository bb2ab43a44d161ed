#!/usr/bin/env python3
"""The output forms on the example catalogs of every layout: CSV rows carry the
values the tests select on; GeoJSON and QuakeML (valid against the QuakeML 1.2
schemas in ../shared/quakeml, where at hand) have an entry per record, and
QuakeML events carry their CSV rows' values in QuakeML's units.
Usage: output_forms_test.py CATSIEVE_BINARY PROJECT_DIR"""
import csv, io, json, math, os, shutil, subprocess, sys, unittest
import xml.etree.ElementTree as ET

BIN, ROOT = sys.argv[1], sys.argv[2]
SCHEMA = os.path.join(ROOT, "..", "shared", "quakeml", "QuakeML-1.2.xsd")
VALIDATE = shutil.which("xmllint") and os.path.exists(SCHEMA)
LAYOUTS = [("tarn", "tarn_old"), ("tarn", "tarn_y2k"), ("mech", "tarn_mech_old"),
           ("mech", "tarn_mech_y2k"), ("orv", "orv"), ("brim", "brim"), ("kelp", "kelp"),
           ("f_brim", "full_brim")]
HEADER = ("time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,horizontalError,"
          "depthError,type,id,magNst,quality,timeError,latitudeError,longitudeError,"
          "scalarMoment,scalarMomentNst,dminKm")
# Range options and the CSV column that holds the value each one tests.
RANGES = dict(depth="depth", nstations="nst", gap="gap", closest="dminKm", rms="rms", mag="mag",
              errhoriz="horizontalError", errdepth="depthError", errtime="timeError",
              errlat="latitudeError", errlon="longitudeError", m0="scalarMoment",
              nm0="scalarMomentNst")


def run(args, stdin=None):
    p = subprocess.run(["catsieve"] + args, executable=BIN, input=stdin, capture_output=True)
    return p.stdout.decode("latin-1"), p.stderr.decode(), p.returncode


def example(name):
    return os.path.join(ROOT, "examples", name + ".cat")


def first_line(name):
    return open(example(name), encoding="latin-1").readline()


def csv_rows(fmt, name, *criteria, stdin=None):
    args = ["-format", fmt, *criteria, "--csv"] + ([] if stdin else [example(name)])
    out, err, status = run(args, stdin and stdin.encode("latin-1"))
    assert status == 0 and err == "" and out.startswith(HEADER + "\n"), (err, out[:200])
    return list(csv.DictReader(io.StringIO(out)))


# QuakeML element under the event, the CSV column it carries, the factor from the column's unit to
# QuakeML's (None: the same text; metres for kilometres, degrees of a 6371 km sphere for km) and
# the column without which the element is left out: an uncertainty needs its value.
QUAKEML_COLUMNS = [
    ("type", "type", None), ("origin/time/value", "time", None),
    ("origin/time/uncertainty", "timeError", 1), ("origin/latitude/value", "latitude", 1),
    ("origin/longitude/value", "longitude", 1), ("origin/depth/value", "depth", 1000),
    ("origin/latitude/uncertainty", "latitudeError", 180 / (6371 * math.pi), "latitude"),
    ("origin/longitude/uncertainty", "longitudeError", 180 / (6371 * math.pi), "longitude"),
    ("origin/depth/uncertainty", "depthError", 1000, "depth"),
    ("origin/originUncertainty/horizontalUncertainty", "horizontalError", 1000),
    ("origin/quality/usedStationCount", "nst", 1), ("origin/quality/azimuthalGap", "gap", 1),
    ("origin/quality/standardError", "rms", 1),
    ("origin/quality/minimumDistance", "dmin", 1),
    ("magnitude/mag/value", "mag", 1), ("magnitude/type", "magType", None),
    ("magnitude/stationCount", "magNst", 1), ("origin/comment:quality", "quality", None),
    ("comment:scalarMoment", "scalarMoment", 1), ("comment:scalarMomentNst", "scalarMomentNst", 1),
    ("@publicID", "id", None)]
BED = "{http://quakeml.org/xmlns/bed/1.2}"


def quakeml_value(event, path):
    """The text at a path under an event; "comment:NAME" is the value of a comment "NAME: value",
    "@publicID" the ID at the end of the event's publicID."""
    if path == "@publicID":
        return event.get("publicID").rsplit("/", 1)[1]
    parent, _, last = path.rpartition("/")
    if last.startswith("comment:"):
        at = event.find(BED + parent) if parent else event
        name = last.split(":", 1)[1] + ": "
        texts = [] if at is None else [c.findtext(BED + "text") for c in at.findall(BED + "comment")]
        return next((t[len(name):] for t in texts if t.startswith(name)), None)
    got = event.find(BED + path.replace("/", "/" + BED))
    return got is not None and got.text


def quakeml_mismatches(quakeml, rows):
    """Compares each event of a QuakeML document with its CSV row: every value the row holds is in
    the event, in QuakeML's units, and nothing else is; an event has no origin only when its row
    has no time, longitude or latitude. Returns the mismatches and the number of values
    compared."""
    events = ET.fromstring(quakeml).findall(f"{BED}eventParameters/{BED}event")
    bad, compared = [] if len(events) == len(rows) else [("events", len(events), len(rows))], 0
    for i, (event, row) in enumerate(zip(events, rows)):
        located = all(row[c] for c in ("time", "latitude", "longitude"))
        if (event.find(BED + "origin") is not None) != located:
            bad.append((i, "origin", located))
        for path, column, factor, *needs in QUAKEML_COLUMNS:
            if path.startswith("origin/") and not located or any(not row[n] for n in needs):
                continue
            got, want = quakeml_value(event, path), row[column]
            # A value converted to other units keeps the precision it had: it may differ by half
            # a unit of its last decimal.
            half = 0.5 * 10 ** -len(got.partition(".")[2]) if factor not in (None, 1) and got \
                else 1e-9
            same = (got or "") == want if factor is None or not (got and want) else \
                math.isclose(float(got), float(want) * factor, rel_tol=1e-9, abs_tol=half)
            compared += bool(want)
            if not same:
                bad.append((i, path, got, column, want))
    return bad, compared


def record_count(fmt, name, *criteria):
    lines = run(["-format", fmt, *criteria, example(name)])[0].splitlines()
    return sum(1 for l in lines if l.startswith("$end")) if fmt == "f_brim" else len(lines)


if not VALIDATE:
    print("QuakeML is checked for well-formedness only: the schema check needs xmllint and "
          "../shared/quakeml/QuakeML-1.2.xsd")


class Forms(unittest.TestCase):
    def assert_valid(self, quakeml):
        if VALIDATE:
            check = subprocess.run(["xmllint", "--noout", "--schema", SCHEMA, "-"],
                                   input=quakeml.encode(), capture_output=True)
            self.assertEqual(check.returncode, 0, check.stderr.decode()[-2000:])

    def test_every_form_has_an_entry_per_record(self):
        for fmt, name in LAYOUTS:
            with self.subTest(name):
                rows, n = csv_rows(fmt, name), record_count(fmt, name)
                self.assertEqual(len(rows), n)
                doc = json.loads(run(["-format", fmt, "--geojson", example(name)])[0])
                self.assertEqual(len(doc["features"]), n)
                for f, r in zip(doc["features"], rows):
                    self.assertEqual((f["geometry"]["coordinates"], f["properties"]["time"],
                                      f["properties"]["depth"]),
                                     ([float(r["longitude"]), float(r["latitude"])], r["time"],
                                      float(r["depth"]) if r["depth"] else None))
                quakeml = run(["-format", fmt, "--quakeml", example(name)])[0]
                self.assertEqual(len(ET.fromstring(quakeml).findall(".//{*}event")), n)
                self.assert_valid(quakeml)
                for extra in ([], ["-negate"], ["-magnitude", "3", "9"]):
                    out = run(["-format", fmt, *extra, "--count", example(name)])
                    self.assertEqual(out, ("%d\n" % record_count(fmt, name, *extra), "", 0))

    def test_quakeml_carries_the_csv_values(self):
        # Every event of every layout; then kelp records with no origin: a latitude beyond 90
        # degrees either way or a blank longitude, beside one at the pole.
        kelp = first_line("kelp")
        odd = "".join(kelp[:25] + v + kelp[33:] for v in (" 95.1987", "-91.0000", " 90.0000"))
        odd += kelp[:35] + " " * 10 + kelp[45:]
        cases = [(fmt, name, None, 6) for fmt, name in LAYOUTS] + [("kelp", "", odd, 3)]
        for fmt, name, stdin, least in cases:
            with self.subTest(name or "kelp without origins"):
                rows = csv_rows(fmt, name, "-etype", "a", stdin=stdin)
                files = [] if stdin else [example(name)]
                quakeml = run(["-format", fmt, "-etype", "a", "--quakeml"] + files,
                              stdin and stdin.encode("latin-1"))[0]
                bad, compared = quakeml_mismatches(quakeml, rows)
                self.assertEqual(bad, [])
                self.assertGreaterEqual(compared, least * len(rows))
                self.assertTrue(rows)

    def test_range_tests_select_the_csv_values(self):
        # For each column a layout fills, the range [v, v] of its option selects exactly the rows
        # whose cell reads v.
        for fmt, name in LAYOUTS:
            rows = csv_rows(fmt, name)
            for option, column in RANGES.items():
                values = [r[column] for r in rows if r[column] != ""]
                if values:
                    v = values[len(values) // 2]
                    with self.subTest(name=name, option=option, value=v):
                        got = [r["time"] for r in csv_rows(fmt, name, "-" + option, v, v)]
                        self.assertEqual(got, [r["time"] for r in rows if r[column] == v])

    def test_documents_of_several_inputs_or_none(self):
        # (The documents of many inputs are checked whole in large_output_test.py.)
        files, n = [example("tarn_old")] * 2, record_count("tarn", "tarn_old")
        self.assertEqual(run(["--count"] + files)[0], "%d\n" % (2 * n))
        for pair in (["--csv", "--count"], ["--quakeml", "--quakeml"], ["--geojson", "--csv"]):
            self.assertEqual(run(pair + files), ("", "catsieve: only one of --csv, --geojson, "
                                                     "--quakeml, --text and --count may be given\n",
                                                     1))
        # Nothing selected: the document is whole, with no event, also when the run ends in an
        # error before any event.
        self.assertEqual(run(["--csv", "-time", "19000101000000", "19000102000000", files[0]]),
                         (HEADER + "\n", "", 0))
        out, err, status = run(["--quakeml"], b"no layout here\n")
        self.assertEqual((ET.fromstring(out).find(".//{*}event"), err, status),
                         (None, "Error: Unable to determine format for tarn_catalog\n", 1))

    def test_blank_and_missing_fields_are_empty(self):
        tarn = first_line("tarn_old")
        # Depth and amplitude magnitude (columns 30-36), coda magnitude (68-69) and the typed
        # magnitudes blanked: no cell may read 0.
        blank = tarn[:29] + " " * 7 + tarn[36:67] + "  " + tarn[69:114] + " " * 30 + "\n"
        row = csv_rows("tarn", "", "-etype", "a", stdin=blank)[0]
        self.assertEqual((row["depth"], row["mag"], row["magType"]), ("", "", ""))
        # The classic tests read those as 0 and pass the line; the FDSN bounds fail it on either
        # side; both pass it when not asked.
        for options, passes in (("-depth -1 1", 1), ("--maxdepth 1", 0), ("--mindepth -1", 0),
                                ("-magnitude -1 1 -no_mag", 1), ("--maxmagnitude 1", 0),
                                ("--minmagnitude -1", 0), ("--minlatitude 0", 1)):
            self.assertEqual(run(["-etype", "a", "--count", *options.split()], blank.encode()),
                             ("%d\n" % passes, "", 0), options)
        # A brim line that ends after the longitude: every optional field is missing, and so is a
        # depth that holds the marker itself.
        brim = first_line("brim")
        cut = brim[:43] + "\n" + brim[:43] + "-10000.0" + brim[51:]
        rows = csv_rows("brim", "", "-etype", "a", stdin=cut)
        self.assertEqual([r["depth"] for r in rows], ["", ""])
        self.assertEqual({rows[0][k] for k in ("mag", "nst", "gap", "dmin", "rms")}, {""})
        # A blank latitude makes a line no event, whatever the longitude after it holds; a line
        # that ends within a field keeps the decimals it has.
        self.assertEqual(csv_rows("tarn", "", "-etype", "a", stdin=tarn[:14] + " " * 7 + tarn[21:]),
                         [])
        kelp = first_line("kelp")
        self.assertEqual(csv_rows("kelp", "", stdin=kelp[:50] + "\n")[0]["depth"], "17.3")

    def test_record_letters_and_seconds(self):
        tarn, brim = first_line("tarn_old"), first_line("brim")
        types = ["earthquake", "quarry blast", "nuclear explosion", "explosion", "other event"]
        cases = [("tarn", tarn, 76, c, "type", types[i]) for c, i in (
            (" ", 0), ("f", 0), ("Q", 1), ("N", 2), ("R", 3), ("X", 4))]
        cases += [("brim", brim, 101, c, "type", types[i]) for c, i in (
            ("  ", 0), ("LT", 0), ("Lq", 1), ("N ", 2), ("B ", 3), ("H ", 4), ("V ", 0))]
        # The preferred magnitude is named by its letter; the time keeps the precision of the
        # seconds field.
        cases += [("tarn", tarn, 138, c + "425", "mag magType", "4.25 " + w) for c, w in (
            ("W", "Mw"), ("B", "ML"), ("L", "MLm"), ("D", "Md"), ("X", "Mx"), ("Z", "M"))]
        cases += [("tarn", tarn, 10, s, "time", "1994-01-27T07:06:" + t) for s, t in (
            ("5999", "59.99Z"), ("0005", "00.05Z"), ("  7 ", "00.07Z"))]
        for fmt, line, at, text, columns, want in cases:
            with self.subTest(fmt=fmt, text=text):
                rec = line[:at] + text + line[at + len(text):]
                mag = ["-mtype", "pref", "-mag", "0", "9"] if "mag" in columns else []
                row = csv_rows(fmt, "", "-etype", "a", *mag, stdin=rec)[0]
                self.assertEqual(" ".join(row[c] for c in columns.split()), want)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
