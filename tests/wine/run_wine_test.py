#!/usr/bin/env python3
"""The Windows build under Wine, on its own Xvfb, driven by real key events.

Usage: run_wine_test.py BUILD_WIN_DIR KEY_CASES

Creates a fresh Wine prefix inside BUILD_WIN_DIR, starts card-calculator.exe,
checks its title, outer size and centred position, runs the key cases that
the X11 test runs against the Qt window, lets card-pairs.exe answer a hand,
saves a screenshot of the window to BUILD_WIN_DIR/screenshot.png, watches the
help strip move and closes the window with Alt+F4. Wine,
the program and the X server are stopped whatever happens.
"""

import os
import shutil
import signal
import subprocess
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "x11"))
import x11_driver as x  # noqa: E402

OUTER_SIZE = (380, 273)
# What a Western Windows with East Asian support has: Tahoma, the face of the
# title bar, falls back to a Chinese face for the characters it lacks.
TAHOMA_FALLBACK = "uming.ttc,AR PL UMing CN"
MARLETT = "/usr/share/wine/fonts/marlett.ttf"  # the title bar's button glyphs
SCREENSHOT_KEYS = ["1", "2", "3", "4", "5", "6", "7", "8"]
PAIRS_HAND = ["3", "N", "K"]
PAIRS_ANSWER = "10+3 = K\n"


def find_wine():
    for candidate in (shutil.which("wine64"), "/usr/lib/wine/wine64", shutil.which("wine")):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    return None


class wine_prefix:
    """A fresh prefix for one X display; wineserver -k ends everything in it."""

    def __init__(self, build_dir, display, wine):
        self.wine = wine
        self.path = os.path.join(build_dir, f"wine-prefix{display.name.replace(':', '-')}")
        shutil.rmtree(self.path, ignore_errors=True)
        self.env = dict(display.env, WINEPREFIX=self.path, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", WINEARCH="win64")
        self.run("wineboot", "--init")
        # Without a window manager Wine draws the frame and title bar itself
        # only for windows it does not leave to one.
        self.run("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f")
        self.run("reg", "add", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink",
                 "/v", "Tahoma", "/t", "REG_MULTI_SZ", "/d", TAHOMA_FALLBACK, "/f")
        if os.path.exists(MARLETT):
            shutil.copy(MARLETT, os.path.join(self.path, "drive_c", "windows", "Fonts"))

    def run(self, *command):
        result = subprocess.run([self.wine, *command], env=self.env, capture_output=True, text=True,
                                timeout=300)
        if result.returncode != 0:
            raise x.test_failure(f"wine {' '.join(command)} failed ({result.returncode}): {result.stderr.strip()}")
        return result

    def start(self, program):
        return subprocess.Popen([self.wine, program], env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, start_new_session=True)

    def close(self):
        server = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
        subprocess.run([server, "-k"], env=self.env, capture_output=True, timeout=60)
        # Waits until the server and every Wine process of the prefix have ended.
        subprocess.run([server, "-w"], env=self.env, capture_output=True, timeout=60)


def check(condition, message, failures):
    print(f"{'ok   ' if condition else 'FAIL '} {message}")
    if not condition:
        failures.append(message)


def main():
    build_dir, case_file = os.path.abspath(sys.argv[1]), sys.argv[2]
    calculator_exe = os.path.join(build_dir, "card-calculator.exe")
    pairs_exe = os.path.join(build_dir, "card-pairs.exe")
    wine = find_wine()
    if not wine:
        print("FAIL  Wine is not installed")
        return 1
    cases = x.load_cases(case_file)
    # A stop from outside still runs the clean-up below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))

    failures = []
    display = x.x_display()
    prefix = calculator = None
    try:
        prefix = wine_prefix(build_dir, display, wine)
        calculator = prefix.start(calculator_exe)
        window = display.find_window("--class", "card-calculator")
        x.wait_for("the eight-card title", lambda: display.title(window) == x.TITLES["eight"])
        check(True, "title of the eight-card mode, read back in UTF-8", failures)

        left, top, width, height = display.geometry(window)
        check((width, height) == OUTER_SIZE, f"outer size {width}x{height}", failures)
        centred = ((display.width - OUTER_SIZE[0]) // 2, (display.height - OUTER_SIZE[1]) // 2)
        check((left, top) == centred, f"position {left},{top} (centred: {centred[0]},{centred[1]})", failures)

        failures += x.run_cases(display, window, cases)

        # The screenshot shows a calculation: the first line in red above the black lines.
        x.reset(display, window)
        display.run("xdotool", "key", *SCREENSHOT_KEYS, "ctrl+c")
        x.wait_for("the calculation for the screenshot", lambda: display.clipboard() not in (None, x.SENTINEL))
        screenshot = os.path.join(build_dir, "screenshot.png")
        display.screenshot(window, screenshot)
        print(f"saved {screenshot}")

        if os.path.exists(pairs_exe):
            answer = prefix.run(pairs_exe, *PAIRS_HAND).stdout.replace("\r\n", "\n")
            check(answer == PAIRS_ANSWER, f"card-pairs.exe {' '.join(PAIRS_HAND)} answered {answer!r}", failures)

        # With no key pressed, only the help strip changes: its timers tick.
        still = display.capture(window)
        x.wait_for("the help strip to move", lambda: display.capture(window) != still)
        check(True, "the help strip moves", failures)

        # Alt+F4 goes on to the ordinary handling after the key handler: the
        # window closes and the program ends normally.
        check(calculator.poll() is None, "the calculator is still running", failures)
        display.focus(window)
        display.run("xdotool", "key", "alt+F4")
        x.wait_for("the calculator to end after Alt+F4", lambda: calculator.poll() is not None)
        check(calculator.returncode == 0, f"Alt+F4 ended the calculator with status {calculator.returncode}",
              failures)
    except x.test_failure as failure:
        print(f"FAIL  {failure}")
        failures.append(str(failure))
    finally:
        if calculator is not None:
            x.stop_process_group(calculator)
        if prefix is not None:
            prefix.close()
            if not failures:
                shutil.rmtree(prefix.path, ignore_errors=True)  # some 700 MB; kept when something failed
        display.close()
    print(f"{len(cases) - sum(c['name'] in failures for c in cases)} key cases passed; "
          f"{len(failures)} failures in all")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
