#!/bin/sh
# Writes docs/screenshot-windows.png: the native Windows window (tessarin.exe) as Wine draws it under a
# virtual X server, started with a few files on its command line. Needs a cross build with the window
# (scripts/windows-test.sh makes one in build-win), Wine, Xvfb, xdotool and ImageMagick's import.
# Usage: scripts/screenshot-windows.sh [BUILD_DIR]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-win}
picture=$root/docs/screenshot-windows.png
for tool in wine Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (packages: wine xvfb xdotool imagemagick)" >&2; exit 2; }
done
cmake --build "$build" --target tessarin -j2 >/dev/null
build=$(cd "$build" && pwd)

# A Wine prefix of its own, so the files sit on drive C: and the lists show Windows paths. Every path
# holds a space, so Wine hands each over in double quotes, as Explorer does, and the window's intake
# takes each as one item (unquoted paths in a row would make one item).
# Wine's menu builder is off, so that nothing of the prefix reaches the user's desktop menus and icons.
export WINEPREFIX="$build/wine-screenshot" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
[ -f "$WINEPREFIX/system.reg" ] || wine wineboot --init >/dev/null 2>&1 || true
docs="$WINEPREFIX/drive_c/users/Public/Documents/Meine Dateien"
trap 'rm -rf "$docs"; wineserver -k 2>/dev/null || true' EXIT
mkdir -p "$docs/Projekte/Angebot 2024"
for name in "Projekte/Angebot 2024/Kalkulation.xlsx" "Projekte/Angebot 2024/Anschreiben.odt" \
    "Projekte/bilanz.pdf" "Urlaubsfotos.zip" "Projekte/bilanz.pdf.rc4" "Steuer 2023.zip.RC4"; do
    printf 'Beispiel\n' >"$docs/$name"
done
win='C:\users\Public\Documents\Meine Dateien'

# Xvfb picks a free display number and writes it once it takes connections; 24-bit colour so the icons
# keep their shading.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'rm -rf "$docs" "$display_file"; wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 200); do [ -s "$display_file" ] && break; sleep 0.05; done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(cat "$display_file")"
export DISPLAY

wine "$build/app/tessarin.exe" "$win\\Projekte\\Angebot 2024\\Kalkulation.xlsx" \
    "$win\\Projekte\\Angebot 2024\\Anschreiben.odt" "$win\\Projekte\\bilanz.pdf" "$win\\Urlaubsfotos.zip" \
    "$win\\Projekte\\bilanz.pdf.rc4" "$win\\Steuer 2023.zip.RC4" >/dev/null 2>&1 &
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tessarin$' | head -n 1)
# Time to paint; without a window manager the picture is the client area, as on the Linux picture.
sleep 3
mkdir -p "$root/docs"
import -window "$window" "$picture"
echo "wrote $picture"
