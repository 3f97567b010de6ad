#!/usr/bin/env python3
# The real program as a screen reader meets it, read through AT-SPI (the
# interface Orca uses): on its own X server (Xvfb) and session bus, keys
# typed through XTest (xdotool), every answer waited for with a time limit.
# It prints the tree a screen reader reads and exits 1 naming every check
# that failed; 77 (skipped) only when the tools are not installed.
#
# Usage: screen-reader-test.py KALMO_TRANSLATOR
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
LANGUAGE_FILE = (
    "<?php\n"
    "define('_SITE_TITLE', 'My site');\n"
    "define('_GREETING', 'Hello \u4f60\u597d');\n"
    "?>\n"
)
WAIT_SECONDS = 8


def missing_tools():
    missing = [tool for tool in ("Xvfb", "dbus-run-session", "xdotool") if shutil.which(tool) is None]
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        missing.append("at-spi2-core")
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        missing.append("python3-pyatspi (for %s)" % sys.executable)
    return missing


def start_x_server(folder):
    """Xvfb on a free display, which it names itself once it is ready."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                               # A server that resets when its last client leaves refuses the next
                               # one for a moment; the bus launcher is such a passing client.
                               "-noreset"],
                              pass_fds=(write_end,), stderr=subprocess.DEVNULL, cwd=folder)
    os.close(write_end)
    with os.fdopen(read_end) as reader:
        display = reader.readline().strip()
    if not display:
        server.kill()
        raise SystemExit("Xvfb did not start")
    return server, ":" + display


def outside(program):
    missing = missing_tools()
    if missing:
        print("SKIPPED: not installed: %s; scripts/install-deps.sh test installs them" % ", ".join(missing))
        return SKIPPED
    with tempfile.TemporaryDirectory(prefix="kalmo-screen-reader-") as folder:
        env = dict(os.environ)
        for name in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "HOME"):
            env[name] = os.path.join(folder, name.lower())
            os.makedirs(env[name], mode=0o700)
        server, env["DISPLAY"] = start_x_server(folder)
        env["QT_QPA_PLATFORM"] = "xcb"
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        # In a process group of its own, so that a run that hangs takes the
        # program and the bus daemons with it when it is stopped.
        inside = subprocess.Popen(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), "--inside",
                                   program, folder], env=env, start_new_session=True)
        try:
            return inside.wait(timeout=50)
        except subprocess.TimeoutExpired:
            print("FAILED: no answer within 50 seconds")
            return 1
        finally:
            if inside.poll() is None:
                os.killpg(inside.pid, signal.SIGKILL)
                inside.wait()
            server.terminate()
            server.wait()


class Reader:
    """The program as AT-SPI shows it, and the events it sends."""

    def __init__(self, pyatspi, process):
        from gi.repository import GLib
        self.pyatspi = pyatspi
        self.context = GLib.MainContext.default()
        self.process = process
        self.events = []
        self.failures = []
        for kind in ("object:text-caret-moved", "object:property-change:accessible-name",
                     "object:property-change:accessible-description", "object:state-changed:focused"):
            pyatspi.Registry.registerEventListener(self.events.append, kind)

    def pump(self):
        while self.context.pending():
            self.context.iteration(False)

    def wait_for(self, what, find):
        """Whatever find() returns first that is not None, or None after the time limit."""
        deadline = time.monotonic() + WAIT_SECONDS
        while self.process.poll() is None:
            self.pump()
            try:
                found = find()
            except Exception:  # an object that went away while it was read
                found = None
            if found is not None or time.monotonic() > deadline:
                break
            time.sleep(0.05)
        else:
            self.fail("the program ended (exit status %d) before %s" % (self.process.returncode, what))
            return None
        if found is None:
            self.fail("gave up waiting for " + what)
        return found

    def check(self, condition, what):
        if not condition:
            self.fail(what)
        return condition

    def fail(self, what):
        print("FAILED: " + what)
        self.failures.append(what)

    def application(self):
        for application in self.pyatspi.Registry.getDesktop(0):
            if application is not None and application.get_process_id() == self.process.pid:
                return application
        return None

    def window(self, title):
        application = self.application()
        for window in application or []:
            if window is not None and window.name == title and self.has(window, "SHOWING"):
                return window
        return None

    def find(self, root, role, name=None, start=None):
        """The first showing object of `role` (and `name`, or a name starting with `start`) below
        root: a hidden one (the wrapping areas of a window at its stored size) is not read."""
        if root is None:
            return None
        matches = lambda item: (item.getRoleName() == role and (name is None or item.name == name)
                                and (start is None or item.name.startswith(start)) and self.has(item, "SHOWING"))
        return self.pyatspi.utils.findDescendant(root, lambda item: item is not None and matches(item))

    def has(self, item, state):
        return item.getState().contains(getattr(self.pyatspi, "STATE_" + state))

    def focused(self, root):
        return self.pyatspi.utils.findDescendant(root, lambda item: item is not None and self.has(item, "FOCUSED"))

    def keys(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "30"] + list(keys), check=True)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "30", text], check=True)

    def events_of(self, kind, source):
        return [event for event in self.events if event.type == kind and event.source == source]

    def print_tree(self, item, depth=0):
        """What a screen reader reads: role, name, description, states, text; menus only by their titles."""
        shown = ("FOCUSED", "FOCUSABLE", "EDITABLE", "SHOWING")
        states = ",".join(state.lower() for state in shown if self.has(item, state))
        line = "%s%s \"%s\"" % ("  " * depth, item.getRoleName(), item.name)
        if item.description:
            line += " (%s)" % item.description
        line += " [%s]" % states
        if "Text" in item.get_interfaces() and item.getRoleName() != "label":
            text = item.queryText()
            line += " text=%r" % text.getText(0, min(text.characterCount, 50))
        print(line)
        if item.getRoleName() in ("menu item", "popup menu"):
            return
        for child in item:
            if child is not None:
                self.print_tree(child, depth + 1)


def name_of(item):
    return item.name if item is not None else None


def inside(program, folder):
    import pyatspi
    path = os.path.join(folder, "lang.php")
    with open(path, "w", encoding="utf-8") as file:
        file.write(LANGUAGE_FILE)
    process = subprocess.Popen([program, path], cwd=folder)
    reader = Reader(pyatspi, process)
    try:
        check_program(reader)
        main = reader.window("KALMO Translator")
        if main is not None:
            reader.print_tree(main)
    finally:
        process.send_signal(signal.SIGKILL)
        process.wait()
    if reader.failures:
        print("%d checks failed" % len(reader.failures))
        return 1
    print("every check passed")
    return 0


def check_program(reader):
    main = reader.wait_for("the main window", lambda: reader.window("KALMO Translator"))
    if main is None:
        return
    field = reader.wait_for("the translation field", lambda: reader.find(main, "text", start="Translation"))
    if field is None:
        return
    reader.wait_for("the first entry", lambda: field if field.queryText().getText(0, -1) == "My site" else None)
    reader.check(field.name == "Translation of _SITE_TITLE", "the field is named for the constant: %r" % field.name)
    check_translation_field(reader, main, field)
    check_status_panels_and_entry_step(reader, main, field)
    check_menus(reader, main, field)
    check_viewer_panes(reader)
    check_close_buttons(reader, main)


def check_translation_field(reader, main, field):
    reader.check(field.description == "My site", "the field is described by the source text: %r" % field.description)
    labels = [target for relation in field.getRelationSet()
              if relation.getRelationType() == reader.pyatspi.RELATION_LABELLED_BY
              for target in (relation.getTarget(i) for i in range(relation.getNTargets()))]
    reader.check([name_of(label) for label in labels] == ["To be translated text"],
                 "the field is labelled by its caption: %r" % [name_of(label) for label in labels])


def check_status_panels_and_entry_step(reader, main, field):
    status = reader.find(main, "status bar")
    encoding = reader.find(status, "label", start="Character set")
    progress = reader.find(status, "label", start="Progress")
    reader.check(name_of(encoding) == "Character set: UTF-8", "the character set panel reads %r" % name_of(encoding))
    reader.check(name_of(progress) == "Progress: translated 0 of 2", "the progress panel reads %r" % name_of(progress))
    if field is None or progress is None:
        return

    # A translation committed with Enter: the next entry is shown selected.
    reader.type("Mon site")
    del reader.events[:]
    reader.keys("Return")
    reader.wait_for("the next entry", lambda: field if field.name == "Translation of _GREETING" else None)
    reader.wait_for("the progress told", lambda: reader.events_of("object:property-change:accessible-name",
                                                                  progress) or None)
    reader.check(progress.name.startswith("Progress: translated 1 of 2"), "the progress reads %r" % progress.name)
    told = reader.wait_for("the next constant told", lambda: reader.events_of(
        "object:property-change:accessible-name", field) or None)
    reader.check(told is not None, "the field's new name is told")
    reader.check(field.description == "Hello \u4f60\u597d", "the source text: %r" % field.description)
    text = field.queryText()
    shown = text.getText(0, -1)
    reader.check(text.caretOffset == len(shown), "the caret is at the end of %r: %d" % (shown, text.caretOffset))
    moves = reader.wait_for("a caret move", lambda: reader.events_of("object:text-caret-moved", field) or None)
    reader.check(moves is not None and moves[-1].detail1 == len(shown),
                 "the last caret move tells where the caret is: %r" % (moves and moves[-1].detail1))


def check_menus(reader, main, field):
    reader.check([name_of(menu) for menu in reader.find(main, "menu bar")] == ["File", "View", "Navigate", "Tools", "Help"],
                 "the menus read File, View, Navigate, Tools, Help")
    before = field.queryText().getText(0, -1)
    reader.keys("alt+f")
    opened = reader.wait_for("the File menu", lambda: reader.pyatspi.utils.findDescendant(
        reader.find(main, "menu item", "File"), lambda item: item is not None and item.getRoleName() == "popup menu"
        and reader.has(item, "SHOWING")))
    reader.check(field.queryText().getText(0, -1) == before, "Alt+F typed into the translation")
    if opened is None:
        print("  the focus was on %r" % name_of(reader.focused(reader.application())))
    else:
        reader.keys("Escape")
        reader.wait_for("the File menu closing", lambda: None if reader.has(opened, "SHOWING") else opened)


def check_viewer_panes(reader):
    reader.keys("ctrl+w")
    viewer = reader.wait_for("the source viewer", lambda: reader.window("Sourceviewer"))
    if viewer is None:
        return
    reader.print_tree(viewer)
    upper = reader.find(viewer, "text", "Original Sourcefile")
    lower = reader.find(viewer, "text", "Translated Sourcefile")
    for pane in (upper, lower):
        reader.check(reader.has(pane, "ENABLED") and reader.has(pane, "FOCUSABLE") and not reader.has(pane, "EDITABLE"),
                     "%s is an enabled, focusable read-only text" % pane.name)
    text = upper.queryText()
    start = text.getText(0, -1).index("_SITE_TITLE")
    word = text.getTextAtOffset(start + 3, reader.pyatspi.TEXT_BOUNDARY_WORD_START)[0]
    reader.check(word == "_SITE_TITLE", "a word query reads %r" % word)
    wide = text.getText(0, -1).index("\u4f60")
    wide_width = text.getCharacterExtents(wide, reader.pyatspi.DESKTOP_COORDS)[2]
    narrow_width = text.getCharacterExtents(wide - 1, reader.pyatspi.DESKTOP_COORDS)[2]
    reader.check(wide_width == 2 * narrow_width, "a wide character is %d pixels wide, a narrow one %d"
                 % (wide_width, narrow_width))

    # Tab reaches both panes.
    reader.wait_for("the upper pane focused", lambda: upper if reader.has(upper, "FOCUSED") else None)
    reader.keys("Tab")
    reader.wait_for("the lower pane focused by Tab", lambda: lower if reader.has(lower, "FOCUSED") else None)

    # Full-text editing makes the lower pane an editable text, and back.
    reader.keys("F2")
    reader.wait_for("the lower pane editable", lambda: lower if reader.has(lower, "EDITABLE") else None)
    reader.check("EditableText" in lower.get_interfaces(), "the editable lower pane has the editable-text interface")
    reader.keys("F2")
    reader.wait_for("the lower pane read-only again", lambda: None if reader.has(lower, "EDITABLE") else lower)
    reader.keys("ctrl+w")
    reader.wait_for("the viewer hidden", lambda: None if reader.window("Sourceviewer") else True)


def check_close_buttons(reader, main):
    for keys, title, move in (("ctrl+a", "About", []), ("ctrl+h", "Help", ["Tab", "Tab"])):
        reader.keys(keys)
        window = reader.wait_for(title, lambda: reader.window(title))
        if window is None:
            continue
        close = reader.wait_for("CLOSE focused in " + title, lambda: reader.focused(window))
        reader.print_tree(window)
        reader.check(name_of(close) == "CLOSE", "%s opens with %r focused" % (title, name_of(close)))
        for key in move:
            reader.keys(key)
            reader.wait_for("Tab in " + title, lambda: reader.focused(window))
        reader.check(name_of(reader.focused(window)) == "CLOSE", "Tab in %s comes back to CLOSE" % title)
        reader.keys("space" if title == "About" else "Return")
        reader.wait_for(title + " closed", lambda: None if reader.window(title) else True)


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--inside":
        sys.exit(inside(sys.argv[2], sys.argv[3]))
    if len(sys.argv) != 2:
        sys.exit(__doc__ or "usage: screen-reader-test.py KALMO_TRANSLATOR")
    sys.exit(outside(sys.argv[1]))
