#!/usr/bin/env bash
# Installs what building, running and testing Wordmere needs on Debian 12.
# Idempotent and quiet: packages already present are skipped.
#   setup.sh           what building and running need
#   setup.sh --tests   also the local account the setup program's test runs as
set -euo pipefail

packages=(
  # native build and tests
  cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev googletest
  libbenchmark-dev zlib1g-dev clang-format ccache
  # the Windows program
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool x11-utils imagemagick locales-all
  # the test screen's window manager: Wine waits for its events, as on every desktop
  openbox
  python3 python3-fonttools python3-pil fonts-liberation fonts-dejavu-core
  # Wine's own symbol fonts draw the window buttons and menu check marks
  fonts-wine
  # the help file (chmcmd), the installer and the portable zip
  fp-utils-3.2.2 nsis zip
  # dictionaries and the reference dictionary server
  dictd dict sdcv
  dict-freedict-ell-eng dict-freedict-eng-ell
  dict-freedict-ell-fra dict-freedict-fra-ell
  dict-freedict-ell-ita dict-freedict-ita-ell
  dict-freedict-ell-nld dict-freedict-nld-ell
  dict-freedict-ell-swe dict-freedict-swe-ell
  dict-freedict-ell-fin dict-freedict-fin-ell
  dict-freedict-ell-pol dict-freedict-pol-ell
  # the Greek word forms the word-form table is made from
  hunspell-el
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing ${#missing[@]} packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq >/dev/null
  # The dictd package would start a system server on port 2628; tests run their own.
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The setup program's test runs the installed program as a standard user, who cannot write to
# the install folder: Wine runs as root here, and root may write anywhere. Only the tests need
# that account, so running the program never adds one to the machine.
if [ "${1:-}" = "--tests" ] && ! id -u wordmere-user >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo useradd --create-home --shell /usr/sbin/nologin wordmere-user
fi
