#!/usr/bin/python3
"""The shared scenarios (ui/tests/scenarios.json) through the page in headless Chromium: real key and mouse events by
WebDriver, the page read back from its DOM and, for names, from Chromium's
accessibility tree. Then the page as a user opens it: from file://, with no
request to any network, its live region and its end.

Usage: scenario_test.py PAGE SCENARIOS_JSON
"""
import json
import sys

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

# What the browser cannot be made to do from outside, imitated in the page.
IMITATED = {"MenuPaste": "the browser's own context menu: its paste is an input event from outside the keyboard",
            "CloseRequest": "closing the tab: the page's pagehide event"}
# Records each box with the field behind it and answers it; counts the bell;
# lists every announcement; counts the requests to end instead of ending.
INSTRUMENT = """
const m = Module, field = () => document.getElementById('Txt_Ean');
m.endRequests = 0; m.boxes = []; m.bells = 0; m.heard = [];
const open = m.openDialog, ring = m.bell;
m.openDialog = () => { m.boxes.push([document.getElementById('MessageBoxText').textContent.replace(/\\n/g, '\\r'),
    document.getElementById('MessageBoxTitle').textContent, document.getElementById('MessageBoxIcon').className,
    field().value]); setTimeout(() => document.getElementById('MessageBox').close(), 10); return open(); };
m.bell = () => { m.bells++; ring(); };
new MutationObserver(() => { const t = document.getElementById('Announcer').textContent.replace(/\\u00a0$/, '');
    if (t) m.heard.push(t); }).observe(document.getElementById('Announcer'), {childList: true, characterData: true, subtree: true});
"""


class Page:
    def __init__(self, url):
        options = webdriver.ChromeOptions()
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                         "--disable-background-networking", "--disable-component-update", "--disable-sync"):
            options.add_argument(argument)
        options.binary_location = "/usr/bin/chromium"
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Browser.grantPermissions", {"permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        self.url = url

    def start(self, instrumented=True):
        self.driver.get(self.url)
        self.js("return new Promise(ready => { const wait = () => Module.calledRun ? ready() : setTimeout(wait, 5); wait(); })")
        if instrumented:
            self.js(INSTRUMENT)
        self.set_clipboard("before")

    def js(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def el(self, name):
        return self.driver.find_element(By.ID, name)

    def keys(self, *keys, control=False):
        chain = ActionChains(self.driver)
        (chain.key_down(Keys.CONTROL).send_keys(*keys).key_up(Keys.CONTROL) if control else chain.send_keys(*keys)).perform()

    def set_clipboard(self, text):
        self.driver.execute_async_script("navigator.clipboard.writeText(arguments[0]).then(arguments[1])", text)

    def clipboard(self):
        return self.driver.execute_async_script("navigator.clipboard.readText().then(arguments[0])")

    def ax_node(self, element_id):
        """An element's node in Chromium's accessibility tree, and the whole tree."""
        document = self.driver.execute_cdp_cmd("DOM.getDocument", {})
        dom = self.driver.execute_cdp_cmd("DOM.querySelector", {"nodeId": document["root"]["nodeId"], "selector": "#" + element_id})
        backend = self.driver.execute_cdp_cmd("DOM.describeNode", {"nodeId": dom["nodeId"]})["node"]["backendNodeId"]
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        return next(n for n in nodes if n.get("backendDOMNodeId") == backend), nodes

    def name(self, element_id):
        return self.ax_node(element_id)[0].get("name", {}).get("value", "")

    def live_region(self, element_id):
        """A live region's politeness and the text a screen reader reads from it."""
        node, nodes = self.ax_node(element_id)
        texts = [n.get("name", {}).get("value", "") for n in nodes if n.get("nodeId") in node.get("childIds", [])]
        live = next((p["value"]["value"] for p in node.get("properties", []) if p["name"] == "live"), None)
        return live, "".join(texts).rstrip("\u00a0")

    def type(self, text):
        if self.js("return document.activeElement.id") != "Txt_Ean":
            self.js("document.getElementById('Txt_Ean').focus()")
        for c in text:
            named = {"\r": Keys.ENTER, "\b": Keys.BACKSPACE}.get(c)
            self.keys(named or (chr(ord(c) + 96) if ord(c) < 32 else c), control=not named and ord(c) < 32)

    def perform(self, step):
        act = step[0]
        text = step[1] if len(step) > 1 and isinstance(step[1], str) else ""
        index = step[1] if act in ("Pick", "Menu") else 0
        if act == "Type":
            self.type(text)
        elif act == "CtrlV":
            self.set_clipboard(text)
            self.js("document.getElementById('Txt_Ean').focus()")
            self.keys("v", control=True)
        elif act == "MenuPaste":
            self.js("const f = document.getElementById('Txt_Ean'); f.focus(); f.setRangeText(arguments[0], f.selectionStart,"
                    " f.selectionEnd, 'end'); f.dispatchEvent(new InputEvent('input', {inputType: 'insertFromPaste', data: arguments[0]}))", text)
        elif act == "Pick":  # the keyboard on the open list, the entry already marked included
            self.js("document.getElementById('Cmb_Ean').focus()")
            current = int(self.js("return [...document.querySelectorAll('#Cmb_Ean_list li')].findIndex(li => li.getAttribute('aria-selected') == 'true')"))
            self.keys(Keys.ENTER)
            self.keys(*([Keys.ARROW_DOWN] * (index - current) if index > current else [Keys.ARROW_UP] * (current - index)), Keys.ENTER)
        elif act == "Button":
            self.el("Cmd_Calcola").click()
        elif act in ("DoubleClickField", "DoubleClickCode"):
            ActionChains(self.driver).double_click(self.el("Txt_Ean" if act == "DoubleClickField" else "LabEsatto")).perform()
        elif act == "Copia":
            ActionChains(self.driver).context_click(self.el("LabEsatto")).perform()
            self.el("CopyEntry").click()
        elif act == "Menu":
            self.el(["MenuFile", "MenuFile", "MenuAbout0", "MenuAbout0"][index]).click()
            self.el(["MenuFile", "MenuFine", "MenuAbout0", "MenuAbout"][index]).click()
        elif act == "CloseRequest":
            self.js("window.dispatchEvent(new Event('pagehide'))")
        self.js("return new Promise(settled => setTimeout(settled, 30))")

    def read(self, what):
        label = lambda name: None if self.js(f"return document.getElementById('{name}').hidden") else self.el(name).get_attribute("textContent")
        if what == "field":
            return self.el("Txt_Ean").get_attribute("value")
        if what == "selection":
            return self.js("const f = document.getElementById('Txt_Ean'); return [f.selectionStart, f.selectionEnd - f.selectionStart]")
        if what == "lengthCaption":
            return label("Lab_Desc1")
        if what == "results":
            return [label(name) for name in ("Lab_Desc2", "LabRisultato", "Lab_Desc3", "LabEsatto")]
        if what == "focus":
            return self.js("return document.activeElement.id")
        if what == "names":
            return [self.name("Cmb_Ean"), self.name("Txt_Ean"), self.name("Cmd_Calcola")]
        if what == "boxes":
            icons = {"icon error": "Error", "icon warning": "Warning", "icon information": "Information"}
            return [[text, title, icons.get(icon, "None"), behind] for text, title, icon, behind in self.js("return Module.boxes")]
        if what == "clipboard":
            return self.clipboard()
        if what == "chrome":
            menus = [["&" + b["text"] if b["text"][0].lower() == b["key"].lower() else b["text"], b["items"]]
                     for b in self.js("return [...document.querySelectorAll('#MenuBar > button')].map(b => ({text: b.textContent,"
                                      " key: b.accessKey, items: [...document.getElementById(b.id + '_items').children].map(i => i.textContent)}))")]
            return {"title": self.el("Title").get_attribute("textContent"),
                    "entries": self.js("return [...document.querySelectorAll('#Cmb_Ean_list li')].map(li => li.textContent)"),
                    "listCaption": label("Lab_Desc0"), "buttonCaption": self.el("Cmd_Calcola").get_attribute("textContent"),
                    "toolTips": [self.el("Cmb_Ean").get_attribute("title"), self.el("Txt_Ean").get_attribute("title")], "menus": menus}
        return self.js(f"return Module.{what}")  # heard, bells, endRequests


def main():
    page_path, table = sys.argv[1], sys.argv[2]
    with open(table, encoding="utf-8") as rows:
        scenarios = json.load(rows)
    page = Page("file://" + page_path)
    passed = failed = 0
    try:
        for scenario in scenarios:
            page.start()
            for step in scenario["steps"]:
                if step[0] in IMITATED:
                    print(f"  imitated here: {IMITATED[step[0]]}")
                page.perform(step)
            expect = {"endRequests": 0, "boxes": [], **scenario["expect"]}
            differences = [f"{what}: {page.read(what)!r}, expected {expected!r}"
                           for what, expected in expect.items() if page.read(what) != expected]
            print(("ok    " if not differences else "FAIL  ") + scenario["name"])
            for line in differences:
                print("      " + line)
            passed, failed = passed + (not differences), failed + bool(differences)

        # The page as it is used: opened from disk, computing, heard, ended.
        page.start(instrumented=False)
        page.type("400638133393\r")
        checks = {
            "computes 400638133393 to 1": page.read("results")[1] == "1",
            "asks no network for anything": page.js("return performance.getEntriesByType('resource').length") == 0,
            "its live region is assertive and says the result":
                page.live_region("Announcer") == ("assertive", "Checksum 1, Codice Completo 4006381333931"),
        }
        page.el("MenuFile").click()
        page.el("MenuFine").click()
        checks["Fine Programma leaves only the notice"] = (
            page.js("return !document.getElementById('Frm_Ean') && !document.getElementById('Ended').hidden") is True)
        for name, good in checks.items():
            print(("ok    " if good else "FAIL  ") + name)
            passed, failed = passed + good, failed + (not good)
    finally:
        page.driver.quit()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
