#!/usr/bin/env bash
# Shared by scripts/run and scripts/test: installs the Debian packages the build needs (only the
# missing ones) and builds the program into build/, whose bin/ folder is a complete program folder.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BLINDORO_BUILD_DIR:-$ROOT/build}"

# The Debian packages the build and the tests need, one group a line.
PACKAGES=(
  # build tools
  cmake ninja-build g++ pkg-config
  # Qt 6: widgets, print support, tests, platform plugins, SVG icons, Italian translations, and
  # lrelease for the program's own catalogue of Qt's texts
  libx11-dev qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6svg6 qt6-translations-l10n
  qt6-l10n-tools
  # fonts that stand in for Verdana, Tahoma, Arial and Courier New; pdftotext and pdftoppm for the
  # tests of printed pages and of the help document
  fonts-dejavu-core fonts-liberation2 poppler-utils
  # the end-to-end test's own X server, with the Xlib and XTEST headers it drives the program
  # through and the XFIXES one it sees the clipboard's owner change with, and xclip, the other X
  # client that reads the clipboard in the clipboard tests
  xvfb libxtst-dev libxfixes-dev xclip
  # the password generator: the strength estimator and the Italian word list of its passphrases
  libzxcvbn-dev witalian
  # LibreOffice Calc without its windows, for the test that reads the spreadsheet export back
  libreoffice-calc-nogui
  # the CSV reader of the import
  libcsv-dev
)

missing_packages() {
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      printf '%s\n' "$p"
    fi
  done
}

ensure_packages() {
  local missing
  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "This machine has no dpkg: install by hand the equivalents of: $*" >&2
    return 0
  fi
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  if ! command -v apt-get >/dev/null 2>&1; then
    echo "These Debian packages are missing and apt-get is not available to install them:" >&2
    echo "$missing" >&2
    exit 1
  fi
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
      echo "Installing packages needs root rights and sudo is not available. Missing:" >&2
      echo "$missing" >&2
      exit 1
    fi
  fi
  echo "Installing: $(echo $missing)"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # shellcheck disable=SC2086
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

build_program() {
  local build_type="${1:-RelWithDebInfo}"
  shift || true
  # Configured the first time, and again whenever options are given (they stay in the cache).
  if [ ! -f "$BUILD_DIR/CMakeCache.txt" ] || [ $# -gt 0 ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
  fi
  cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

prepare_runtime_dir() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
    export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/blindoro-runtime-$(id -u)"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
  fi
}
