#!/usr/bin/python3
# The window through its accessibility interface (AT-SPI), as a screen reader reaches it: the
# same on every Wayland compositor, which lets no client press another's buttons. Used by
# compositors.sh on a D-Bus session of its own, with the program started with
# QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
#
#   window-access.py press NAME          presses the button NAME
#   window-access.py fill NAME TEXT      sets the text of the field NAME (a file chooser's, say)
#   window-access.py scroll-bars         prints "horizontal" or "vertical" for each scroll bar
#                                        shown
#   window-access.py start               starts the AT-SPI bus, before the window, which then
#                                        registers on it at once
#   window-access.py tone FILE           writes a second of a 440 Hz tone as a WAV file
# Each waits a few seconds at most for what it needs to appear, then exits 1 saying what is
# missing.
import math
import struct
import sys
import time
import wave

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

WAIT_SECONDS = 15


def objects(root):
    """Every object under root, root first."""
    yield root
    for index in range(root.get_child_count()):
        child = root.get_child_at_index(index)
        if child is not None:
            yield from objects(child)


def showing(thing):
    return thing.get_state_set().contains(Atspi.StateType.SHOWING)


def find(role, name):
    """The showing object of that role and name in any application, waited for."""
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            for thing in objects(desktop.get_child_at_index(index)):
                if thing.get_role() == role and name in thing.get_name() and showing(thing):
                    return thing
        time.sleep(0.2)
    sys.exit(f"no {Atspi.role_get_name(role)} \"{name}\" showed in {WAIT_SECONDS} s")


def press(name):
    find(Atspi.Role.PUSH_BUTTON, name).do_action(0)


def fill(name, text):
    find(Atspi.Role.TEXT, name).set_text_contents(text)


def scroll_bars():
    find(Atspi.Role.PUSH_BUTTON, "Start encoding")  # the window is up
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        for thing in objects(desktop.get_child_at_index(index)):
            if thing.get_role() == Atspi.Role.SCROLL_BAR and showing(thing):
                size = thing.get_size()
                print("horizontal" if size.x > size.y else "vertical")


def start():
    Atspi.get_desktop(0).get_child_count()


def tone(path):
    rate = 44100
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        samples = (int(8000 * math.sin(2 * math.pi * 440 * i / rate)) for i in range(rate))
        out.writeframes(b"".join(struct.pack("<h", sample) for sample in samples))


COMMANDS = {"press": press, "fill": fill, "scroll-bars": scroll_bars, "start": start,
            "tone": tone}

if __name__ == "__main__":
    COMMANDS[sys.argv[1]](*sys.argv[2:])
