#!/usr/bin/env bash
# One check of the staged install: check_install.sh CHECK STAGE VERSION [PROGRAM...]
# STAGE holds the install (STAGE/usr), PROGRAM the programs this build makes.
# Exits 77 (skipped) when a validator is not installed.
set -uo pipefail
check=$1 stage=$2 version=$3
shift 3
programs=("$@")
usr=$stage/usr
id=io.github.cardcalc.Calculator
icon_sizes=(16 32 48 64 128 256)
failures=0

fail() {
  printf 'FAIL: %s\n' "$*"
  failures=$((failures + 1))
}
need_tool() {
  command -v "$1" >/dev/null || { echo "skipped: $1 is not installed"; exit 77; }
}
has_program() {
  local p
  for p in "${programs[@]}"; do [ "$p" = "$1" ] && return 0; done
  return 1
}
# The value of KEY in the [Desktop Entry] group.
desktop_value() {
  sed -n "/^\[Desktop Entry\]/,/^\[/s/^$1=//p" "$usr/share/applications/$id.desktop"
}

check_files() {
  local expected=(
    "share/applications/$id.desktop"
    "share/metainfo/$id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$id.svg"
  )
  local n p
  for n in "${icon_sizes[@]}"; do expected+=("share/icons/hicolor/${n}x${n}/apps/$id.png"); done
  for p in card-calculator card-pairs; do expected+=("share/man/man1/$p.1.gz"); done
  for p in "${programs[@]}"; do expected+=("bin/$p"); done
  for p in "${programs[@]}"; do [ -x "$usr/bin/$p" ] || fail "bin/$p is not executable"; done
  # Exactly these files: nothing of the libraries, headers or tests gets in.
  diff -u <(printf '%s\n' "${expected[@]}" | sort) <(cd "$usr" && find . -type f -printf '%P\n' | sort) ||
    fail "the installed files differ from the expected list (- expected, + installed)"
}

check_icons() {
  local n png header width height colour_type
  for n in "${icon_sizes[@]}"; do
    png=$usr/share/icons/hicolor/${n}x${n}/apps/$id.png
    [ -f "$png" ] || { fail "no $n px icon"; continue; }
    # Signature, then the IHDR chunk: width and height as 32-bit big-endian,
    # bit depth, colour type.
    header=$(od -An -tx1 -N26 "$png" | tr -d ' \n')
    [ "${header:0:16}" = 89504e470d0a1a0a ] || { fail "$png is not a PNG"; continue; }
    width=$((16#${header:32:8})) height=$((16#${header:40:8})) colour_type=$((16#${header:50:2}))
    [ "$width" = "$n" ] && [ "$height" = "$n" ] || fail "${n}x${n} icon is ${width}x${height}"
    # The rounded corners must stay transparent on any panel colour.
    [ "$colour_type" = 6 ] || fail "${n}x${n} icon has no alpha channel (colour type $colour_type)"
  done
  grep -q '<svg[^>]*viewBox="0 0 256 256"' "$usr/share/icons/hicolor/scalable/apps/$id.svg" ||
    fail "the SVG icon has no square 256 viewBox"
}

check_desktop_entry() {
  need_tool desktop-file-validate
  local file=$usr/share/applications/$id.desktop report key icon_files
  report=$(desktop-file-validate "$file" 2>&1)
  # Hints (such as the two main categories, on purpose) are allowed.
  if grep -E 'error:|warning:' <<<"$report"; then fail "desktop-file-validate reports problems"; fi
  [ "$(desktop_value Exec)" = card-calculator ] || fail "Exec is '$(desktop_value Exec)', not card-calculator"
  if has_program card-calculator; then [ -x "$usr/bin/card-calculator" ] || fail "Exec names no installed program"; fi
  [ "$(desktop_value Icon)" = "$id" ] || fail "Icon is '$(desktop_value Icon)', not $id"
  icon_files=$(find "$usr/share/icons/hicolor" -name "$(desktop_value Icon).*" | wc -l)
  [ "$icon_files" -gt 0 ] || fail "no icon installed under the name that Icon gives"
  for key in 'Name' 'Name\[zh_CN\]' 'Comment' 'Comment\[zh_CN\]' 'Categories'; do
    [ -n "$(desktop_value "$key")" ] || fail "the entry has no $key"
  done
  grep -q '[^ -~]' <<<"$(desktop_value 'Name\[zh_CN\]')" || fail "Name[zh_CN] holds no Chinese"
  grep -qx 'Game;CardGame;.*' <<<"$(desktop_value Categories)" || fail "the entry is not listed with the card games"
}

check_metainfo() {
  need_tool appstreamcli
  local file=$usr/share/metainfo/$id.metainfo.xml binary p
  # validate-tree also follows the launchable to the desktop entry and its icon.
  appstreamcli validate-tree --no-net "$stage" || fail "appstreamcli validate-tree reports problems"
  appstreamcli validate --no-net "$file" || fail "appstreamcli validate reports problems"
  grep -q "<release version=\"$version\"" "$file" || fail "the newest release is not $version"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$file" || fail "no launchable $id.desktop"
  grep -q '<content_rating type="oars-1.1"' "$file" || fail "no content rating"
  grep -q '<screenshot type="default">' "$file" || fail "no default screenshot"
  for binary in $(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$file"); do
    case $binary in card-calculator | card-pairs) ;; *) fail "provides unknown binary $binary" ;; esac
  done
  for p in "${programs[@]}"; do grep -q "<binary>$p</binary>" "$file" || fail "$p is not listed as provided"; done
}

check_man_pages() {
  need_tool groff
  local page name warnings option
  for name in card-calculator card-pairs; do
    page=$usr/share/man/man1/$name.1.gz
    gzip -t "$page" || { fail "$page is not gzip"; continue; }
    [[ "$(zcat "$page" | sed -n 1p)" == *"\"card-calculator $version\""* ]] ||
      fail "$name.1 does not carry version $version"
    warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$name.1 renders with warnings: $warnings"
  done
  # Every option that card-pairs --help names has its own entry (".B --option").
  if has_program card-pairs; then
    local text
    text=$(zcat "$usr/share/man/man1/card-pairs.1.gz" | sed 's/\\-/-/g')
    for option in $("$usr/bin/card-pairs" --help | grep -o -- '--[a-z-]*' | sort -u); do
      grep -qxF -- ".B $option" <<<"$text" ||
        fail "card-pairs.1 does not document $option"
    done
  fi
}

"check_$check"
if [ "$failures" -gt 0 ]; then
  echo "$check: $failures problem(s)"
  exit 1
fi
echo "$check: ok"
