#!/usr/bin/python3
"""The scanner on photographs of real labels: each photo, fitted into a
camera frame of 1280x720 and of 640x480, played as the camera of the hosted
folder in headless Chromium (a canvas painting it, in place of the camera).
For each frame size: the labels the page typed right, typed wrong and did
not type within the time given, against what zxing-wasm's reader reads from
the same frame directly (one read, right check digits only, as a page that
types its first read would); and the time from opening the view to the code.
Usage: photo-bench.py BUILD_APP_DIR PHOTOS_DIR [SECONDS]"""
import os
import statistics
import sys
import time
import urllib.parse

from headless_page import CAMERA_CHECKED, STARTED, HeadlessPage
from loopback_server import Server

# The camera: window.benchPhoto fitted into window.benchSize on grey, repainted
# at 30 frames a second until its track is stopped (a painter left running
# for each photo would load the page's thread more with every scan).
CAMERA = """
const fitted = async () => {
  const image = new Image(); image.src = window.benchPhoto; await image.decode();
  const [w, h] = window.benchSize, canvas = document.createElement('canvas'), x = canvas.getContext('2d');
  [canvas.width, canvas.height] = [w, h];
  const scale = Math.min(w / image.width, h / image.height);
  canvas.paint = () => { x.fillStyle = '#808080'; x.fillRect(0, 0, w, h);
    x.drawImage(image, (w - image.width * scale) / 2, (h - image.height * scale) / 2, image.width * scale, image.height * scale); };
  canvas.paint();
  return canvas;
};
window.benchFrame = fitted;
navigator.mediaDevices.getUserMedia = async () => {
  const canvas = await fitted(), stream = canvas.captureStream(30), track = stream.getVideoTracks()[0];
  const painter = setInterval(() => (track.readyState == 'ended' ? clearInterval(painter) : canvas.paint()), 33);
  return stream;
};
"""
# What the program was given last, and whether the view closed on a code that counted.
WATCH = """
window.benchCode = null; window.benchOpened = performance.now();
const s = Module.scanner, next = s.next, close = s.close;
if (!window.benchWatching) window.benchWatching = true, s.next = async () => { const e = await next(); if (typeof e == 'string') window.benchLast = e; return e; };
if (s.close === close && !window.benchClosing) window.benchClosing = true, s.close = read => { if (read) { window.benchCode = window.benchLast; window.benchTook = performance.now() - window.benchOpened; } close(read); };
"""
DIRECT = """
importScripts('zxing-reader.js');
ZXingWASM.prepareZXingModule({overrides: {locateFile: (p, prefix) => p.endsWith('.wasm') ? 'zxing_reader.wasm' : prefix + p}});
onmessage = async e => { const r = (await ZXingWASM.readBarcodes(e.data, {formats: ['EAN13', 'EAN8'], maxNumberOfSymbols: 1})).find(r => r.isValid);
  postMessage(r ? r.text : ''); };
"""
READ_DIRECT = """
const done = arguments[0];
benchFrame().then(c => { const w = window.direct || (window.direct = new Worker('direct-worker.js'));
  w.onmessage = e => done(e.data); w.postMessage(c.getContext('2d').getImageData(0, 0, c.width, c.height)); }, () => done(null));
"""


def photos(folder):
    for name in sorted(os.listdir(folder)):
        if os.path.isdir(os.path.join(folder, name)):
            for photo in sorted(f for f in os.listdir(os.path.join(folder, name)) if f.endswith(".png")):
                with open(os.path.join(folder, name, photo[:-4] + ".txt"), encoding="ascii") as label:
                    yield f"{name}/{photo}", label.read().strip()


def scan(page, seconds):
    page.js(WATCH)
    page.click("MenuFile")
    page.click("MenuScan")
    end = time.monotonic() + seconds
    while time.monotonic() < end and page.js("return document.getElementById('ScanView').open"):
        time.sleep(0.02)
    page.js("const view = document.getElementById('ScanView'); if (view.open) document.getElementById('ScanCancel').click()")
    time.sleep(0.05)
    # A code of the other length than the action's is said in a box: gone before the next photo.
    page.js("const box = document.getElementById('MessageBox'); if (box && box.open) box.close()")
    return page.js("return [window.benchCode, window.benchTook]")


def main():
    app, folder = sys.argv[1], os.path.abspath(sys.argv[2])
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 3
    server = Server(app)
    os.symlink(folder, os.path.join(server.root, "velbarino-web", "photos"))
    with open(os.path.join(server.root, "velbarino-web", "direct-worker.js"), "w", encoding="utf-8") as worker:
        worker.write(DIRECT)
    page = HeadlessPage(server.url("velbarino-web/"), arguments=("--use-fake-device-for-media-stream", "--use-fake-ui-for-media-stream"))
    try:
        page.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": CAMERA})
        page.open(page.url)
        page.js(STARTED)
        page.js(CAMERA_CHECKED)
        for size in ((1280, 720), (640, 480)):
            counts, times, wrong = {"right": 0, "wrong": 0, "none": 0, "direct right": 0, "direct wrong": 0}, [], []
            for photo, code in photos(folder):
                page.js("window.benchPhoto = arguments[0]; window.benchSize = arguments[1]", "photos/" + urllib.parse.quote(photo), list(size))
                direct = page.async_js(READ_DIRECT)
                if direct:
                    counts["direct right" if direct == code else "direct wrong"] += 1
                typed, took = scan(page, seconds)
                counts["right" if typed == code else "wrong" if typed else "none"] += 1
                if typed == code:
                    times.append(took)
                elif typed:
                    wrong.append(f"{photo}: {typed}")
            total = sum(1 for _ in photos(folder))
            print(f"{size[0]}x{size[1]}, {total} photos: the page typed {counts['right']} right, {counts['wrong']} wrong"
                  f" ({', '.join(wrong) or 'none'}); zxing-wasm's reader alone, one frame: {counts['direct right']} right,"
                  f" {counts['direct wrong']} wrong; ratio {counts['right'] / max(1, counts['direct right']):.2f};"
                  f" view opened to code, median {statistics.median(times) if times else 0:.0f} ms")
    finally:
        page.quit()
        server.remove()


if __name__ == "__main__":
    main()
