# Shared by tools/test.sh and tools/run.sh: packages, Wine prefix, display.
# shellcheck shell=bash

KF_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KF_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev googletest python3
             g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
             xvfb x11-xkb-utils xdotool imagemagick fonts-liberation x11-utils
             # the fonts of a common desktop: Wine takes "Arial" and "MS Shell Dlg" from them,
             # as on a learner's machine
             fonts-liberation2 fonts-dejavu-core
             chromium   # headless, for the report's screenshot in the history scenario
             libreoffice-calc-nogui)  # headless, reads History.csv and Keys.csv as a spreadsheet

kf_install_packages() {
  local missing=()
  for p in "${KF_PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Wine prefix inside the build folder, one persistent wineserver, a virtual display.
kf_wine_up() {
  local build=$1
  export WINEPREFIX="$build/wineprefix"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # winemenubuilder off: a Start menu shortcut the installer makes in the prefix must not turn
  # into menu entries and icons in the desktop's own home folder.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ -z "${KF_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    KF_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p >/dev/null 2>&1
  # Start Wine's own services now, detached from any pipe: a service started later by a test
  # would inherit the test runner's output pipe and keep it open for ever.
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  # On the tests' virtual display there is no window manager, and Wine's managed top-level
  # windows then take about two seconds each to be destroyed; unmanaged ones go at once and
  # behave the same for the tutor. On a desktop (KF_WINE_MANAGED=Y) the window manager frames them.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "${KF_WINE_MANAGED:-N}" /f \
    >/dev/null 2>&1 </dev/null
}

kf_wine_down() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${KF_XVFB_PID:-}" ]; then
    kill "$KF_XVFB_PID" 2>/dev/null || true
    wait "$KF_XVFB_PID" 2>/dev/null || true
  fi
}
