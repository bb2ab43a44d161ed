#!/usr/bin/env python3
"""ObsPy, as its users read QuakeML: read_events takes the document of every example catalog, also
one that an error ended, and finds in each event the CSV row's ID, time, epicentre with its errors,
depth and magnitude. Run by a Python that has ObsPy; without one it exits 77 (skipped), saying so.
Usage: obspy_test.py CATSIEVE_BINARY PROJECT_DIR"""
import csv, io, math, os, subprocess, sys, tempfile

try:
    import obspy
except ImportError:
    print("skipped: this Python has no ObsPy (see ../shared/clients/README.md)")
    sys.exit(77)

BIN, ROOT = sys.argv[1], sys.argv[2]
LAYOUTS = [("tarn", "tarn_old"), ("tarn", "tarn_y2k"), ("mech", "tarn_mech_old"),
           ("orv", "orv"), ("brim", "brim"), ("kelp", "kelp"), ("f_brim", "full_brim")]
KM_PER_DEGREE = 6371 * math.pi / 180


def run(args):
    return subprocess.run(["catsieve"] + args, executable=BIN, capture_output=True, text=True)


def close(a, b, tol):
    return a is None and b == "" or (a is not None and b != "" and abs(a - float(b)) <= tol)


def main():
    bad = []
    with tempfile.TemporaryDirectory() as tmp:
        for fmt, name in LAYOUTS:
            example = os.path.join(ROOT, "examples", name + ".cat")
            args = ["-format", fmt] + (["-etype", "a"] if fmt in ("tarn", "brim", "f_brim") else [])
            # The second input is missing: the run ends with an error, the document whole.
            for files in ([example], [example, os.path.join(tmp, "missing.cat")]):
                rows = list(csv.DictReader(io.StringIO(run(args + ["--csv"] + files).stdout)))
                quakeml = os.path.join(tmp, name + ".xml")
                with open(quakeml, "w") as f:
                    f.write(run(args + ["--quakeml", "--authority", "net.example"] + files).stdout)
                events = obspy.read_events(quakeml, format="QUAKEML")
                if len(events) != len(rows):
                    bad.append((name, "events", len(events), len(rows)))
                for event, row in zip(events, rows):
                    origin, mag = event.preferred_origin(), event.preferred_magnitude()
                    checks = [
                        ("id", str(event.resource_id), "smi:net.example/event/" + row["id"]),
                        ("time", origin and str(origin.time), row["time"].replace("Z", "") and
                         str(obspy.UTCDateTime(row["time"]))),
                        ("latitude", close(origin and origin.latitude, row["latitude"], 1e-9), True),
                        ("longitude", close(origin and origin.longitude, row["longitude"], 1e-9),
                         True),
                        ("depth", close(origin and origin.depth and origin.depth / 1000,
                                        row["depth"], 1e-6), True),
                        ("latitudeError", close(origin and origin.latitude_errors.uncertainty,
                                                row["latitudeError"] and str(
                                                    float(row["latitudeError"]) / KM_PER_DEGREE),
                                                1e-3), True),
                        ("mag", close(mag and mag.mag, row["mag"], 1e-9), True),
                        ("magType", (mag and mag.magnitude_type) or "", row["magType"]),
                    ]
                    bad += [(name, what, got, want) for what, got, want in checks if got != want]
    for b in bad[:20]:
        print(b)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
