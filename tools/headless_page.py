#!/usr/bin/python3
"""The page in headless Chromium, as the browser's test and benchmark drive it:
Debian's chromium and chromedriver through WebDriver, with the clipboard
allowed, and what the accessibility tree says of an element."""
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

# Until the program has run its start-up.
STARTED = "return new Promise(ready => { const wait = () => Module.calledRun ? ready() : setTimeout(wait, 5); wait(); })"
# Until the page has looked for a camera (and offered its scanner, where it can).
CAMERA_CHECKED = "return new Promise(done => { const wait = () => Module.scannerChecked ? done() : setTimeout(wait, 5); wait(); })"


class HeadlessPage:
    def __init__(self, url, arguments=(), phone=None):
        """@p arguments: more of Chromium's switches; @p phone: (width, height)
        of a touch screen to emulate, in CSS pixels."""
        options = webdriver.ChromeOptions()
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                         "--disable-background-networking", "--disable-component-update", "--disable-sync", *arguments):
            options.add_argument(argument)
        if phone:
            options.add_experimental_option("mobileEmulation", {
                "deviceMetrics": {"width": phone[0], "height": phone[1], "pixelRatio": 3.0, "touch": True}})
        options.binary_location = "/usr/bin/chromium"
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Browser.grantPermissions", {"permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        self.url = url

    def open(self, url):
        self.driver.get(url)

    def quit(self):
        self.driver.quit()

    # With a "with" block, the browser quits however the block ends.
    def __enter__(self):
        return self

    def __exit__(self, *ended):
        self.quit()

    def js(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def async_js(self, script, *arguments):
        return self.driver.execute_async_script(script, *arguments)

    def el(self, name):
        return self.driver.find_element(By.ID, name)

    def keys(self, *keys, control=False, alt=False):
        modifier = Keys.CONTROL if control else Keys.ALT if alt else None
        chain = ActionChains(self.driver)
        (chain.key_down(modifier).send_keys(*keys).key_up(modifier) if modifier else chain.send_keys(*keys)).perform()

    def click(self, name):
        """A real mouse click at the centre of an element, whatever lies on top of it."""
        ActionChains(self.driver).move_to_element(self.el(name)).click().perform()

    def double_click(self, name):
        ActionChains(self.driver).double_click(self.el(name)).perform()

    def context_click(self, name):
        ActionChains(self.driver).context_click(self.el(name)).perform()

    def back_tab(self):
        ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()

    def command(self, name):
        """One of the browser's own editing commands (cut, paste), as its menu gives it: no key for the page."""
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "rawKeyDown", "commands": [name]})
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyUp"})

    def drop(self, name, text):
        """Text dragged from another program and dropped at the right end of an element."""
        box = self.js("const r = arguments[0].getBoundingClientRect(); return [r.right - 4, r.top + r.height / 2]", self.el(name))
        data = {"items": [{"mimeType": "text/plain", "data": text}], "dragOperationsMask": 1}
        for kind in ("dragEnter", "dragOver", "drop"):
            self.driver.execute_cdp_cmd("Input.dispatchDragEvent", {"type": kind, "x": box[0], "y": box[1], "data": data})

    def set_clipboard(self, text):
        self.async_js("navigator.clipboard.writeText(arguments[0]).then(arguments[1])", text)

    def clipboard(self):
        return self.async_js("navigator.clipboard.readText().then(arguments[0])")

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

    def get(self, name, what="textContent"):
        return self.js("return document.getElementById(arguments[0])[arguments[1]]", name, what)

    def shown(self, name):
        """Drawn, whatever the element's attributes say."""
        return self.js("return document.getElementById(arguments[0]).getClientRects().length > 0", name)

    def settle(self):
        self.js("return new Promise(settled => setTimeout(settled, 300))")

    def tap(self, name, times=1):
        """Taps on a touch screen at the centre of an element."""
        x, y = self.js("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                       " return [r.x + r.width / 2, r.y + r.height / 2]", name)
        for _ in range(times):
            self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
            self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
            time.sleep(0.05)
        self.settle()

    def click_at(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})
        self.settle()

    def shortcut(self, key, letter, modifiers, command=None):
        """A shortcut as a keyboard layout sends it: @p key the character, @p letter the key's own letter."""
        event = {"key": key, "code": "Key" + letter, "windowsVirtualKeyCode": ord(letter), "modifiers": modifiers}
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "rawKeyDown", **event, **({"commands": [command]} if command else {})})
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyUp", **event})
        self.settle()

    def refused_fetch(self):
        """A request out of the page: refused by its policy, and reported as such."""
        return self.driver.execute_async_script(
            "let blocked = false; document.addEventListener('securitypolicyviolation', () => { blocked = true; });"
            "fetch('http://127.0.0.1:9/').then(() => arguments[0](false), () => setTimeout(() => arguments[0](blocked), 50))")

    def type(self, text):
        """Keys into the field: '\\r' Enter, '\\b' Backspace, codes 1-26 Ctrl+A to Ctrl+Z."""
        if self.js("return document.activeElement.id") != "Txt_Ean":
            self.js("document.getElementById('Txt_Ean').focus()")
        for c in text:
            named = {"\r": Keys.ENTER, "\b": Keys.BACKSPACE}.get(c)
            self.keys(named or (chr(ord(c) + 96) if ord(c) < 32 else c), control=not named and ord(c) < 32)
