#!/usr/bin/python3
"""The page where clerks meet it, in headless Chromium: on a phone's touch
screen and on a desktop; its list and menus closing as native ones do;
shortcuts on a Russian layout and on a Mac; "Copia" over plain http; Back
and Forward; the hosted folder installable and offline; its content
security policy. Pages are served from a loopback server of the test's own.
Usage: device_test.py BUILD_APP_DIR   (holding velbarino.html and velbarino-web/)"""
import hashlib
import os
import pathlib
import re
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from headless_page import ActionChains, Keys  # noqa: E402
from selenium.common.exceptions import WebDriverException  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import scenario_test  # noqa: E402
from loopback_server import Server  # noqa: E402

INVALID = "Codice non valido. Inserire solamente valori numerici."


class Page(scenario_test.Page):
    def box_texts(self):
        return [box[0] for box in self.read("boxes")]

    def copia(self):
        ActionChains(self.driver).context_click(self.el("LabEsatto")).perform()
        self.click("CopyEntry")
        self.settle()


def one_file_checks(page):
    page.start()
    page.js("window.violations = 0; document.addEventListener('securitypolicyviolation', () => window.violations++)")
    page.type("400638133393\r")
    page.copia()
    yield "the one-file page runs within its policy", page.js("return window.violations") == 0 and page.clipboard() == "4006381333931"
    page.js("const s = document.createElement('script'); s.textContent = 'window.injected = true'; document.body.append(s)")
    yield "an inline script that is not the page's own does not run", page.js("return window.injected === undefined")
    yield "the one file is 160 KB at most", os.path.getsize(page.url[len("file://"):]) <= 160_000

    # Composed text goes in at the caret, ASCII digits only; a click on the open list's border picks nothing and breaks nothing.
    page.start()
    page.type("4006" + Keys.HOME + Keys.ARROW_RIGHT)
    for composed in ("\u00e8", "x", "\u0663", "9"):  # a letter, a Latin letter, an Arabic-Indic digit, an ASCII digit
        page.driver.execute_cdp_cmd("Input.imeSetComposition", {"text": composed, "selectionStart": 1, "selectionEnd": 1})
        page.driver.execute_cdp_cmd("Input.insertText", {"text": composed})
    yield "composed letters and other digits are refused, and ASCII digits land at the caret", (
        page.get("Txt_Ean", "value") == "49006" and page.read("bells") == 3)
    page.js("window.errors = 0; window.addEventListener('error', () => errors++); window.addEventListener('unhandledrejection', () => errors++)")
    page.click("Cmb_Ean")
    page.click_at(*page.js("const r = document.getElementById('Cmb_Ean_list').getBoundingClientRect(); return [r.left + 0.5, r.bottom - 0.5]"))
    page.click("Cmb_Ean_2")
    yield "a click on the list's border picks nothing and fails nowhere", (
        page.get("Lab_Desc1") == "Codice (7 caratteri)" and page.js("return window.errors") == 0)

    # A browser without Uint8Array.fromBase64 (before 2025) decodes the program the older way.
    script = page.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": "delete Uint8Array.fromBase64"})
    try:
        page.start()
        page.type("400638133393\r")
        decoded = page.get("LabEsatto") == "4006381333931"
    except WebDriverException:  # never started
        decoded = False
    yield "without the newest decoder the page starts and computes", decoded
    page.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", script)

    page.start()
    # A click outside and Escape are in the shared table; here the focus leaving.
    page.type("1")
    page.click("Cmb_Ean")
    opened = page.shown("Cmb_Ean_list")
    page.keys(Keys.TAB)
    closed = not page.shown("Cmb_Ean_list") and page.get("Txt_Ean", "value") == "1" and page.read("heard") == []
    yield "the open list closes when the focus leaves it, with no pick", opened and closed

    # Menus close on a click elsewhere and when the focus leaves; the focus goes back; nothing is chosen (Escape: the page's F10 check).
    page.js("document.getElementById('Txt_Ean').focus()")
    for menu, close, back in (("MenuFile", lambda: page.click("Lab_Desc0"), "Txt_Ean"), ("MenuAbout0", lambda: page.keys(Keys.TAB), None)):
        page.click(menu)
        opened = page.shown(menu + "_items")
        close()
        focus = page.js("return document.activeElement.id")
        yield f"{menu}'s menu closes{', giving the focus back' if back else ' as the focus leaves'}", (
            opened and not page.shown(menu + "_items") and focus == (back or focus) and page.box_texts() == [])
    page.js("document.getElementById('Txt_Ean').focus()")
    page.type("\b400638133393\r")
    page.set_clipboard("before")
    ActionChains(page.driver).context_click(page.el("LabEsatto")).perform()
    opened = page.shown("CodeMenu")
    page.click("Lab_Desc0")
    yield "a click elsewhere closes the code's menu, copying nothing", (
        opened and not page.shown("CodeMenu") and page.clipboard() == "before"
        and page.read("endRequests") == 0 and page.box_texts() == [])
    page.start()
    page.click("Cmb_Ean")
    page.js("document.getElementById('Lab_Desc0').dispatchEvent(new MouseEvent('mousedown', {bubbles: true}))")  # a press, no click
    page.js("document.getElementById('Cmd_Calcola').focus()")
    page.keys(Keys.SPACE)
    yield "after a press that closed the list with no click, the button still takes a key", page.box_texts() == ["Inserire un codice di 12 caratteri."]


def input_checks(page):
    """What an input method, a lone surrogate, a switch to another application and a wait of the program meet."""
    page.start()
    page.type("40063813339")
    page.driver.execute_cdp_cmd("Input.imeSetComposition", {"text": "3", "selectionStart": 1, "selectionEnd": 1})
    page.keys(Keys.ENTER)  # confirms the composition
    confirmed = page.read("results")[1] is None and page.box_texts() == []
    page.driver.execute_cdp_cmd("Input.insertText", {"text": "3"})
    page.keys(Keys.ENTER)
    yield "an Enter that confirms a composition runs nothing; the next one does", confirmed and page.get("LabEsatto") == "4006381333931"

    page.start()  # back from another application, with a menu open
    page.type("")
    page.click("MenuFile")
    page.js("document.activeElement.dispatchEvent(new FocusEvent('focusout', {bubbles: true}))")  # as the window loses the focus
    page.js("window.dispatchEvent(new FocusEvent('focus'))")  # and gets it back
    page.keys("4")
    yield "back from elsewhere, the keys go where they went before the menu", page.get("Txt_Ean", "value") == "4"

    page.start()  # while the program waits for the clipboard, the window takes nothing
    page.type("400638133393\r")
    page.js("navigator.clipboard.writeText = () => new Promise(done => setTimeout(done, 400))")
    ActionChains(page.driver).context_click(page.el("LabEsatto")).perform()
    page.el("CopyEntry").click()
    page.type("\b")
    page.click("Cmd_Calcola")
    during = page.get("Txt_Ean", "value") == "400638133393" and page.box_texts() == []
    page.settle()
    page.type("\b")
    yield "keys and clicks while Copia waits are refused, and the window works afterwards", (
        during and page.get("Txt_Ean", "value") == "40063813339")

    page.start(instrumented=False)  # a box stays open until its OK is pressed
    page.perform(["Pick", 1])
    page.type("4006381333931\r")  # an exact code: its box takes the theme's button face
    page.perform(["Menu", 3])  # the about box
    page.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [{"name": "prefers-color-scheme", "value": "dark"}]})
    page.settle() or page.click("MessageBoxOk") or page.settle()
    yield "a theme that changes while a box is open is taken once it closes", (
        page.js("return getComputedStyle(document.getElementById('LabEsatto')).backgroundColor") == "rgb(53, 53, 53)")


def shortcut_checks(app_dir):
    """Paste and a refused shortcut by the key, not by the character: on a Russian layout, V types "м" and C "с"; on a Mac, Command."""
    for system, paste, refused, modifier in (("Linux x86_64", "\u043c", ("\u0441", "C"), 2), ("MacIntel", "v", ("x", "X"), 4)):
        with Page("file://" + os.path.join(app_dir, "velbarino.html")) as page:
            agent = page.js("return navigator.userAgent")
            page.driver.execute_cdp_cmd("Emulation.setUserAgentOverride", {"userAgent": agent, "platform": system})
            page.start()
            page.set_clipboard("40X638133393")
            page.js("document.getElementById('Txt_Ean').focus()")
            page.shortcut(paste, "V", modifier, "paste")
            name = "Command" if modifier == 4 else "Ctrl (Russian layout)"
            yield f"{name}+V is checked as a paste", page.box_texts() == [INVALID] and page.get("Txt_Ean", "value") == ""
            page.type("4006")
            page.shortcut(*refused, modifier)
            yield f"{name}+{refused[1]} is refused with the bell", page.read("bells") == 1 and page.get("Txt_Ean", "value") == "4006"


def phone_checks(app_dir):
    with Page("file://" + os.path.join(app_dir, "velbarino.html"), phone=(390, 844)) as page:
        page.start()
        width, scroll = page.js("return [document.documentElement.clientWidth, document.documentElement.scrollWidth]")
        right = page.js("return document.getElementById('Frm_Ean').getBoundingClientRect().right")
        yield "on a phone the window fills the width, with no sideways scrolling", right > 0.85 * width and scroll <= width
        page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",  # turned on its side
                                    {"width": 844, "height": 390, "deviceScaleFactor": 3, "mobile": True})
        page.settle()
        bottom, height = page.js("return [document.getElementById('Frm_Ean').getBoundingClientRect().bottom, innerHeight]")
        yield "turned on its side, the window fits the height anew", 0.85 * height < bottom <= height
        page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {"width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True})
        page.settle()
        page.tap("Cmb_Ean")
        page.tap("Cmb_Ean_1")
        picked = page.get("Cmb_Ean") == "EAN-13: verifica di validita" and not page.shown("Cmb_Ean_list")
        page.tap("Txt_Ean")
        page.keys("4006381333932")
        page.tap("Cmd_Calcola")
        yield "taps pick an entry, focus the field and press the button", picked and page.get("LabEsatto") == "4006381333931"
        heights = page.js("return [...document.querySelectorAll('#ClientArea > :not([hidden]):not(ul):not(.popup), #MenuBar > button')]"
                          ".map(e => e.getBoundingClientRect().height)")
        yield "on a phone every control is at least 24 px tall", len(heights) == 11 and min(heights) >= 24
        page.tap("LabEsatto", times=2)
        yield "a double tap on the code reuses it and does not zoom", (
            page.get("Txt_Ean", "value") == "4006381333931" and page.js("return visualViewport.scale") == 1)


def phone_box_checks(app_dir):
    """Each box on a 360 px phone, upright and on its side, inside the screen, its OK tall enough and closed by a real tap."""
    inside = ("const s = [innerWidth, innerHeight], r = document.getElementById('MessageBox').getBoundingClientRect(),"
              " ok = document.getElementById('MessageBoxOk').getBoundingClientRect(),"
              " hit = document.elementFromPoint(ok.x + ok.width / 2, ok.y + ok.height / 2);"
              " return r.left >= 0 && r.top >= 0 && r.right <= s[0] && r.bottom <= s[1] && ok.height >= 24 && hit && hit.id == 'MessageBoxOk'")
    with Page("file://" + os.path.join(app_dir, "velbarino.html"), phone=(360, 740)) as page:
        page.start(instrumented=False)
        for way, (width, height) in (("upright", (360, 740)), ("on its side", (740, 360))):
            page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {"width": width, "height": height, "deviceScaleFactor": 3, "mobile": True})
            fits = []
            for opened in (lambda: page.tap("Txt_Ean") or page.keys("1" + Keys.ENTER), lambda: page.tap("MenuAbout0") or page.tap("MenuAbout")):
                opened()  # "Inserire un codice di 12 caratteri.", then the about box
                page.settle()
                fits.append(page.js(inside))
                page.tap("MessageBoxOk")
                fits.append(not page.js("return document.getElementById('MessageBox').open"))
            page.keys(Keys.BACKSPACE)
            yield f"on a 360 px phone held {way}, the message and about boxes fit and a tap on OK closes them", all(fits)


def release(file, text):
    """The next release of a hosted folder, as a build writes it: @p file with @p text, and so another digest in its service worker."""
    file.write_text(text, encoding="utf-8")
    worker = file.with_name("service-worker.js")
    digest = hashlib.sha256(text.encode()).hexdigest()[:16]
    worker.write_text(re.sub(r"(PREFIX \+ ')[0-9a-f]{16}", r"\g<1>" + digest, worker.read_text(encoding="utf-8")), encoding="utf-8")


def release_checks(server):
    """The hosted folder as a shop's server updates it: release 1, then release 2 behind an hour-long HTTP cache,
    with another application's cache and another copy of the folder on the same origin."""
    for folder in ("shop", "copy"):
        shutil.copytree(os.path.join(server.root, "velbarino-web"), os.path.join(server.root, folder))
    # Until the folder's worker is active with no other in wait, and its cache is one that @p known does not list
    # (a browser checks for a new worker about a second after a visit); five seconds at most.
    settled = ("const [known, done] = arguments, until = Date.now() + 5000, poll = () => Promise.all([caches.keys(),"
               " navigator.serviceWorker.getRegistration()]).then(([names, r]) => (r && r.active && r.active.state == 'activated'"
               " && !r.installing && !r.waiting && names.some(n => n.startsWith('velbarino ' + r.scope) && !known.includes(n)))"
               " || Date.now() > until ? done() : setTimeout(poll, 50)); poll()")
    with Page(server.url("altro.html")) as page:
        page.driver.get(server.url("altro.html"))
        page.driver.execute_async_script("caches.open('altro').then(c => c.put('altro.html', new Response('altro'))).then(() => arguments[0]())")
        for folder in ("copy/", "shop/"):
            page.start(url=server.url(folder), instrumented=False)
            page.driver.execute_async_script(settled, [])
        before = page.js("return caches.keys()")
        index = pathlib.Path(server.root, "shop", "index.html")
        release(index, index.read_text(encoding="utf-8").replace("<title>", '<meta name="release" content="2">\n<title>', 1))
        shown = []
        for _ in range(2):
            page.start(url=server.url("shop/"), instrumented=False)
            shown.append(page.js("return document.querySelector('meta[name=release]') ? 2 : 1"))
            page.driver.execute_async_script(settled, before)
        page.type("400638133393\r")
        yield "a new release shows by the second visit, behind a server's hour-long cache, and works", (
            shown[1] == 2 and page.get("LabEsatto") == "4006381333931")
        after = page.js("return caches.keys()")
        ours = lambda names, folder: [n for n in names if server.url(folder) in n]
        yield "the worker replaces only its own cache: another application's and another copy's stay", (
            "altro" in after and ours(after, "copy/") == ours(before, "copy/") != []
            and len(ours(after, "shop/")) == 1 and ours(after, "shop/") != ours(before, "shop/"))


def server_checks(server):
    with Page(server.url("velbarino.html", "shop.example"), arguments=(f"--host-resolver-rules=MAP shop.example 127.0.0.1",)) as page:
        # Plain http from a name other than localhost: no Clipboard API there.
        page.start()
        page.type("400638133393\r")
        page.copia()
        copied = page.js("return !window.isSecureContext && navigator.clipboard === undefined") and page.box_texts() == []
        page.keys(Keys.BACKSPACE)  # the focus is back where it was, in the field
        copied = copied and page.get("Txt_Ean", "value") == "40063813339"
        page.keys("3", Keys.ENTER)
        page.js("document.execCommand = () => false")  # a browser that refuses the older command as well
        page.copia()
        refused = page.box_texts() == ["Impossibile copiare il codice negli appunti."]
        page.driver.get(server.url("altro.html"))  # a secure context, where the clipboard can be read
        yield "Copia works over plain http", copied and page.clipboard() == "4006381333931"
        yield "a copy that is refused is said, not lost", refused

        # Leaving and coming back: the back/forward cache keeps the window.
        page.start(url=server.url("velbarino.html"))
        page.js("window.addEventListener('pageshow', event => { window.restored = event.persisted; })")
        page.type("400638133393\r")
        page.driver.get(server.url("altro.html"))
        page.driver.back()
        page.settle()
        kept = page.js("return window.restored === true") and page.get("LabEsatto") == "4006381333931" and page.read("endRequests") == 0
        page.type("\b2\r")
        yield "Back brings the window back as it was, and it works", kept and page.get("LabEsatto") == "4006381333924"

        # The hosted folder: installable, then working with the server gone.
        page.start(url=server.url("velbarino-web/"), instrumented=False)
        page.driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        yield "the hosted page is installable", page.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"] == []
        server.stop()
        try:
            page.start(url=server.url("velbarino-web/"), instrumented=False)
            page.type("400638133393\r")
            offline = page.get("LabEsatto") == "4006381333931"
        except WebDriverException as error:  # no page: the browser's error page has no program
            print(f"      offline: {error.msg}")
            offline = False
        yield "with the server gone it opens and computes", offline
        yield "the hosted page's fetch to elsewhere is refused", offline and page.refused_fetch()


def main():
    app_dir = sys.argv[1]
    server = Server(app_dir)
    page = Page("file://" + os.path.join(app_dir, "velbarino.html"))
    passed = failed = 0
    try:
        for group in (one_file_checks(page), input_checks(page), shortcut_checks(app_dir), phone_checks(app_dir), phone_box_checks(app_dir), release_checks(server), server_checks(server)):
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
