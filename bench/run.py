#!/usr/bin/env python3
"""Times the three operations at library scale, beside the nearest peer jobs.

For each size N it generates (bench/generate.py, fixed seed) a library of N
entries, a document citing N/50 keys and a second file of N/5 entries, then
times Tamrel as the best of --repeat runs (the peers once, within --peer-limit):
  extract  tamrel extract paper.tex library.bib
           peer: bibtool -x paper.aux (the cited entries from an .aux file)
  compare  tamrel compare library.bib second.bib
           peers: doubles across both files with bibtool -d -s and bibtex-tidy
  clean    tamrel clean library.bib
           peers: bibtool -d -s (double check), bibtex-tidy --duplicates --merge
It prints one table: seconds, peak memory, growth from the size before, and
each peer's time divided by Tamrel's (above 1: Tamrel is faster).  With
--callgrind it also counts instructions of each operation at the mid size.
All numbers are ratios or counts measured in this one run.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def run(cmd, cwd, timeout=None):
    """Runs cmd; returns (seconds, peak resident KB).  GNU time measures the
    memory: the rusage of a child forked from Python would count Python."""
    memory = os.path.join(cwd, "peak.txt")
    start = time.perf_counter()
    try:
        status = subprocess.call(["/usr/bin/time", "-f", "%M", "-o", memory] + cmd, cwd=cwd,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, 0
    seconds = time.perf_counter() - start
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
    subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out] + cmd, cwd=cwd,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    with open(out) as f:
        for line in f:
            if line.startswith("summary:") or line.startswith("totals:"):
                return int(line.split()[1])
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tamrel", default=os.path.join(ROOT, "build-bench", "tamrel"))
    parser.add_argument("--sizes", default="1000,10000,100000")
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--callgrind", action="store_true")
    parser.add_argument("--peer-limit", type=int, default=120, help="seconds a peer may take")
    parser.add_argument("--tidy", default=os.path.join(ROOT, "build-bench", "npm", "node_modules", ".bin", "bibtex-tidy"))
    args = parser.parse_args()
    tamrel = os.path.abspath(args.tamrel)
    sizes = [int(s) for s in args.sizes.split(",")]
    have_bibtool = shutil.which("bibtool") is not None
    have_tidy = os.path.exists(args.tidy)

    rows = []
    work = tempfile.mkdtemp(prefix="tamrel-bench-", dir="/tmp")
    # Output names are cut at the first "." of the path: keep dots out of it.
    assert "." not in work
    previous = {}
    try:
        for n in sizes:
            folder = os.path.join(work, "n%d" % n)
            subprocess.run([sys.executable, os.path.join(HERE, "generate.py"), "--entries", str(n),
                            "--cited", str(max(1, n // 50)), "--second", str(max(1, n // 5)),
                            "--seed", "11", "--out", folder], check=True)
            write_aux(folder)
            write_both(folder)
            size_mb = os.path.getsize(os.path.join(folder, "library.bib")) / 1e6
            jobs = [
                ("extract", [tamrel, "extract", "paper.tex", "library.bib"],
                 [("bibtool -x", ["bibtool", "-q", "-x", "paper.aux", "-o", "peer_x.bib"])] if have_bibtool else []),
                ("compare", [tamrel, "compare", "library.bib", "second.bib"],
                 ([("bibtool -d", ["bibtool", "-q", "-d", "-s", "library.bib", "second.bib", "-o", "peer_cd.bib"])] if have_bibtool else []) +
                 ([("bibtex-tidy", [args.tidy, "both.bib", "--duplicates", "--merge=first", "--no-modify", "-o", "peer_ct.bib"])] if have_tidy else [])),
                ("clean", [tamrel, "clean", "library.bib"],
                 ([("bibtool -d", ["bibtool", "-q", "-d", "-s", "library.bib", "-o", "peer_d.bib"])] if have_bibtool else []) +
                 ([("bibtex-tidy", [args.tidy, "library.bib", "--duplicates", "--merge=first", "--no-modify", "-o", "peer_t.bib"])] if have_tidy else [])),
            ]
            for name, cmd, peers in jobs:
                seconds, kb = best(cmd, folder, args.repeat)
                growth = seconds / previous[name] if name in previous else None
                previous[name] = seconds
                ratios = []
                for peer_name, peer_cmd in peers:
                    # Once, with a time limit: some peers grow faster than linearly.
                    peer_seconds, _ = run(peer_cmd, folder, timeout=args.peer_limit)
                    if peer_seconds is None:
                        ratios.append("%s >%.0fx (stopped after %d s)" % (peer_name, args.peer_limit / seconds, args.peer_limit))
                    else:
                        ratios.append("%s %.1fx" % (peer_name, peer_seconds / seconds))
                rows.append((n, size_mb, name, seconds, kb / 1024.0, growth, ", ".join(ratios)))
                print("  %7d %-8s %.3f s" % (n, name, seconds), file=sys.stderr)
        print("| entries | library MB | operation | seconds | peak MB | growth x10 entries | peer time / Tamrel time |")
        print("|---:|---:|---|---:|---:|---:|---|")
        for n, mb, name, seconds, peak, growth, ratios in rows:
            print("| %d | %.1f | %s | %.3f | %.0f | %s | %s |" % (
                n, mb, name, seconds, peak, "%.1f" % growth if growth else "-", ratios or "-"))
        if args.callgrind:
            mid = sizes[len(sizes) // 2]
            folder = os.path.join(work, "n%d" % mid)
            print("\nInstructions (valgrind --tool=callgrind) at %d entries:" % mid)
            for name, cmd in (("extract", [tamrel, "extract", "paper.tex", "library.bib"]),
                              ("compare", [tamrel, "compare", "library.bib", "second.bib"]),
                              ("clean", [tamrel, "clean", "library.bib"])):
                count = callgrind(cmd, folder)
                print("  %-8s %15s instructions, %6.0f per entry" % (name, format(count, ","), count / mid))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
