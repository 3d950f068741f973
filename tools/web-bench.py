#!/usr/bin/python3
"""Figures of the page in headless Chromium: its size; the time from
navigation to a ready window (the mark 'velbarino-ready' at the end of the
Load handler) against a bare page with the same controls, interleaved runs,
medians and the median of the pairs' ratios; and the time from Enter to the
result on screen. Usage: web-bench.py PAGE BARE_PAGE [RUNS]"""
import os
import statistics
import sys

from headless_page import HeadlessPage

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


def main():
    page_path, bare_path = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    page = HeadlessPage("file://" + page_path)
    ours, theirs, keys = [], [], []
    try:
        for _ in range(runs):
            page.driver.get("file://" + page_path)
            ours.append(page.js(READY))
            page.driver.get("file://" + os.path.abspath(bare_path))
            theirs.append(page.js(READY))
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
    print(f"navigation to a ready window, median of {runs}: Velbarino {statistics.median(ours):.1f} ms, "
          f"bare page {statistics.median(theirs):.1f} ms, median ratio of pairs {statistics.median(ratios):.2f}")
    print(f"Enter to the result on screen, median of {runs}: {statistics.median(keys):.2f} ms")


if __name__ == "__main__":
    main()
