#!/usr/bin/python3
"""The page in headless Firefox, driven as the Chromium page is: Debian's
firefox-esr over its own remote protocol, Marionette (Debian has no
geckodriver). Marionette speaks W3C WebDriver's commands as length-prefixed
JSON over a socket; this client sends the few the tests use. The clipboard
is Firefox's own (headless, it does not share X11's), set and read in the
browser's chrome context."""
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time

from selenium.webdriver.common.keys import Keys

ELEMENT = "element-6066-11e4-a52e-4f735466cecf"  # how WebDriver hands an element across
CONTENT_SCRIPT_TIMEOUT = 30000


class MarionetteError(RuntimeError):
    pass


class Marionette:
    """One Firefox of its own (a fresh profile, headless), and its session."""

    def __init__(self, binary="/usr/bin/firefox-esr"):
        self.profile = tempfile.mkdtemp(prefix="velbarino-firefox-")
        with socket.socket() as probe:  # a free port, handed to Firefox through its profile
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        with open(os.path.join(self.profile, "user.js"), "w", encoding="utf-8") as prefs:
            for name, value in (("marionette.port", port), ("browser.shell.checkDefaultBrowser", False),
                                ("datareporting.policy.dataSubmissionEnabled", False), ("app.update.disabledForTesting", True),
                                ("browser.aboutwelcome.enabled", False), ("toolkit.telemetry.reportingpolicy.firstRun", False)):
                prefs.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
        self.process = subprocess.Popen(  # pylint: disable=consider-using-with
            [binary, "--marionette", "--headless", "--no-remote", "-remote-allow-system-access", "--profile", self.profile],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.socket = self._connect(port)
        self.buffer = b""
        self.next_id = 0
        self._receive()  # Firefox's greeting
        self.command("WebDriver:NewSession", {"capabilities": {"alwaysMatch": {"acceptInsecureCerts": True}}})
        self.command("WebDriver:SetTimeouts", {"script": CONTENT_SCRIPT_TIMEOUT})

    def _connect(self, port):
        for _ in range(600):  # Firefox's first start in a new profile takes a few seconds
            if self.process.poll() is not None:
                raise MarionetteError(f"Firefox ended with status {self.process.returncode} before it listened")
            try:
                return socket.create_connection(("127.0.0.1", port), timeout=120)
            except OSError:
                time.sleep(0.1)
        raise MarionetteError("Firefox did not listen on its Marionette port within a minute")

    def _receive(self):
        while b":" not in self.buffer:
            self.buffer += self._read()
        length, _, rest = self.buffer.partition(b":")
        while len(rest) < int(length):
            rest += self._read()
        message, self.buffer = rest[:int(length)], rest[int(length):]
        return json.loads(message)

    def _read(self):
        chunk = self.socket.recv(65536)
        if not chunk:
            raise MarionetteError("Firefox closed its Marionette connection")
        return chunk

    def command(self, name, parameters=None):
        self.next_id += 1
        body = json.dumps([0, self.next_id, name, parameters or {}]).encode()
        self.socket.sendall(str(len(body)).encode() + b":" + body)
        while True:
            kind, answer_id, error, result = self._receive()
            if kind == 1 and answer_id == self.next_id:
                break
        if error:
            raise MarionetteError(f"{name}: {error.get('error')}: {error.get('message')}")
        return result.get("value") if isinstance(result, dict) else result

    def quit(self):
        try:
            self.command("Marionette:Quit", {"flags": ["eForceQuit"]})
        except (MarionetteError, OSError):
            pass
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
        self.socket.close()
        shutil.rmtree(self.profile, ignore_errors=True)


def _unwrap(value):
    """Elements as their WebDriver reference, as the scripts hand them back."""
    if isinstance(value, list):
        return [_unwrap(v) for v in value]
    if isinstance(value, dict) and ELEMENT not in value:
        return {k: _unwrap(v) for k, v in value.items()}
    return value


class MarionettePage:
    """The page's driving for Firefox, with the names of HeadlessPage's."""

    def __init__(self, url):
        self.firefox = Marionette()
        self.url = url

    def open(self, url):
        self.firefox.command("WebDriver:Navigate", {"url": url})

    def quit(self):
        self.firefox.quit()

    def js(self, script, *arguments):
        return _unwrap(self.firefox.command("WebDriver:ExecuteScript", {"script": script, "args": list(arguments)}))

    def async_js(self, script, *arguments):
        return _unwrap(self.firefox.command("WebDriver:ExecuteAsyncScript", {"script": script, "args": list(arguments)}))

    def el(self, name):
        return self.firefox.command("WebDriver:FindElement", {"using": "css selector", "value": f"[id='{name}']"})

    def actions(self, *sources):
        self.firefox.command("WebDriver:PerformActions", {"actions": list(sources)})
        self.firefox.command("WebDriver:ReleaseActions")

    def keys(self, *keys, control=False, alt=False):
        modifier = Keys.CONTROL if control else Keys.ALT if alt else None
        strokes = [a for k in keys for a in ({"type": "keyDown", "value": k}, {"type": "keyUp", "value": k})]
        if modifier:
            strokes = [{"type": "keyDown", "value": modifier}, *strokes, {"type": "keyUp", "value": modifier}]
        self.actions({"type": "key", "id": "keyboard", "actions": strokes})

    def back_tab(self):
        self.actions({"type": "key", "id": "keyboard", "actions": [
            {"type": "keyDown", "value": Keys.SHIFT}, {"type": "keyDown", "value": Keys.TAB},
            {"type": "keyUp", "value": Keys.TAB}, {"type": "keyUp", "value": Keys.SHIFT}]})

    def _mouse(self, name, button=0, clicks=1):
        presses = [a for _ in range(clicks) for a in ({"type": "pointerDown", "button": button}, {"type": "pointerUp", "button": button})]
        self.actions({"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                      "actions": [{"type": "pointerMove", "x": 0, "y": 0, "origin": self.el(name)}, *presses]})

    def click(self, name):
        """A real mouse click at the centre of an element, whatever lies on top of it."""
        self._mouse(name)

    def double_click(self, name):
        self._mouse(name, clicks=2)

    def context_click(self, name):
        self._mouse(name, button=2)

    def command(self, name):
        """One of the browser's own editing commands (cut, paste), as its menu gives it: no key for the page."""
        self._chrome("window.goDoCommand('cmd_' + arguments[0])", name)

    def _chrome(self, script, *arguments):
        self.firefox.command("Marionette:SetContext", {"value": "chrome"})
        try:
            return self.js(script, *arguments)
        finally:
            self.firefox.command("Marionette:SetContext", {"value": "content"})

    def set_clipboard(self, text):
        self._chrome("Cc['@mozilla.org/widget/clipboardhelper;1'].getService(Ci.nsIClipboardHelper).copyString(arguments[0])", text)

    def clipboard(self):
        return self._chrome(
            "const t = Cc['@mozilla.org/widget/transferable;1'].createInstance(Ci.nsITransferable); t.init(null);"
            " t.addDataFlavor('text/plain'); Services.clipboard.getData(t, Ci.nsIClipboard.kGlobalClipboard,"
            " BrowsingContext.getFromWindow(window)?.currentWindowContext); const d = {};"
            " try { t.getTransferData('text/plain', d); } catch (e) { return ''; }"
            " return d.value.QueryInterface(Ci.nsISupportsString).data")
