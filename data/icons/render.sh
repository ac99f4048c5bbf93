#!/usr/bin/env bash
# Renders the PNG icons from the SVG. The PNGs are committed, so builds need
# no converter; run this (needs rsvg-convert from librsvg2-bin) after editing the SVG.
set -euo pipefail
cd "$(dirname "$0")/hicolor"
id=io.github.cardcalc.Calculator
for n in 16 32 48 64 128 256; do
  mkdir -p "${n}x${n}/apps"
  rsvg-convert -w "$n" -h "$n" "scalable/apps/$id.svg" -o "${n}x${n}/apps/$id.png"
done
