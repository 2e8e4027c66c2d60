#!/usr/bin/env python3
"""Times the web page in headless Chromium beside the native tool at one
library size (default 100,000 entries, the modern layout of run.py's data
set: a document citing N/50 keys, a second file of N/5 entries).

For each operation the page runs on the chosen files --repeat times; a run
is timed in the page from the click on its button to the shown results
(the files read into the worker, the core, the outputs collected), and the
core's own part is given too.  The page loads and warms up its core
before the files are chosen, as while a person chooses them.  The native tool runs the same job, best of --repeat.  It prints one
table: native seconds, page seconds (first run, best run, the core's part
of the best) and the page's best divided by the native time.

Usage: bench/web.py [--entries 100000] [--page build-web/page]
           [--tamrel build-bench/tamrel]  (bench/web.sh builds both)
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))

from run import generate  # noqa: E402  (the data set of the native bench)
from page_browser_test import Page, serve, start_browser  # noqa: E402  (the browser tests' driver)
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

JOBS = {
    "extract": (["extract", "paper.tex", "library.bib"],
                [("extract-document", "paper.tex"), ("extract-library", "library.bib")]),
    "compare": (["compare", "library.bib", "second.bib"],
                [("compare-master", "library.bib"), ("compare-second", "second.bib")]),
    "clean": (["clean", "library.bib"], [("clean-library", "library.bib")]),
}


def native_seconds(tamrel, args, data, repeat):
    best = None
    for _ in range(repeat):
        folder = tempfile.mkdtemp(prefix="tamrel-web-bench-")
        try:
            for name in ("paper.tex", "library.bib", "second.bib"):
                os.symlink(os.path.join(data, name), os.path.join(folder, name))
            start = time.perf_counter()
            subprocess.run([tamrel] + args, cwd=folder, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            seconds = time.perf_counter() - start
        finally:
            shutil.rmtree(folder)
        best = seconds if best is None else min(best, seconds)
    return best


def page_seconds(page, operation, inputs, data, repeat):
    """[(page seconds, core seconds)] of repeat runs on the same choice."""
    page.open(operation)
    # A person chooses files while the page loads and warms up its core.
    WebDriverWait(page.driver, 60).until(
        lambda d: d.execute_script("return document.body.dataset.core") == "ready")
    for input_id, name in inputs:
        page.choose(input_id, [os.path.join(data, name)])
    times = []
    for _ in range(repeat):
        if page.run(operation) != "done":
            raise SystemExit("%s stopped in the page: %s" % (operation, page.text("error")))
        times.append(tuple(float(page.driver.execute_script("return document.body.dataset." + key))
                           for key in ("seconds", "coreSeconds")))
    return times


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--entries", type=int, default=100000)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--page", default=os.path.join(ROOT, "build-web", "page"))
    parser.add_argument("--tamrel", default=os.path.join(ROOT, "build-bench", "tamrel"))
    options = parser.parse_args()
    scratch = tempfile.mkdtemp(prefix="tamrel-web-bench-")
    data = os.path.join(scratch, "data")
    generate(data, options.entries, "modern")
    megabytes = os.path.getsize(os.path.join(data, "library.bib")) / 1e6
    downloads = os.path.join(scratch, "downloads")
    os.makedirs(downloads)
    driver = start_browser(downloads)
    print("%d entries, library %.1f MB; best of %d" % (options.entries, megabytes, options.repeat))
    print("| operation | native s | page s, first run | page s, best | core s in the page | page / native |")
    print("|---|---:|---:|---:|---:|---:|")
    try:
        with serve(options.page) as url:
            page = Page(driver, url + "index.html", downloads)
            for operation, (args, inputs) in JOBS.items():
                native = native_seconds(options.tamrel, args, data, options.repeat)
                times = page_seconds(page, operation, inputs, data, options.repeat)
                best = min(times)
                print("| %s | %.3f | %.2f | %.2f | %.2f | %.1f |"
                      % (operation, native, times[0][0], best[0], best[1], best[0] / native), flush=True)
    finally:
        driver.quit()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
