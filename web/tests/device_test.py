#!/usr/bin/python3
"""The page where clerks meet it, in headless Chromium: on a phone's touch
screen and on a desktop; its list and menus closing as native ones do;
shortcuts on a Russian layout and on a Mac; "Copia" over plain http; Back
and Forward; the hosted folder installable and offline; its content
security policy. Pages are served from a loopback server of the test's own.
Usage: device_test.py BUILD_APP_DIR   (holding velbarino.html and velbarino-web/)"""
import functools
import http.server
import os
import shutil
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from headless_page import STARTED, ActionChains, HeadlessPage, Keys  # noqa: E402
from selenium.common.exceptions import WebDriverException  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from scenario_test import INSTRUMENT  # noqa: E402

PHONE = (390, 844)
ENTRY_1 = "EAN-13: verifica di validita"
INVALID = "Codice non valido. Inserire solamente valori numerici."
COPY_FAILED = "Impossibile copiare il codice negli appunti."


class Server:
    """The two forms of the page, and a page to leave them for, on 127.0.0.1."""
    def __init__(self, app_dir):
        self.root = tempfile.mkdtemp(prefix="velbarino-web-")
        shutil.copy(os.path.join(app_dir, "velbarino.html"), self.root)
        shutil.copytree(os.path.join(app_dir, "velbarino-web"), os.path.join(self.root, "velbarino-web"))
        with open(os.path.join(self.root, "altro.html"), "w", encoding="utf-8") as page:
            page.write("<!DOCTYPE html><title>Altro</title><p>Altra pagina")

        class Quiet(http.server.SimpleHTTPRequestHandler):
            timeout = 1  # a connection the browser opened ahead closes soon, and is not served after the stop

            def log_message(self, *arguments):
                pass

            def end_headers(self):
                # The hosted folder is never kept by the browser's HTTP cache:
                # offline, only the service worker can answer.
                if self.path.startswith("/velbarino-web/"):
                    self.send_header("Cache-Control", "no-store")
                super().end_headers()
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=self.root))
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def url(self, path, host="localhost"):
        return f"http://{host}:{self.port}/{path}"

    def stop(self):
        if self.httpd:
            self.httpd.shutdown()
            self.httpd.server_close()
            self.httpd = None
            time.sleep(1.5)  # past the connections' timeout

    def remove(self):
        self.stop()
        shutil.rmtree(self.root, ignore_errors=True)


class Page(HeadlessPage):
    def open(self, url=None, instrumented=True):
        self.driver.get(url or self.url)
        self.js(STARTED)
        if instrumented:
            self.js(INSTRUMENT)

    def text(self, name):
        return self.js("return document.getElementById(arguments[0]).textContent", name)

    def hidden(self, name):
        return self.js("return document.getElementById(arguments[0]).hidden", name)

    def field(self):
        return self.js("return document.getElementById('Txt_Ean').value")

    def boxes(self):
        return [box[0].replace("\r", "\n") for box in self.js("return Module.boxes")]

    def centre(self, name):
        return self.js("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                       " return [r.x + r.width / 2, r.y + r.height / 2]", name)

    def tap(self, name, times=1):
        x, y = self.centre(name)
        for _ in range(times):
            self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
            self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
            time.sleep(0.05)
        self.settle()

    def settle(self):
        self.js("return new Promise(settled => setTimeout(settled, 300))")

    def click_at(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})
        self.settle()

    def shortcut(self, key, letter, modifiers, command=None):
        """A shortcut as a layout sends it: @p key the character, @p letter the key's own letter."""
        event = {"key": key, "code": "Key" + letter, "windowsVirtualKeyCode": ord(letter), "modifiers": modifiers}
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "rawKeyDown", **event, **({"commands": [command]} if command else {})})
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyUp", **event})
        self.settle()

    def copia(self):
        ActionChains(self.driver).context_click(self.el("LabEsatto")).perform()
        self.click("CopyEntry")
        self.settle()


def phone_checks(app_dir):
    page = Page("file://" + os.path.join(app_dir, "velbarino.html"), phone=PHONE)
    try:
        page.open()
        width, scroll = page.js("return [document.documentElement.clientWidth, document.documentElement.scrollWidth]")
        right = page.js("return document.getElementById('Frm_Ean').getBoundingClientRect().right")
        yield "on a phone the window fills the width, with no sideways scrolling", right > 0.85 * width and scroll <= width
        yield "on a phone the field asks for the numeric keypad", page.el("Txt_Ean").get_attribute("inputmode") == "numeric"
        page.tap("Cmb_Ean")
        page.tap("Cmb_Ean_1")
        picked = page.text("Cmb_Ean") == ENTRY_1 and page.hidden("Cmb_Ean_list")
        page.tap("Txt_Ean")
        page.keys("4006381333932")
        page.tap("Cmd_Calcola")
        yield "taps pick an entry, focus the field and press the button", picked and page.text("LabEsatto") == "4006381333931"
        heights = page.js("return [...document.querySelectorAll('#ClientArea > :not([hidden]):not(ul):not(.popup), #MenuBar > button')]"
                          ".map(e => [e.id, e.getBoundingClientRect().height])")
        yield "on a phone every control is at least 24 px tall", len(heights) == 11 and min(h for _, h in heights) >= 24
        page.tap("LabEsatto", times=2)
        yield "a double tap on the code reuses it and does not zoom", (
            page.field() == "4006381333931" and page.js("return visualViewport.scale") == 1)
        page.tap("MenuAbout0")
        page.tap("MenuAbout")
        yield "taps open a menu and choose its entry", len(page.boxes()) == 1 and page.boxes()[0].startswith("Velbarino - Versione")
    finally:
        page.driver.quit()


def desktop_checks(page):
    page.open()
    frame = page.js("return [document.body.style.zoom, document.getElementById('ClientArea').getBoundingClientRect().width]")
    yield "on a desktop the window keeps its designed size", frame == ["", 202]

    # The list: Escape, a click aimed at the field, and the focus leaving all close it, and pick nothing.
    page.type("1")
    for close in ("escape", "click on a bare spot of the window", "tab"):
        page.click("Cmb_Ean")
        opened = not page.hidden("Cmb_Ean_list")
        if close == "escape":
            page.keys(Keys.ESCAPE)
        elif close == "tab":
            page.keys(Keys.TAB)
        else:
            page.click_at(*page.js("const r = document.getElementById('ClientArea').getBoundingClientRect(); return [r.left + 4, r.bottom - 4]"))
        closed = page.hidden("Cmb_Ean_list") and page.field() == "1" and page.text("Lab_Desc1") == "Codice (12 caratteri)"
        yield f"the open list closes on {close}, with no pick", opened and closed and page.js("return Module.heard") == []
    page.click("Cmb_Ean")
    page.click("MenuFile")
    yield "the click that closes the list does nothing else", page.hidden("Cmb_Ean_list") and page.hidden("MenuFile_items")

    # The menus: a click elsewhere, Escape and the focus leaving close them; nothing is chosen.
    page.js("document.getElementById('Txt_Ean').focus()")
    page.click("MenuFile")
    opened = not page.hidden("MenuFile_items")
    page.click("Lab_Desc0")
    yield "a click elsewhere closes a menu, and the focus goes back", (
        opened and page.hidden("MenuFile_items") and page.js("return Module.endRequests") == 0
        and page.js("return document.activeElement.id") == "Txt_Ean")
    page.click("MenuAbout0")
    page.keys(Keys.ESCAPE)
    yield "Escape closes a menu", page.hidden("MenuAbout0_items") and page.js("return document.activeElement.id") == "Txt_Ean"
    page.click("MenuAbout0")
    page.keys(Keys.TAB)
    yield "a menu closes when the focus leaves it", page.hidden("MenuAbout0_items") and page.boxes() == []
    page.type("\b400638133393\r")
    page.set_clipboard("before")
    ActionChains(page.driver).context_click(page.el("LabEsatto")).perform()
    opened = not page.hidden("CodeMenu")
    page.click("Lab_Desc0")
    yield "a click elsewhere closes the code's menu, copying nothing", (
        opened and page.hidden("CodeMenu") and page.clipboard() == "before")


def layout_checks(page):
    # Ctrl+V and Ctrl+C on a Russian layout: the key V types "м", C types "с".
    page.open()
    page.set_clipboard("40X638133393")
    page.js("document.getElementById('Txt_Ean').focus()")
    page.shortcut("\u043c", "V", 2, "paste")
    yield "Ctrl+V on a Russian layout is checked as a paste", page.boxes() == [INVALID] and page.field() == ""
    page.type("4006")
    page.shortcut("\u0441", "C", 2)
    yield "Ctrl+C on a Russian layout is refused with the bell", page.js("return Module.bells") == 1


def mac_checks(app_dir):
    page = Page("file://" + os.path.join(app_dir, "velbarino.html"))
    try:
        agent = page.js("return navigator.userAgent")
        page.driver.execute_cdp_cmd("Emulation.setUserAgentOverride", {"userAgent": agent, "platform": "MacIntel"})
        page.open()
        page.set_clipboard("40X638133393")
        page.js("document.getElementById('Txt_Ean').focus()")
        page.shortcut("v", "V", 4, "paste")  # Command is the Meta modifier, 4
        yield "Command+V on a Mac is checked as a paste", page.boxes() == [INVALID] and page.field() == ""
        page.type("4006")
        page.shortcut("x", "X", 4)
        yield "Command+X on a Mac is refused with the bell", page.js("return Module.bells") == 1 and page.field() == "4006"
    finally:
        page.driver.quit()


def server_checks(app_dir, server):
    page = Page(server.url("velbarino.html", "shop.example"), arguments=(f"--host-resolver-rules=MAP shop.example 127.0.0.1",))
    try:
        # Plain http from a name other than localhost: no Clipboard API there.
        page.open()
        page.type("400638133393\r")
        page.copia()
        insecure = page.js("return !window.isSecureContext && navigator.clipboard === undefined")
        copied_boxes = page.boxes()
        page.js("document.execCommand = () => false")  # a browser that refuses the older command as well
        page.copia()
        refused_boxes = page.boxes()
        page.driver.get(server.url("altro.html"))  # a secure context, where the clipboard can be read
        yield "Copia works over plain http", insecure and copied_boxes == [] and page.clipboard() == "4006381333931"
        yield "a copy that is refused is said, not lost", refused_boxes == [COPY_FAILED]

        # Leaving and coming back: the back/forward cache keeps the window.
        page.open(server.url("velbarino.html"))
        page.js("window.addEventListener('pageshow', event => { window.restored = event.persisted; })")
        page.type("400638133393\r")
        page.driver.get(server.url("altro.html"))
        page.driver.back()
        page.settle()
        restored = page.js("return window.restored === true && !!document.getElementById('Frm_Ean')")
        kept = page.text("LabEsatto") == "4006381333931" and page.js("return Module.endRequests") == 0
        page.type("\b2\r")
        yield "Back brings the window back as it was, and it works", restored and kept and page.text("LabEsatto") == "4006381333924"

        # The hosted folder: installable, then working with the server gone.
        page.open(server.url("velbarino-web/"), instrumented=False)
        page.driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        errors = page.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
        yield "the hosted page is installable", errors == []
        page.open(server.url("velbarino-web/"), instrumented=False)
        yield "a service worker controls it after the first visit", page.js("return !!navigator.serviceWorker.controller")
        server.stop()
        try:
            page.open(server.url("velbarino-web/"), instrumented=False)
            page.type("400638133393\r")
            offline = page.text("LabEsatto") == "4006381333931"
        except WebDriverException as error:  # no page: the browser's error page has no program
            print(f"      offline: {error.msg}")
            offline = False
        yield "with the server gone it opens and computes", offline
        yield "the hosted page's fetch to elsewhere is refused", refused_fetch(page)
    finally:
        page.driver.quit()


def refused_fetch(page):
    """A request out of the page: refused by its policy, and reported as such."""
    return page.driver.execute_async_script(
        "let blocked = false; document.addEventListener('securitypolicyviolation', () => { blocked = true; });"
        "fetch('http://127.0.0.1:9/').then(() => arguments[0](false), () => setTimeout(() => arguments[0](blocked), 50))")


def main():
    app_dir = sys.argv[1]
    server = Server(app_dir)
    page = Page("file://" + os.path.join(app_dir, "velbarino.html"))
    passed = failed = 0
    try:
        page.open()
        page.js("window.violations = 0; document.addEventListener('securitypolicyviolation', () => window.violations++)")
        page.type("400638133393\r")
        page.copia()
        clean = page.js("return window.violations") == 0 and page.clipboard() == "4006381333931"
        checks = [[("the one-file page runs within its policy", clean), ("its fetch to elsewhere is refused", refused_fetch(page))],
                  desktop_checks(page), layout_checks(page), phone_checks(app_dir), mac_checks(app_dir), server_checks(app_dir, server)]
        for group in checks:
            for name, good in group:
                print(("ok    " if good else "FAIL  ") + name, flush=True)
                passed, failed = passed + bool(good), failed + (not good)
    finally:
        page.driver.quit()
        server.remove()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
