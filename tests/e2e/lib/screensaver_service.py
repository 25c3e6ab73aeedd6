#!/usr/bin/env python3
"""A stand-in for a desktop's screen-saver service on the D-Bus session bus.

Owns org.freedesktop.ScreenSaver and answers the freedesktop inhibit calls
the way GNOME, KDE and Xfce do (Inhibit returns a cookie, UnInhibit takes it
back), and writes one line per call to the log file given as its argument:

    INHIBIT <cookie> <application> <reason>
    UNINHIBIT <cookie> <known|unknown>
    ACTIVITY                     (SimulateUserActivity)

It prints READY on standard output once the name is owned.
Usage: screensaver_service.py LOG
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.ScreenSaver"


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/ScreenSaver")
        self.log = log
        self.next_cookie = 1
        self.live = set()

    def write(self, line):
        self.log.write(line + "\n")
        self.log.flush()

    @dbus.service.method(NAME, in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        cookie = self.next_cookie
        self.next_cookie += 1
        self.live.add(cookie)
        self.write(f"INHIBIT {cookie} {application} {reason}")
        return dbus.UInt32(cookie)

    @dbus.service.method(NAME, in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        known = "known" if int(cookie) in self.live else "unknown"
        self.live.discard(int(cookie))
        self.write(f"UNINHIBIT {int(cookie)} {known}")

    @dbus.service.method(NAME, in_signature="", out_signature="")
    def SimulateUserActivity(self):
        self.write("ACTIVITY")


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    log = open(sys.argv[1], "a")
    service = ScreenSaver(bus, log)
    owned = dbus.service.BusName(NAME, bus, do_not_queue=True)
    print("READY", flush=True)
    GLib.MainLoop().run()
    del owned, service


if __name__ == "__main__":
    main()
