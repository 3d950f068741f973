#!/usr/bin/python3
"""The page's scanner with a camera, in headless Chromium: its fake camera
plays barcodes drawn by zxing-cpp (tools/camera_fixture.py), read by the
folder's own decoder (zxing-cpp in a worker) over a loopback server, and by
a stand-in for the browser's own BarcodeDetector in the one-file page.
With --webkit, in WebKit: its mock camera, and the decoder reading a still
picture (on an X display). Usage: camera_test.py [--webkit] BUILD_APP_DIR"""
import json
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from camera_fixture import draw, label  # noqa: E402
from headless_page import CAMERA_CHECKED  # noqa: E402
from loopback_server import Server  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from scenario_test import Keys, Page, WebKitPage, report  # noqa: E402

# Every stream the page gets, kept to see that each of its tracks stops.
STREAMS = """const get = navigator.mediaDevices.getUserMedia.bind(navigator.mediaDevices); window.streams = [];
navigator.mediaDevices.getUserMedia = async c => { window.asked = c; const s = await get(c); streams.push(s); return s; };"""
LIVE = "return streams.flatMap(s => s.getTracks()).filter(t => t.readyState == 'live').length"


class Camera(Page):
    def __init__(self, url, video=None, refuse=False, native=False, phone=None, more=()):
        super().__init__(url, phone=phone, arguments=(*more, *(["--use-fake-device-for-media-stream", f"--use-file-for-fake-video-capture={video}"]
                                           if video else []), "--deny-permission-prompts" if refuse else "--use-fake-ui-for-media-stream"))
        self.native = native

    def start(self, instrumented=True, url=None, reader=False):
        super().start(instrumented, url, reader=self.native)
        self.js(STREAMS)
        self.js(CAMERA_CHECKED)

    def scan(self, action=None, wait=True):
        """The scanner opened (under @p action, picked first); until the view goes, or a second and a half."""
        if action is not None:
            self.perform(["Pick", action])
        self.click("MenuFile")
        self.click("MenuScan")
        for _ in range(150 if wait else 30):
            if not self.js("return document.getElementById('ScanView').open"):
                break
            time.sleep(0.01 if wait else 0.05)
        return self.read("field"), self.read("results")[3], self.read("boxes"), self.js("return document.getElementById('ScanView').open")

    def offered(self):
        return self.js("return !!document.getElementById('MenuScan')")


def webkit_checks(server):
    """WebKit, the engine of every iPhone's browsers, offers the scanner with
    its mock camera, and the folder's decoder reads a label there."""
    label(os.path.join(server.root, "velbarino-web", "label.png"), "EAN-13", "400638133393")
    page = WebKitPage(server.url("velbarino-web/"), arguments=("--enable-media-stream=true", "--enable-mock-capture-devices=true"))
    try:
        page.start(instrumented=False)
        page.js(CAMERA_CHECKED)
        return {"WebKit offers the scanner with its mock camera": page.js("return !!document.getElementById('MenuScan')"),
                "WebKit: the folder's decoder reads a still picture": page.async_js(
                    "const done = arguments[0], image = new Image(), worker = new Worker('scanner-worker.js'); image.src = 'label.png';"
                    " worker.onmessage = e => 'code' in e.data && done(e.data.code); image.decode().then(() => createImageBitmap(image))"
                    ".then(p => worker.postMessage({scan: 1, frame: 1, picture: p}, [p]), () => done(null));") == "4006381333931"}
    finally:
        page.quit()


def main():
    if sys.argv[1] == "--webkit":
        server = Server(sys.argv[2])
        try:
            checks = webkit_checks(server)
        finally:
            server.remove()
        return finish(checks)
    server, folder, checks = Server(sys.argv[1]), tempfile.mkdtemp(prefix="velbarino-camera-"), {}
    videos = {name: draw(os.path.join(folder, name + ".y4m"), symbology, text) for name, symbology, text in (
        ("ean13", "EAN-13", "400638133393"), ("ean8", "EAN-8", "9638507"), ("qr", "QRCode", "4006381333931"),
        ("code128", "Code128", "4006381333931"), ("grey", "none", ""),
        ("misprint13", "printed", "4006381333932"), ("misprint8", "printed", "96385075"))}
    hosted = server.url("velbarino-web/")
    try:
        for video, code in (("ean13", "4006381333931"), ("ean8", "96385074"), ("misprint13", "4006381333932"), ("misprint8", "96385075")):
            page, whole = Camera(hosted, videos[video]), None
            try:  # what the camera reads is what typing it and Enter would give, under each action
                for action in range(4):
                    page.start()
                    page.perform(["Pick", action])
                    page.type("99")
                    scanned = page.scan()
                    asked = page.js("return asked.video.facingMode.ideal == 'environment' && asked.video.width.ideal == 1920"
                                    " && asked.video.height.ideal == 1080")
                    whole = scanned if action == (1 if len(code) == 13 else 3) else whole  # its own verification
                    page.start()
                    page.perform(["Pick", action])
                    page.type(code + "\r")
                    checks[f"{video} under action {action}: typed as by a scanner"] = scanned == (
                        page.read("field"), page.read("results")[3], page.read("boxes"), False) and page.js(LIVE) == 0
                checks[f"{video}: read whole by zxing-cpp, in the folder's worker" + (", and said wrong" if "misprint" in video else "")] = (
                    whole[0] == code and whole[1] == {"4006381333932": "4006381333931", "96385075": "96385074"}.get(code, ""))
                checks[f"{video}: the rear camera asked at 1920 x 1080"] = asked
            finally:
                page.quit()
        for video in ("grey", "qr", "code128"):
            page = Camera(hosted, videos[video])
            try:
                page.start()
                page.type("4006")
                stays = page.scan(wait=False) == ("4006", None, [], True) and page.js(LIVE) == 1 and (
                    page.name("ScanView"), page.read("focus")) == ("Inquadra il codice a barre", "ScanCancel")
                page.keys(Keys.ESCAPE) if video == "grey" else page.click("ScanCancel") if video == "qr" else page.js("history.back()")
                page.settle()
                checks[f"{video}: nothing read, the view (named, Annulla focused) stays; then {['Escape', 'Annulla', 'Back'][['grey', 'qr', 'code128'].index(video)]} closes it"
                       ", the camera stopped, the focus on the field"] = stays and page.js(LIVE) == 0 and page.read(
                           "focus") == "Txt_Ean" and not page.js("return document.getElementById('ScanView').open")
                if video == "grey":  # the camera taken away mid-view
                    page.scan(wait=False)
                    page.js("streams.at(-1).getVideoTracks()[0].dispatchEvent(new Event('ended'))")
                    page.settle()
                    checks["a track that ends mid-view closes it and is said"] = page.read("boxes") == [
                        ["Impossibile usare la fotocamera.", "Velbarino", "Warning", "4006"]] and page.js(LIVE) == 0
                if video == "grey":  # another tab in front hides the page
                    page.scan(wait=False)
                    page.driver.switch_to.new_window("tab")
                    page.settle()
                    page.driver.switch_to.window(page.driver.window_handles[0])
                    checks["a hidden page closes the view and stops the camera"] = page.js(
                        "return !document.getElementById('ScanView').open") and page.js(LIVE) == 0
            finally:
                page.quit()
        page = Camera(hosted, videos["ean13"], refuse=True)
        try:
            page.start()
            checks["a refused camera is said, and the window stays as it was"] = page.scan() == (
                "", None, [["Impossibile usare la fotocamera.", "Velbarino", "Warning", ""]], False)
        finally:
            page.quit()
        wasm = os.path.join(server.root, "velbarino-web", "zxing_reader.wasm")
        os.rename(wasm, wasm + ".away")
        page = Camera(hosted, videos["ean13"])
        try:  # a server without the decoder's WebAssembly: said; then served again, it reads
            page.start()
            failed = page.scan()
            os.rename(wasm + ".away", wasm)
            checks["a decoder that cannot load is said, the camera stopped; the next scan loads it"] = failed == (
                "", None, [["Impossibile avviare il lettore di codici a barre.", "Velbarino", "Warning", ""]], False) and page.js(
                    LIVE) == 0 and page.scan()[0] == "400638133393"
        finally:
            page.quit()
        page = Camera(hosted)
        try:
            page.start()
            checks["no camera: no scanner offered"] = not page.offered()
        finally:
            page.quit()
        for size in ((360, 740), (740, 360)):  # a phone upright and on its side
            page = Camera("file://" + os.path.join(sys.argv[1], "velbarino.html"), videos["grey"], native=True, phone=size)
            try:
                page.start()
                page.tap("MenuFile")
                page.tap("MenuScan")
                fits = page.js("const r = id => document.getElementById(id).getBoundingClientRect(), v = r('ScanView');"
                               " return v.left >= 0 && v.top >= 0 && v.right <= innerWidth && v.bottom <= innerHeight && r('ScanCancel').height >= 24")
                page.tap("ScanCancel")
                checks[f"a {size[0]} x {size[1]} phone: the view fits, Annulla 24 px tall or more and closed by a tap"] = fits and page.js(
                    "return !document.getElementById('ScanView').open") and page.js(LIVE) == 0
            finally:
                page.quit()
        for native in (True, False):
            page = Camera("file://" + os.path.join(sys.argv[1], "velbarino.html"), videos["grey"], native=native)
            try:
                page.start()
                if native:
                    page.js("window.scanned = '96385074'")
                    checks["the one file offers the scanner with the browser's own reader, which reads"] = page.scan(3)[:2] == (
                        "96385074", "")
                else:
                    checks["the one file offers no scanner without the browser's own reader"] = not page.offered()
            finally:
                page.quit()
        # Chromium's own record of every request, the page's workers' included (less the browser's own
        # questions to its autofill service about the page's form).
        log = os.path.join(folder, "net.json")
        page = Camera(hosted, videos["ean13"], more=(f"--log-net-log={log}", "--disable-features=AutofillServerCommunication"))
        try:  # a first visit keeps the folder; then the server goes
            page.start()
            page.js("return navigator.serviceWorker.ready")
            server.stop()
            page.start()
            checks["offline, a second visit scans with the kept decoder"] = page.scan()[0] == "400638133393"
        finally:
            page.quit()
        with open(log, encoding="utf-8") as record:  # what was asked on behalf of the page: its site is in the request's key
            asked = {e["params"]["url"] for e in json.load(record)["events"] if "localhost" in e.get("params", {}).get("network_isolation_key", "")}
        checks["no request leaves the page's folder, the decoder's own included"] = hosted + "zxing_reader.wasm" in asked and all(
            url.startswith(hosted) for url in asked)
    finally:
        server.remove()
    return finish(checks)


def finish(checks):
    for name, good in checks.items():
        print(("ok    " if good else "FAIL  ") + name)
    return report(sum(checks.values()), len(checks) - sum(checks.values()))


if __name__ == "__main__":
    sys.exit(main())
