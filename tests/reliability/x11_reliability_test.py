#!/usr/bin/env python3
"""The real calculator on its own Xvfb in unfriendly conditions.

Usage: x11_reliability_test.py CASE CALCULATOR CARD_PAIRS [--sanitized]

Cases:
  random_typing     random key sequences through XTEST; after each one Ctrl+C
                    must copy what a model of the key commands says, and the
                    program must still be running
  no_cjk_font       only a Latin font, then no font at all
  locales           the title stays right under locales that cannot show it
  clipboard_held    another program holds the clipboard; Ctrl+C takes it over
  close_mid_slide   Alt+F4 while the help strip is moving
  close_after_ten   the close button right after a ten-card calculation
  outer_size        the window with its frame is 380 x 273, centred

All but random_typing run under a window manager (openbox), so that closing
the window is a real close request. Every close must end the program with
status 0 and run its exit routine exactly once; the exit routine is watched
through gdb, except in a sanitizer build (--sanitized), where the leak check
at exit is watched instead.
"""

import ctypes
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "x11"))
import x11_driver as x  # noqa: E402

SKIP = 77
OUTER_WIDTH, OUTER_HEIGHT = 380, 273
EXIT_ROUTINE_MARK = "exit routine release_globals ran"


# --- a model of the key commands, from the key table ---------------------

CARD_VALUES = {"N": 10, "J": 11, "Q": 12, "K": 13, **{str(d): d for d in range(1, 10)}}


class key_model:
    """Cards, mode and the first result line, as the key table says they go."""

    def __init__(self, first_line_of):
        self.first_line_of = first_line_of  # the solver's first line for a buffer
        self.cards, self.limit, self.first_line = [], 8, ""
        self.num_lock = False

    def buffer(self):
        return "".join(c + "," for c in self.cards)

    def calculate(self):
        self.first_line = self.first_line_of(self.buffer())

    def press(self, command):
        kind, _, card = command.partition(":")
        if kind == "card":
            if len(self.cards) < self.limit:
                self.cards.append(card)
            if len(self.cards) == self.limit:
                self.calculate()
        elif kind == "enter":
            self.calculate()
        elif kind in ("esc", "backspace"):
            if kind == "esc":
                self.cards = []
            elif self.cards:
                self.cards.pop()
            self.first_line = ""
        elif kind == "switch":
            self.limit = 10 if self.limit == 8 else 8


# The keys the random typist uses: (xdotool step, command or None for none).
# Keypad digits depend on Num Lock and are added below.
TYPED_KEYS = [
    *[(str(d), f"card:{'N' if d == 0 else d}") for d in range(10)],
    ("j", "card:J"), ("J", "card:J"), ("slash", "card:J"), ("alt+j", "card:J"), ("ctrl+j", "card:J"),
    ("q", "card:Q"), ("shift+q", "card:Q"), ("k", "card:K"), ("minus", "card:K"), ("shift+8", "card:8"),
    ("kp:/", "card:J"), ("kp:*", "card:Q"), ("kp:-", "card:K"),
    ("Return", "enter"), ("kp:Enter", "enter"), ("Escape", "esc"), ("BackSpace", "backspace"),
    ("kp:+", "switch"),
    # Keys without a command: C without Ctrl alone, Ctrl with Shift, "=", letters, F1, Tab.
    ("c", None), ("shift+c", None), ("ctrl+shift+c", None), ("alt+c", None), ("equal", None), ("a", None),
    ("F1", None), ("Tab", None), ("kp:.", None), ("ctrl+c", "copy"),
]


def typed_key(rng, model):
    if rng.random() < 0.15:
        digit = rng.randrange(10)
        # With Num Lock off the keypad digits are navigation keys and do nothing.
        return f"kp:{digit}", (f"card:{'N' if digit == 0 else digit}" if model.num_lock else None)
    if model.limit == 10 and len(model.cards) >= 9 and rng.random() < 0.4:
        return "kp:+", "switch"  # into the over-full state
    return rng.choice(TYPED_KEYS)


def send_keys(display, steps):
    """Plain key names go to xdotool together; keypad keys by their key codes."""
    names = [x.KEYPAD[s[3:]] if s.startswith("kp:") else s for s in steps]
    for i in range(0, len(names), 40):
        display.run("xdotool", "key", "--delay", "15", *map(str, names[i:i + 40]))


def case_random_typing(env):
    first_lines = {}

    def first_line_of(buffer):
        if buffer not in first_lines:
            out = subprocess.run([env.card_pairs, buffer], capture_output=True, text=True, check=True).stdout
            first_lines[buffer] = out.split("\n")[0]
        return first_lines[buffer]

    with running_calculator(env, window_manager=False) as calc:
        display, window = calc.display, calc.window
        for seed in (101, 202, 303):
            rng = random.Random(seed)
            model = key_model(first_line_of)
            display.focus(window)
            display.set_lock(x.NUM_LOCK_MASK, x.NUM_LOCK_KEY, False)
            send_keys(display, ["Escape"] + (["kp:+"] if display.title(window) == x.TITLES["ten"] else []))
            x.wait_for("the eight-card title", lambda: display.title(window) == x.TITLES["eight"])
            for sequence in range(12):
                display.set_clipboard(x.SENTINEL)
                if rng.random() < 0.3:
                    model.num_lock = not model.num_lock
                    display.set_lock(x.NUM_LOCK_MASK, x.NUM_LOCK_KEY, model.num_lock)
                steps = []
                for _ in range(rng.randrange(4, 30)):
                    step, command = typed_key(rng, model)
                    # A held key: the same press again and again.
                    for _ in range(rng.randrange(2, 12) if rng.random() < 0.1 else 1):
                        steps.append(step)
                        if command and command != "copy":
                            model.press(command)
                history = steps[-30:]
                steps.append("ctrl+c")
                send_keys(display, steps)
                want = (model.first_line, x.TITLES["eight" if model.limit == 8 else "ten"])
                seen = [None, None]

                def probe():
                    seen[:] = [display.clipboard(), display.title(window)]
                    return tuple(seen) == want

                try:
                    x.wait_for("the copy", probe, give_up=30)
                except x.test_failure:
                    raise x.test_failure(
                        f"seed {seed}, sequence {sequence}: after {' '.join(history)} the model expects "
                        f"clipboard {want[0]!r} and title {want[1]!r}; saw {seen[0]!r} and {seen[1]!r}") from None
                calc.expect_running()
            print(f"ok    seed {seed}: 12 sequences")


# --- hostile environments --------------------------------------------------

def fontconfig_without_cjk(directory, font_dirs):
    """A fontconfig setup that knows only the given font folders."""
    path = os.path.join(directory, "fonts.conf")
    dirs = "".join(f"<dir>{d}</dir>" for d in font_dirs)
    with open(path, "w", encoding="utf-8") as f:
        f.write(f'<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd">'
                f"<fontconfig>{dirs}<cachedir>{directory}/cache</cachedir></fontconfig>")
    return path


def check_calculates(calc, keys=("3", "0", "k", "Return"), first_line="10+3 = K"):
    calc.display.set_clipboard(x.SENTINEL)
    send_keys(calc.display, [*keys, "ctrl+c"])
    x.wait_for(f"{first_line!r} on the clipboard", lambda: calc.display.clipboard() == first_line)


def case_no_cjk_font(env):
    with tempfile.TemporaryDirectory() as fonts:
        for name, dirs in (("a Latin font only", ["/usr/share/fonts/truetype/dejavu"]), ("no font at all", [])):
            directory = os.path.join(fonts, f"{len(dirs)}-dirs")
            os.makedirs(directory)
            config = fontconfig_without_cjk(directory, dirs)
            with running_calculator(env, extra_env={"FONTCONFIG_FILE": config}) as calc:
                check_calculates(calc)
                # Let the strip draw its Chinese messages without a face for them.
                calc.wait_for_strip_to_move()
                calc.expect_running()
                calc.close_by_keys()
            print(f"ok    {name}")


def case_locales(env):
    settings = [{"LANG": "C"}, {"LC_ALL": "C"}, {"LC_ALL": "POSIX"}, {"LANG": "en_US.ISO-8859-1"},
                {"LC_ALL": "zh_CN.GBK"}, {"LANG": "zh_CN.UTF-8", "LC_ALL": "ja_JP.EUC-JP"}, {"LANG": "tr_TR.UTF-8"}]
    for setting in settings:
        with running_calculator(env, extra_env=setting, locale_from_test=False) as calc:
            display, window = calc.display, calc.window
            send_keys(display, ["kp:+"])
            x.wait_for(f"the ten-card title under {setting}", lambda: display.title(window) == x.TITLES["ten"])
            send_keys(display, ["kp:+"])
            x.wait_for(f"the eight-card title under {setting}", lambda: display.title(window) == x.TITLES["eight"])
            check_calculates(calc, keys=("1", "slash", "0", "Return"), first_line="10+1 = J")
            calc.close_by_keys()
        print(f"ok    {setting}")


def case_clipboard_held(env):
    with running_calculator(env) as calc:
        display = calc.display
        for attempt in range(2):
            holder = subprocess.Popen(["xclip", "-i", "-quiet", "-selection", "clipboard"], env=display.env,
                                      stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                      text=True, start_new_session=True)
            holder.stdin.write("held by another program")
            holder.stdin.close()
            try:
                x.wait_for("xclip to hold the clipboard",
                           lambda: display.clipboard() == "held by another program")
                send_keys(display, ["Escape", "5", "5", "Return", "ctrl+c"])
                x.wait_for("the calculator to take the clipboard over", lambda: display.clipboard() == "5 = 5")
                # The holder lost the clipboard and ended by itself.
                x.wait_for("xclip to let go", lambda: holder.poll() is not None)
            finally:
                x.stop_process_group(holder)
            calc.expect_running()
        calc.close_by_keys()
    print("ok    Ctrl+C took the clipboard over from xclip, twice")


def case_close_mid_slide(env):
    with running_calculator(env) as calc:
        calc.wait_for_strip_to_move()
        calc.close_by_keys()
    print("ok    Alt+F4 while the strip slides")


def case_close_after_ten(env):
    with running_calculator(env) as calc:
        send_keys(calc.display, ["kp:+"] + ["k"] * 10)
        calc.close_by_button()
    print("ok    the close button right after ten kings")


def case_outer_size(env):
    with running_calculator(env) as calc:
        want = ((calc.display.width - OUTER_WIDTH) // 2, (calc.display.height - OUTER_HEIGHT) // 2,
                OUTER_WIDTH, OUTER_HEIGHT)
        seen = [None]

        def probe():
            seen[0] = calc.frame_geometry()
            return seen[0] == want

        try:
            # The window manager frames the window after it appears; give it a moment.
            x.wait_for("the frame", probe, give_up=10)
        except x.test_failure:
            left, top, width, height = seen[0]
            raise x.test_failure(f"the window with its frame is {width}x{height} at {left},{top}; "
                                 f"expected {want[2]}x{want[3]} at {want[0]},{want[1]}") from None
        calc.close_by_keys()
    print(f"ok    {OUTER_WIDTH}x{OUTER_HEIGHT} with the frame, centred")


CASES = {
    "random_typing": case_random_typing,
    "no_cjk_font": case_no_cjk_font,
    "locales": case_locales,
    "clipboard_held": case_clipboard_held,
    "close_mid_slide": case_close_mid_slide,
    "close_after_ten": case_close_after_ten,
    "outer_size": case_outer_size,
}


# --- running the program ----------------------------------------------------

class _x_image(ctypes.Structure):
    """The leading fields of Xlib's XImage."""
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int)]


class environment:
    def __init__(self, calculator, card_pairs, sanitized):
        self.calculator, self.card_pairs, self.sanitized = calculator, card_pairs, sanitized
        self.gdb = None if sanitized else shutil.which("gdb")


class running_calculator:
    """The calculator on a fresh Xvfb (with openbox unless told otherwise)."""

    def __init__(self, env, window_manager=True, extra_env=None, locale_from_test=True):
        self.env, self.window_manager = env, window_manager
        self.extra_env, self.locale_from_test = extra_env or {}, locale_from_test
        self.display = self.manager = self.process = None
        self.output = tempfile.TemporaryFile(mode="w+")
        self._xlib = self._connection = None

    def __enter__(self):
        self.display = x.x_display()
        try:
            if self.window_manager:
                self.manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.display.env,
                                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                                start_new_session=True)
                x.wait_for("openbox to manage the screen", self._manager_running)
            self.runtime = tempfile.TemporaryDirectory()
            program_env = dict(self.display.env, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=self.runtime.name)
            if not self.locale_from_test:
                for name in ("LC_ALL", "LANG", "LANGUAGE"):
                    program_env.pop(name, None)
            program_env.update(self.extra_env)
            command = [self.env.calculator]
            if self.env.gdb:
                # gdb reports every run of the exit routine and how the program ended.
                command = [self.env.gdb, "-q", "-batch", "-nx", "-ex", "set breakpoint pending on",
                           "-ex", f'dprintf calc::release_globals,"{EXIT_ROUTINE_MARK}\\n"',
                           "-ex", "run", "--args", *command]
            self.process = subprocess.Popen(command, env=program_env, stdin=subprocess.DEVNULL, stdout=self.output,
                                            stderr=subprocess.STDOUT, start_new_session=True)
            self.window = self.display.find_window("--class", "card-calculator")
            x.wait_for("the eight-card title", lambda: self.display.title(self.window) == x.TITLES["eight"])
            self.display.focus(self.window)
            return self
        except BaseException:
            self._stop()
            raise

    def __exit__(self, kind, value, trace):
        self._stop()
        return False

    def _manager_running(self):
        out = self.display.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False).stdout
        return "window id" in out

    def _stop(self):
        if self._connection:
            self._xlib.XCloseDisplay(ctypes.c_void_p(self._connection))
            self._connection = None
        if self.process is not None:
            x.stop_process_group(self.process)
        if self.manager is not None:
            x.stop_process_group(self.manager)
        self.display.close()

    def log(self):
        self.output.seek(0)
        return self.output.read()

    def expect_running(self):
        if self.process.poll() is not None:
            raise x.test_failure(f"the calculator ended with status {self.process.returncode}:\n{self.log()}")

    def frame_geometry(self):
        """The outer window: the window manager's frame around the client."""
        frame = self.window
        while True:
            tree = self.display.run("xwininfo", "-tree", "-id", frame).stdout
            parent = re.search(r"Parent window id: (0x[0-9a-f]+)", tree).group(1)
            if "(the root window)" in tree.split("Parent window id:")[1].splitlines()[0]:
                break
            frame = parent
        info = self.display.run("xwininfo", "-frame", "-id", frame).stdout
        value = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))  # noqa: E731
        return value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height")

    def _strip_pixels(self):
        """The strip's pixels, read straight from the X server (a tool per look would be too slow)."""
        if self._xlib is None:
            self._xlib = ctypes.CDLL("libX11.so.6")
            self._xlib.XOpenDisplay.restype = ctypes.c_void_p
            self._xlib.XGetImage.restype = ctypes.POINTER(_x_image)
            self._xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                             ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
            self._xlib.XFree.argtypes = [ctypes.c_void_p]
            self._connection = self._xlib.XOpenDisplay(self.display.name.encode())
        image = self._xlib.XGetImage(self._connection, int(self.window), 17, 212, 340, 16, 0xFFFFFFFF, 2)
        if not image:
            return b""
        pixels = ctypes.string_at(image.contents.data, image.contents.bytes_per_line * image.contents.height)
        self._xlib.XFree(image.contents.data)
        self._xlib.XFree(image)
        return pixels

    def wait_for_strip_to_move(self):
        """Returns once the strip has changed twice within a moment: it is sliding now
        (a slide step comes every 100 ms; a new message stands still for 3 s)."""
        last, changed_at = [self._strip_pixels()], []

        def moved():
            now = self._strip_pixels()
            if now != last[0]:
                changed_at.append(time.monotonic())
                last[0] = now
            return len(changed_at) >= 2 and changed_at[-1] - changed_at[-2] < 0.5

        x.wait_for("the strip to slide", moved, interval=0.02)

    def close_by_keys(self):
        # On a loaded machine a key can reach the window manager before it is
        # ready for it; like a user, ask again while the program is still up.
        for _ in range(4):
            if self.process.poll() is not None:
                break
            self.display.run("xdotool", "windowfocus", "--sync", self.window, check=False)
            self.display.run("xdotool", "key", "alt+F4", check=False)
            try:
                x.wait_for("the calculator to end after Alt+F4", lambda: self.process.poll() is not None,
                           give_up=15)
            except x.test_failure:
                continue
        self._expect_clean_exit("Alt+F4")

    def close_by_button(self):
        left, top, width, _ = self.frame_geometry()
        # The close button is the last one on the right of openbox's title bar.
        self.display.run("xdotool", "mousemove", "--sync", str(left + width - 11), str(top + 10),
                         "click", "1")
        self._expect_clean_exit("the close button")

    def _expect_clean_exit(self, how):
        try:
            x.wait_for(f"the calculator to end after {how}", lambda: self.process.poll() is not None)
        except x.test_failure:
            raise x.test_failure(f"the calculator is still running after {how}") from None
        log = self.log()
        if self.process.returncode != 0:
            raise x.test_failure(f"after {how} the calculator ended with status {self.process.returncode}:\n{log}")
        if self.env.gdb:
            if not re.search(r"\[Inferior 1 \(process \d+\) exited normally\]", log):
                raise x.test_failure(f"after {how} the calculator did not end with status 0:\n{log}")
            runs = log.count(EXIT_ROUTINE_MARK)
            if runs != 1:
                raise x.test_failure(f"after {how} the exit routine ran {runs} times:\n{log}")


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if len(args) != 3 or args[0] not in CASES:
        print(__doc__)
        return 2
    missing = [t for t in ("Xvfb", "xdotool", "xclip", "xprop", "xwininfo", "openbox")
               if not shutil.which(t)]
    if missing:
        print(f"skipped: {', '.join(missing)} not installed")
        return SKIP
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    env = environment(args[1], args[2], "--sanitized" in sys.argv)
    try:
        CASES[args[0]](env)
    except x.test_failure as failure:
        print(f"FAIL  {failure}")
        return 1
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
