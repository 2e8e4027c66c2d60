#!/usr/bin/env python3
"""The web page in headless Chromium: every operation on the bundled example
and on real libraries, the downloaded files (one by one and as a zip) byte
for byte against the native command-line tool, the errors for a binary file
and a library with no entries, and a screenshot of each tab.

Usage: page_browser_test.py --page dist/web --tamrel build/tamrel
           [--corpus ../shared/corpus/real] [--screenshots DIR]
Prints "N passed, N failed" at the end; exits 1 when a case failed.
"""
import argparse
import contextlib
import functools
import http.server
import io
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import zipfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
RUN_SECONDS = 60


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def serve(folder):
    """A static server of folder on a free loopback port; yields its URL."""
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield "http://127.0.0.1:%d/" % server.server_address[1]
    finally:
        server.shutdown()
        server.server_close()


def start_browser(downloads):
    options = webdriver.ChromeOptions()
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                 "--window-size=1100,1500"):
        options.add_argument(flag)
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    options.add_experimental_option("prefs", {
        "download.default_directory": downloads,
        "download.prompt_for_download": False,
    })
    service = Service(shutil.which("chromedriver") or "/usr/bin/chromedriver")
    driver = webdriver.Chrome(service=service, options=options)
    driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
    return driver


class Page:
    """The page in one browser, with a fresh download folder per run."""

    def __init__(self, driver, url, downloads):
        self.driver, self.url, self.downloads = driver, url, downloads

    def open(self, tab):
        self.driver.get(self.url)
        WebDriverWait(self.driver, 20).until(
            lambda d: d.execute_script("return document.body.dataset.state") == "ready")
        self.driver.find_element(By.ID, "tab-" + tab).click()

    def choose(self, input_id, paths):
        self.driver.find_element(By.ID, input_id).send_keys("\n".join(os.path.abspath(p) for p in paths))

    def pick(self, name, value):
        self.driver.find_element(By.CSS_SELECTOR, "input[name=%s][value='%s']" % (name, value)).click()

    def set_main_document(self, path):
        # The choice appears once the folder's files have been looked at.
        WebDriverWait(self.driver, 10).until(lambda d: d.execute_script(
            "return Array.from(document.querySelectorAll('#extract-main option')).some("
            "o => o.value === arguments[0])", path))
        self.driver.execute_script(
            "const s = document.getElementById('extract-main'); s.value = arguments[0];", path)

    def run(self, operation):
        self.driver.find_element(By.ID, "run-" + operation).click()
        WebDriverWait(self.driver, RUN_SECONDS).until(
            lambda d: d.execute_script("return document.body.dataset.state") in ("done", "error"))
        return self.driver.execute_script("return document.body.dataset.state")

    def text(self, element_id):
        return self.driver.find_element(By.ID, element_id).text

    def download(self, link):
        """Clicks a download link; returns the bytes of the file it saved."""
        for name in os.listdir(self.downloads):
            os.remove(os.path.join(self.downloads, name))
        link.click()
        deadline = time.time() + 20
        seen, steady = None, 0
        while time.time() < deadline:
            time.sleep(0.05)
            names = os.listdir(self.downloads)
            if len(names) != 1 or names[0].endswith(".crdownload"):
                continue
            # The browser may still be writing it: the size must hold.
            size = os.path.getsize(os.path.join(self.downloads, names[0]))
            steady = steady + 1 if (names[0], size) == seen else 0
            seen = (names[0], size)
            if steady == 3:
                with open(os.path.join(self.downloads, names[0]), "rb") as f:
                    return names[0], f.read()
        raise AssertionError("no download for " + (link.text or link.get_attribute("id")))

    def downloaded_outputs(self):
        links = self.driver.find_elements(By.CSS_SELECTOR, "#downloads a")
        return dict(self.download(link) for link in links)

    def downloaded_zip(self):
        name, data = self.download(self.driver.find_element(By.ID, "download-all"))
        with zipfile.ZipFile(io.BytesIO(data)) as archive:
            if archive.testzip() is not None:
                raise AssertionError("the zip holds a damaged member")
            return {member: archive.read(member) for member in archive.namelist()}

    def screenshot(self, path):
        height = self.driver.execute_script("return document.body.scrollHeight")
        self.driver.set_window_size(1100, min(max(height + 40, 700), 2400))
        self.driver.save_screenshot(path)
        self.driver.set_window_size(1100, 1500)


def native_outputs(tamrel, args, home, companions=()):
    """The files the command-line tool writes for args, by name, run as the
    page runs it: in a folder holding a copy of home (the library, or
    compare's master, or an .aux file with the library it names among the
    companions), named without a folder, the outputs beside it."""
    folder = tempfile.mkdtemp(prefix="tamrel-native-")
    try:
        for path in (home,) + tuple(companions):
            shutil.copy(path, folder)
        inputs = set(os.listdir(folder))
        name = os.path.basename(home)
        args = [name if arg == home else arg for arg in args]
        subprocess.run([tamrel] + args, cwd=folder, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        outputs = {}
        for output in sorted(os.listdir(folder)):
            if output not in inputs:
                with open(os.path.join(folder, output), "rb") as f:
                    outputs[output] = f.read()
        return outputs
    finally:
        shutil.rmtree(folder)


def same_files(label, page_files, native):
    if sorted(page_files) != sorted(native):
        raise AssertionError("%s: the page wrote %s, the tool %s" % (label, sorted(page_files), sorted(native)))
    for name in native:
        if page_files[name] != native[name]:
            raise AssertionError("%s: %s differs from the tool's (%d bytes, the tool %d)"
                                 % (label, name, len(page_files[name]), len(native[name])))


def check_run(page, tamrel, operation, args, home, label, companions=()):
    state = page.run(operation)
    if state != "done":
        raise AssertionError("%s: the run ended in %s: %s" % (label, state, page.text("error")))
    native = native_outputs(tamrel, args, home, companions)
    same_files(label + " (downloads)", page.downloaded_outputs(), native)
    same_files(label + " (zip)", page.downloaded_zip(), native)


def case_extract(page, tamrel, document, library, style="aps", pages="0", folder=None, main=None,
                 more_libraries=()):
    page.open("extract")
    if folder:
        page.choose("extract-folder", [folder])
        page.set_main_document(main)
    else:
        page.choose("extract-document", [document])
    libraries = [library] + list(more_libraries)
    page.choose("extract-library", libraries)
    page.pick("style", style)
    page.pick("pages", pages)
    args = ["extract", document] + libraries + ["--style", style, "--pages", "range" if pages == "1" else "first"]
    check_run(page, tamrel, "extract", args, library, "extract %s" % os.path.basename(document))


def case_extract_aux(page, tamrel, folder):
    """A compiled .aux file chosen with its folder names the library itself."""
    page.open("extract")
    page.choose("extract-folder", [folder])
    aux = os.path.join(folder, "paper.aux")
    page.set_main_document(os.path.basename(folder) + "/paper.aux")
    check_run(page, tamrel, "extract", ["extract", aux], aux, "extract paper.aux",
              companions=(os.path.join(folder, "library.bib"),))


def case_compare(page, tamrel, master, second):
    page.open("compare")
    page.choose("compare-master", [master])
    page.choose("compare-second", [second])
    check_run(page, tamrel, "compare", ["compare", master, second], master, "compare %s" % os.path.basename(second))


def case_clean(page, tamrel, library):
    page.open("clean")
    page.choose("clean-library", [library])
    check_run(page, tamrel, "clean", ["clean", library], library, "clean %s" % os.path.basename(library))


def case_refused(page, input_id, tab, path, expected):
    page.open(tab)
    page.choose(input_id, [path])
    state = page.run(tab)
    shown = page.text("error")
    if state != "error" or expected not in shown:
        raise AssertionError("%s: expected an error with %r, the page shows %s: %r"
                             % (os.path.basename(path), expected, state, shown))
    if page.driver.find_elements(By.CSS_SELECTOR, "#downloads a"):
        raise AssertionError("%s: a refused file still offers downloads" % path)


DOUBLES = """@article{Smith2001, author = {Smith, J.}, title = {Water on graphene},
  journal = {Phys. Rev. B}, volume = {64}, pages = {123--130}, year = {2001}}
@book{Doe1999, author = {Doe, J.}, title = {Adsorption}, publisher = {Wiley}, year = {1999}}
@article{Smith2001, author = {Smith, J.}, title = {Water on graphene},
  journal = {Phys. Rev. B}, volume = {64}, pages = {123--130}, year = {2001}}
@article{Smith2001, author = {Smith, J.}, title = {Ice on graphene},
  journal = {Phys. Rev. B}, volume = {65}, pages = {5}, year = {2002}}
@article{Broken, author = {Roe, R.}, title = {An unclosed {brace}
"""


INCOMING = """@article{Novoselov04, author = {Novoselov, K. S. and Geim, A. K.},
  title = {Electric field effect in atomically thin carbon films},
  journal = {Science}, volume = {306}, pages = {666--669}, year = {2004}}
@article{Dion2004, author = {Dion, M. and Lundqvist, B. I.},
  title = {Van der Waals density functional for general geometries},
  journal = {Phys. Rev. Lett.}, volume = {92}, pages = {246401}, year = {2004}}
"""


def case_screenshots(page, folder, example, scratch):
    """The three tabs after a run of each, as a person sees them: extract on
    the example, compare of the example with a file of one entry it holds
    under another key and one it lacks, clean on a library with doubles, a
    reused key and an entry that cannot be read."""
    library = os.path.join(example, "library.bib")
    incoming = os.path.join(scratch, "incoming.bib")
    with open(incoming, "w") as f:
        f.write(INCOMING)
    doubles = os.path.join(scratch, "doubles.bib")
    with open(doubles, "w") as f:
        f.write(DOUBLES)
    page.open("extract")
    page.choose("extract-document", [os.path.join(example, "paper.tex")])
    page.choose("extract-library", [library])
    page.run("extract")
    page.screenshot(os.path.join(folder, "web-extract.png"))
    page.open("compare")
    page.choose("compare-master", [library])
    page.choose("compare-second", [incoming])
    page.run("compare")
    page.screenshot(os.path.join(folder, "web-compare.png"))
    page.open("clean")
    page.choose("clean-library", [doubles])
    page.run("clean")
    page.screenshot(os.path.join(folder, "web-clean.png"))
    for name in ("web-extract.png", "web-compare.png", "web-clean.png"):
        if os.path.getsize(os.path.join(folder, name)) < 10000:
            raise AssertionError(name + " looks empty")


def cases(options, scratch):
    example = os.path.join(SOURCE, "examples")
    paper, library = os.path.join(example, "paper.tex"), os.path.join(example, "library.bib")
    yield "extract example", lambda p: case_extract(p, options.tamrel, paper, library)
    yield "extract example, IOP range", lambda p: case_extract(p, options.tamrel, paper, library, "iop", "1")
    yield "compare example", lambda p: case_compare(p, options.tamrel, library, library)
    yield "clean example", lambda p: case_clean(p, options.tamrel, library)

    extra = os.path.join(scratch, "extra.bib")
    with open(extra, "w") as f:
        f.write("@string{prb = {Phys. Rev. B}}\n@article{Dion2004, author = {Dion, M. and Lundqvist, B. I.},\n"
                "  title = {Van der Waals density functional}, journal = prb, volume = 92,\n"
                "  pages = {246401}, year = 2004}\n")
    yield "extract example with a second library", lambda p: case_extract(
        p, options.tamrel, paper, library, more_libraries=[extra])

    aux_folder = os.path.join(scratch, "compiled")
    os.makedirs(aux_folder)
    shutil.copy(library, aux_folder)
    with open(os.path.join(aux_folder, "paper.aux"), "w") as f:
        f.write("\\relax\n\\citation{Novoselov2004}\n\\citation{Kroto1985,Iijima1991}\n"
                "\\bibstyle{apsrev4-2}\n\\bibdata{library}\n")
    yield "extract from a compiled .aux file", lambda p: case_extract_aux(p, options.tamrel, aux_folder)

    binary = os.path.join(scratch, "thesis.pdf")
    with open(binary, "wb") as f:
        f.write(b"%PDF-1.5\n%\xe2\xe3\xcf\xd3\n\x00\x01\x02binary\n")
    prose = os.path.join(scratch, "letter.bib")
    with open(prose, "w") as f:
        f.write("Dear editor,\nplease find our manuscript attached.\n@string{j = {J}}\n")
    yield "binary library refused", lambda p: case_refused(
        p, "clean-library", "clean", binary, "thesis.pdf is not a text file")
    yield "library with no entries refused", lambda p: case_refused(
        p, "clean-library", "clean", prose, "letter.bib holds no BibTeX entry")

    real = options.corpus
    if real and os.path.isdir(real):
        folder = os.path.join(real, "ruiz-revarticle")
        yield "extract real article from its folder", lambda p: case_extract(
            p, options.tamrel, os.path.join(folder, "RIBF.tex"), os.path.join(folder, "refs.bib"),
            "acs", "1", folder=folder, main="ruiz-revarticle/RIBF.tex")
        thesis = os.path.join(real, "anasrana-thesis")
        yield "compare real thesis libraries", lambda p: case_compare(
            p, options.tamrel, os.path.join(thesis, "thesis.bib"), os.path.join(thesis, "thesis-new.bib"))
        for name in ("other-jabref5-openearth/references.bib", "landric-thesis/library.bib",
                     "other-zotero-rates/references.bib"):
            yield "clean real " + name, functools.partial(
                lambda p, path: case_clean(p, options.tamrel, path), path=os.path.join(real, name))
    if options.screenshots:
        os.makedirs(options.screenshots, exist_ok=True)
        yield "screenshots", lambda p: case_screenshots(p, options.screenshots, example, scratch)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--page", default=os.path.join(SOURCE, "dist", "web"))
    parser.add_argument("--tamrel", default=os.path.join(SOURCE, "build", "tamrel"))
    parser.add_argument("--corpus", default=os.path.join(SOURCE, "..", "shared", "corpus", "real"))
    parser.add_argument("--screenshots", help="write a screenshot of each tab into this folder")
    options = parser.parse_args()
    options.tamrel = os.path.abspath(options.tamrel)
    passed = failed = 0
    scratch = tempfile.mkdtemp(prefix="tamrel-page-")
    downloads = os.path.join(scratch, "downloads")
    os.makedirs(downloads)
    driver = start_browser(downloads)
    try:
        with serve(options.page) as url:
            page = Page(driver, url + "index.html", downloads)
            for name, case in cases(options, scratch):
                try:
                    case(page)
                    passed += 1
                    print("ok      " + name, flush=True)
                except Exception as error:  # one failed case must not hide the others
                    failed += 1
                    print("FAILED  %s: %s" % (name, error), flush=True)
    finally:
        driver.quit()
        shutil.rmtree(scratch, ignore_errors=True)
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
