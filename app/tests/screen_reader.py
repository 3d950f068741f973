#!/usr/bin/python3
"""Reads the real window as a screen reader does, through AT-SPI: after start-up,
after a computation, after a wrong code and with a message box open. Run by
screen_reader_test.sh inside its own D-Bus session and X display.
Usage: screen_reader.py BINARY"""
import os
import subprocess
import sys
import time

import pyatspi

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what)
    if not condition:
        failures.append(what)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, stderr=subprocess.DEVNULL)


def application():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Velbarino":
                return app
        time.sleep(0.1)
    sys.exit("FAIL: the program never showed up on the accessibility bus")


def heard(app):
    """What a screen reader can reach: every showing object, with its role,
    name and the names of the objects that label it."""
    found = []

    def walk(node):
        for child in node:
            if child is None:
                continue
            states = child.getState()
            if not states.contains(pyatspi.STATE_SHOWING):
                continue
            labels = []
            for relation in child.getRelationSet():
                if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                    labels += [relation.getTarget(i).name for i in range(relation.getNTargets())]
            found.append((child.getRoleName(), child.name, labels))
            walk(child)

    walk(app)
    return found


def has(found, role, name, label=None):
    return any(r == role and n == name and (label is None or label in ls) for r, n, ls in found)


def settle():
    time.sleep(0.6)


def main():
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([sys.argv[1]], env=env, stderr=subprocess.DEVNULL)
    try:
        app = application()
        window = subprocess.run(["xdotool", "search", "--sync", "--name", "^Velbarino$"], check=True,
                                capture_output=True, text=True).stdout.split()[0]
        settle()

        found = heard(app)
        check(has(found, "combo box", "EAN-13: calcolo checksum", "Azione"), "the list: its entry, labelled Azione")
        check(has(found, "text", "Codice (12 caratteri)"), "the field: named by its length caption")
        check(has(found, "push button", "Calcola"), "the button: Calcola")
        check(has(found, "menu item", "File") and has(found, "menu item", "?"), "the two menus")
        check(not any(n in ("Checksum", "Codice Completo") for _, n, _ in found), "the hidden result area: silent")

        xdotool("key", "--window", window, "Tab")
        xdotool("type", "--window", window, "400638133393")
        xdotool("key", "--window", window, "Return")
        settle()
        found = heard(app)
        check(has(found, "label", "1", "Checksum"), "the check digit: 1, labelled Checksum")
        check(has(found, "label", "4006381333931", "Codice Completo"), "the complete code, labelled Codice Completo")

        xdotool("key", "--window", window, "shift+Tab")
        xdotool("key", "--window", window, "Down")  # EAN-13 verify; the focus moves to the field
        xdotool("type", "--window", window, "4006381333932")
        xdotool("key", "--window", window, "Return")
        settle()
        found = heard(app)
        check(has(found, "text", "Codice (13 caratteri)"), "the field after the pick: 13 characters")
        check(has(found, "label", "codice errato", "Risultato"), "the verdict: codice errato, labelled Risultato")
        check(has(found, "label", "4006381333931", "Codice Esatto"), "the corrected code, labelled Codice Esatto")

        xdotool("key", "--window", window, "BackSpace")
        xdotool("key", "--window", window, "Return")
        settle()
        message = "Inserire un codice di 13 caratteri."
        found = heard(app)
        check(any(message in n for _, n, _ in found), "the message box: " + message)
        xdotool("key", "Return")
        settle()
        check(not any(message in n for _, n, _ in heard(app)), "the message box: gone once dismissed")
    finally:
        program.kill()
        program.wait()
    if failures:
        sys.exit(f"{len(failures)} of the checks failed")
    print("PASS: the screen reader hears every caption, result and message")


if __name__ == "__main__":
    main()
