#!/usr/bin/env python3
"""Hostile and unlucky inputs: gzip, bzip2 and xz data cut short or with a bit flipped, at many
points, with a plain input after them; endless and overlong records; link fan-outs and failing
directory reads in an installed tree; padded gzip. Every record written is whole (a line of the
catalog, or for damaged data at least a whole line), never glued to the next input; damage is
named; memory stays flat.
Usage: hostile_test.py CATSIEVE_BINARY PROJECT_DIR IO_FAULT_LIBRARY"""
import bz2, gzip, lzma, os, subprocess, sys, tempfile, unittest

BIN, ROOT, IO_FAULT = sys.argv[1:4]
# Resident memory allowed to a run, in KiB: a sanitizer's runtime takes tens of MiB; a record held
# whole would take far more than this.
FLAT_KIB = 160 * 1024
TMP = tempfile.TemporaryDirectory()


def example(name):
    with open(os.path.join(ROOT, "examples", name + ".cat"), "rb") as f:
        return f.read()


def write(name, data):
    path = os.path.join(TMP.name, name)
    with open(path, "wb") as f:
        f.write(data)
    return path


def run(args, stdin=None, env=None, feed=None):
    """Output, messages, status and peak resident memory (KiB) of a run; feed, a generator of
    chunks, streams standard input."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        p = subprocess.Popen(["catsieve"] + args, executable=BIN, stdin=subprocess.PIPE,
                             stdout=out, stderr=err,
                             env=env and dict(os.environ, ASAN_OPTIONS="verify_asan_link_order=0",
                                              **env))
        try:
            for chunk in feed or [stdin or b""]:
                p.stdin.write(chunk)
            p.stdin.close()
        except BrokenPipeError:
            pass
        _, status, usage = os.wait4(p.pid, 0)
        p.returncode = os.waitstatus_to_exitcode(status)
        out.seek(0)
        err.seek(0)
        return out.read(), err.read().decode(), p.returncode, usage.ru_maxrss


PACKERS = {"gz": gzip.compress, "bz2": bz2.compress, "xz": lzma.compress}


class Compressed(unittest.TestCase):
    def test_cut_or_flipped_data_give_whole_records(self):
        text = example("tarn_old")
        lines = set(text.splitlines(keepends=True))
        # The plain input after the damaged one is in the old layout too.
        plain = write("after.cat", text[: text.index(b"\n") + 1])
        for kind, pack in PACKERS.items():
            data = pack(text)
            cuts = [len(data) * k // 24 for k in range(1, 24)]
            flips = [len(data) * k // 20 for k in range(2, 19)]
            cases = [("cut", c, data[:c]) for c in cuts]
            cases += [("flip", f, data[:f] + bytes([data[f] ^ 0x10]) + data[f + 1:]) for f in flips]
            for how, at, bad in cases:
                with self.subTest(kind=kind, how=how, at=at):
                    out, err, status = run(["-etype", "a", write("bad." + kind, bad), plain])[:3]
                    got = out.splitlines(keepends=True)
                    # Garbage where the first line should be tells no layout: the run ends.
                    if "Unable to determine format" in err:
                        self.assertEqual(out, b"")
                        self.assertRegex(err, r"(truncated|damaged) %s data" % (
                            "gzip" if kind == "gz" else "bzip2" if kind == "bz2" else "xz"))
                        continue
                    self.assertTrue(out.endswith(b"\n"))
                    if how == "cut":
                        self.assertTrue(all(l in lines for l in got), got[-3:])
                    named = "truncated" in err or "damaged" in err
                    if out != text + text[: text.index(b"\n") + 1] or status:
                        self.assertTrue(named, err)
                        self.assertEqual(status, 1)
                    self.assertEqual(got[-1], text[: text.index(b"\n") + 1], "the next input")

    def test_the_decoder_fault_comes_before_the_layout_message(self):
        # Stored (uncompressed) gzip data with a byte of the first line changed: it decodes to a
        # line of no layout, and only the check at the end of the data, far behind, finds the
        # damage.
        text = example("tarn_old") * 400
        data = bytearray(gzip.compress(text, compresslevel=0))
        header = 10 + 5  # the gzip header and the stored block's
        data[header + 16] = ord("X")  # column 17, a hemisphere column of the old layout
        out, err, status = run([write("stored.gz", bytes(data))])[:3]
        self.assertEqual((out, status), (b"", 1))
        self.assertRegex(err, r"stored\.gz: damaged gzip data \(incorrect data check\)\n"
                              r"Error: Unable to determine format for tarn_catalog\n$")

    def test_zeros_after_the_last_gzip_member_end_it(self):
        text = example("tarn_old")
        for tail, status, message in ((b"\0" * 1024, 0, ""), (b"\0" * 7, 0, ""),
                                      (b"\0\0junk", 1, "damaged gzip data")):
            with self.subTest(tail=tail):
                out, err, got = run(["-etype", "a", write("pad.gz", gzip.compress(text) + tail)])[:3]
                self.assertEqual((out, got), (text, status))
                self.assertIn(message, err)


def endless(record_head, line, megabytes):
    yield record_head
    chunk = line * (1024 * 1024 // len(line))
    for _ in range(megabytes):
        yield chunk


class Records(unittest.TestCase):
    FORMS = ([], ["--csv"], ["--geojson"], ["--quakeml"], ["--text"], ["--count"])

    def test_overlong_full_brim_records_are_skipped(self):
        brim = example("full_brim")
        first = brim[: brim.index(b"$end") + 5]
        head = first[: first.index(b"$end")]
        big = head + b"a line of junk\n" * 90000 + b"$end\n"
        many = head + b"x\n" * 100001 + b"$end\n"
        for name, record in (("bytes", big), ("lines", many)):
            data = first + record + first
            for form in self.FORMS:
                with self.subTest(name=name, form=form):
                    out, err, status, _ = run(["-format", "f_brim", "--strict", "-etype", "a"]
                                              + form, data)
                    self.assertEqual(status, 1)
                    self.assertRegex(err, r"standard input: line \d+: a full brim record of more "
                                          r"than 1048576 bytes or 100000 lines, damaged: "
                                          r"skipped to its \$end\n$")
                    if not form:
                        self.assertEqual(out, first + first)
                    if form == ["--count"]:
                        self.assertEqual(out, b"2\n")

    def test_memory_stays_flat(self):
        brim = example("full_brim")
        head = brim[: brim.index(b"$end")]
        line = example("tarn_old")[:80] + b"\n"
        for fmt, feed in (("f_brim", lambda: endless(head, b"no end to this record\n", 200)),
                          ("tarn", lambda: endless(b"", b"7" * 1023 + b"x", 200))):
            for form in self.FORMS:
                with self.subTest(fmt=fmt, form=form):
                    rss = run(["-format", fmt, "-etype", "a"] + form, feed=feed())[3]
                    self.assertLess(rss, FLAT_KIB)
        # A line of 10 MB is read in pieces; the strict report tells it once, and the record
        # after it is read.
        data = line + b"7" * 10_000_000 + b"\n" + line
        for form in self.FORMS:
            with self.subTest(form=form):
                out, err, status, rss = run(["--strict", "-etype", "a"] + form, data)
                self.assertLess(rss, FLAT_KIB)
                self.assertEqual(err.count("longer than 199 bytes"), 1, err[:300])
                self.assertEqual(status, 1)
                if not form:
                    self.assertTrue(out.endswith(b"\n" + line))

    def test_a_nul_byte_is_no_blank(self):
        # A brim line whose magnitude holds blanks and a NUL: not missing, its value 0.
        line = example("brim").splitlines(keepends=True)[0]
        odd = line[:129] + b"  \0  " + line[134:]
        args = ["-format", "brim", "-etype", "a", "--count"]
        self.assertEqual(run(args + ["-magnitude", "5", "9", "-no_mag"], odd)[:3], (b"0\n", "", 0))
        self.assertEqual(run(args + ["-magnitude", "0", "0"], odd)[:3], (b"1\n", "", 0))


class Trees(unittest.TestCase):
    def tree(self, name):
        root = os.path.join(TMP.name, name)
        os.makedirs(os.path.join(root, "1995"))
        write(os.path.join(name, "1995", "1995.01"), example("tarn_old"))
        return root

    def count(self, root, *args, env=None):
        out, err, status = run(["-catalog", "-etype", "a", "--count", *args],
                               env=dict(env or {}, LODECATDIR=root))[:3]
        return int(out), err, status

    def test_each_file_once_under_strict(self):
        records = example("tarn_old").count(b"\n")
        root = self.tree("latest")
        os.symlink("1995", os.path.join(root, "latest"))
        self.assertEqual(self.count(root), (2 * records, "", 0))
        n, err, status = self.count(root, "--strict")
        self.assertEqual((n, status), (records, 1))
        self.assertEqual(err, "catsieve: installed catalog: %s/latest not read: the same "
                              "directory as %s/1995\n" % (root, root))
        # A fan-out of links, each level two links to the one below: 2^levels paths to one file.
        root, levels = self.tree("fanout"), 12
        for level in range(levels):
            d = os.path.join(root, "l%d" % level)
            os.makedirs(d)
            below = "../1995" if level == 0 else "../l%d" % (level - 1)
            os.symlink(below, os.path.join(d, "a"))
            os.symlink(below, os.path.join(d, "b"))
        n, err, status = self.count(root, "--strict")
        self.assertEqual((n, status), (records, 1))
        self.assertEqual(err.count("not read: the same directory as"), 2 * levels)

    def test_a_failing_directory_read_is_told_under_strict(self):
        root = self.tree("unreadable")
        fault = {"LD_PRELOAD": IO_FAULT, "CATSIEVE_FAULT_READDIR": "0"}
        self.assertEqual(self.count(root, env=fault), (0, "", 0))
        self.assertEqual(self.count(root, "--strict", env=fault),
                         (0, "catsieve: installed catalog: %s read only in part (Input/output "
                             "error)\n" % root, 1))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
