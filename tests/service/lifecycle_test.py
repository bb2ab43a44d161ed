#!/usr/bin/env python3
"""The event service as it lives: many clients at once, each answer checked; IPv6; the access log
reopened on SIGHUP; SIGTERM while an answer streams; and, where this Python has ObsPy, ObsPy's
FDSN client asking for events as its users do.
Usage: lifecycle_test.py SERVER_BINARY CATSIEVE_BINARY CATGEN_BINARY"""
import csv, io, os, random, signal, socket, subprocess, sys, tempfile, threading, time
import unittest, urllib.parse

sys.dont_write_bytecode = True  # no cache of served.py in the source tree
import served  # noqa: E402
from served import stop

SERVER, BIN, CATGEN = sys.argv[1:4]
TMP = tempfile.TemporaryDirectory()
CATALOG = os.path.join(TMP.name, "tarn.cat")
with open(CATALOG, "wb") as out:
    subprocess.run([CATGEN, "tarn_y2k", "20000", "21"], stdout=out, check=True)
try:
    import obspy
    from obspy.clients.fdsn import Client
except ImportError:
    obspy = None


def start(*args, listen="127.0.0.1:0"):
    return served.start(SERVER, TMP.name, ["--catalog", "net=tarn:" + CATALOG, *args], listen)


def command(*args):
    return subprocess.run(["catsieve", "-format", "tarn", "-etype", "a", *args, CATALOG],
                          executable=BIN, capture_output=True, timeout=60, check=True).stdout


def read(path):
    with open(path) as f:
        return f.read()


def get(url):
    status, _, body = served.get(url)
    return status, body


def streaming_request(base, query):
    """A raw connection that has asked for an answer and read its status line."""
    host = urllib.parse.urlsplit(base)
    s = socket.create_connection((host.hostname, host.port), timeout=30)
    s.sendall(("GET %squery?%s HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"
               % (host.path, query)).encode())
    return s, s.recv(20)


def read_all(s, pause=0.0):
    data = b""
    while True:
        piece = s.recv(65536)
        if not piece:
            return data
        data += piece
        time.sleep(pause)


def chunked_body(raw):
    """The body of a chunked answer, and whether its terminating chunk came."""
    body, rest = b"", raw.split(b"\r\n\r\n", 1)[1]
    while rest:
        size, _, rest = rest.partition(b"\r\n")
        n = int(size, 16)
        if n == 0:
            return body, True
        body, rest = body + rest[:n], rest[n + 2:]
    return body, False


class Lifecycle(unittest.TestCase):
    def test_many_clients_at_once_each_get_their_own_answer(self):
        queries = [({"format": "text", "minmag": str(m), "orderby": o},
                    ["--text", "--minmagnitude", str(m), "--orderby", o])
                   for m in (2, 3, 4) for o in ("time", "magnitude", "time-asc")]
        queries += [({"format": "csv", "starttime": "%d-01-01" % y, "endtime": "%d-01-01" % (y + 2),
                      "orderby": "time-asc"},
                     ["--csv", "--starttime", "%d-01-01" % y, "--endtime", "%d-01-01" % (y + 2)])
                    for y in (2000, 2004, 2008)]
        expected = [command(*args) for _, args in queries]
        p, base, _ = start("--threads", "4")
        failures = []
        def client(seed):
            rng = random.Random(seed)
            for _ in range(4):
                i = rng.randrange(len(queries))
                deadline = time.time() + 60
                while True:  # busy: a client tries again a little later
                    status, body = get(base + "query?" + urllib.parse.urlencode(queries[i][0]))
                    if status != 503 or time.time() > deadline:
                        break
                    time.sleep(rng.uniform(0.05, 0.3))
                if (status, body) != (200, expected[i]):
                    failures.append((queries[i][0], status, len(body), len(expected[i])))
        try:
            threads = [threading.Thread(target=client, args=(n,)) for n in range(8)]
            for t in threads:
                t.start()
            for t in threads:
                t.join(120)
            self.assertEqual(failures[:3], [])
        finally:
            stop(p)

    def test_ipv6_loopback(self):
        try:
            socket.socket(socket.AF_INET6).bind(("::1", 0))
        except OSError:
            self.skipTest("no IPv6 loopback here")
        p, base, _ = start(listen="[::1]:0")
        try:
            self.assertRegex(base, r"^http://\[::1\]:\d+/fdsnws/event/1/$")
            self.assertEqual(get(base + "count?minmag=4"), (200, command("--minmagnitude", "4",
                                                                         "--count")))
        finally:
            stop(p)

    def test_a_client_that_stops_mid_request_is_let_go(self):
        p, base, _ = start("--timeout", "1")
        try:
            host = urllib.parse.urlsplit(base)
            s = socket.create_connection((host.hostname, host.port), timeout=10)
            s.sendall(b"GET /fdsnws/event/1/version HTTP/1.1\r\nHost: x\r\n")  # no end
            began = time.time()
            self.assertEqual(s.recv(100), b"")  # closed by the server
            self.assertLess(time.time() - began, 8)
            s.close()
            self.assertEqual(get(base + "version")[0], 200)
        finally:
            stop(p)

    def test_a_tree_changed_on_disk_is_served_as_it_stands(self):
        top = os.path.join(TMP.name, "changing")
        with open(CATALOG, "rb") as f:
            lines = f.readlines()
        def month(name, part):
            with open(os.path.join(top, "2001", name), "wb") as f:
                f.writelines(part)
        os.makedirs(os.path.join(top, "2001"))
        month("2001.01", lines[:100])
        month("2001.02", lines[100:250])
        time.sleep(2.1)  # the directories have settled: their listings are kept
        p, base, _ = start("--catalog", "changing=tarn:" + top)
        try:
            count = lambda: get(base + "count?catalog=changing")
            self.assertEqual(count(), (200, b"250\n"))
            self.assertEqual(count(), (200, b"250\n"))
            month("2001.03", lines[250:260])
            self.assertEqual(count(), (200, b"260\n"))
            os.remove(os.path.join(top, "2001", "2001.01"))
            self.assertEqual(count(), (200, b"160\n"))
        finally:
            stop(p)

    def test_sighup_reopens_the_access_log(self):
        p, base, log = start()
        try:
            get(base + "version")
            deadline = time.time() + 10  # its line is written once the answer is out
            while time.time() < deadline and "version" not in read(log):
                time.sleep(0.05)
            os.rename(log, log + ".1")
            p.send_signal(signal.SIGHUP)
            deadline = time.time() + 10
            while not os.path.exists(log) and time.time() < deadline:
                time.sleep(0.05)
            get(base + "catalogs")
            deadline = time.time() + 10
            while time.time() < deadline and "catalogs" not in read(log):
                time.sleep(0.05)
            self.assertIn(" /fdsnws/event/1/version 200 ", read(log + ".1"))
            self.assertNotIn("catalogs", read(log + ".1"))
            self.assertIn(" /fdsnws/event/1/catalogs 200 ", read(log))
        finally:
            stop(p)

    def test_sigterm_finishes_answers_in_flight_then_exits_0(self):
        expected = command("--quakeml")
        p, base, _ = start()
        try:
            s, head = streaming_request(base, "format=xml&orderby=time-asc")
            self.assertTrue(head.startswith(b"HTTP/1.1 200"))
            p.send_signal(signal.SIGTERM)
            time.sleep(0.3)
            host = urllib.parse.urlsplit(base)
            with self.assertRaises(OSError):  # no new connection is taken
                socket.create_connection((host.hostname, host.port), timeout=5).recv(1)
            body, whole = chunked_body(head + read_all(s, 0.001))
            s.close()
            self.assertTrue(whole)
            self.assertEqual(body, expected)
            self.assertEqual(p.wait(15), 0)
        finally:
            stop(p)

    def test_sigterm_cuts_answers_past_the_shutdown_timeout(self):
        p, base, log = start("--shutdown-timeout", "1")
        try:
            s, head = streaming_request(base, "format=xml&orderby=time-asc")
            self.assertTrue(head.startswith(b"HTTP/1.1 200"))
            began = time.time()
            p.send_signal(signal.SIGTERM)  # while the client reads nothing
            self.assertEqual(p.wait(15), 0)
            self.assertLess(time.time() - began, 10)
            self.assertFalse(chunked_body(head + read_all(s))[1])
            s.close()
            self.assertIn("body cut short: the service stopped", read(log))
        finally:
            stop(p)

    @unittest.skipIf(obspy is None, "this Python has no ObsPy (see ../shared/clients/README.md)")
    def test_obspy_client_get_events(self):
        p, base, _ = start()
        try:
            client = Client(base.split("/fdsnws/")[0], _discover_services=True)
            cases = [({"minmagnitude": 4, "orderby": "magnitude", "limit": 30},
                      ["--minmagnitude", "4", "--orderby", "magnitude", "--limit", "30"]),
                     ({"starttime": obspy.UTCDateTime("2003-01-01"),
                       "endtime": obspy.UTCDateTime("2003-03-01"), "orderby": "time-asc"},
                      ["--starttime", "2003-01-01T00:00:00", "--endtime",
                       "2003-03-01T00:00:00"]),
                     ({"latitude": 38, "longitude": -122, "maxradius": 2, "mindepth": 5,
                       "catalog": "net"},
                      ["--latitude", "38", "--longitude", "-122", "--maxradius", "2",
                       "--mindepth", "5", "--orderby", "time"])]
            for params, args in cases:
                with self.subTest(params=params):
                    rows = list(csv.DictReader(io.StringIO(command("--csv", *args).decode())))
                    self.assertTrue(rows)
                    events = client.get_events(**params)
                    self.assertEqual([str(e.resource_id) for e in events],
                                     ["smi:local/event/" + r["id"] for r in rows])
                    self.assertEqual([e.preferred_magnitude().mag for e in events],
                                     [float(r["mag"]) for r in rows])
        finally:
            stop(p)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[4:])
