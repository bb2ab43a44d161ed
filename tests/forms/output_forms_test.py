#!/usr/bin/env python3
"""The output forms on the bundled example catalogs, every layout: CSV rows
carry the very values the tests select on, GeoJSON parses with a feature per
record, QuakeML validates against the schemas, --count counts records.

    output_forms_test.py CATSIEVE_BINARY PROJECT_DIR
"""
import csv
import io
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

BIN, ROOT = sys.argv[1], sys.argv[2]
EXAMPLES = os.path.join(ROOT, "examples")
SCHEMA = os.path.join(ROOT, "..", "shared", "quakeml", "QuakeML-1.2.xsd")
LAYOUTS = [("tarn", "tarn_old"), ("tarn", "tarn_y2k"), ("mech", "tarn_mech_old"),
           ("mech", "tarn_mech_y2k"), ("orv", "orv"), ("brim", "brim"), ("kelp", "kelp"),
           ("f_brim", "full_brim")]
HEADER = ("time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,horizontalError,"
          "depthError,type,id,magNst,quality,timeError,latitudeError,longitudeError,"
          "scalarMoment,scalarMomentNst")
# Range options and the CSV column that holds the value each one tests.
RANGES = [("-depth", "depth"), ("-nstations", "nst"), ("-gap", "gap"), ("-closest", "dmin"),
          ("-rms", "rms"), ("-errhoriz", "horizontalError"), ("-errdepth", "depthError"),
          ("-errtime", "timeError"), ("-errlat", "latitudeError"),
          ("-errlon", "longitudeError"), ("-m0", "scalarMoment"), ("-nm0", "scalarMomentNst"),
          ("-magnitude", "mag")]


def run(args, stdin=None):
    p = subprocess.run(["catsieve"] + args, executable=BIN, input=stdin,
                       capture_output=True, check=False)
    return p.stdout.decode("latin-1"), p.stderr.decode(), p.returncode


def example(name):
    return os.path.join(EXAMPLES, name + ".cat")


def first_line(name):
    with open(example(name), encoding="latin-1") as f:
        return f.readline()


def csv_rows(fmt, name, *criteria):
    out, err, status = run(["-format", fmt, *criteria, "--csv", example(name)])
    assert status == 0 and err == "", err
    lines = out.split("\n")
    assert lines[0] == HEADER and out.endswith("\n"), lines[0]
    return list(csv.DictReader(io.StringIO(out)))


def record_count(fmt, name):
    out, _, _ = run(["-format", fmt, example(name)])
    lines = out.splitlines()
    return sum(1 for l in lines if l.startswith("$end")) if fmt == "f_brim" else len(lines)


def distance_km(lat0, lon0, lat, lon):
    """The distance of the -delta test: great circle between geocentric positions."""
    def colat(lat):
        return math.pi / 2 - math.atan2(0.993305242609 * math.sin(math.radians(lat)),
                                        math.cos(math.radians(lat)))
    t0, t = colat(lat0), colat(lat)
    c = (math.sin(t0) * math.sin(t) * math.cos(math.radians(lon - lon0)) +
         math.cos(t0) * math.cos(t))
    return math.acos(max(-1.0, min(1.0, c))) * 6371.0


class Forms(unittest.TestCase):
    def test_csv_has_a_row_per_record(self):
        for fmt, name in LAYOUTS:
            with self.subTest(name):
                rows = csv_rows(fmt, name)
                self.assertEqual(len(rows), record_count(fmt, name))
                self.assertTrue(all(r["time"].endswith("Z") and r["latitude"] for r in rows))

    def test_range_tests_select_the_csv_values(self):
        # For each column a layout fills: the range [v, v] of its option
        # selects exactly the rows whose cell reads v.
        for fmt, name in LAYOUTS:
            rows = csv_rows(fmt, name)
            for option, column in RANGES:
                values = [r[column] for r in rows if r[column] != ""]
                if not values:
                    continue
                v = values[len(values) // 2]
                with self.subTest(name=name, option=option, value=v):
                    got = csv_rows(fmt, name, option, v, v)
                    self.assertEqual([r["time"] for r in got],
                                     [r["time"] for r in rows if r[column] == v])

    def test_delta_keeps_the_rows_inside_the_ring(self):
        for fmt, name in LAYOUTS:
            rows = csv_rows(fmt, name)
            lat0, lon0 = float(rows[0]["latitude"]), float(rows[0]["longitude"])
            ring = (50.0, 1500.0)
            with self.subTest(name):
                got = csv_rows(fmt, name, "-delta", str(lat0), str(lon0), *map(str, ring))
                kept = {r["time"] for r in got}
                self.assertTrue(0 < len(kept) < len(rows))
                for r in rows:
                    d = distance_km(lat0, lon0, float(r["latitude"]), float(r["longitude"]))
                    self.assertEqual(r["time"] in kept, ring[0] <= d <= ring[1], (r, d))

    def test_geojson_has_a_point_feature_per_record(self):
        for fmt, name in LAYOUTS:
            with self.subTest(name):
                out, err, status = run(["-format", fmt, "--geojson", example(name)])
                self.assertEqual((status, err), (0, ""))
                doc = json.loads(out)
                self.assertEqual(doc["type"], "FeatureCollection")
                rows = csv_rows(fmt, name)
                self.assertEqual(len(doc["features"]), len(rows))
                for f, r in zip(doc["features"], rows):
                    self.assertEqual(f["geometry"]["coordinates"],
                                     [float(r["longitude"]), float(r["latitude"])])
                    self.assertEqual(f["properties"]["time"], r["time"])
                    self.assertEqual(f["properties"]["depth"],
                                     float(r["depth"]) if r["depth"] else None)

    @unittest.skipIf(shutil.which("xmllint") is None or not os.path.exists(SCHEMA),
                     "xmllint or the QuakeML schemas are not here")
    def test_quakeml_validates(self):
        for fmt, name in LAYOUTS:
            with self.subTest(name), tempfile.NamedTemporaryFile(suffix=".xml") as doc:
                out, err, status = run(["-format", fmt, "--quakeml", example(name)])
                self.assertEqual((status, err), (0, ""))
                doc.write(out.encode())
                doc.flush()
                check = subprocess.run(["xmllint", "--noout", "--schema", SCHEMA, doc.name],
                                       capture_output=True, check=False)
                self.assertEqual(check.returncode, 0, check.stderr.decode()[-2000:])
                self.assertEqual(out.count("<event "), record_count(fmt, name))

    def test_count_counts_records(self):
        for fmt, name in LAYOUTS:
            for extra in ([], ["-negate"], ["-magnitude", "3", "9"]):
                with self.subTest(name=name, extra=extra):
                    out, _, status = run(["-format", fmt, *extra, "--count", example(name)])
                    raw, _, _ = run(["-format", fmt, *extra, example(name)])
                    lines = raw.splitlines()
                    n = (sum(1 for l in lines if l.startswith("$end")) if fmt == "f_brim"
                         else len(lines))
                    self.assertEqual((out, status), ("%d\n" % n, 0))

    def test_several_inputs_make_one_document(self):
        files = [example("tarn_old"), example("tarn_old")]
        single = csv_rows("tarn", "tarn_old")
        out, _, _ = run(["--csv"] + files)
        self.assertEqual(out.count("time,latitude"), 1)
        self.assertEqual(len(list(csv.DictReader(io.StringIO(out)))), 2 * len(single))
        out, _, _ = run(["--geojson"] + files)
        self.assertEqual(len(json.loads(out)["features"]), 2 * len(single))
        out, _, _ = run(["--count"] + files)
        self.assertEqual(out, "%d\n" % (2 * len(single)))

    def test_one_form_only(self):
        for pair in (["--csv", "--count"], ["--quakeml", "--quakeml"], ["--geojson", "--csv"]):
            with self.subTest(pair):
                self.assertEqual(run(pair + [example("tarn_old")]), (
                    "", "catsieve: only one of --csv, --geojson, --quakeml and --count may be "
                    "given\n", 1))

    def test_documents_without_events(self):
        # Nothing selected: the document is whole, with no event.
        out, _, status = run(["--csv", "-time", "19000101000000", "19000102000000",
                              example("tarn_old")])
        self.assertEqual((out, status), (HEADER + "\n", 0))
        out, _, _ = run(["--geojson", "-etype", "x", example("tarn_old")])
        self.assertEqual(json.loads(out)["features"], [])
        # A run that ends in an error before any event begins no document.
        self.assertEqual(run(["--quakeml"], b"no layout here\n"),
                         ("", "Error: Unable to determine format for tarn_catalog\n", 1))

    def test_blank_and_missing_fields_are_empty(self):
        tarn = first_line("tarn_old")
        # Depth and amplitude magnitude (columns 30-36), coda magnitude
        # (68-69) and the typed magnitudes blanked: no cell may read 0.
        blank = tarn[:29] + " " * 7 + tarn[36:67] + "  " + tarn[69:114] + " " * 30 + "\n"
        out, _, _ = run(["-etype", "a", "--csv"], blank.encode("latin-1"))
        row = next(csv.DictReader(io.StringIO(out)))
        self.assertEqual((row["depth"], row["mag"], row["magType"]), ("", "", ""))
        # A brim line that ends after the longitude: every optional field is
        # missing, and so is a depth that holds the marker itself.
        brim = first_line("brim")
        short = brim[:43] + "\n" + brim[:43] + "-10000.0".rjust(8) + brim[51:]
        out, _, _ = run(["-format", "brim", "-etype", "a", "--csv"], short.encode("latin-1"))
        rows = list(csv.DictReader(io.StringIO(out)))
        self.assertEqual([r["depth"] for r in rows], ["", ""])
        self.assertEqual({rows[0][k] for k in ("mag", "nst", "gap", "dmin", "rms")}, {""})

    def test_type_letters_name_the_event(self):
        tarn = first_line("tarn_old")
        brim = first_line("brim")
        cases = [("tarn", tarn, 76, c, word) for c, word in (
                     (" ", "earthquake"), ("f", "earthquake"), ("Q", "quarry blast"),
                     ("N", "nuclear explosion"), ("R", "explosion"), ("X", "other event"))]
        cases += [("brim", brim, 101, c, word) for c, word in (
                     ("  ", "earthquake"), ("LT", "earthquake"), ("Lq", "quarry blast"),
                     ("N ", "nuclear explosion"), ("B ", "explosion"), ("H ", "other event"),
                     ("V ", "earthquake"))]
        for fmt, line, at, letters, word in cases:
            with self.subTest(fmt=fmt, letters=letters):
                rec = line[:at] + letters + line[at + len(letters):]
                out, _, _ = run(["-format", fmt, "-etype", "a", "--csv"], rec.encode("latin-1"))
                self.assertEqual(next(csv.DictReader(io.StringIO(out)))["type"], word)

    def test_preferred_magnitude_named_by_its_letter(self):
        tarn = first_line("tarn_old")
        for letter, name in (("W", "Mw"), ("B", "ML"), ("L", "MLm"), ("X", "M")):
            with self.subTest(letter):
                rec = tarn[:138] + letter + "425" + tarn[142:]
                out, _, _ = run(["-etype", "a", "-mtype", "pref", "--csv"], rec.encode("latin-1"))
                row = next(csv.DictReader(io.StringIO(out)))
                self.assertEqual((row["mag"], row["magType"]), ("4.25", name))

    def test_time_keeps_the_seconds_precision(self):
        tarn = first_line("tarn_old")
        cases = [("5999", "59.99Z"), ("0005", "00.05Z"), ("  7 ", "00.07Z")]
        for seconds, end in cases:
            with self.subTest(seconds):
                line = tarn[:10] + seconds + tarn[14:]
                out, _, _ = run(["-etype", "a", "--csv"], line.encode("latin-1"))
                self.assertTrue(next(csv.DictReader(io.StringIO(out)))["time"].endswith(end))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
