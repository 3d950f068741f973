#!/usr/bin/python3
"""Figures of the page in headless Chromium: its size; the time from
navigation to a ready window (the mark 'velbarino-ready' at the end of the
Load handler) against a bare page with the same controls, interleaved runs
in three new browsers, medians and the median of the pairs' ratios; the
memory of each, ready, in a browser of its own; the time from Enter to the
result on screen; and the scanner in the hosted folder (PAGE's sibling
velbarino-web/), with a fake camera showing an EAN-13 label: the time from
choosing it to the result, a first scan (in a new browser: the decoder
loaded and compiled) and a later one, and the longest task of the page's
thread while the view was open.
Usage: web-bench.py PAGE BARE_PAGE [RUNS]"""
import os
import statistics
import sys
import tempfile

from camera_fixture import draw
from headless_page import CAMERA_CHECKED, STARTED, HeadlessPage
from loopback_server import Server

READY = "return new Promise(done => { const wait = () => { const m = performance.getEntriesByName('velbarino-ready');" \
        " m.length ? done(m[0].startTime) : setTimeout(wait, 1); }; wait(); })"
KEY_TO_RESULT = """
const field = document.getElementById('Txt_Ean'), result = document.getElementById('LabRisultato');
return new Promise(done => {
  let pressed = 0;
  field.addEventListener('keydown', () => { pressed = performance.now(); }, {capture: true});
  new MutationObserver(() => { if (!result.hidden) done(performance.now() - pressed); })
      .observe(result, {attributes: true, childList: true, characterData: true, subtree: true});
  field.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}));
});"""


def renderers(root):
    """The renderer processes that descend from process @p root."""
    parents, found = {}, []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat", encoding="ascii", errors="replace") as stat:
                parents[int(pid)] = int(stat.read().rsplit(")", 1)[1].split()[1])
            with open(f"/proc/{pid}/cmdline", "rb") as command:
                if b"--type=renderer" in command.read():
                    found.append(int(pid))
        except OSError:  # gone meanwhile
            pass
    def descends(pid):
        while pid > 1:
            pid = parents.get(pid, 0)
            if pid == root:
                return True
        return False
    return [pid for pid in found if descends(pid)]


def rss(pid):
    with open(f"/proc/{pid}/status", encoding="ascii") as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))


def memory(path, runs=5):
    """Median resident memory of the browser's renderer processes (the
    page's, and those Chromium keeps ready), and the page's JavaScript heap,
    once ready, each run in a browser of its own (MiB)."""
    resident, heap = [], []
    for _ in range(runs):
        with HeadlessPage("file://" + os.path.abspath(path), arguments=("--enable-precise-memory-info",)) as page:
            page.driver.get(page.url)
            page.js(READY)
            resident.append(sum(rss(pid) for pid in renderers(page.driver.service.process.pid)) / 1024)
            heap.append(page.js("return performance.memory.usedJSHeapSize") / 2**20)
    return statistics.median(resident), statistics.median(heap)


# From the press on "Scansiona con la fotocamera..." to the result on screen,
# and the longest task (Long Tasks API) while the view was open, in ms.
SCAN = """
const result = document.getElementById('LabRisultato'), done = arguments[0];
let chosen = 0, longest = 0;
new PerformanceObserver(list => list.getEntries().forEach(t => { if (t.startTime >= chosen) longest = Math.max(longest, t.duration); }))
    .observe({type: 'longtask'});
new MutationObserver(() => { if (!result.hidden && chosen) done([performance.now() - chosen, longest]); })
    .observe(result, {attributes: true, childList: true, characterData: true, subtree: true});
document.getElementById('MenuFile').click();
chosen = performance.now();
document.getElementById('MenuScan').click();
"""


def scans(page_path, runs=5):
    """Medians of the first scan of new browsers, of later scans, and of the longest tasks (ms)."""
    server, folder = Server(os.path.dirname(os.path.abspath(page_path))), tempfile.mkdtemp(prefix="velbarino-bench-")
    video = draw(os.path.join(folder, "ean13.y4m"), "EAN-13", "400638133393")
    first, later, longest = [], [], []
    try:
        for _ in range(runs):
            page = HeadlessPage(server.url("velbarino-web/"), arguments=(
                "--use-fake-device-for-media-stream", f"--use-file-for-fake-video-capture={video}", "--use-fake-ui-for-media-stream"))
            try:
                for scan in range(3):
                    page.open(page.url) if scan == 0 else page.js("document.getElementById('Txt_Ean').focus()")
                    page.js(STARTED)
                    page.js(CAMERA_CHECKED)
                    took, task = page.async_js(SCAN)
                    (first if scan == 0 else later).append(took)
                    longest.append(task)
            finally:
                page.quit()
    finally:
        server.remove()
    return statistics.median(first), statistics.median(later), statistics.median(longest), max(longest)


# One browser's pairs sit higher or lower than another's (medians of 1.39
# to 1.60 within one hour on one machine): the ratio is taken over several.
BROWSERS = 3


def pairs(page_path, bare_path, runs):
    """Times to a ready window of the page and of the bare page, interleaved, in one new browser (ms)."""
    page = HeadlessPage("file://" + page_path)
    ours, theirs = [], []
    try:
        for _ in range(runs):
            page.driver.get("file://" + page_path)
            ours.append(page.js(READY))
            page.driver.get("file://" + os.path.abspath(bare_path))
            theirs.append(page.js(READY))
    finally:
        page.driver.quit()
    return ours, theirs


def main():
    page_path, bare_path = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 31
    ours, theirs, browsers = [], [], []
    for _ in range(BROWSERS):
        ours_b, theirs_b = pairs(page_path, bare_path, runs)
        ours += ours_b
        theirs += theirs_b
        browsers.append(statistics.median(a / b for a, b in zip(ours_b, theirs_b)))
    page = HeadlessPage("file://" + page_path)
    keys = []
    try:
        page.driver.get("file://" + page_path)
        page.js(READY)
        page.type("400638133393")
        for _ in range(runs):
            keys.append(page.js(KEY_TO_RESULT))
            page.type("\b3")
    finally:
        page.driver.quit()
    ratios = [a / b for a, b in zip(ours, theirs)]
    print(f"velbarino.html: {os.path.getsize(page_path)} bytes")
    print(f"navigation to a ready window, median of {len(ours)} ({runs} in each of {BROWSERS} browsers): Velbarino"
          f" {statistics.median(ours):.1f} ms, bare page {statistics.median(theirs):.1f} ms, median ratio of pairs"
          f" {statistics.median(ratios):.2f} (each browser's: {', '.join(f'{r:.2f}' for r in browsers)})")
    print(f"Enter to the result on screen, median of {runs}: {statistics.median(keys):.2f} ms")
    for name, path in (("Velbarino", page_path), ("bare page", bare_path)):
        resident, heap = memory(path)
        print(f"memory once ready, median of 5 browsers: {name} renderers {resident:.1f} MiB, JavaScript heap {heap:.2f} MiB")
    first, later, task, worst = scans(page_path)
    # The Long Tasks API reports only tasks of 50 ms or more.
    tasks = f"longest task while open, median {task:.0f} ms, at most {worst:.0f} ms" if worst else "no task of 50 ms or more while open"
    print(f"scanner, choosing it to the result (fake camera, EAN-13): first scan, median of 5 browsers, {first:.0f} ms;"
          f" later scans, median of 10, {later:.0f} ms; {tasks}")


if __name__ == "__main__":
    main()
