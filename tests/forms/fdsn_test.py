#!/usr/bin/env python3
"""The options named as the FDSN event service names its parameters, against the classic options
and against the CSV of the same catalog, on generated catalogs of every layout; and the event
IDs, the same in every form and for every query.
Usage: fdsn_test.py CATSIEVE_BINARY PROJECT_DIR CATGEN_BINARY"""
import csv, datetime, io, json, math, os, subprocess, sys, tempfile, unittest
import xml.etree.ElementTree as ET

BIN, ROOT, CATGEN = sys.argv[1:4]
LAYOUTS = [("tarn", "tarn_old"), ("tarn", "tarn_y2k"), ("mech", "mech_old"), ("mech", "mech_y2k"),
           ("orv", "orv"), ("brim", "brim"), ("kelp", "kelp"), ("f_brim", "f_brim")]
KM_PER_DEGREE = 6371 * math.pi / 180
TMP = tempfile.TemporaryDirectory()
CATALOGS = {}
for _, name in LAYOUTS:
    CATALOGS[name] = os.path.join(TMP.name, name + ".cat")
    with open(CATALOGS[name], "wb") as f:
        subprocess.run([CATGEN, name, "2000", "11"], stdout=f, check=True)


def run(args, stdin=None):
    p = subprocess.run(["catsieve"] + args, executable=BIN, input=stdin, capture_output=True)
    return p.stdout.decode("latin-1"), p.stderr.decode(), p.returncode


def rows(fmt, name, *args):
    etype = [] if "--eventtype" in args else ["-etype", "a"]
    out, err, status = run(["-format", fmt, *etype, *args, "--csv", CATALOGS[name]])
    assert (err, status) == ("", 0), (args, err)
    return list(csv.DictReader(io.StringIO(out)))


def inside(lo, hi):
    return lambda v: lo <= v <= hi


# FDSN options, the classic options that select the same records where the value is present (or
# None) and the CSV column and test that say which records those are. A record whose cell is
# empty passes no bound of an FDSN option.
BOUNDS = [
    ("--minlatitude 38 --maxlatitude 39", "-latitude 38 39", "latitude", inside(38, 39)),
    ("--minlatitude=38.5", "-latitude 38.5 90", "latitude", inside(38.5, 90)),
    ("--minlongitude -122 --maxlongitude -120", "-longitude -122 -120", "longitude",
     inside(-122, -120)),
    ("--minlongitude -121 --maxlongitude -122", None, "longitude",
     lambda v: v >= -121 or v <= -122),
    ("--mindepth 5 --maxdepth 12", "-depth 5 12", "depth", inside(5, 12)),
    ("--maxdepth 8", "-depth -1e9 8", "depth", inside(-1e9, 8)),
    ("--minmagnitude 3", "-magnitude 3 99", "mag", inside(3, 99)),
    ("--minmagnitude 2 --maxmagnitude 2.5", "-magnitude 2 2.5", "mag", inside(2, 2.5)),
    # Each name is an AND with the classic test of the same field.
    ("-latitude 37 39 --minlatitude 38", "-latitude 38 39", "latitude", inside(38, 39)),
]


def distance_km(row, lat0, lon0):
    """-delta's distance: geocentric latitudes on a 6371 km sphere."""
    def colat(lat):
        return math.pi / 2 - math.atan2(0.993305242609 * math.sin(math.radians(lat)),
                                        math.cos(math.radians(lat)))
    t0, t = colat(lat0), colat(float(row["latitude"]))
    c = math.sin(t0) * math.sin(t) * math.cos(math.radians(float(row["longitude"]) - lon0)) + \
        math.cos(t0) * math.cos(t)
    return math.acos(max(-1.0, min(1.0, c))) * 6371


class Fdsn(unittest.TestCase):
    def test_bounds_against_classic_options_and_csv(self):
        for fmt, name in LAYOUTS:
            every = rows(fmt, name)
            by_id = {r["id"]: r for r in every}
            for fdsn, classic, column, test in BOUNDS:
                with self.subTest(name=name, options=fdsn):
                    got = [r["id"] for r in rows(fmt, name, *fdsn.split())]
                    want = [r["id"] for r in every if r[column] and test(float(r[column]))]
                    self.assertEqual(got, want)
                    if classic:
                        base = [r["id"] for r in rows(fmt, name, *classic.split())]
                        self.assertEqual(got, [i for i in base if by_id[i][column]])
            self.assertTrue(any(r["mag"] for r in every), name)

    def test_radius_in_degrees_and_km_against_delta(self):
        for fmt, name in LAYOUTS:
            every = rows(fmt, name)
            lat0, lon0 = every[0]["latitude"], every[0]["longitude"]
            centre = ["--latitude", lat0, "--longitude", lon0]
            for fdsn, lo_km, hi_km in (("--maxradius 1.2", 0, 1.2 * KM_PER_DEGREE),
                                       ("--minradius 0.3 --maxradius 1", 0.3 * KM_PER_DEGREE,
                                        KM_PER_DEGREE),
                                       ("--minradiuskm 40 --maxradiuskm 150", 40, 150)):
                with self.subTest(name=name, options=fdsn):
                    got = [r["id"] for r in rows(fmt, name, *centre, *fdsn.split())]
                    delta = ["-delta", lat0, lon0, repr(lo_km), repr(hi_km)]
                    self.assertEqual(got, [r["id"] for r in rows(fmt, name, *delta)])
                    want = [r["id"] for r in every if r["latitude"] and
                            lo_km - 1e-6 <= distance_km(r, float(lat0), float(lon0)) <= hi_km]
                    self.assertEqual(got, want)
                    self.assertTrue(0 < len(got) < len(every))

    def test_event_and_magnitude_types(self):
        for fmt, name in LAYOUTS:
            every = rows(fmt, name)
            for types in ("earthquake", "quarry blast,explosion,nuclear explosion"):
                with self.subTest(name=name, types=types):
                    got = [r["id"] for r in rows(fmt, name, "--eventtype", types)]
                    self.assertEqual(got, [r["id"] for r in every if r["type"] in types.split(",")])
        # --magnitudetype is -mtype: the same text, where the format has the types.
        for fmt, name, types in (("tarn", "tarn_y2k", "md,ml"), ("orv", "orv", "ml,mw"),
                                 ("mech", "mech_old", "avg")):
            args = ["-format", fmt, "-etype", "a", "--minmagnitude", "2", "--csv", CATALOGS[name]]
            self.assertEqual(run(["--magnitudetype", types] + args),
                             run(["-mtype", types] + args))

    def test_errors_of_the_fdsn_options(self):
        # (What the names share with the event service's parameters: service_params_test.cc.)
        cases = [
            ("--minmagnitude 5 --maxmagnitude 3", "minmagnitude is greater than maxmagnitude"),
            ("--minlatitude 91", "--minlatitude: \"91\" lies outside -90 to 90"),
            ("--maxradius 1 --maxradiuskm 100", "give the radius in degrees (minradius, "
             "maxradius) or in km (minradiuskm, maxradiuskm), not both"),
            ("--eventtype quake", "--eventtype: \"quake\" is not a QuakeML event type "
             "(earthquake, quarry blast, ...)"),
            ("-etype e --eventtype earthquake",
             "--eventtype cannot be combined with -etype: give one of them"),
            ("--magnitudetype ml -mtype md",
             "--magnitudetype is another name for -mtype: give one of them"),
            ("-format kelp --magnitudetype ml",
             "--magnitudetype: the kelp format's magnitudes carry no type"),
            ("-format orv --magnitudetype md", "--magnitudetype: the orv format has no md magnitude"),
            ("--eventid tarn1995", "--eventid: \"tarn1995\" is not an event ID: a layout's word, "
             "the origin time as YYYYMMDDhhmmss, its decimals and -N for the N-th of the same "
             "time"),
            ("--csv=yes", "--csv takes no value: \"--csv=yes\""),
            ("-etype a --maxdepth", "--maxdepth needs a value"),
            ("--authority x", "--authority: \"x\" is no authority: a letter, digit or _, then two "
             "or more of those or of - . * ( ) ~ '"),
            ("--columns time,magnitude", "--columns: no column named \"magnitude\""),
            ("--missing a|b", "--missing: \"a|b\" would break a row: give text without a comma, "
             "a |, a quote or a line end, e.g. NaN"),
        ]
        for options, message in cases:
            with self.subTest(options):
                files = [] if options.endswith("--maxdepth") else ["/dev/null"]
                self.assertEqual(run(options.split() + files),
                                 ("", "catsieve: " + message + "\n", 1))


class Ids(unittest.TestCase):
    def test_the_same_in_every_form_and_unique(self):
        for fmt, name in LAYOUTS:
            with self.subTest(name):
                def out(form):
                    return run(["-format", fmt, "-etype", "a", "--authority", "net.example", form,
                                CATALOGS[name]])[0]
                ids = [r["id"] for r in rows(fmt, name)]
                self.assertEqual(len(set(ids)), len(ids))
                self.assertTrue(all(i.startswith(fmt) for i in ids))
                self.assertEqual([f["id"] for f in json.loads(out("--geojson"))["features"]], ids)
                self.assertEqual([l.split("|")[0] for l in out("--text").splitlines()[1:]], ids)
                self.assertEqual([e.get("publicID") for e in
                                  ET.fromstring(out("--quakeml")).findall(".//{*}event")],
                                 ["smi:net.example/event/" + i for i in ids])

    def test_a_property_of_the_catalog_not_of_the_query(self):
        for fmt, name in LAYOUTS:
            every = {r["id"]: r for r in rows(fmt, name)}
            for query in (["--minmagnitude", "3"], ["-negate", "-depth", "0", "10"],
                          ["--maxlatitude", "38"]):
                with self.subTest(name=name, query=query):
                    some = rows(fmt, name, *query)
                    self.assertTrue(some)
                    self.assertEqual([every.get(r["id"]) for r in some], some)

    def test_same_time_records_are_numbered_in_file_order(self):
        line = open(os.path.join(ROOT, "examples", "tarn_y2k.cat"), encoding="latin-1").readline()
        other = line[:12] + "59" + line[14:]  # seconds 59
        deep = line[:31] + "99999" + line[36:]  # the same time, another depth
        text = (line + other + deep + line).encode()
        out = run(["-etype", "a", "--text"], text)[0].splitlines()[1:]
        stem = out[0].split("|")[0]
        self.assertEqual([l.split("|")[0] for l in out],
                         [stem, stem[:16] + "59" + stem[18:], stem + "-2", stem + "-3"])
        # Selected alone, the third record keeps its number; its ID selects it.
        # So it does under a time window that leaves out records of other days.
        year = str(int(line[:4]) - 1)
        far = [year + line[4:], str(int(line[:4]) + 1) + line[4:]]
        text = (far[0] + line + other + far[1] + deep + line).encode()
        when = datetime.datetime.fromisoformat(out[0].split("|")[1][:19])
        window = ["--starttime", when.isoformat(),
                  "--endtime", (when + datetime.timedelta(seconds=1)).isoformat()]
        for query in (["--mindepth", "900"], ["--eventid", stem + "-2"],
                      window + ["--mindepth", "900"]):
            alone = run(["-etype", "a", "--text", *query], text)[0].splitlines()[1:]
            self.assertEqual([l.split("|")[:5:4] for l in alone], [[stem + "-2", "999.99"]])

    def test_eventid_round_trips(self):
        for fmt, name in LAYOUTS:
            every = rows(fmt, name)
            chosen = [every[i]["id"] for i in (0, len(every) // 3, len(every) - 1)]
            with self.subTest(name=name, ids=chosen):
                got = rows(fmt, name, "--eventid", ",".join(chosen))
                self.assertEqual(sorted(r["id"] for r in got), sorted(chosen))
                self.assertEqual(rows(fmt, name, "--eventid", chosen[0] + "-9"), [])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
