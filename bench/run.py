#!/usr/bin/env python3
"""Times the three operations at library scale: the BibTeX reader (the
default) beside the classic line rules (--classic), and optionally beside the
nearest peer jobs.

For each size N it generates (bench/generate.py, fixed seed) two data sets of
N library entries, a document citing N/50 keys and a second file of N/5
entries: one in the classic layout (what --classic reads right) and one in the
modern layout (JabRef 5, Zotero, BibDesk, natbib).  Each operation runs as
  extract  tamrel extract paper.tex library.bib
  compare  tamrel compare library.bib second.bib
  clean    tamrel clean library.bib
with --classic on the classic set and with the default reader on both sets,
each timed as the best of --repeat runs, interleaved so that load on the
machine falls on all alike; a run longer than --limit seconds is stopped
and shown as ">limit".  It prints one table: seconds, the default
reader's time divided by --classic's on the same files and on the modern
files, the growth from the size before and the default reader's peak memory.
With --peers it also times (once, within --peer-limit) on the classic set:
  extract  bibtool -x paper.aux (the cited entries from an .aux file)
  compare  doubles across both files with bibtool -d -s and bibtex-tidy
  clean    bibtool -d -s (double check), bibtex-tidy --duplicates --merge
With --callgrind it counts the instructions of each operation at the mid size.
All numbers are ratios or counts measured in this one run.
"""
import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def run(cmd, cwd, timeout=None):
    """Runs cmd; returns (seconds, peak resident KB).  GNU time measures the
    memory: the rusage of a child forked from Python would count Python."""
    memory = os.path.join(cwd, "peak.txt")
    start = time.perf_counter()
    # A session of its own, so that a stop reaches the program and not only
    # GNU time.
    process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", memory] + cmd, cwd=cwd,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    # Popen.wait(timeout=...) polls with sleeps of up to 50 ms, which would
    # round short runs up; a timer stops a long run instead.
    stopped = []
    timer = None
    if timeout is not None:
        def stop():
            stopped.append(True)
            os.killpg(process.pid, signal.SIGKILL)
        timer = threading.Timer(timeout, stop)
        timer.start()
    status = process.wait()
    seconds = time.perf_counter() - start
    if timer is not None:
        timer.cancel()
    if stopped:
        return None, 0
    if status != 0:
        raise RuntimeError("%s failed with status %d" % (" ".join(cmd), status))
    with open(memory) as f:
        return seconds, int(f.read().split()[-1])


def best(cmd, cwd, repeat):
    results = [run(cmd, cwd) for _ in range(repeat)]
    return min(r[0] for r in results), max(r[1] for r in results)


def write_aux(folder):
    """The .aux file LaTeX would write for paper.tex: one \\citation per key."""
    with open(os.path.join(folder, "paper.tex")) as f:
        text = f.read()
    keys = []
    for group in re.findall(r"\\cite\{([^}]*)\}", text):
        keys += group.split(",")
    with open(os.path.join(folder, "paper.aux"), "w") as f:
        f.write("\\relax\n" + "".join("\\citation{%s}\n" % k for k in keys) + "\\bibdata{library}\n")


def write_both(folder):
    """Master and second file in one, for the peers' double detection."""
    with open(os.path.join(folder, "both.bib"), "w") as out:
        for name in ("library.bib", "second.bib"):
            with open(os.path.join(folder, name)) as f:
                out.write(f.read())


def callgrind(cmd, cwd):
    out = os.path.join(cwd, "callgrind.out")
    subprocess.run(["env", "TAMREL_HEAP=plain", "valgrind", "--tool=callgrind", "--callgrind-out-file=" + out] + cmd, cwd=cwd,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    with open(out) as f:
        for line in f:
            if line.startswith("summary:") or line.startswith("totals:"):
                return int(line.split()[1])
    return 0


def generate(folder, n, layout):
    subprocess.run([sys.executable, os.path.join(HERE, "generate.py"), "--layout", layout, "--entries", str(n),
                    "--cited", str(max(1, n // 50)), "--second", str(max(1, n // 5)),
                    "--seed", "11", "--out", folder], check=True)


def commands(tamrel, extra):
    return {"extract": [tamrel, "extract", "paper.tex", "library.bib"] + extra,
            "compare": [tamrel, "compare", "library.bib", "second.bib"] + extra,
            "clean": [tamrel, "clean", "library.bib"] + extra}


def peer_jobs(folder, tidy):
    have_bibtool = shutil.which("bibtool") is not None
    have_tidy = os.path.exists(tidy)
    write_aux(folder)
    write_both(folder)
    return {
        "extract": [("bibtool -x", ["bibtool", "-q", "-x", "paper.aux", "-o", "peer_x.bib"])] if have_bibtool else [],
        "compare": ([("bibtool -d", ["bibtool", "-q", "-d", "-s", "library.bib", "second.bib", "-o", "peer_cd.bib"])] if have_bibtool else []) +
                   ([("bibtex-tidy", [tidy, "both.bib", "--duplicates", "--merge=first", "--no-modify", "-o", "peer_ct.bib"])] if have_tidy else []),
        "clean": ([("bibtool -d", ["bibtool", "-q", "-d", "-s", "library.bib", "-o", "peer_d.bib"])] if have_bibtool else []) +
                 ([("bibtex-tidy", [tidy, "library.bib", "--duplicates", "--merge=first", "--no-modify", "-o", "peer_t.bib"])] if have_tidy else []),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tamrel", default=os.path.join(ROOT, "build-bench", "tamrel"))
    parser.add_argument("--sizes", default="1000,10000,100000")
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("--callgrind", action="store_true")
    parser.add_argument("--limit", type=int, default=60, help="seconds a Tamrel run may take")
    parser.add_argument("--peers", action="store_true")
    parser.add_argument("--peer-limit", type=int, default=120, help="seconds a peer may take")
    parser.add_argument("--tidy", default=os.path.join(ROOT, "build-bench", "npm", "node_modules", ".bin", "bibtex-tidy"))
    args = parser.parse_args()
    tamrel = os.path.abspath(args.tamrel)
    sizes = [int(s) for s in args.sizes.split(",")]
    runs = (("classic", "classic", ["--classic"]), ("default", "classic", []), ("modern", "modern", []))

    rows = []
    work = tempfile.mkdtemp(prefix="tamrel-bench-", dir="/tmp")
    # Output names are cut at the first "." of the path: keep dots out of it.
    assert "." not in work
    previous = {}
    try:
        for n in sizes:
            folders = {layout: os.path.join(work, "n%d_%s" % (n, layout)) for layout in ("classic", "modern")}
            for layout, folder in folders.items():
                generate(folder, n, layout)
            size_mb = os.path.getsize(os.path.join(folders["classic"], "library.bib")) / 1e6
            peers = peer_jobs(folders["classic"], args.tidy) if args.peers else {}
            for name in ("extract", "compare", "clean"):
                times = {label: [] for label, _, _ in runs}
                peak = 0
                for _ in range(args.repeat):
                    for label, layout, extra in runs:
                        if None in times[label]:
                            continue  # stopped once at the limit: not again
                        seconds, kb = run(commands(tamrel, extra)[name], folders[layout], timeout=args.limit)
                        times[label].append(seconds)
                        if label != "classic":
                            peak = max(peak, kb)
                # A run stopped at the limit counts as the limit: a lower bound.
                best_of = {label: args.limit if None in t else min(t) for label, t in times.items()}
                stopped = {label for label, t in times.items() if None in t}
                growth = best_of["modern"] / previous[name] if name in previous else None
                previous[name] = best_of["modern"]
                ratios = []
                for peer_name, peer_cmd in peers.get(name, []):
                    peer_seconds, _ = run(peer_cmd, folders["classic"], timeout=args.peer_limit)
                    if peer_seconds is None:
                        ratios.append("%s >%.0fx" % (peer_name, args.peer_limit / best_of["default"]))
                    else:
                        ratios.append("%s %.1fx" % (peer_name, peer_seconds / best_of["default"]))
                rows.append((n, size_mb, name, best_of, stopped, peak / 1024.0, growth, ", ".join(ratios)))
                print("  %7d %-8s classic %.3f s, default %.3f s, modern %.3f s" % (
                    n, name, best_of["classic"], best_of["default"], best_of["modern"]), file=sys.stderr)
        head = ("| entries | library MB | operation | --classic s | default s | default / --classic "
                "| default s, modern layout | modern / --classic | growth x10 entries | peak MB |")
        print(head + (" peer time / default time |" if args.peers else ""))
        print("|---:|---:|---|---:|---:|---:|---:|---:|---:|---:|" + ("---|" if args.peers else ""))
        for n, mb, name, t, stopped, peak, growth, ratios in rows:
            def cell(value, labels, digits):
                return (">" if stopped & set(labels) else "") + "%.*f" % (digits, value)
            print("| %d | %.1f | %s | %s | %s | %s | %s | %s | %s | %.0f |%s" % (
                n, mb, name, cell(t["classic"], ["classic"], 3), cell(t["default"], ["default"], 3),
                cell(t["default"] / t["classic"], ["default"], 2), cell(t["modern"], ["modern"], 3),
                cell(t["modern"] / t["classic"], ["modern"], 2),
                cell(growth, ["modern"], 1) if growth else "-", peak,
                (" %s |" % (ratios or "-")) if args.peers else ""))
        if args.callgrind:
            mid = sizes[len(sizes) // 2]
            print("\nInstructions (valgrind --tool=callgrind) at %d entries:" % mid)
            for name in ("extract", "compare", "clean"):
                counts = []
                for label, layout, extra in runs:
                    counts.append(callgrind(commands(tamrel, extra)[name], os.path.join(work, "n%d_%s" % (mid, layout))))
                print("  %-8s --classic %s, default %s, modern layout %s (%.0f per entry)" % (
                    name, format(counts[0], ","), format(counts[1], ","), format(counts[2], ","), counts[2] / mid))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
