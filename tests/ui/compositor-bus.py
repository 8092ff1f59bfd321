#!/usr/bin/python3
# What compositors.sh asks GNOME's and KDE Plasma's compositors over their D-Bus session: a
# picture of the screen taken by the compositor itself, a script run inside KWin, keys pressed
# through mutter's remote desktop interface.
#
#   compositor-bus.py kwin-screenshot FILE     KWin's ScreenShot2, saved as FILE (a PNG)
#   compositor-bus.py kwin-script FILE         loads and runs the KWin script FILE, then unloads it
#   compositor-bus.py mutter-screenshot FILE   one frame of mutter's screen cast through PipeWire
#   compositor-bus.py mutter-keys KEYSYM...    presses the keys in turn, releases them in reverse
import os
import subprocess
import sys
import threading

import dbus
import dbus.mainloop.glib
from gi.repository import GLib

WAIT_SECONDS = 20


def kwin_screenshot(path):
    bus = dbus.SessionBus()
    shooter = bus.get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2")
    reader, writer = os.pipe()
    pixels = []
    # KWin writes the pixels from a thread of its own once it has answered: read meanwhile.
    thread = threading.Thread(target=lambda: pixels.append(os.fdopen(reader, "rb").read()))
    thread.start()
    shot = shooter.CaptureWorkspace({}, dbus.types.UnixFd(writer),
                                    dbus_interface="org.kde.KWin.ScreenShot2")
    os.close(writer)
    thread.join(WAIT_SECONDS)
    width, height, stride = int(shot["width"]), int(shot["height"]), int(shot["stride"])
    # QImage's 32-bit formats, little-endian: blue, green, red, alpha.
    rows = b"".join(pixels[0][row * stride:row * stride + 4 * width] for row in range(height))
    subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", "bgra:-", "-alpha",
                    "off", path], input=rows, check=True)


def kwin_script(path):
    bus = dbus.SessionBus()
    name = f"quendra-{os.getpid()}"
    # loadScript is overloaded: the signature picks the one that takes a name.
    number = bus.call_blocking("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting",
                               "loadScript", "ss", (path, name))
    bus.call_blocking("org.kde.KWin", f"/{number}", "org.kde.kwin.Script", "run", "", ())
    bus.call_blocking("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "unloadScript",
                      "s", (name,))


def mutter_screenshot(path):
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    cast = bus.get_object("org.gnome.Mutter.ScreenCast", "/org/gnome/Mutter/ScreenCast")
    session_path = cast.CreateSession({}, dbus_interface="org.gnome.Mutter.ScreenCast")
    session = dbus.Interface(bus.get_object("org.gnome.Mutter.ScreenCast", session_path),
                             "org.gnome.Mutter.ScreenCast.Session")
    # The primary monitor (an empty connector), without the pointer.
    stream_path = session.RecordMonitor("", {"cursor-mode": dbus.UInt32(0)})
    stream = bus.get_object("org.gnome.Mutter.ScreenCast", stream_path)
    loop = GLib.MainLoop()
    nodes = []

    def added(node):
        nodes.append(int(node))
        loop.quit()

    stream.connect_to_signal("PipeWireStreamAdded", added,
                             dbus_interface="org.gnome.Mutter.ScreenCast.Stream")
    session.Start()
    GLib.timeout_add_seconds(WAIT_SECONDS, loop.quit)
    loop.run()
    try:
        if not nodes:
            sys.exit("mutter announced no PipeWire stream")
        subprocess.run(["gst-launch-1.0", "-q", "pipewiresrc", f"path={nodes[0]}",
                        "num-buffers=1", "!", "videoconvert", "!", "pngenc", "!",
                        "filesink", f"location={path}"], check=True, timeout=WAIT_SECONDS)
    finally:
        session.Stop()


# X keysyms of the keys named here.
KEYSYMS = {"Super_L": 0xFFEB, "Up": 0xFF52, "Return": 0xFF0D}


def mutter_keys(*keys):
    bus = dbus.SessionBus()
    desktop = bus.get_object("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop")
    session_path = desktop.CreateSession(dbus_interface="org.gnome.Mutter.RemoteDesktop")
    session = dbus.Interface(bus.get_object("org.gnome.Mutter.RemoteDesktop", session_path),
                             "org.gnome.Mutter.RemoteDesktop.Session")
    session.Start()
    try:
        for key in keys:
            session.NotifyKeyboardKeysym(dbus.UInt32(KEYSYMS[key]), True)
        for key in reversed(keys):
            session.NotifyKeyboardKeysym(dbus.UInt32(KEYSYMS[key]), False)
    finally:
        session.Stop()


COMMANDS = {"kwin-screenshot": kwin_screenshot, "kwin-script": kwin_script,
            "mutter-screenshot": mutter_screenshot, "mutter-keys": mutter_keys}

if __name__ == "__main__":
    COMMANDS[sys.argv[1]](*sys.argv[2:])
