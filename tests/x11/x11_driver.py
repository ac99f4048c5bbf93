"""Drives a calculator window on a private X display with real key events.

Shared by the X11 test of the Qt window and the Wine test of the Windows
build: both start a program on their own Xvfb, find its window, and run the
key cases of key_cases.tsv against it. The window's only outputs are its title
and the clipboard, so every case is a key sequence followed by a look at both.
"""

import ctypes
import os
import signal
import subprocess
import time

TITLES = {
    "eight": "Brakmoor计算器 - Velden版(八张)",
    "ten": "Brakmoor计算器 - Karst版(十张)",
}
SENTINEL = "clipboard-before-the-case"

# Keypad keys by their X key codes: xdotool's keysym names for them (KP_7...)
# would toggle Num Lock around the key.
KEYPAD = {
    "7": 79, "8": 80, "9": 81, "-": 82, "4": 83, "5": 84, "6": 85, "+": 86,
    "1": 87, "2": 88, "3": 89, "0": 90, ".": 91, "*": 63, "/": 106, "Enter": 104,
}
NUM_LOCK_KEY = 77
NUM_LOCK_MASK, CAPS_LOCK_MASK = 0x10, 0x02

# The longest wait for anything the program should do at once. Generous:
# a loaded machine or a program under a sanitizer may be slow.
GIVE_UP_SECONDS = 60


class test_failure(Exception):
    pass


def wait_for(what, probe, give_up=GIVE_UP_SECONDS, interval=0.05):
    """Polls probe() until it returns something true; fails after give_up seconds."""
    deadline = time.monotonic() + give_up
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise test_failure(f"gave up waiting for {what}")
        time.sleep(interval)


class _xkb_state(ctypes.Structure):
    _fields_ = [(name, kind) for name, kind in [
        ("group", ctypes.c_ubyte), ("locked_group", ctypes.c_ubyte),
        ("base_group", ctypes.c_ushort), ("latched_group", ctypes.c_ushort),
        ("mods", ctypes.c_ubyte), ("base_mods", ctypes.c_ubyte),
        ("latched_mods", ctypes.c_ubyte), ("locked_mods", ctypes.c_ubyte),
        ("compat_state", ctypes.c_ubyte), ("grab_mods", ctypes.c_ubyte),
        ("compat_grab_mods", ctypes.c_ubyte), ("lookup_mods", ctypes.c_ubyte),
        ("compat_lookup_mods", ctypes.c_ubyte), ("ptr_buttons", ctypes.c_ushort)]]


class x_display:
    """A private Xvfb; the X server picks a free display number itself."""

    def __init__(self, width=1024, height=768):
        self.width, self.height = width, height
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        os.close(write_end)
        with os.fdopen(read_end) as announcement:
            number = announcement.readline().strip()
        if not number:
            self.server.kill()
            raise test_failure("Xvfb did not start")
        self.name = f":{number}"
        self.env = dict(os.environ, DISPLAY=self.name, LC_ALL="C.UTF-8")
        self.env.pop("WAYLAND_DISPLAY", None)
        self._xlib = ctypes.CDLL("libX11.so.6")
        self._xlib.XOpenDisplay.restype = ctypes.c_void_p
        self._connection = ctypes.c_void_p(self._xlib.XOpenDisplay(self.name.encode()))
        if not self._connection:
            raise test_failure(f"cannot open display {self.name}")

    def close(self):
        if self._connection:
            self._xlib.XCloseDisplay(self._connection)
            self._connection = None
        stop_process_group(self.server)

    # --- tools -----------------------------------------------------------
    def run(self, *command, check=True, input_text=None):
        result = subprocess.run(list(command), env=self.env, capture_output=True, text=True,
                                input=input_text, timeout=GIVE_UP_SECONDS)
        if check and result.returncode != 0:
            raise test_failure(f"{' '.join(command)} failed: {result.stderr.strip()}")
        return result

    def find_window(self, *search):
        """The first visible window that `xdotool search` finds, by polling."""
        def probe():
            found = self.run("xdotool", "search", "--onlyvisible", *search, check=False).stdout.split()
            return found[0] if found else None
        return wait_for(f"a window ({' '.join(search)})", probe)

    def title(self, window):
        out = self.run("xprop", "-id", window, "_NET_WM_NAME", check=False).stdout
        if '"' not in out:
            return None
        quoted = out[out.index('"') + 1:out.rindex('"')]
        return quoted.replace('\\"', '"').replace("\\\\", "\\")

    def geometry(self, window):
        """(left, top, width, height) of the window on the screen."""
        values = {}
        for line in self.run("xdotool", "getwindowgeometry", "--shell", window).stdout.split():
            key, _, value = line.partition("=")
            values[key] = int(value) if value.lstrip("-").isdigit() else value
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def focus(self, window):
        self.run("xdotool", "windowfocus", "--sync", window)

    def clipboard(self):
        """The clipboard's text, or None when nothing holds it."""
        result = self.run("xclip", "-o", "-selection", "clipboard", check=False)
        return result.stdout if result.returncode == 0 else None

    def set_clipboard(self, content):
        # xclip stays in the background serving the text until another owner
        # takes the clipboard; it ends with the X server at the latest.
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], env=self.env, input=content, text=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=GIVE_UP_SECONDS)
        wait_for("the clipboard to take the sentinel", lambda: self.clipboard() == content)

    def locked_modifiers(self):
        state = _xkb_state()
        self._xlib.XkbGetState(self._connection, 0x100, ctypes.byref(state))  # the core keyboard
        return state.locked_mods

    def set_lock(self, mask, key, on):
        if bool(self.locked_modifiers() & mask) != on:
            self.run("xdotool", "key", str(key))
            wait_for("the lock to change", lambda: bool(self.locked_modifiers() & mask) == on)

    def screenshot(self, window, path):
        self.run("import", "-window", window, path)

    def capture(self, window):
        """The window's pixels, to compare two moments."""
        return subprocess.run(["import", "-window", window, "rgb:-"], env=self.env, capture_output=True,
                              timeout=GIVE_UP_SECONDS).stdout


def stop_process_group(process, grace=10):
    """Ends a process started with start_new_session=True, and its children."""
    if process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGTERM)
            process.wait(timeout=grace)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()


# --- the key cases --------------------------------------------------------

def load_cases(path):
    """Rows of name, steps, expected clipboard, expected title; # starts a comment."""
    cases = []
    with open(path, encoding="utf-8") as table:
        for line in table:
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 4:
                raise test_failure(f"{path}: a row needs four tab-separated fields: {line!r}")
            name, steps, clipboard, title = fields
            if title not in TITLES:
                raise test_failure(f"{path}: {name}: unknown title {title!r}")
            if clipboard == "<unchanged>" and (title != "ten" or steps.split()[-1:] != ["kp:+"]):
                # Without a visible change at its end, nothing shows when the keys have been handled.
                raise test_failure(f"{path}: {name}: a case that copies nothing must end with kp:+")
            cases.append({"name": name, "steps": steps.split(), "clipboard": clipboard, "title": title})
    return cases


def send_step(display, step):
    kind, _, argument = step.partition(":")
    if kind == "kp" and argument:
        display.run("xdotool", "key", str(KEYPAD[argument]))
    elif kind == "numlock" and argument in ("on", "off"):
        display.set_lock(NUM_LOCK_MASK, NUM_LOCK_KEY, argument == "on")
    elif kind == "capslock" and argument in ("on", "off"):
        display.set_lock(CAPS_LOCK_MASK, "Caps_Lock", argument == "on")
    elif kind == "hold" and argument:
        # Held long enough for the server's auto-repeat to fill any buffer.
        display.run("xdotool", "keydown", argument)
        time.sleep(2.5)
        display.run("xdotool", "keyup", argument)
    else:
        display.run("xdotool", "key", step)


def expected_clipboard(column):
    return {"<unchanged>": SENTINEL, "<empty>": ""}.get(column, column)


def reset(display, window):
    """Every case starts with no cards, no results, the eight-card mode, both locks off."""
    display.focus(window)
    display.set_lock(NUM_LOCK_MASK, NUM_LOCK_KEY, False)
    display.set_lock(CAPS_LOCK_MASK, "Caps_Lock", False)
    display.run("xdotool", "key", "Escape")
    if display.title(window) == TITLES["ten"]:
        display.run("xdotool", "key", str(KEYPAD["+"]))
    wait_for("the eight-card title", lambda: display.title(window) == TITLES["eight"])
    display.set_clipboard(SENTINEL)


def run_case(display, window, case):
    reset(display, window)
    for step in case["steps"]:
        send_step(display, step)
    want = (expected_clipboard(case["clipboard"]), TITLES[case["title"]])
    seen = [None, None]

    def probe():
        seen[:] = [display.clipboard(), display.title(window)]
        return tuple(seen) == want

    try:
        wait_for(case["name"], probe, give_up=20)
    except test_failure:
        raise test_failure(f"{case['name']}: expected clipboard {want[0]!r} and title {want[1]!r}, "
                           f"saw {seen[0]!r} and {seen[1]!r}") from None


def run_cases(display, window, cases, log=print):
    failures = []
    for case in cases:
        try:
            run_case(display, window, case)
            log(f"ok    {case['name']}")
        except test_failure as failure:
            log(f"FAIL  {failure}")
            failures.append(case["name"])
    return failures
