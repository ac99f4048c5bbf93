# Shared by the scripts: where things are, and installing what is missing.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

say() { printf '==> %s\n' "$*"; }

# Installs the Debian packages that are not installed yet; updates the
# package lists only when something is missing.
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The packages named in scripts/packages/*.txt (one a line, # starts a comment).
ensure_listed_packages() {
  local names
  names=$(sed -e 's/#.*//' "$root"/scripts/packages/*.txt | tr -s ' \n' '\n' | sed '/^$/d' | sort -u)
  # shellcheck disable=SC2086
  ensure_packages $names
}

build_main() {
  cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$root/build" -j "$jobs"
}
