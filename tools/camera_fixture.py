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


def label(output, symbology, text):
    """The barcode as a printed label: white all round it. (ZXingWriter's own
    margin differs between Debian 12 and 13, whose writer has no -margin.)"""
    subprocess.run(["ZXingWriter", "-size", "360x180", symbology, text, output], check=True, capture_output=True)
    subprocess.run(["convert", output, "-bordercolor", "white", "-border", "24", output], check=True)
    return output


def draw(output, symbology, text, degrees=4):
    with tempfile.TemporaryDirectory() as folder:
        if symbology == "none":
            source = ["-size", f"{WIDTH}x{HEIGHT}", "xc:gray50"]
        else:
            source = [label(os.path.join(folder, "label.png"), symbology, text), "-background", "gray50", "-rotate", str(degrees)]
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
