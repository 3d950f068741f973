#!/usr/bin/python3
"""The page in WebKit, the engine under every browser of an iPhone, driven as
the Chromium page is: WebKitGTK's MiniBrowser through its WebDriver on an X
display, the clipboard through xclip."""
import glob
import inspect
import subprocess

from selenium import webdriver
from selenium.webdriver.webkitgtk.options import Options
from selenium.webdriver.webkitgtk.service import Service

# Debian's libwebkit2gtk-4.1-0 ships it under the machine's multiarch folder.
BROWSER = (sorted(glob.glob("/usr/lib/*/webkit2gtk-4.1/MiniBrowser")) or sorted(glob.glob("/usr/lib/*/webkit*/MiniBrowser")) or [""])[0]
DRIVER = "/usr/bin/WebKitWebDriver"


class WebKitDriving:
    """What differs from HeadlessPage: the browser, and the clipboard."""

    def __init__(self, url, arguments=()):
        """@p arguments: more of MiniBrowser's options."""
        options = Options()
        options.binary_location = BROWSER
        for argument in ("--automation", *arguments):
            options.add_argument(argument)
        # Selenium 4.8 (Debian 12) takes the driver's path, later ones a Service.
        if "service" in inspect.signature(webdriver.WebKitGTK.__init__).parameters:
            self.driver = webdriver.WebKitGTK(service=Service(DRIVER), options=options)
        else:
            self.driver = webdriver.WebKitGTK(executable_path=DRIVER, options=options)
        self.url = url

    def set_clipboard(self, text):
        subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode(), check=True)
        for _ in range(200):  # xclip's own process takes the clipboard over a moment after it returns
            if self.clipboard() == text:
                break

    def clipboard(self):
        return subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True, check=False).stdout.decode()
