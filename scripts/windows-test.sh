#!/usr/bin/env bash
# Cross-builds the Windows programs and tests with mingw-w64 into build-win and runs them under Wine:
# the test programs of crypto, core, host, batches and faults headless, a tessarin-cli.exe round trip
# whose containers must match those of the Linux build in build/ (when that has been built), and the
# window test of tessarin.exe and the installer's test in a fresh Wine prefix on a virtual X server
# (skipped with a note when Xvfb is missing).
# Skips, successfully, when mingw-w64 or Wine is not installed.
#   scripts/windows-test.sh [JOBS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${1:-2}
build=$root/build-win

missing=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
wine=$(command -v wine64 || true)
[ -n "$wine" ] || { [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64; } || true
[ -n "$wine" ] || wine=$(command -v wine || true)
[ -n "$wine" ] || missing+=(wine64)
[ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Windows tests skipped: not installed: ${missing[*]}"
    exit 0
fi

start=$(date +%s)
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DTESSARIN_WERROR=ON -DTESSARIN_GUI=ON -DTESSARIN_BENCH=OFF -DTESSARIN_WINE="$wine" \
    -DTESSARIN_LINUX_CLI="$root/build/app/tessarin-cli" >/dev/null
cmake --build "$build" -j"$jobs"
built=$(date +%s)

# A Wine prefix of its own inside the build folder; no display, no Mono or Gecko installers, quiet. Wine's
# menu builder is off: it would copy the prefix's shortcuts and file types into the user's desktop menus,
# icons and MIME database, where they would outlive the prefix.
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
[ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot --init >/dev/null 2>&1
# There is no window manager on the virtual screen: Wine places and removes its windows itself, instead
# of waiting up to two seconds for a manager's answer whenever a window closes.
grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null ||
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
status=0
ctest --test-dir "$build" --output-on-failure -j"$jobs" -LE 'slow|wine-window' || status=$?
# The next Wine session starts on the virtual screen.
wineserver -k 2>/dev/null || true

# The window test: one test at a time, since windows of two processes would take the focus from each other.
if command -v Xvfb >/dev/null; then
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true; rm -f "$display_file"' EXIT
    for _ in $(seq 200); do [ -s "$display_file" ] && break; sleep 0.05; done
    if [ -s "$display_file" ]; then
        DISPLAY=:$(cat "$display_file") ctest --test-dir "$build" --output-on-failure -j1 -L wine-window ||
            status=$?
        wineserver -k 2>/dev/null || true
    else
        echo "Window test of tessarin.exe failed: Xvfb did not start"
        status=1
    fi
else
    echo "Window test of tessarin.exe skipped: Xvfb is not installed (package xvfb)"
fi
echo "Windows step: build $((built - start)) s, tests under Wine $(($(date +%s) - built)) s"
exit $status
