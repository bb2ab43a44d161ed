"""catsieve-fdsnws started for a test on a loopback port of its choosing, stopped by its process
id, and asked over HTTP."""
import itertools, os, subprocess, sys, urllib.error, urllib.request

_LOGS = itertools.count()


def start(server, directory, args, listen="127.0.0.1:0"):
    """The server, its access log and standard error kept in directory: (process, base URL,
    access log)."""
    log = os.path.join(directory, "access%d.log" % next(_LOGS))
    with open(log + ".err", "wb") as err:
        p = subprocess.Popen([server, "--listen", listen, "--access-log", log, *args],
                             stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=err)
    line = p.stdout.readline().decode()
    assert line.startswith("listening on http://"), line
    p.log = log
    return p, line.split()[-1], log


def stop(p):
    """Kills the server if it still runs; what it wrote on standard error goes to ours."""
    if p.poll() is None:
        p.kill()
    p.wait(10)
    p.stdout.close()
    with open(p.log + ".err") as f:
        sys.stderr.write(f.read())


def get(url, headers=None):
    """Status, headers and body, errors included."""
    try:
        with urllib.request.urlopen(urllib.request.Request(url, headers=headers or {}),
                                    timeout=30) as r:
            return r.status, r.headers, r.read()
    except urllib.error.HTTPError as e:
        return e.code, e.headers, e.read()
