#!/usr/bin/python3
"""A fake camera's picture for headless Chromium: a barcode drawn by zxing-cpp
(Debian's zxing-cpp-tools) as a printed label would be, turned a few degrees on
a grey background, written as a one-frame YUV4MPEG2 file, which Chromium plays
as the camera (--use-file-for-fake-video-capture). Usage:
camera_fixture.py OUT.y4m FORMAT TEXT [EFFECT]   (FORMAT as ZXingWriter names
it, or "none" for the background alone; EFFECT one of EFFECTS)"""
import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 640, 480
# What a label meets beyond a clean print: ImageMagick's operations on the
# label before it is placed, and on the whole frame after.
EFFECTS = {
    "blur": ([], ["-blur", "0x1.4"]),  # out of focus
    "contrast": (["+level", "30%,70%"], []),  # faded ink on grey paper
    "far": (["-resize", "60%"], []),  # a small label far off
    "glare": ([], ["(", "+clone", "-fill", "black", "-colorize", "100", "-fill", "white", "-draw", "ellipse 300,230 30,140 0,360",
                   "-blur", "0x12", ")", "-compose", "Screen", "-composite"]),  # a lamp's light on a glossy label
    # Wrapped round a tin: bars closer and darker towards its sides.
    "curve": (["-virtual-pixel", "white", "-fx", "p{w / 2 + w / 2 * asin((i - w / 2) / (w / 2) * sin(1.2)) / 1.2, j}"
               " * (0.55 + 0.45 * cos(asin((i - w / 2) / (w / 2) * sin(1.2))))"], []),
}


L = ["0001101", "0011001", "0010011", "0111101", "0100011", "0110001", "0101111", "0111011", "0110111", "0001011"]
PARITY = ["LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG", "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"]


def modules(code):
    """The bars of an EAN-13 or EAN-8 as printed, whatever its check digit:
    a misprinted label, which no barcode writer draws."""
    right = lambda d: "".join("1" if m == "0" else "0" for m in L[int(d)])
    left = lambda d, kind: L[int(d)] if kind == "L" else right(d)[::-1]
    if len(code) == 8:
        return "101" + "".join(L[int(d)] for d in code[:4]) + "01010" + "".join(right(d) for d in code[4:]) + "101"
    return "101" + "".join(left(d, k) for d, k in zip(code[1:7], PARITY[int(code[0])])) + "01010" + "".join(
        right(d) for d in code[7:]) + "101"


def label(output, symbology, text):
    """The barcode as a printed label: white all round it. (ZXingWriter's own
    margin differs between Debian 12 and 13, whose writer has no -margin.)"""
    if symbology == "printed":  # bars of our own, 3 px a module
        bars = modules(text)
        row = " ".join("1" if m == "1" else "0" for m in bars for _ in range(3))
        with open(output + ".pbm", "w", encoding="ascii") as picture:
            picture.write(f"P1\n{len(bars) * 3} 150\n" + (row + "\n") * 150)
        subprocess.run(["convert", output + ".pbm", output], check=True)
        os.remove(output + ".pbm")
    else:
        subprocess.run(["ZXingWriter", "-size", "360x180", symbology, text, output], check=True, capture_output=True)
    subprocess.run(["convert", output, "-bordercolor", "white", "-border", "24", output], check=True)
    return output


def picture(symbology, text, degrees=4, effect=None):
    """The frame's grey levels, a byte a pixel."""
    on_label, on_frame = EFFECTS[effect] if effect else ([], [])
    with tempfile.TemporaryDirectory() as folder:
        if symbology == "none":
            source = ["-size", f"{WIDTH}x{HEIGHT}", "xc:gray50"]
        else:  # the label's own effect in a call of its own: ImageMagick 7's -fx prints on standard output
            printed = label(os.path.join(folder, "label.png"), symbology, text)
            if on_label:
                subprocess.run(["convert", printed, *on_label, printed], check=True, capture_output=True)
            source = [printed, "-background", "gray50", "-rotate", str(degrees)]
        grey = subprocess.run(["convert", *source, "-gravity", "center", "-background", "gray50", "-extent", f"{WIDTH}x{HEIGHT}",
                               *on_frame, "-colorspace", "Gray", "-depth", "8", "gray:-"], check=True, capture_output=True).stdout
    assert len(grey) == WIDTH * HEIGHT
    return grey


def draw(output, symbology, text, effect=None, frames=None):
    """A video of one picture; or of @p frames, a list of pictures played in turn."""
    with open(output, "wb") as video:  # 4:2:0, the colour planes neutral
        video.write(f"YUV4MPEG2 W{WIDTH} H{HEIGHT} F30:1 Ip A1:1 C420jpeg\n".encode())
        for grey in frames or [picture(symbology, text, effect=effect)]:
            video.write(b"FRAME\n" + grey + bytes([128]) * (WIDTH * HEIGHT // 2))
    return output


if __name__ == "__main__":
    draw(*sys.argv[1:5])
