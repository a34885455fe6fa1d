#!/bin/sh
# Writes docs/screenshot.png: the main window under a virtual X server (Xvfb), started with a few
# files on its command line. With --scale, the window as Qt scales it for a high-density screen
# (QT_SCALE_FACTOR), written to docs/screenshot-<FACTOR>x.png instead.
# Usage: scripts/screenshot.sh [--scale FACTOR] [BUILD_DIR] [INFO_PICTURE.png]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
scale=1
if [ "${1:-}" = --scale ]; then
    scale=$2
    shift 2
fi
build=${1:-$root/build-ui}
info=${2:-}
picture=$root/docs/screenshot.png
[ "$scale" = 1 ] || picture=$root/docs/screenshot-${scale}x.png

cmake --build "$build" --target tessarin-screenshot -j2 >/dev/null

samples=$(mktemp -d)
trap 'rm -rf "$samples"' EXIT
mkdir -p "$samples/Projekte/Angebot 2024"
for name in "Projekte/Angebot 2024/Kalkulation.xlsx" "Projekte/Angebot 2024/Anschreiben.odt" \
    "Projekte/bilanz.pdf" "Urlaubsfotos.zip"; do
    printf 'Beispiel\n' >"$samples/$name"
done
printf 'rc4' >"$samples/Projekte/bilanz.pdf.rc4"
printf 'rc4' >"$samples/Steuer 2023.zip.RC4"

mkdir -p "$root/docs"
# -a picks a free display number; 24-bit colour so the icons keep their shading; the screen holds the
# window at twice its size.
QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 2048x1536x24" \
    "$build/ui/tessarin-screenshot" "$picture" ${info:+"$info"} \
    "$samples/Projekte/Angebot 2024/Kalkulation.xlsx" "$samples/Projekte/Angebot 2024/Anschreiben.odt" \
    "$samples/Projekte/bilanz.pdf" "$samples/Urlaubsfotos.zip" \
    "$samples/Projekte/bilanz.pdf.rc4" "$samples/Steuer 2023.zip.RC4"
echo "wrote $picture"
