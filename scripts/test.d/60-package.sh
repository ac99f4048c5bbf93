#!/usr/bin/env bash
# Builds the Debian package from the main build, installs it on this machine
# with apt-get, checks the installed programs (the window opens with its title,
# card-pairs answers a hand) and removes it again, checking that its files are
# gone. The package, and whatever apt-get pulled in for it, is removed even
# when a check fails, so that the machine is left as it was.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"

build=${CARD_CALC_PACKAGE_BUILD:-$root/build}
package=card-calculator
id=io.github.cardcalc.Calculator
title_eight_cards='Brakmoor计算器 - Velden版(八张)'
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8

# The two programs are required once their sources are in the tree.
programs=()
[ -f "$root/window/qt/CMakeLists.txt" ] && programs+=(card-calculator)
[ -f "$root/cli/CMakeLists.txt" ] && programs+=(card-pairs)

work=$(mktemp -d)
installed=0
xvfb_pid="" app_pid=""
failures=0
fail() {
  printf 'FAIL: %s\n' "$*"
  failures=$((failures + 1))
}

is_installed() {
  [ "$(dpkg-query -W -f '${Status}' "$package" 2>/dev/null)" = "install ok installed" ]
}
# apt-get waits for a package manager that another run is using.
apt_get() { apt-get -o DPkg::Lock::Timeout=600 -y -qq "$@"; }
# Removes the package and the packages that its installation brought in.
remove_package() {
  # shellcheck disable=SC2046
  apt_get remove "$package" $(cat "$work/packages-added" 2>/dev/null) >/dev/null
  installed=0
}
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  if [ "$installed" = 1 ]; then
    say "removing $package after a failure"
    remove_package || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# One run at a time on this machine installs and removes the package.
exec 9>/tmp/card-calculator-package.lock
flock 9

say "building the Debian package in $build"
cmake --build "$build" -j "$jobs" >/dev/null
rm -f "$build"/${package}_*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$build"/${package}_*.deb)
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"

control=$(dpkg-deb -f "$deb" Package Section Depends)
grep -qx "Section: games" <<<"$control" || fail "section is not games"
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libc6 fonts-arphic-uming; do
  grep -qE "(^|, )$dependency( |,|$)" <<<"$depends" || fail "Depends lacks $dependency: $depends"
done
if [[ " ${programs[*]} " == *" card-calculator "* ]]; then
  grep -qE "(^|, )libqt6widgets6( |,|$)" <<<"$depends" || fail "Depends lacks the Qt widgets library: $depends"
fi

if is_installed; then
  say "removing $package, left installed by an earlier run"
  apt_get remove "$package" >/dev/null
fi

say "installing $deb"
installed_packages() { dpkg-query -W -f '${db:Status-Abbrev} ${Package}\n' | sed -n 's/^ii  *//p' | sort; }
installed_packages >"$work/packages-before"
installed=1
install_status=0
apt_get install --no-install-recommends "$deb" >"$work/apt.log" 2>&1 || install_status=$?
if [ "$install_status" != 0 ]; then
  # A dependency may be missing from stale package lists.
  apt-get update -qq
  install_status=0
  apt_get install --no-install-recommends "$deb" >"$work/apt.log" 2>&1 || install_status=$?
fi
comm -13 "$work/packages-before" <(installed_packages) | grep -vx "$package" >"$work/packages-added" || true
if [ "$install_status" != 0 ]; then
  cat "$work/apt.log"
  exit 1
fi
if [ -s "$work/packages-added" ]; then
  say "brought in with it: $(tr '\n' ' ' <"$work/packages-added")"
fi
dpkg -L "$package" | sort >"$work/files"
# The regular files, for the check after the removal.
while read -r path; do [ -f "$path" ] && echo "$path"; done <"$work/files" >"$work/regular-files"
say "installed files:"
cat "$work/regular-files"

for path in /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/icons/hicolor/48x48/apps/$id.png \
  /usr/share/man/man1/card-calculator.1.gz /usr/share/man/man1/card-pairs.1.gz; do
  grep -qx "$path" "$work/regular-files" || fail "the package does not install $path"
done
for program in "${programs[@]}"; do
  [ -x "/usr/bin/$program" ] || fail "/usr/bin/$program is not installed"
  [ "$(man -w "$program" 2>/dev/null)" = "/usr/share/man/man1/$program.1.gz" ] || fail "man $program finds no page"
done
desktop-file-validate /usr/share/applications/$id.desktop | grep -E 'error:|warning:' &&
  fail "desktop-file-validate reports problems in the installed entry"
appstreamcli validate --no-net /usr/share/metainfo/$id.metainfo.xml >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "appstreamcli rejects the installed metainfo"; }

if [[ " ${programs[*]} " == *" card-pairs "* ]]; then
  say "card-pairs 3 10 K"
  answer=$(cd / && /usr/bin/card-pairs 3 10 K) || fail "card-pairs exited with $?"
  printf '%s\n' "$answer"
  [ "$answer" = "10+3 = K" ] || fail "card-pairs answered '$answer'"
fi

if [[ " ${programs[*]} " == *" card-calculator "* ]]; then
  say "opening the installed calculator on a virtual display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$work/display")
  (cd / && exec /usr/bin/card-calculator) >"$work/app.log" 2>&1 &
  app_pid=$!
  window=""
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -1) && [ -n "$window" ] && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    cat "$work/app.log"
    fail "no window of the installed card-calculator appeared"
  else
    name=$(xprop -id "$window" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME([A-Z0-9_]*) = "\(.*\)"$/\1/p')
    printf 'window %s: %s\n' "$window" "$name"
    [ "$name" = "$title_eight_cards" ] || fail "the window title is '$name'"
    # Captured first: grep -q would end xprop early and pipefail count that.
    icon=$(xprop -id "$window" _NET_WM_ICON)
    grep -q 'Icon (' <<<"$icon" || fail "the window has no icon"
    class=$(xprop -id "$window" WM_CLASS)
    [[ "$class" == *'"card-calculator"' ]] || fail "the window's class is not card-calculator: $class"
    import -window root "$build/installed-window.png" 2>/dev/null || true
  fi
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
fi

say "removing $package"
remove_package
if is_installed; then fail "$package is still installed"; fi
while read -r path; do
  if [ -e "$path" ]; then fail "$path is left behind"; fi
done <"$work/regular-files"

if [ "$failures" -gt 0 ]; then
  say "package: $failures problem(s)"
  exit 1
fi
say "package: installed, checked and removed"
