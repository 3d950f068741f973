#!/usr/bin/python3
"""A fake camera's picture for headless Chromium: a barcode drawn by zxing-cpp
(Debian's zxing-cpp-tools) as a printed label would be, turned a few degrees on
a grey background, written as a one-frame YUV4MPEG2 file, which Chromium plays
as the camera (--use-file-for-fake-video-capture). Usage:
camera_fixture.py OUT.y4m FORMAT TEXT   (FORMAT as ZXingWriter names it, or
"none" for the background alone)"""
import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 640, 480


def draw(output, symbology, text, degrees=4):
    with tempfile.TemporaryDirectory() as folder:
        label = os.path.join(folder, "label.png")
        if symbology == "none":
            source = ["-size", f"{WIDTH}x{HEIGHT}", "xc:gray50"]
        else:
            subprocess.run(["ZXingWriter", "-size", "360x180", "-margin", "24", symbology, text, label], check=True,
                           capture_output=True)
            source = [label, "-background", "gray50", "-rotate", str(degrees)]
        grey = subprocess.run(["convert", *source, "-gravity", "center", "-background", "gray50", "-extent",
                               f"{WIDTH}x{HEIGHT}", "-colorspace", "Gray", "-depth", "8", "gray:-"],
                              check=True, capture_output=True).stdout
    assert len(grey) == WIDTH * HEIGHT
    with open(output, "wb") as video:  # 4:2:0, the colour planes neutral
        video.write(f"YUV4MPEG2 W{WIDTH} H{HEIGHT} F30:1 Ip A1:1 C420jpeg\nFRAME\n".encode())
        video.write(grey + bytes([128]) * (WIDTH * HEIGHT // 2))
    return output


if __name__ == "__main__":
    draw(*sys.argv[1:4])
