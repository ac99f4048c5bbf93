#!/usr/bin/env python3
"""The Qt calculator on its own Xvfb, driven by real key events (XTEST).

Usage: run_x11_test.py PROGRAM KEY_CASES

Starts the program, waits for its window, checks its starting title, runs
every key case and reads the clipboard and the title after each. The program
and the X server are stopped whatever happens.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import x11_driver as x  # noqa: E402

SKIP = 77  # the tools are missing: scripts/test installs them


def main():
    program, case_file = sys.argv[1], sys.argv[2]
    missing = [tool for tool in ("Xvfb", "xdotool", "xclip", "xprop") if not shutil.which(tool)]
    if missing:
        print(f"skipped: {', '.join(missing)} not installed")
        return SKIP
    cases = x.load_cases(case_file)
    # A stop from outside (ctest, Ctrl+C) still runs the clean-up below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    display = x.x_display()
    calculator = None
    runtime_dir = tempfile.TemporaryDirectory()
    try:
        env = dict(display.env, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime_dir.name)
        calculator = subprocess.Popen([program], env=env, start_new_session=True)
        window = display.find_window("--pid", str(calculator.pid))
        x.wait_for("the eight-card title", lambda: display.title(window) == x.TITLES["eight"])
        failures = x.run_cases(display, window, cases)
        if calculator.poll() is not None:
            print(f"FAIL  the calculator ended with status {calculator.returncode}")
            return 1
        print(f"{len(cases) - len(failures)} passed, {len(failures)} failed")
        return 1 if failures else 0
    except x.test_failure as failure:
        print(f"FAIL  {failure}")
        return 1
    finally:
        if calculator is not None:
            x.stop_process_group(calculator)
        display.close()
        runtime_dir.cleanup()


if __name__ == "__main__":
    sys.exit(main())
