#!/usr/bin/env python3
"""Prints the X server's own screen-saver state on $DISPLAY: On, Off or
Disabled (timeout 0, or suspended by a client), as MIT-SCREEN-SAVER reports
it, and exits 1 when the display or the extension is missing."""
import ctypes
import sys


class Info(ctypes.Structure):  # XScreenSaverInfo
    _fields_ = [("window", ctypes.c_ulong), ("state", ctypes.c_int), ("kind", ctypes.c_int),
                ("til_or_since", ctypes.c_ulong), ("idle", ctypes.c_ulong), ("event_mask", ctypes.c_ulong)]


x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
xss = ctypes.cdll.LoadLibrary("libXss.so.1")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xss.XScreenSaverQueryInfo.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Info)]
display = x11.XOpenDisplay(None)
if not display:
    sys.exit(1)
info = Info()
if not xss.XScreenSaverQueryInfo(display, x11.XDefaultRootWindow(display), ctypes.byref(info)):
    sys.exit(1)
print({0: "Off", 1: "On", 3: "Disabled"}.get(info.state, "Other"))
