#!/usr/bin/python3
"""The shared scenarios through the page in a second engine, WebKit, the one
under every browser of an iPhone: WebKitGTK's MiniBrowser driven by its
WebDriver on an X display, the clipboard through xclip. What its driver
cannot do or read (no accessibility tree, no editing commands or drops from
outside) is said, row by row. Usage: webkit_test.py PAGE SCENARIOS_JSON"""
import glob
import inspect
import os
import subprocess
import sys

from selenium import webdriver
from selenium.webdriver.webkitgtk.options import Options
from selenium.webdriver.webkitgtk.service import Service

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from scenario_test import Page, report, run_table  # noqa: E402

# Debian's libwebkit2gtk-4.1-0 ships it under the machine's multiarch folder.
BROWSER = (sorted(glob.glob("/usr/lib/*/webkit2gtk-4.1/MiniBrowser")) or sorted(glob.glob("/usr/lib/*/webkit*/MiniBrowser")) or [""])[0]
DRIVER = "/usr/bin/WebKitWebDriver"
NO_COMMANDS = "WebKit's driver has no way to give the browser's own editing commands or a drop"


class WebKitPage(Page):
    CANNOT_DO = {"MenuPaste": NO_COMMANDS, "Cut": NO_COMMANDS, "Drop": NO_COMMANDS}
    CANNOT_SHOW = {"names": "WebKit's driver reads no accessibility tree"}
    BOX_LINES = "textContent"  # its innerText gives a box's drawn line breaks as spaces

    def __init__(self, url):  # pylint: disable=super-init-not-called
        options = Options()
        options.binary_location = BROWSER
        options.add_argument("--automation")
        # Selenium 4.8 (Debian 12) takes the driver's path, later ones a Service.
        if "service" in inspect.signature(webdriver.WebKitGTK.__init__).parameters:
            self.driver = webdriver.WebKitGTK(service=Service(DRIVER), options=options)
        else:
            self.driver = webdriver.WebKitGTK(executable_path=DRIVER, options=options)
        self.url = url

    def set_clipboard(self, text):
        subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode(), check=True)

    def clipboard(self):
        return subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True, check=False).stdout.decode()


def main():
    page = WebKitPage("file://" + sys.argv[1])
    try:
        return report(*run_table(page, sys.argv[2]))
    finally:
        page.driver.quit()


if __name__ == "__main__":
    sys.exit(main())
