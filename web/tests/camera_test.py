#!/usr/bin/python3
"""The page's scanner with a camera, in headless Chromium: its fake camera
plays barcodes drawn by zxing-cpp (tools/camera_fixture.py), read by the
folder's own decoder (zxing-cpp in a worker) over a loopback server, and by
a stand-in for the browser's own BarcodeDetector in the one-file page.
With --webkit, in WebKit: its mock camera, and the decoder reading a still
picture (on an X display). Usage: camera_test.py [--webkit] BUILD_APP_DIR"""
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(ROOT, "tools"))
from camera_fixture import EFFECTS, draw, label, picture  # noqa: E402
from headless_page import CAMERA_CHECKED, STARTED  # noqa: E402
from loopback_server import Server  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from device_test import release  # noqa: E402
from scenario_test import INSTRUMENT, Keys, Page, WebKitPage, report  # noqa: E402

# Every stream the page gets, kept to see that each of its tracks stops.
STREAMS = """const get = navigator.mediaDevices.getUserMedia.bind(navigator.mediaDevices); window.streams = [];
navigator.mediaDevices.getUserMedia = async c => { window.asked = c; const s = await get(c); streams.push(s); return s; };"""
LIVE = "return streams.flatMap(s => s.getTracks()).filter(t => t.readyState == 'live').length"
# Everything the page hands the program from the view, kept.
HANDED = "window.handed = []; const next = Module.scanner.next; Module.scanner.next = async () => { const e = await next(); handed.push(e); return e; };"
# Stand-ins for what the fake camera lacks: a torch and continuous focus, the
# constraints applied kept; a second camera (or, with greyOnly, every one), a grey picture.
TORCH = """window.applied = []; MediaStreamTrack.prototype.getCapabilities = () => ({torch: true, focusMode: ['continuous']});
MediaStreamTrack.prototype.applyConstraints = function (c) { applied.push(JSON.stringify(c.advanced[0])); return Promise.resolve(); };"""
CAMERAS = """const devices = navigator.mediaDevices, list = devices.enumerateDevices.bind(devices), real = devices.getUserMedia;
devices.enumerateDevices = async () => [...await list(), {kind: 'videoinput', deviceId: 'other', label: 'other'}];
devices.getUserMedia = async c => { if (!window.greyOnly && !c.video.deviceId) return real(c); window.asked = c;
  const canvas = Object.assign(document.createElement('canvas'), {width: 320, height: 240}), paint = canvas.getContext('2d');
  const s = canvas.captureStream(25), painter = setInterval(() => s.getVideoTracks()[0].readyState == 'ended' ? clearInterval(painter)
      : (paint.fillStyle = '#808080', paint.fillRect(0, 0, 320, 240)), 40);
  streams.push(s); return s; };"""
# The folder's worker, its reads held while window.hold is set.
HOLD = """window.held = []; window.hold = true; const Real = Worker;
window.Worker = class extends Real { set onmessage(f) { super.onmessage = e => hold && 'code' in e.data ? held.push(() => f(e)) : f(e); } };"""


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

    def leave(self):
        self.keys(Keys.ESCAPE)
        self.settle()

    def offered(self):
        return self.js("return !!document.getElementById('MenuScan')")


def webkit_checks(server):
    """WebKit, the engine of every iPhone's browsers, offers the scanner with
    its mock camera, and the folder's decoder reads a label there."""
    label(os.path.join(server.root, "velbarino-web", "label.png"), "EAN-13", "400638133393")
    with WebKitPage(server.url("velbarino-web/"), arguments=("--enable-media-stream=true", "--enable-mock-capture-devices=true")) as page:
        page.start(instrumented=False)
        page.js(CAMERA_CHECKED)
        return {"WebKit offers the scanner with its mock camera": page.js("return !!document.getElementById('MenuScan')"),
                "WebKit: the folder's decoder reads a still picture": page.async_js(
                    "const done = arguments[0], image = new Image(), worker = new Worker('scanner-worker.js'); image.src = 'label.png';"
                    " worker.onmessage = e => 'code' in e.data && done(e.data.code); image.decode().then(() => createImageBitmap(image))"
                    ".then(p => worker.postMessage({scan: 1, frame: 1, picture: p}, [p]), () => done(null));") == "4006381333931"}


def camera_checks(hosted, videos):
    """The torch, a second camera and a scan closed mid-decode, with stand-ins."""
    shown = "return ['ScanTorch', 'ScanNext'].map(b => !document.getElementById(b).hidden)"
    with Camera(hosted, videos["grey"]) as page:
        page.start()
        page.scan(wait=False)
        plain = page.js(shown)
        page.leave()
        page.js(TORCH)
        page.js(CAMERAS)
        page.scan(wait=False)
        offered = page.js(shown)
        page.click("ScanTorch")
        page.settle()
        pressed = page.get("ScanTorch", "ariaPressed")
        page.leave()
        yield "Torcia and Cambia fotocamera only with a torch and a second camera", plain == [False, False] and offered == [True, True]
        yield "Torcia lights the torch, says it pressed, and the closed view puts it out; the focus asked continuous", (
            pressed, page.js("return applied")) == ("true", ['{"focusMode":"continuous"}', '{"torch":true}', '{"torch":false}'])
        page.scan(wait=False)
        page.click("ScanNext")
        page.settle()
        switched = page.js("return asked.video.deviceId?.exact") == "other" and page.js(LIVE) == 1
        page.leave()
        page.js("asked = null")
        page.scan(wait=False)
        yield "Cambia fotocamera opens the next camera, which the next scan opens again", switched and page.js(
            "return asked.video.deviceId?.exact") == "other"
    # The label's read held, the view closed; then a grey camera, and the old
    # read let go while a frame of the new scan waits for its answer.
    with Camera(hosted, videos["ean13"]) as page:
        page.start()
        page.js(HOLD)
        page.js(CAMERAS)
        page.scan(wait=False)
        page.leave()
        page.js("greyOnly = true")
        page.js(HANDED)
        page.scan(wait=False)
        waited = page.js("return new Promise(done => { const wait = () => held.length > 1 ? done(held.length) : setTimeout(wait, 5); wait(); })")
        page.js("held.shift()(); hold = false; held.splice(0).forEach(answer => answer())")
        page.settle()
        yield "a read of a scan closed while it was decoded is not the next scan's", waited == 2 and (
            "4006381333931" not in page.js("return handed")) and page.read("field") == ""


def fixture_checks(hosted, folder):
    """Labels as a till meets them, each read as its label or not at all; a code in one frame of twenty never counts."""
    grey, code = picture("none", ""), picture("EAN-13", "400638133393")
    flash = draw(os.path.join(folder, "flash.y4m"), None, None, frames=[code if i == 10 else grey for i in range(20)])
    for effect in (*EFFECTS, "flash"):
        with Camera(hosted, flash if effect == "flash" else draw(os.path.join(folder, effect + ".y4m"), "EAN-13", "400638133393", effect)) as page:
            page.start()
            page.js(HANDED)
            field, _, _, still = page.scan(wait=effect != "flash")
            if effect == "flash":
                time.sleep(2)
                yield "a code seen in one frame of twenty is never typed", "4006381333931" in page.js("return handed") and (
                    page.read("field"), page.js("return document.getElementById('ScanView').open")) == ("", True)
            else:
                print(f"      {effect}: {'read' if field else 'not read'}")
                yield f"{effect}: read as its label, or not at all", (field, still) in (("400638133393", False), ("", True))


def release_checks(server, app_dir, video):
    """A release that changes only the scanner's worker, as the build writes it and as an open tab meets it."""
    workers = []
    for extra in ("", "\n// another release\n"):
        source = tempfile.mkdtemp(prefix="velbarino-source-")
        for part in ("web", "data/icons"):
            shutil.copytree(os.path.join(ROOT, part), os.path.join(source, part))
        with open(os.path.join(source, "web", "scanner-worker.js"), "a", encoding="utf-8") as worker:
            worker.write(extra)
        subprocess.run(["cmake", f"-DTEMPLATE={source}/web/velbarino.html.in", f"-DSCRIPT={app_dir}/velbarino.js", f"-DPROGRAM={app_dir}/velbarino.wasm",
                        f"-DOUTPUT={source}/page.html", f"-DHOSTED_DIR={source}/hosted", f"-DSOURCE_DIR={source}", "-DCOMMENTS=",
                        f"-DDECODER_DIR={app_dir}/decoder/node_modules/zxing-wasm", "-DMINIFY=terser", "-P",
                        os.path.join(ROOT, "cmake", "VelbarinoWebPage.cmake")], check=True, capture_output=True,
                       env={**os.environ, "NODE_PATH": "/usr/share/nodejs"})  # Debian's terser, under any node
        workers.append([pathlib.Path(source, "hosted", name).read_bytes() for name in ("service-worker.js", "index.html")])
        shutil.rmtree(source)
    yield "a release that changes only the scanner's worker changes the service worker", (
        workers[0][0] != workers[1][0] and workers[0][1] == workers[1][1])
    shutil.copytree(os.path.join(server.root, "velbarino-web"), os.path.join(server.root, "release"))
    with Camera(server.url("release/"), video) as page:
        page.start()
        page.js("return navigator.serviceWorker.ready")
        page.start()  # now in the first release's hands
        page.js("window.first = true; navigator.serviceWorker.addEventListener('controllerchange', () => { window.changed = true; })")
        worker = pathlib.Path(server.root, "release", "scanner-worker.js")
        release(worker, worker.read_text(encoding="utf-8") + "\n// another release\n")
        page.async_js("const done = arguments[0]; navigator.serviceWorker.getRegistration().then(r => r.update());"
                      " const wait = () => window.changed ? done() : setTimeout(wait, 20); wait();")
        page.click("MenuFile")
        page.click("MenuScan")
        time.sleep(1)
        page.js(STARTED)
        reloaded = page.js("return !window.first")
        page.js(INSTRUMENT)
        page.js(CAMERA_CHECKED)
        yield "a tab that another release takes over reloads to it when the scanner is chosen, and scans", reloaded and page.scan()[
            0] == "400638133393"


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
            whole = None
            with Camera(hosted, videos[video]) as page:  # what the camera reads is what typing it and Enter would give, under each action
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
        for video in ("grey", "qr", "code128"):
            with Camera(hosted, videos[video]) as page:
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
        with Camera(hosted, videos["ean13"], refuse=True) as page:
            page.start()
            checks["a refused camera is said, and the window stays as it was"] = page.scan() == (
                "", None, [["Impossibile usare la fotocamera.", "Velbarino", "Warning", ""]], False)
        wasm = os.path.join(server.root, "velbarino-web", "zxing_reader.wasm")
        os.rename(wasm, wasm + ".away")
        with Camera(hosted, videos["ean13"]) as page:  # a server without the decoder's WebAssembly: said; then served again, it reads
            page.start()
            failed = page.scan()
            os.rename(wasm + ".away", wasm)
            checks["a decoder that cannot load is said, the camera stopped; the next scan loads it"] = failed == (
                "", None, [["Impossibile avviare il lettore di codici a barre.", "Velbarino", "Warning", ""]], False) and page.js(
                    LIVE) == 0 and page.scan()[0] == "400638133393"
        with Camera(hosted) as page:
            page.start()
            checks["no camera: no scanner offered"] = not page.offered()
        for size in ((360, 740), (740, 360)):  # a phone upright and on its side
            with Camera("file://" + os.path.join(sys.argv[1], "velbarino.html"), videos["grey"], native=True, phone=size) as page:
                page.start()
                page.tap("MenuFile")
                page.tap("MenuScan")
                fits = page.js("const r = id => document.getElementById(id).getBoundingClientRect(), v = r('ScanView');"
                               " return v.left >= 0 && v.top >= 0 && v.right <= innerWidth && v.bottom <= innerHeight && r('ScanCancel').height >= 24")
                page.tap("ScanCancel")
                checks[f"a {size[0]} x {size[1]} phone: the view fits, Annulla 24 px tall or more and closed by a tap"] = fits and page.js(
                    "return !document.getElementById('ScanView').open") and page.js(LIVE) == 0
        for native in (True, False):
            with Camera("file://" + os.path.join(sys.argv[1], "velbarino.html"), videos["grey"], native=native) as page:
                page.start()
                if native:
                    page.js("window.scanned = '96385074'")
                    checks["the one file offers the scanner with the browser's own reader, which reads"] = page.scan(3)[:2] == (
                        "96385074", "")
                else:
                    checks["the one file offers no scanner without the browser's own reader"] = not page.offered()
        for group in (camera_checks(hosted, videos), fixture_checks(hosted, folder), release_checks(server, sys.argv[1], videos["ean13"])):
            checks.update(group)
        # Chromium's own record of every request, the page's workers' included (less the browser's own
        # questions to its autofill service about the page's form).
        log = os.path.join(folder, "net.json")
        with Camera(hosted, videos["ean13"], more=(f"--log-net-log={log}", "--disable-features=AutofillServerCommunication")) as page:  # a first visit keeps the folder; then the server goes
            page.start()
            page.js("return navigator.serviceWorker.ready")
            server.stop()
            page.start()
            checks["offline, a second visit scans with the kept decoder"] = page.scan()[0] == "400638133393"
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
