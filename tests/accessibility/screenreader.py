#!/usr/bin/python3
"""What a screen reader finds in the running program.

Starts an X server, a session bus and the accessibility bus of its own, runs the built
program from a temporary folder with Qt's accessibility bridge on, and walks the tree
over AT-SPI as a screen reader does: every control shown in the main window, the editor,
the options and about windows and the save question has a name; the mode selector is
named by its label; the list, preview and status bar are named; a Notification that
fires is spoken as a notification named by its text.

    screenreader.py BUILD_DIR
Exit status 0 when all holds, 1 with the findings otherwise, 77 when the parts of the
accessibility stack are not installed.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
TEXT = "Tea is ready"
BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=%s</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""
findings = []


def check(ok, what):
    if not ok:
        findings.append(what)
        print("FAIL:", what, flush=True)
    return ok


def waitfor(what, timeout=30.0, step=0.1):
    """The first true answer of `what`, asked until `timeout` seconds have passed."""
    end = time.monotonic() + timeout
    while True:
        try:
            answer = what()
        except Exception:  # an object that went away while asked: ask again
            answer = None
        if answer or time.monotonic() > end:
            return answer
        time.sleep(step)


class Session:
    """An X server, a session bus and the accessibility bus; ended in reverse order."""

    def __init__(self, folder):
        self.folder = folder
        self.procs = []
        self.log = open(os.path.join(folder, "log"), "w")

    def start(self, args, env=None, **kw):
        p = subprocess.Popen(args, env=env, stderr=self.log, **kw)
        self.procs.append(p)
        return p

    def startx(self):
        r, w = os.pipe()
        self.start(["Xvfb", "-displayfd", str(w), "-screen", "0", "1024x768x24",
                    "-nolisten", "tcp", "-noreset"], pass_fds=[w], stdout=self.log)
        os.close(w)
        with os.fdopen(r) as f:
            return ":" + f.readline().strip()

    def startbus(self):
        # Starts no service of the machine's: the accessibility bus is started by hand.
        config = os.path.join(self.folder, "bus.conf")
        with open(config, "w") as f:
            f.write(BUS_CONFIG % self.folder)
        p = self.start(["dbus-daemon", "--config-file=" + config, "--nofork",
                        "--print-address=1"], stdout=subprocess.PIPE, text=True)
        return p.stdout.readline().strip()

    def end(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        self.log.close()


def hasowner(name):
    return subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                           "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                           "string:" + name], capture_output=True, text=True
                          ).stdout.strip().endswith("true")


def copyprogram(build, folder):
    for name in ("chimelet", "chimelet-wmf", "chimelet-audio.so", "chimelet-http.so"):
        shutil.copy2(os.path.join(build, name), folder)
    return os.path.join(folder, "chimelet")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    build = os.path.abspath(sys.argv[1])
    if not os.path.exists(LAUNCHER) or shutil.which("Xvfb") is None:
        print("SKIP: at-spi2-core or Xvfb is not installed")
        return 77
    folder = tempfile.mkdtemp(prefix="chimelet-screenreader-")
    session = Session(folder)
    program = None
    try:
        runtime = os.path.join(folder, "runtime")
        os.mkdir(runtime, 0o700)
        os.environ["XDG_RUNTIME_DIR"] = runtime
        os.environ["HOME"] = folder
        os.environ["DISPLAY"] = session.startx()
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = session.startbus()
        for leftover in ("AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            os.environ.pop(leftover, None)
        session.start([LAUNCHER, "--launch-immediately"], stdout=session.log)
        if not waitfor(lambda: hasowner("org.a11y.Bus"), 20):
            print("SKIP: the accessibility bus did not start")
            return 77

        appdir = os.path.join(folder, "app")
        os.mkdir(appdir)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   SDL_AUDIODRIVER="dummy")
        program = session.start([copyprogram(build, appdir)], env=env, stdout=session.log)

        try:
            import pyatspi  # reads the buses from the environment set above
        except ImportError:
            print("SKIP: python3-pyatspi is not installed")
            return 77
        walk(pyatspi, program)
    finally:
        session.end()
        if findings:
            print("log of the session:")
            with open(os.path.join(folder, "log")) as f:
                print(f.read()[-4000:])
        shutil.rmtree(folder, ignore_errors=True)
    print("%d finding(s)" % len(findings))
    return 1 if findings else 0


def walk(pyatspi, program):
    R = pyatspi
    # Things a user operates or reads as one: each must say what it is.
    controls = {R.ROLE_PUSH_BUTTON, R.ROLE_CHECK_BOX, R.ROLE_COMBO_BOX, R.ROLE_TEXT,
                R.ROLE_ENTRY, R.ROLE_SPIN_BUTTON, R.ROLE_TREE_TABLE, R.ROLE_TABLE, R.ROLE_TREE,
                R.ROLE_LIST, R.ROLE_STATUS_BAR, R.ROLE_PROGRESS_BAR, R.ROLE_IMAGE,
                R.ROLE_RADIO_BUTTON, R.ROLE_PAGE_TAB, R.ROLE_NOTIFICATION, R.ROLE_ALERT,
                R.ROLE_FRAME, R.ROLE_DIALOG, R.ROLE_WINDOW}
    # Their insides are rows and items, named by their text.
    leaves = {R.ROLE_TREE_TABLE, R.ROLE_TABLE, R.ROLE_TREE, R.ROLE_LIST, R.ROLE_COMBO_BOX,
              R.ROLE_MENU_BAR, R.ROLE_MENU}

    def showing(o):
        return o.getState().contains(R.STATE_SHOWING)

    def descendants(o, stop=leaves):
        for i in range(o.childCount):
            c = o.getChildAtIndex(i)
            if c is None:
                continue
            yield c
            if c.getRole() not in stop:
                yield from descendants(c, stop)

    def app():
        desktop = R.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            if a is not None and a.get_process_id() == program.pid:
                return a
        return None

    def window(name):
        a = app()
        if a is None:
            return None
        for i in range(a.childCount):
            w = a.getChildAtIndex(i)
            if w is not None and w.name == name and showing(w):
                return w
        return None

    def find(root, role, name, stop=leaves):
        for o in descendants(root, stop):
            if o.getRole() == role and o.name == name:
                return o
        return None

    def press(root, name):
        # A button says it can be pressed only while enabled: a window just closed may
        # still hold this one.
        def pressable():
            b = find(root, R.ROLE_PUSH_BUTTON, name)
            return b if b is not None and b.getState().contains(R.STATE_SENSITIVE) else None
        button = waitfor(pressable, 10)
        if check(button is not None, "no button named %r that can be pressed" % name):
            action = button.queryAction()
            names = [action.getName(i) for i in range(action.nActions)]
            if check("Press" in names, "button %r offers no Press (%r)" % (name, names)):
                action.doAction(names.index("Press"))
                return True
        return False

    def allnamed(w, title):
        print("walking", title, flush=True)
        # A window's controls are all there once it shows; ask twice to see them settled.
        waitfor(lambda: sum(1 for _ in descendants(w)) > 0, 10)
        for o in descendants(w):
            if showing(o) and o.getRole() in controls:
                check(o.name.strip() != "", "%s: an unnamed %s (description %r)"
                      % (title, o.getRoleName(), o.description))

    def menucommand(root, name):
        item = find(root, R.ROLE_MENU_ITEM, name, stop=controls - {R.ROLE_FRAME})
        if check(item is not None, "no menu command \"%s\"" % name):
            item.queryAction().doAction(0)
            return True
        return False

    # The window a command opened: found, every control named, then left by `button`.
    def answer(opened, title, what, unseen, button):
        if not opened:
            return False
        w = waitfor(lambda: window(title))
        if check(w is not None, unseen):
            allnamed(w, what)
            press(w, button)
            return True
        return False

    main = waitfor(lambda: window("Chimlet"), 60)
    if not check(main is not None, "the main window never showed in the tree"):
        return
    allnamed(main, "main window")
    check(find(main, R.ROLE_COMBO_BOX, "Countdown activation mode:") is not None,
          "the mode selector is not named by its label")
    names = {o.name for o in descendants(main)}
    for name in ("Notification list", "Status", "Preview"):
        check(name in names, "nothing named %r in the main window" % name)
    # The options and about windows, opened and closed as a keyboard user would.
    answer(press(main, "Chimelet Settings"), "Chimelet - Options", "options",
           "the options window never showed", "Cancel")
    answer(menucommand(main, "About"), "Chimelet - About", "about",
           "the about window never showed", "Ok")

    # A new Notification, two seconds away, applied from the editor.
    if not press(main, "New"):
        return
    editor = waitfor(lambda: window("Notification Editor"))
    if not check(editor is not None, "the editor never showed"):
        return
    allnamed(editor, "editor")
    fields = {}
    for name in ("Text Message / Name", "Activation Time, seconds"):
        fields[name] = find(editor, R.ROLE_TEXT, name)
        check(fields[name] is not None, "no field named %r in the editor" % name)
    if None in fields.values():
        return

    heard = []

    def listen(event):
        try:
            if event.detail1 == 1 and event.source.getRole() in (R.ROLE_NOTIFICATION, R.ROLE_ALERT):
                heard.append(event.source.name)
                if TEXT in heard:
                    R.Registry.stop()
        except Exception:
            pass

    R.Registry.registerEventListener(listen, "object:state-changed:showing")
    fields["Text Message / Name"].queryEditableText().setTextContents(TEXT)
    fields["Activation Time, seconds"].queryEditableText().setTextContents("2")
    press(editor, "Apply")
    from gi.repository import GLib
    GLib.timeout_add_seconds(30, lambda: R.Registry.stop())
    R.Registry.start()
    R.Registry.deregisterEventListener(listen, "object:state-changed:showing")
    check(TEXT in heard, "the fired text was not announced (heard: %r)" % heard)
    print("heard", heard, flush=True)
    strip = [w for w in (app().getChildAtIndex(i) for i in range(app().childCount))
             if w is not None and w.name == TEXT and showing(w)]
    if check(strip, "no window named by the fired text"):
        allnamed(strip[0], "text strip")

    # The list's header is told with its rows: every column but the filler is named.
    tree = find(main, R.ROLE_TREE, "Notification list") or find(main, R.ROLE_TREE_TABLE,
                                                                 "Notification list")
    if check(tree is not None, "the list is no tree named \"Notification list\""):
        table = tree.queryTable()
        header = lambda c: table.getColumnHeader(c)
        unnamed = [c for c in range(table.nColumns - 1) if not (header(c) and header(c).name)]
        check(not unnamed, "list columns without a name: %s" % unnamed)

    # Exit: the list changed, so the save question comes first.
    if answer(menucommand(main, "Exit Chimelet"), "Save before exit?", "save question",
              "the save question never showed", "Just exit"):
        check(waitfor(lambda: program.poll() is not None, 20), "the program did not exit")


if __name__ == "__main__":
    sys.exit(main())
