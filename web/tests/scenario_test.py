#!/usr/bin/python3
"""The shared scenarios (ui/tests/scenarios.json) through the page in headless
Chromium, with real key and mouse events, read back from the DOM and, for
names, from the accessibility tree; then the page as a user opens it. With
--webkit, the scenarios in a second engine, WebKit, the one under every
browser of an iPhone: WebKitGTK's MiniBrowser driven by its WebDriver on an
X display, the clipboard through xclip. With --firefox, in a third, Gecko:
headless Firefox ESR over Marionette. What an engine's driver cannot do or
read is said, row by row. Usage: scenario_test.py [--webkit|--firefox] PAGE SCENARIOS_JSON COMPARER
(COMPARER: ui/tests/window_compare, built)"""
import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from headless_page import CAMERA_CHECKED, STARTED, HeadlessPage, Keys  # noqa: E402
from marionette_page import MarionettePage  # noqa: E402
from webkit_page import WebKitDriving  # noqa: E402

# What the browser cannot be made to do from outside, imitated in the page.
IMITATED = {"CloseRequest": "closing the tab: pagehide"}
# Records each box, its lines as shown, with the field behind it while open, and answers it; counts the bell;
# lists every announcement; counts the requests to end instead of ending.
INSTRUMENT = """
const m = Module, field = () => document.getElementById('Txt_Ean');
m.endRequests = 0; m.boxes = []; m.bells = 0; m.heard = []; m.enterReachedField = 0; m.browserMenus = 0;
window.addEventListener('contextmenu', e => e.defaultPrevented || m.browserMenus++);
window.addEventListener('keydown', e => { if (e.key == 'Enter' && e.target.id == 'Txt_Ean' && !e.defaultPrevented) m.enterReachedField++; });
const open = m.openDialog, ring = m.bell, byId = id => document.getElementById(id);
m.openDialog = () => { const seen = [null, byId('MessageBoxTitle').textContent, byId('MessageBoxIcon').className, field().value];
    const closed = open();  // its lines as rendered, and the field while it is open
    seen[0] = byId('MessageBoxText').innerText.replace(/\\n/g, '\\r'); m.boxes.push(seen);
    setTimeout(() => { if (field().value != seen[3]) seen[3] += ' then ' + field().value; byId('MessageBox').close(); }, 10);
    return closed; };
m.bell = () => { m.bells++; ring(); };
let said = '';  // a screen reader hears the region when its text changes, not when it is set again alike
new MutationObserver(() => { const t = document.getElementById('Announcer').textContent;
    if (t && t != said) m.heard.push(t.replace(/\\u00a0$/, '')); said = t; }).observe(document.getElementById('Announcer'), {childList: true, characterData: true, subtree: true});
"""

# The whole window as a user meets it, read in the shape of the model's own
# view of it (Module.windowView()): the title, the client area, the menu bar
# and the menu drawn open, each control's text, place at the page's scale,
# border, whether it is drawn and on top at its middle (or under an open
# popup), enabled; the tab order, the list's entries, the focus, and each
# open popup's place against what opened it. ui/tests/window_compare
# compares the two.
WHOLE_WINDOW = """
const model = JSON.parse(Module.windowView()), area = document.getElementById('ClientArea').getBoundingClientRect();
const scale = area.width / model.client[0], drawn = e => e && e.getClientRects().length > 0, box = e => e.getBoundingClientRect();
const open = [...document.querySelectorAll('.popup, #Cmb_Ean_list, dialog')].filter(drawn), controls = {};
for (const id of Object.keys(model.controls)) {
    const e = document.getElementById(id);
    if (!drawn(e)) { controls[id] = {shown: false}; continue; }
    const r = box(e), hit = document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2);
    controls[id] = {shown: true, text: id == 'Txt_Ean' ? e.value : e.textContent, place: [r.x - area.x, r.y - area.y, r.width,
        r.height].map(v => Math.round(v / scale)), border: {inset: 'sunken', outset: 'raised'}[getComputedStyle(e).borderTopStyle] || 'none'};
    if (!e.contains(hit) && !open.some(p => p.contains(hit))) controls[id].coveredBy = hit && (hit.id || hit.tagName);
    if (e.disabled) controls[id].disabled = true;
}
const order = [...document.querySelectorAll('body *')].filter(e => e.tabIndex >= 0 && drawn(e) && !open.some(p => p.contains(e)))
    .sort((a, b) => (a.tabIndex || 1e9) - (b.tabIndex || 1e9)).map(e => e.id || e.tagName);
const items = menu => [...menu.children].map(i => i.matches('hr, [role=separator]') ? {separator: true} : {text: i.textContent, enabled: !i.disabled});
const title = b => [...b.textContent].map(c => b.accessKey && c.toLowerCase() == b.accessKey.toLowerCase() ? '&' + c : c).join('');
const menus = [...document.querySelectorAll('#MenuBar > [role=menuitem]')].map(b => ({text: title(b), items: items(document.getElementById(b.id + '_items'))}));
const focus = document.activeElement, openers = {Cmb_Ean_list: 'Cmb_Ean', CodeMenu: 'LabEsatto'};
const misplaced = open.filter(p => p.tagName == 'DIALOG' ? box(p).right > innerWidth || box(p).bottom > innerHeight
    : box(p).top < box(document.getElementById(openers[p.id] || p.id.replace(/_items$/, ''))).bottom - 1).map(p => p.id);
return {model, read: {title: document.getElementById('Title').textContent, client: [area.width, area.height].map(v => Math.round(v / scale)),
    menus, openMenu: menus.find(m => open.some(p => p.previousElementSibling && title(p.previousElementSibling) == m.text)) || null,
    popupFocus: open.some(p => p.contains(focus)), controls, tabOrder: order,
    entries: [...document.querySelectorAll('#Cmb_Ean_list li')].map(li => li.textContent),
    focus: open.some(p => p.contains(focus)) ? null : focus.id || focus.tagName, misplaced}};
"""


# The browser's own barcode reader, as Chromium has it on Android, reading
# what the test puts in window.scanned; with Chromium's fake camera, the page
# offers its scanner, and a row's Scan step reads the row's code.
NATIVE_READER = """window.BarcodeDetector = class { static async getSupportedFormats() { return ['ean_13', 'ean_8', 'upc_a', 'qr_code']; }
    async detect() { const s = window.scanned; return s ? [{format: {8: 'ean_8', 12: 'upc_a'}[s.length] || 'ean_13', rawValue: s}] : []; } };"""


class Page(HeadlessPage):
    # Steps and parts of the window that an engine's driver cannot reach, and why.
    CANNOT_DO = {}
    CANNOT_SHOW = {}
    BOX_LINES = "innerText"  # a box's text as the engine renders it, line breaks and all
    comparer = None  # the table's (main): outside it, steps are not compared

    def start(self, instrumented=True, url=None, reader=False):
        if getattr(self, "reader", None):
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": self.reader})
        self.reader = reader and self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": NATIVE_READER})["identifier"]
        self.open(url or self.url)
        self.js(STARTED)
        self.window_fault = None
        self.focus_trail = []
        if instrumented:
            self.js(INSTRUMENT.replace("innerText", self.BOX_LINES))
        if self.js("return isSecureContext"):  # where a page may write the clipboard
            self.set_clipboard("before")

    def observe(self, moment):
        """The whole window against the model, through the one comparer; the first difference of a row is kept."""
        if not self.comparer:
            return
        seen = self.js(WHOLE_WINDOW)
        self.comparer.stdin.write(json.dumps(seen) + "\n")
        self.comparer.stdin.flush()
        difference = self.comparer.stdout.readline() or "the comparer ended: " + str(self.comparer.wait())
        difference = difference.rstrip("\n")
        self.window = seen["read"]
        if difference and not self.window_fault:
            self.window_fault = f"{moment}, the window: {difference}"

    def perform(self, step):
        act = step[0]
        text = step[1] if len(step) > 1 and isinstance(step[1], str) else ""
        index = step[1] if act in ("Pick", "ClickPick", "Menu") else 0
        if act == "Type":
            self.type(text)
        elif act == "CtrlV":
            self.set_clipboard(text)
            self.js("document.getElementById('Txt_Ean').focus()")
            self.keys("v", control=True)
        elif act == "MenuPaste":  # the browser's own paste command, with no key for the page to see
            self.set_clipboard(text)
            self.js("document.getElementById('Txt_Ean').focus()")
            self.command("paste")
        elif act == "Pick":  # the keyboard on the open list, the entry already marked included
            self.js("document.getElementById('Cmb_Ean').focus()")
            current = int(self.js("return [...document.querySelectorAll('#Cmb_Ean_list li')].findIndex(li => li.getAttribute('aria-selected') == 'true')"))
            self.keys(Keys.ENTER)
            self.observe("with the list open")
            self.keys(*([Keys.ARROW_DOWN] * (index - current) if index > current else [Keys.ARROW_UP] * (current - index)), Keys.ENTER)
        elif act == "Button":
            self.click("Cmd_Calcola")
        elif act in ("DoubleClickField", "DoubleClickCode"):
            self.double_click("Txt_Ean" if act == "DoubleClickField" else "LabEsatto")
        elif act == "Copia":
            self.context_click("LabEsatto")
            self.observe("with the code's menu open")
            self.click("CopyEntry")
        elif act == "Menu":
            self.click(["MenuFile", "MenuFile", "MenuAbout0", "MenuAbout0"][index])
            self.observe("with a menu open")
            self.click(["MenuFile", "MenuFine", "MenuAbout0", "MenuAbout"][index])
        elif act == "CloseRequest":
            self.js("window.dispatchEvent(new Event('pagehide'))")
        elif act == "OpenList":
            self.click("Cmb_Ean")
        elif act == "ClickOutside":
            self.click("Lab_Desc0")
        elif act == "ClickPick":
            self.click("Cmb_Ean")
            self.click(f"Cmb_Ean_{index}")
        elif act == "Delete":
            self.js("document.getElementById('Txt_Ean').focus()")
            self.keys(Keys.DELETE)
        elif act == "Cut":
            self.js("document.getElementById('Txt_Ean').focus()")
            self.command("cut")
        elif act == "Drop":
            self.drop("Txt_Ean", text)
        elif act == "Key" and text == "BackTab":
            self.back_tab()
        elif act == "Key":
            self.keys({"Down": Keys.ARROW_DOWN, "Escape": Keys.ESCAPE, "Tab": Keys.TAB, "Space": Keys.SPACE}[text])
        elif act == "Scan":
            self.js("window.scanned = arguments[0]", text)
            self.js(CAMERA_CHECKED)
            self.click("MenuFile")
            self.click("MenuScan")
            self.js("return new Promise(gone => { const wait = () => document.getElementById('ScanView').open ? setTimeout(wait, 5) : gone(); wait(); })")
        elif act == "Chord":
            self.js("document.getElementById('Txt_Ean').focus()")
            self.keys(text, control=True)
        self.js("return new Promise(settled => setTimeout(settled, 30))")

    def read(self, what):
        # The field's text and a caption, as drawn (a hidden one None); read while a box is open too.
        label = lambda name: self.js("const e = document.getElementById(arguments[0]); return e.getClientRects().length ? e.value ?? e.textContent : null", name)
        icons = {"icon error": "Error", "icon warning": "Warning", "icon information": "Information"}
        simple = {
            "field": lambda: label("Txt_Ean"),
            "selection": lambda: self.js("const f = document.getElementById('Txt_Ean'); return [f.selectionStart, f.selectionEnd - f.selectionStart]"),
            "lengthCaption": lambda: label("Lab_Desc1"),
            "results": lambda: [label(name) for name in ("Lab_Desc2", "LabRisultato", "Lab_Desc3", "LabEsatto")],
            "focus": lambda: self.js("return document.activeElement.id"),
            "names": lambda: [self.name("Cmb_Ean"), self.name("Txt_Ean"), self.name("Cmd_Calcola")],
            "boxes": lambda: [[text, title, icons.get(icon, "None"), behind] for text, title, icon, behind in self.js("return Module.boxes")],
            "clipboard": self.clipboard,
            "listOpen": lambda: self.js("return document.getElementById('Cmb_Ean_list').getClientRects().length > 0"),
        }
        if what in simple:
            return simple[what]()
        if what == "copiaEnabled":
            self.context_click("LabEsatto")
            enabled = not self.js("return document.getElementById('CopyEntry').disabled")
            self.keys(Keys.ESCAPE)
            return enabled
        if what == "toolTips":
            return [self.get("Cmb_Ean", "title"), self.get("Txt_Ean", "title")]
        if what == "focusTrail":  # the focus after each step
            return self.focus_trail
        return self.js(f"return Module.{what}")  # heard, bells, endRequests


NO_COMMANDS = "WebKit's driver has no way to give the browser's own editing commands or a drop"


NO_CAMERA = "no camera in this engine's driver (the page's camera is tested in Chromium)"


class WebKitPage(WebKitDriving, Page):
    CANNOT_DO = {"MenuPaste": NO_COMMANDS, "Cut": NO_COMMANDS, "Drop": NO_COMMANDS, "Scan": NO_CAMERA}
    CANNOT_SHOW = {"names": "WebKit's driver reads no accessibility tree"}
    BOX_LINES = "textContent"  # its innerText gives a box's drawn line breaks as spaces


class FirefoxPage(MarionettePage, Page):
    CANNOT_DO = {"Drop": "Marionette has no way to drop text from another program", "Scan": NO_CAMERA}
    CANNOT_SHOW = {"names": "Marionette reads no accessibility tree"}


def contrast(*colours):
    """WCAG's contrast ratio of two CSS rgb() colours."""
    def luminance(css):
        linear = [v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
                  for v in (int(c) / 255 for c in css[css.index("(") + 1:-1].split(",")[:3])]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    high, low = sorted(map(luminance, colours), reverse=True)
    return (high + 0.05) / (low + 0.05)


def projected(read, expected):
    """@p read with only what @p expected names, object within object."""
    return {k: projected(read.get(k), v) for k, v in expected.items()} if isinstance(read, dict) and isinstance(expected, dict) else read


def run_table(page, table):
    """Every row of the shared table through @p page; returns (passed, failed)."""
    with open(table, encoding="utf-8") as rows:
        scenarios = json.load(rows)
    passed = failed = 0
    for scenario in scenarios:
        cannot = [page.CANNOT_DO[step[0]] for step in scenario["steps"] if step[0] in page.CANNOT_DO]
        if cannot:
            print(f"  not checked here: {scenario['name']}: {cannot[0]}")
            continue
        page.start(reader=any(step[0] == "Scan" for step in scenario["steps"]))
        page.observe("at the start")
        for number, step in enumerate(scenario["steps"], 1):
            if step[0] in IMITATED:
                print(f"  imitated here: {IMITATED[step[0]]}")
            page.perform(step)
            page.observe(f"after step {number} ({step[0]})")
            page.focus_trail.append(page.window["focus"])
        expect = {"endRequests": 0, "boxes": [], **scenario["expect"]}
        for what in page.CANNOT_SHOW:
            if expect.pop(what, None) is not None:
                print(f"  not checked here: {what}: {page.CANNOT_SHOW[what]}")
        seen = {what: projected(page.js(WHOLE_WINDOW)["read"], expected) if what == "window" else page.read(what) for what, expected in expect.items()}
        differences = [f"{what}: {seen[what]!r}, expected {expected!r}" for what, expected in expect.items() if seen[what] != expected] + [page.window_fault] * bool(page.window_fault)
        print(("ok    " if not differences else "FAIL  ") + scenario["name"], flush=True)
        for line in differences:
            print("      " + line)
        passed, failed = passed + (not differences), failed + bool(differences)
    return passed, failed


def main():
    engine = sys.argv.pop(1) if sys.argv[1] in ("--webkit", "--firefox") else None
    page_path, table, comparer = sys.argv[1:4]
    if engine:
        page = (WebKitPage if engine == "--webkit" else FirefoxPage)("file://" + page_path)
    else:
        page = Page("file://" + page_path, arguments=("--use-fake-device-for-media-stream", "--use-fake-ui-for-media-stream"))
    page.comparer = subprocess.Popen([comparer], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    if engine:
        try:
            return report(*run_table(page, table))
        finally:
            page.quit()
    try:
        passed, failed = run_table(page, table)

        # The page as it is used: opened from disk, computing, heard, ended.
        page.start(instrumented=False)
        page.type("400638133393\r")
        checks = {
            "its live region is assertive and says the result":
                page.live_region("Announcer") == ("assertive", "Checksum 1, Codice Completo 4006381333931"),
        }
        page.keys("f", alt=True)  # the File menu's access key, then Enter on "Fine Programma"
        page.keys(Keys.ENTER)
        checks["Fine Programma, by the keyboard, leaves only the notice"] = (
            page.js("const ended = document.getElementById('Ended'); return !document.getElementById('Frm_Ean') && !ended.hidden && ended.innerText")
            == "Velbarino \u00e8 terminato. Ricaricare la pagina per riaprirlo.")
        # Where a user sees and clicks; keys that must do nothing; a menu that goes once used.
        page.start()
        page.type("400638133393")
        page.keys(Keys.ENTER, control=True)
        checks["Ctrl+Enter computes nothing and rings"] = page.read("results")[1] is None and page.read("bells") == 1
        page.js("window.kept = []; addEventListener('keydown', e => e.key != 'Control' && kept.push(e.defaultPrevented))")
        page.keys("-", control=True) or page.keys("0", control=True) or page.keys("=", control=True)
        checks["Ctrl+-, Ctrl+0 and Ctrl+= keep the browser's zoom"] = page.js("return kept") == [False] * 3
        # The menus as on the desktop: F10 to the bar, arrows along it and into its menus, Escape back.
        page.keys(Keys.F10)
        trail = [page.js("return document.activeElement.id")]
        for key in (Keys.ARROW_RIGHT, Keys.ARROW_DOWN, Keys.ARROW_LEFT, Keys.ESCAPE):
            page.keys(key)
            trail.append(page.js("return document.activeElement.id"))
        checks["F10 goes to the menu bar, arrows along it and into its menus, Escape back to the field"] = trail == [
            "MenuFile", "MenuAbout0", "MenuAbout", "MenuFine", "Txt_Ean"]
        checks["a screen reader finds one menu bar, with its two titles"] = [
            len([c for c in n.get("childIds", []) if any(m["nodeId"] == c and m["role"]["value"] == "menuitem" for m in nodes)])
            for nodes in [page.ax_node("MenuBar")[1]] for n in nodes if n.get("role", {}).get("value") == "menubar"] == [2]
        page.type("\r")
        checks["each result box is named by its caption"] = (
            [page.name("LabRisultato"), page.name("LabEsatto")] == ["Checksum 1", "Codice Completo 4006381333931"])
        page.perform(["Copia"])
        checks["the code's menu stands for the browser's, and closes once Copia is chosen"] = (
            page.js("return document.getElementById('CodeMenu').getClientRects().length == 0") and page.read("browserMenus") == 0)
        page.perform(["OpenList"])
        page.keys(Keys.ARROW_DOWN, Keys.SPACE)
        checks["the space bar picks the marked entry of the open list"] = page.read("lengthCaption") == "Codice (13 caratteri)"
        # A dark theme, switched to while open: every text on its own background
        # at 4.5:1 at least (WCAG), the exact code's box in the theme's face.
        page.start(instrumented=False)
        page.type("400638133393\r")  # first a computed code, which names its box
        page.perform(["Pick", 1])
        page.type("4006381333931\r")
        page.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [{"name": "prefers-color-scheme", "value": "dark"}]})
        page.js("return new Promise(changed => requestAnimationFrame(() => setTimeout(changed, 50)))")  # the change is told at the next frame
        colours = page.js("const c = e => getComputedStyle(e), back = e => c(e).backgroundColor == 'rgba(0, 0, 0, 0)' ?"
                          " c(document.body).backgroundColor : c(e).backgroundColor; return [...document.querySelectorAll("
                          "'#ClientArea > :not([hidden]):not(ul)')].map(e => [e.id, c(e).color, back(e)])")
        checks["an exact code's empty box borrows no hidden caption"] = page.name("LabEsatto") == ""  # read after a frame
        checks["readable under a dark theme"] = (all(contrast(text, back) >= 4.5 for _, text, back in colours)
                                                 and len(colours) == 8 and ["rgb(53, 53, 53)"] == [b for n, _, b in colours if n == "LabEsatto"])
        for name, good in checks.items():
            print(("ok    " if good else "FAIL  ") + name)
            passed, failed = passed + good, failed + (not good)
        return report(passed, failed)
    finally:
        page.quit()


def report(passed, failed):
    """The closing line, and the exit status."""
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
