#!/usr/bin/python3
"""The page in headless Chromium, as the browser's tests, its benchmark and
the screenshot tool drive it: Debian's chromium and chromedriver through
WebDriver, with the clipboard allowed; keys, taps and typing. What only the
tests drive or read is in web/tests/headless_driving.py."""
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
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

    def js(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def async_js(self, script, *arguments):
        return self.driver.execute_async_script(script, *arguments)

    def keys(self, *keys, control=False, alt=False):
        modifier = Keys.CONTROL if control else Keys.ALT if alt else None
        chain = ActionChains(self.driver)
        (chain.key_down(modifier).send_keys(*keys).key_up(modifier) if modifier else chain.send_keys(*keys)).perform()

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

    def type(self, text):
        """Keys into the field: '\\r' Enter, '\\b' Backspace, codes 1-26 Ctrl+A to Ctrl+Z."""
        if self.js("return document.activeElement.id") != "Txt_Ean":
            self.js("document.getElementById('Txt_Ean').focus()")
        for c in text:
            named = {"\r": Keys.ENTER, "\b": Keys.BACKSPACE}.get(c)
            self.keys(named or (chr(ord(c) + 96) if ord(c) < 32 else c), control=not named and ord(c) < 32)
