#!/usr/bin/python3
"""What only the page's tests do to the page in headless Chromium, beside what
tools/headless_page.py shares with the benchmark: clicks, the browser's own
editing commands, drops, the clipboard, the accessibility tree, shortcuts
as a keyboard layout sends them."""
import os
import sys

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys  # noqa: F401 (for the tests)

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from headless_page import HeadlessPage  # noqa: E402


class HeadlessDriving(HeadlessPage):
    def el(self, name):
        return self.driver.find_element(By.ID, name)

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

