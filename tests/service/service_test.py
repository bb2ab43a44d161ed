#!/usr/bin/env python3
"""The event service against the command: generated catalogs of every layout, a tree of monthly
files, each served by catsieve-fdsnws on a loopback port of its choosing; the answers, statuses
and error documents, gzip, keep-alive, a client that leaves mid-stream, and a graceful stop.
Usage: service_test.py SERVER_BINARY CATSIEVE_BINARY PROJECT_DIR CATGEN_BINARY"""
import gzip, http.client, json, os, signal, socket, subprocess, sys, tempfile, threading, time
import unittest, urllib.error, urllib.parse, urllib.request
import xml.etree.ElementTree as ET

sys.dont_write_bytecode = True  # no cache of served.py in the source tree
import served  # noqa: E402
from served import get, stop

SERVER, BIN, ROOT, CATGEN = sys.argv[1:5]
LAYOUTS = [("tarn", "tarn_old"), ("tarn", "tarn_y2k"), ("mech", "mech_y2k"), ("orv", "orv"),
           ("brim", "brim"), ("kelp", "kelp"), ("f_brim", "f_brim")]
MAX_EVENTS = 500
TMP = tempfile.TemporaryDirectory()
FILES = {}  # catalog name: (format word, the files the command reads)


def generate(layout, count, seed):
    path = os.path.join(TMP.name, "%s_%d.cat" % (layout, count))
    with open(path, "wb") as f:
        subprocess.run([CATGEN, layout, str(count), str(seed)], stdout=f, check=True)
    return path


def monthly_tree(source, top):
    """The catalog's lines in files YEAR/YEAR.MONTH, every third month gzipped.  Every seventh
    line goes into the next month's file, where a lower time bound carried on from the file
    before hides it."""
    months = {}
    with open(source, "rb") as f:
        lines = f.readlines()
    keys = sorted({line[:6].decode() for line in lines})
    for n, line in enumerate(lines):
        ym = line[:6].decode()
        if n % 7 == 3 and keys.index(ym) + 1 < len(keys):
            ym = keys[keys.index(ym) + 1]
        months.setdefault(ym, []).append(line)
    for n, (ym, lines) in enumerate(sorted(months.items())):
        os.makedirs(os.path.join(top, ym[:4]), exist_ok=True)
        name = os.path.join(top, ym[:4], "%s.%s" % (ym[:4], ym[4:]))
        opener = (gzip.open, ".gz") if n % 3 == 0 else (open, "")
        with opener[0](name + opener[1], "wb") as f:
            f.writelines(lines)
    return sorted(os.path.join(d, f) for d, _, fs in os.walk(top) for f in fs)


for word, layout in LAYOUTS:
    FILES[layout] = (word, [generate(layout, 300, 11)])
FILES["tree"] = ("orv", monthly_tree(generate("orv", 400, 12), os.path.join(TMP.name, "tree")))
FILES["big"] = ("tarn", [generate("tarn_y2k", 40000, 13)])


def broken_tree(name, source):
    """A month of the source's lines, then one of a gzip file cut short."""
    top = os.path.join(TMP.name, name)
    os.makedirs(os.path.join(top, "2000"))
    os.symlink(source, os.path.join(top, "2000", "2000.01"))
    with open(source, "rb") as f:
        cut = gzip.compress(f.read(200000))[:3000]
    with open(os.path.join(top, "2000", "2000.02.gz"), "wb") as f:
        f.write(cut)
    return top


BROKEN = {"broken": broken_tree("broken", FILES["tarn_y2k"][1][0]),
          "cut": broken_tree("cut", FILES["big"][1][0])}
CATALOG_ARGS = ["--catalog=%s=%s:%s" % (n, FILES[n][0],
                                        os.path.join(TMP.name, "tree") if n == "tree"
                                        else FILES[n][1][0]) for n in FILES]
CATALOG_ARGS += ["--catalog=%s=tarn:%s" % item for item in BROKEN.items()]


def start(args):
    return served.start(SERVER, TMP.name, args)


def command(name, args):
    """The command over a catalog: a file, or the tree as its installed catalog."""
    word, files = FILES[name]
    etype = [] if "--eventtype" in args else ["-etype", "a"]
    env = dict(os.environ)
    if name == "tree":
        env["ORVCATDIR"] = os.path.join(TMP.name, "tree")
        files = ["-catalog"]
    p = subprocess.run(["catsieve", "-format", word, *etype, *args, *files], env=env,
                       executable=BIN, capture_output=True, timeout=60)
    return p.stdout, p.returncode


def log_has(log, text):
    """Whether the access log comes to hold the text: a line is written once the answer is out."""
    deadline = time.time() + 10
    while time.time() < deadline:
        with open(log) as f:
            if text in f.read():
                return True
        time.sleep(0.05)
    return False


# Parameters of a query, and the command's options that select the same events in the same order.
QUERIES = [
    ({}, ["--orderby", "time"]),
    ({"minmagnitude": "1", "orderby": "magnitude", "limit": "20"},
     ["--minmagnitude", "1", "--orderby", "magnitude", "--limit", "20"]),
    ({"start": "1995-01-01", "end": "2005-06-30T12:00:00", "orderby": "time-asc"},
     ["--starttime", "1995-01-01", "--endtime", "2005-06-30T12:00:00"]),
    ({"minlat": "37", "maxlat": "39", "offset": "5", "limit": "10", "orderby": "magnitude-asc"},
     ["--minlatitude", "37", "--maxlatitude", "39", "--offset", "5", "--limit", "10",
      "--orderby", "magnitude-asc"]),
    ({"eventtype": "earthquake", "mindepth": "5"},
     ["--eventtype", "earthquake", "--mindepth", "5", "--orderby", "time"]),
]
FORMATS = [("xml", "--quakeml", "application/xml"), ("text", "--text", "text/plain"),
           ("csv", "--csv", "text/csv"), ("geojson", "--geojson", "application/json")]


class Service(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.proc, cls.base, cls.log = start(CATALOG_ARGS + ["--max-events", str(MAX_EVENTS)])

    @classmethod
    def tearDownClass(cls):
        stop(cls.proc)

    def url(self, method, **params):
        return self.base + method + ("?" + urllib.parse.urlencode(params) if params else "")

    def test_query_and_count_match_the_command(self):
        for name in [n for n in FILES if n != "big"]:
            for params, args in QUERIES:
                expected_count, _ = command(name, args + ["--count"])
                status, _, body = get(self.url("count", catalog=name, **params))
                self.assertEqual((status, body), (200, expected_count), (name, params))
                for fmt, option, ctype in FORMATS:
                    with self.subTest(catalog=name, params=params, format=fmt):
                        expected, rc = command(name, args + [option])
                        status, headers, body = get(self.url("query", catalog=name, format=fmt,
                                                             **params))
                        if expected_count == b"0\n":
                            self.assertEqual((status, body), (204, b""))
                            continue
                        self.assertEqual((status, rc), (200, 0))
                        self.assertEqual(headers["Content-Type"], ctype)
                        self.assertEqual(headers["Access-Control-Allow-Origin"], "*")
                        self.assertEqual(body, expected)

    def test_count_over_every_catalog_is_their_sum(self):
        # The broken trees' files lie before the window, and are not read.
        total = sum(int(command(n, ["--starttime", "2001-01-01", "--count"])[0]) for n in FILES)
        for params, expected in [({}, total), ({"offset": "11"}, total - 10),
                                 ({"offset": "3", "limit": "7"}, 7),
                                 ({"offset": str(total + 1)}, 0)]:
            status, _, body = get(self.url("count", starttime="2001-01-01", **params))
            self.assertEqual((status, body), (200, b"%d\n" % expected), params)

    def test_query_over_every_catalog_is_one_document(self):
        window = ["--starttime", "2001-01-01", "--endtime", "2002-01-01"]
        parse = {"xml": lambda b: [ET.tostring(e) for e in ET.fromstring(b).iter(
                     "{http://quakeml.org/xmlns/bed/1.2}event")],
                 "geojson": lambda b: json.loads(b)["features"],
                 "text": lambda b: b.splitlines(True)[1:], "csv": lambda b: b.splitlines(True)[1:]}
        for fmt, option, _ in FORMATS:
            with self.subTest(format=fmt):
                parts = [command(n, window + [option])[0] for n in FILES]
                status, _, body = get(self.url("query", starttime="2001-01-01", format=fmt,
                                               endtime="2002-01-01", orderby="time-asc"))
                self.assertEqual(status, 200)
                self.assertEqual(parse[fmt](body), [e for p in parts for e in parse[fmt](p)])
                if fmt in ("text", "csv"):
                    self.assertEqual(body.splitlines(True)[0], parts[0].splitlines(True)[0])

    def test_orders_over_every_catalog_merge_theirs(self):
        window = {"starttime": "2001-01-01", "endtime": "2002-01-01", "format": "text"}
        args = ["--starttime", "2001-01-01", "--endtime", "2002-01-01", "--text"]
        def rows(name, extra):
            return command(name, args + extra)[0].splitlines(True)[1:]
        def magnitude(row):  # none last; ties in catalog order, as sorted() keeps them
            text = row.split(b"|")[10]
            return (0, -float(text)) if text else (1, 0)
        by_magnitude = sorted([r for n in FILES for r in rows(n, ["--orderby", "magnitude"])],
                              key=magnitude)
        per_catalog = [rows(n, []) for n in FILES]
        in_catalog_order = [r for part in per_catalog for r in part]
        # Windows that start and end in different catalogs.
        first = next(i for i, part in enumerate(per_catalog) if part)
        start = sum(map(len, per_catalog[:first + 1])) + 3
        self.assertGreater(len(in_catalog_order), start + 300)
        cases = [({"orderby": "magnitude", "offset": "3", "limit": "40"}, by_magnitude[2:42]),
                 ({"orderby": "magnitude", "limit": "500"}, by_magnitude[:500]),
                 ({"orderby": "time-asc", "offset": str(start), "limit": "300"},
                  in_catalog_order[start - 1:start + 299]),
                 ({"orderby": "time-asc", "offset": str(len(in_catalog_order) - 5)},
                  in_catalog_order[-6:])]
        for params, expected in cases:
            with self.subTest(params=params):
                status, _, body = get(self.url("query", **window, **params))
                self.assertEqual(status, 200)
                self.assertEqual(body.splitlines(True)[1:], expected)

    def test_a_tree_carries_the_lower_time_bound_from_file_to_file(self):
        params = {"catalog": "tree", "starttime": "1995-01-01"}
        expected, _ = command("tree", ["--starttime", "1995-01-01", "--count"])
        unhidden, _ = command("tree", ["--starttime", "1995-01-01", "--count", "--each-input"])
        self.assertLess(int(expected), int(unhidden))  # the tree hides some records
        self.assertEqual(get(self.url("count", **params))[:3:2], (200, expected))
        # Without a lower bound nothing is carried.
        expected, _ = command("tree", ["--count"])
        self.assertEqual(get(self.url("count", catalog="tree"))[:3:2], (200, expected))
        self.assertEqual(int(expected), 400)

    def test_statuses_and_error_documents(self):
        long_value = "x" * 100000
        cases = [  # path and query, headers, status
            ("query?catalog=orv&bogus=1", {}, 400),
            ("query?catalog=orv&minmag=1&minmagnitude=2", {}, 400),
            ("query?catalog=nowhere", {}, 400),
            ("query?catalog=kelp&magnitudetype=ML", {}, 400),
            ("query?catalog=orv&includearrivals=true", {}, 400),
            ("query?catalog=orv&updatedafter=2001-01-01", {}, 400),
            ("query?catalog=orv&minlat=50&maxlat=40", {}, 400),
            ("query", {}, 413),  # more events than a sort without limit may hold
            ("query?catalog=orv&minmag=99&nodata=404", {}, 404),
            ("nothing", {}, 404),
            ("query?catalog=big", {}, 413),
            ("query?catalog=orv&offset=400&limit=200", {}, 413),
            ("query?catalog=broken&format=text&orderby=time-asc", {}, 500),
            ("query?catalog=" + long_value, {}, 414),
            ("version", {"X-Long": long_value}, 431),
        ]
        for path, headers, status in cases:
            with self.subTest(path=path[:60], status=status):
                got, got_headers, body = get(self.base + path, headers)
                self.assertEqual(got, status)
                if status in (414, 431):
                    continue  # the server library's own answers
                self.assertEqual(got_headers["Access-Control-Allow-Origin"], "*")
                lines = body.decode().splitlines()
                self.assertTrue(lines[0].startswith("Error %d: " % status), lines[0])
                self.assertIn(self.base + path, lines)
                self.assertNotIn(TMP.name, body.decode())  # no path of the server's
                self.assertRegex(lines[-1], r"^\d+\.\d+\.\d+$")
        status, _, body = get(self.url("query", catalog="big"))
        self.assertIn(b"more than %d events" % MAX_EVENTS, body)
        # A tree without a file of the window: nothing, and no standard input read.
        for params in [{"minmag": "99"}, {"contributor": "someone"}, {"catalog": "broken",
                                                                       "start": "2001-01-01"}]:
            params = {"catalog": "orv", **params}
            self.assertEqual(get(self.url("query", **params))[:3:2], (204, b""))
            self.assertEqual(get(self.url("count", **params))[:3:2], (200, b"0\n"))

    def test_small_methods(self):
        status, headers, body = get(self.url("version"))
        self.assertEqual((status, headers["Content-Type"]), (200, "text/plain"))
        self.assertRegex(body.decode(), r"^\d+\.\d+\.\d+\n$")
        status, headers, body = get(self.url("application.wadl"))
        self.assertEqual((status, headers["Content-Type"]), (200, "application/xml"))
        self.assertTrue(ET.fromstring(body).tag.endswith("application"))
        names = [c.text for c in ET.fromstring(get(self.url("catalogs"))[2])]
        self.assertEqual(names, list(FILES) + list(BROKEN))
        self.assertEqual([c.text for c in ET.fromstring(get(self.url("contributors"))[2])],
                         ["local"])
        status, _, body = get(self.base)
        self.assertEqual(status, 200)
        self.assertIn(b"count", body)

    def test_gzip_and_keep_alive(self):
        host = urllib.parse.urlsplit(self.base)
        conn = http.client.HTTPConnection(host.hostname, host.port, timeout=30)
        try:
            expected, _ = command("big", ["--text"])
            for encoding in ["gzip", "identity"]:
                conn.request("GET", host.path + "query?catalog=big&format=text&orderby=time-asc",
                             headers={"Accept-Encoding": encoding})
                sock = conn.sock
                r = conn.getresponse()
                body = r.read()
                self.assertEqual(r.status, 200)
                if encoding == "gzip":
                    self.assertEqual(r.getheader("Content-Encoding"), "gzip")
                    body = gzip.decompress(body)
                    first = sock
                else:
                    self.assertIs(sock, first)  # the same connection
                self.assertEqual(body, expected)
        finally:
            conn.close()

    def test_client_leaving_does_not_disturb_another(self):
        host = urllib.parse.urlsplit(self.base)
        expected, _ = command("big", ["--csv"])
        results = []
        other = threading.Thread(target=lambda: results.append(
            get(self.url("query", catalog="big", format="csv", orderby="time-asc"))))
        other.start()
        for _ in range(3):
            s = socket.create_connection((host.hostname, host.port), timeout=30)
            s.sendall(("GET %squery?catalog=big&format=xml&orderby=time-asc HTTP/1.1\r\n"
                       "Host: x\r\n\r\n" % host.path).encode())
            self.assertTrue(s.recv(10000).startswith(b"HTTP/1.1 200"))
            s.close()
        other.join(60)
        self.assertEqual(results[0][0], 200)
        self.assertEqual(results[0][2], expected)
        self.assertEqual(get(self.url("version"))[0], 200)
        self.assertTrue(log_has(self.log, " /fdsnws/event/1/version 200 6 "))


    def test_a_failure_after_the_status_cuts_the_body_short(self):
        with urllib.request.urlopen(self.url("query", catalog="cut", format="text",
                                             orderby="time-asc"), timeout=30) as r:
            self.assertEqual(r.status, 200)
            with self.assertRaises(http.client.IncompleteRead):
                r.read()
        self.assertTrue(log_has(self.log, "body cut short: a catalog file could not be read"))


class SingleCatalog(unittest.TestCase):
    def test_every_catalog_budget_and_graceful_stop(self):
        p, base, _ = start(["--catalog", "only=orv:" + FILES["orv"][1][0],
                            "--max-events", "300", "--max-buffered-events", "200"])
        try:
            expected, _ = command("orv", ["--text", "--limit", "50", "--orderby", "time"])
            status, _, body = get(base + "query?format=text&limit=50")
            self.assertEqual((status, body), (200, expected))
            # A sort without limit holds up to the cap, past the budget of all sorts.
            status, headers, body = get(base + "query?format=text")
            self.assertEqual((status, headers["Retry-After"]), (503, "5"))
            self.assertTrue(body.startswith(b"Error 503: "))
            p.send_signal(signal.SIGTERM)
            self.assertEqual(p.wait(15), 0)
        finally:
            stop(p)


class OneSearchAtATime(unittest.TestCase):
    def test_busy_slots_give_503_and_free_when_a_client_leaves(self):
        p, base, log = start(["--catalog", "big=tarn:" + FILES["big"][1][0], "--threads", "1",
                            "--queue", "1"])
        host = urllib.parse.urlsplit(base)
        path = host.path + "query?format=text&orderby=time-asc"
        try:
            # A client that reads nothing holds the one search once its output backs up.
            holder = socket.create_connection((host.hostname, host.port), timeout=30)
            holder.sendall(("GET %s HTTP/1.1\r\nHost: x\r\n\r\n" % path).encode())
            self.assertTrue(holder.recv(100).startswith(b"HTTP/1.1 200"))
            # Of two more, one waits for the search and the other finds the queue full.
            results = []
            others = [threading.Thread(target=lambda: results.append(get(base + "count")))
                      for _ in range(2)]
            for t in others:
                t.start()
            deadline = time.time() + 10
            while time.time() < deadline and not results:
                time.sleep(0.05)
            status, headers, _ = results[0]
            self.assertEqual((status, headers["Retry-After"]), (503, "5"))
            holder.close()
            for t in others:
                t.join(30)
            self.assertEqual(results[1][:3:2], (200, command("big", ["--count"])[0]))
            # A client that leaves while its request waits is not searched for.
            holder = socket.create_connection((host.hostname, host.port), timeout=30)
            holder.sendall(("GET %s HTTP/1.1\r\nHost: x\r\n\r\n" % path).encode())
            self.assertTrue(holder.recv(100).startswith(b"HTTP/1.1 200"))
            leaver = socket.create_connection((host.hostname, host.port), timeout=30)
            leaver.sendall(("GET %scount HTTP/1.1\r\nHost: x\r\n\r\n" % host.path).encode())
            time.sleep(0.3)
            leaver.close()
            self.assertTrue(log_has(log, " /fdsnws/event/1/count 503 "))
            holder.close()
        finally:
            stop(p)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
