#!/usr/bin/env python3
"""Start-up benchmark: time from exec to the first top-level window being
mapped, and peak resident memory once it is on screen, for Velbarino against a
bare Qt window with the same controls. Runs the two in turn (interleaved), on
the X display in DISPLAY, and prints medians and the median of the ratios of
each interleaved pair (which cancels slow drifts of the machine).

Usage: xvfb-run -a tools/startup-bench.py BUILD_DIR [RUNS]   (or: make bench)"""
import ctypes
import ctypes.util
import os
import select
import statistics
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]


def peak_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def one_run(display, command):
    event = (ctypes.c_long * 24)()
    while x11.XPending(display):
        x11.XNextEvent(display, event)
    start = time.monotonic()
    process = subprocess.Popen(command, env=dict(os.environ, QT_QPA_PLATFORM="xcb"),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    fd = x11.XConnectionNumber(display)
    mapped = None
    while mapped is None and time.monotonic() - start < 20:
        while x11.XPending(display):
            x11.XNextEvent(display, event)
            if ctypes.cast(event, ctypes.POINTER(ctypes.c_int))[0] == MAP_NOTIFY:
                mapped = time.monotonic()
                break
        if mapped is None:
            select.select([fd], [], [], 0.05)
    time.sleep(0.2)  # let it settle on screen before reading its peak
    memory = peak_kib(process.pid)
    process.kill()
    process.wait()
    if mapped is None:
        sys.exit(f"{command[0]}: no window within 20 s")
    return (mapped - start) * 1000.0, memory


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 31
    programs = {"velbarino": [f"{build}/app/velbarino"], "bare Qt window": [f"{build}/bench/bare_window"]}
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display: run under xvfb-run -a")
    x11.XSelectInput(display, x11.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    x11.XFlush(display)

    results = {name: ([], []) for name in programs}
    one_run(display, programs["velbarino"])  # warm the file cache once
    one_run(display, programs["bare Qt window"])
    for _ in range(runs):
        for name, command in programs.items():
            millis, kib = one_run(display, command)
            results[name][0].append(millis)
            results[name][1].append(kib)

    medians = {name: (statistics.median(t), statistics.median(m)) for name, (t, m) in results.items()}
    print(f"{runs} interleaved runs each, medians:")
    for name, (millis, kib) in medians.items():
        print(f"  {name:15s} exec to mapped {millis:7.1f} ms   peak memory {kib / 1024:6.1f} MiB")
    ours, floor = results["velbarino"], results["bare Qt window"]
    time_ratio = statistics.median(a / b for a, b in zip(ours[0], floor[0]))
    memory_ratio = statistics.median(a / b for a, b in zip(ours[1], floor[1]))
    print(f"  ratio (median of pairs)  time {time_ratio:.3f}   memory {memory_ratio:.3f}")


if __name__ == "__main__":
    main()
