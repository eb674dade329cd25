#!/usr/bin/env bash
# Installs what is missing, builds the Windows build and starts the tutor (KFP.exe) in the ready
# install folder build/windows/install, under Wine with its prefix in the build folder.
# With DISPLAY set the tutor opens there; without one it runs on a virtual display, and this
# script saves a screenshot of it and says how to take more.
# KF_BUILD=<folder> uses another build folder than build/windows (same preset).
set -uo pipefail
source "$(dirname "$0")/common.sh"
cd "$KF_ROOT"

kf_install_packages || { echo "package installation failed"; exit 1; }

build=$(realpath -m "${KF_BUILD:-$KF_ROOT/build/windows}")
cmake --preset windows -B "$build" >/dev/null || { echo "configuring the Windows build failed"; exit 1; }
# The install folder target builds the tutor and copies it, the default Settings.xml and the
# language folders into <build>/install.
cmake --build "$build" --target install_folder || { echo "the Windows build failed"; exit 1; }

install="$build/install"
log="$build/tutor-output.txt"

if [ -n "${DISPLAY:-}" ]; then
  export KF_KEEP_DISPLAY=1
  export KF_WINE_MANAGED=Y  # the desktop's window manager frames the tutor's window
  own_display=""
else
  own_display=1
fi
kf_wine_up "$build"
trap kf_wine_down EXIT

echo "Starting the tutor in $install (Wine prefix $WINEPREFIX, display $DISPLAY)"
if [ -n "$own_display" ]; then
  shot="$build/tutor-screen.png"
  echo "No display was set: the tutor runs on the virtual display $DISPLAY."
  echo "A screenshot will be saved to $shot in a few seconds; take more with"
  echo "  DISPLAY=$DISPLAY import -window root <file>.png"
  echo "and type into it with, for example,"
  echo "  DISPLAY=$DISPLAY xdotool search --onlyvisible --classname kfp.exe windowfocus --sync type 'Good typing'"
  echo "Stop it with Ctrl+C."
  ( sleep 5; import -window root "$shot" >/dev/null 2>&1 && echo "Screenshot saved: $shot" ) &
fi

# Wine's output goes to a file: a pipe would be held open by Wine's background processes.
(cd "$install" && wine KFP.exe >"$log" 2>&1 </dev/null)
code=$?
echo "The tutor exited with code $code (Wine's messages: $log)"
exit $code
