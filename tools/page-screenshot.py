#!/usr/bin/python3
"""A picture of the page's scanner on a phone: headless Chromium as a 360 x 740
touch screen, its fake camera showing an EAN-13 label drawn by zxing-cpp, the
view opened from the File menu by taps. The browser's own reader stands in for
the decoder and reads nothing, so that the view stays for the picture.
Usage: page-screenshot.py BUILD_APP_DIR OUTPUT.png"""
import os
import subprocess
import sys
import tempfile

from camera_fixture import draw
from headless_page import CAMERA_CHECKED, STARTED, HeadlessPage

SILENT_READER = """window.BarcodeDetector = class { static async getSupportedFormats() { return ['ean_13', 'ean_8']; }
    async detect() { return []; } };"""


def main():
    app_dir, output = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        video = draw(os.path.join(folder, "label.y4m"), "EAN-13", "400638133393")
        page = HeadlessPage("file://" + os.path.abspath(os.path.join(app_dir, "velbarino.html")), phone=(360, 740), arguments=(
            "--use-fake-device-for-media-stream", f"--use-file-for-fake-video-capture={video}", "--use-fake-ui-for-media-stream"))
        try:
            page.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": SILENT_READER})
            page.open(page.url)
            page.js(STARTED)
            page.js(CAMERA_CHECKED)
            page.tap("MenuFile")
            page.tap("MenuScan")
            page.js("return new Promise(shown => setTimeout(shown, 1000))")  # the camera's first frames
            shot = os.path.join(folder, "shot.png")
            page.driver.save_screenshot(shot)
        finally:
            page.quit()
        subprocess.run(["convert", shot, "-resize", "360x", "-strip", output], check=True)


if __name__ == "__main__":
    main()
