#!/usr/bin/env bash
# The Windows build, proven under Wine: builds build-win/ with MinGW-w64, then
# runs card-calculator.exe on its own Xvfb with a fresh Wine prefix, sends it
# the key cases of the X11 test as real key events, checks its title, outer
# size and position, lets card-pairs.exe answer a hand, and leaves a
# screenshot in build-win/screenshot.png.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"

bash "$root/scripts/build-windows"
ensure_packages wine wine64 fonts-wine fonts-arphic-uming xvfb xdotool xclip x11-utils imagemagick
say "running the Windows programs under Wine"
python3 "$root/tests/wine/run_wine_test.py" "$root/build-win" "$root/tests/x11/key_cases.tsv"
