#!/usr/bin/python3
"""A RemoteDesktop portal that records what it is asked, on the session bus it is started on.

It answers CreateSession, SelectDevices and Start through Response signals as the desktop's
portal does, and takes NotifyKeyboardKeysym. A control interface lets a test choose how the
user answers: "allow", "refuse", or "hold" (Start waits until Release is called), and can end
the session as the desktop does when the user revokes it.
"""
import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PATH = "/org/freedesktop/portal/desktop"
REMOTE = "org.freedesktop.portal.RemoteDesktop"
CONTROL = "io.github.quillet.FakePortal"


class Request(dbus.service.Object):
    @dbus.service.signal("org.freedesktop.portal.Request", signature="ua{sv}")
    def Response(self, response, results):
        pass

    def answer(self, response, results):
        # As the desktop's portal does, a request is gone once it has answered.
        self.Response(dbus.UInt32(response), results)
        self.remove_from_connection()
        return False


class Session(dbus.service.Object):
    @dbus.service.signal("org.freedesktop.portal.Session", signature="a{sv}")
    def Closed(self, details):
        pass


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.calls = []
        self.mode = "allow"
        self.held = None
        self.tokens = 0
        self.requests = []
        self.sessions = []

    def answer(self, sender, options, results, response=0):
        token = str(options.get("handle_token", "t"))
        path = "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"), token)
        request = Request(self.bus, path)
        self.requests.append(request)
        GLib.idle_add(request.answer, response, results)
        return dbus.ObjectPath(path)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface == REMOTE and name == "AvailableDeviceTypes":
            return dbus.UInt32(7)
        if interface == REMOTE and name == "version":
            return dbus.UInt32(2)
        raise dbus.exceptions.DBusException("no such property " + name)

    @dbus.service.method(REMOTE, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        self.calls.append("CreateSession")
        session = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                        options.get("session_handle_token", "s"))
        self.sessions.append(Session(self.bus, session))
        return self.answer(sender, options, {"session_handle": dbus.String(session)})

    @dbus.service.method(REMOTE, in_signature="oa{sv}", out_signature="o", sender_keyword="sender")
    def SelectDevices(self, session, options, sender=None):
        self.calls.append("SelectDevices types=%d persist=%d restore=%s" % (
            options.get("types", 0), options.get("persist_mode", 0),
            options.get("restore_token", "")))
        return self.answer(sender, options, {})

    @dbus.service.method(REMOTE, in_signature="osa{sv}", out_signature="o", sender_keyword="sender")
    def Start(self, session, parent, options, sender=None):
        self.calls.append("Start")
        self.tokens += 1
        results = {"devices": dbus.UInt32(1), "restore_token": dbus.String("token-%d" % self.tokens)}
        if self.mode == "refuse":
            return self.answer(sender, options, {}, response=1)
        if self.mode == "hold":
            token = str(options.get("handle_token", "t"))
            path = "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"), token)
            request = Request(self.bus, path)
            self.requests.append(request)
            self.held = lambda: request.answer(0, results)
            return dbus.ObjectPath(path)
        return self.answer(sender, options, results)

    @dbus.service.method(REMOTE, in_signature="oa{sv}iu")
    def NotifyKeyboardKeysym(self, session, options, keysym, state):
        self.calls.append("key %x %s" % (keysym, "down" if state else "up"))

    @dbus.service.method(CONTROL, in_signature="s")
    def SetMode(self, mode):
        self.mode = mode

    @dbus.service.method(CONTROL)
    def Release(self):
        if self.held:
            self.held()
            self.held = None

    @dbus.service.method(CONTROL)
    def CloseSession(self):
        """The desktop ends the newest session, as when the user revokes it."""
        session = self.sessions.pop()
        session.Closed({})
        session.remove_from_connection()

    @dbus.service.method(CONTROL, out_signature="as")
    def Calls(self):
        return self.calls

    @dbus.service.method(CONTROL)
    def Reset(self):
        self.calls = []
        self.mode = "allow"
        self.held = None


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
    Portal(bus)
    print("ready", flush=True)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
