#!/usr/bin/env python3
"""The README's service command, as a newcomer runs it (on a port of its own): each of its curl
lines answers 200 with a whole document of its form, and the count matches the text form.
Usage: readme_service_test.py SERVER_BINARY PROJECT_DIR"""
import csv, io, json, re, subprocess, sys
import xml.etree.ElementTree as ET

SERVER, ROOT = sys.argv[1:3]
with open(ROOT + "/README.md") as f:
    section = f.read().split("## Serve the examples", 1)[1].split("\n## ", 1)[0]
blocks = re.findall(r"```sh\n(.*?)```", section, re.S)
server_args = blocks[0].split("./build/catsieve-fdsnws", 1)[1].split()
urls = re.findall(r"curl '([^']+)'", blocks[1])
assert len(urls) >= 5, urls
p = subprocess.Popen([SERVER, *server_args, "--listen", "127.0.0.1:0"], cwd=ROOT,
                     stdout=subprocess.PIPE)
try:
    base = p.stdout.readline().decode().split()[-1]
    counted = texts = None
    for url in urls:
        url = url.replace("http://127.0.0.1:8080/fdsnws/event/1/", base)
        r = subprocess.run(["curl", "-s", "-w", "\n%{http_code}", url], capture_output=True,
                           check=True, timeout=60)
        body, status = r.stdout.rsplit(b"\n", 1)
        assert status == b"200", (url, status, body)
        form = re.search(r"format=(\w+)", url)
        form = "count" if "/count?" in url else form.group(1) if form else "xml"
        if form == "xml":
            events = ET.fromstring(body).iter("{http://quakeml.org/xmlns/bed/1.2}event")
            assert list(events), url
        elif form == "geojson":
            assert json.loads(body)["features"], url
        elif form == "csv":
            assert list(csv.DictReader(io.StringIO(body.decode()))), url
        elif form == "text":
            texts = texts or len(body.splitlines()) - 1
        else:
            counted = int(body)
    assert counted == texts, (counted, texts)
finally:
    p.terminate()
    assert p.wait(15) == 0
print("ok: %d curl lines" % len(urls))
