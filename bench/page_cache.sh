#!/usr/bin/env bash
# What a large encryption leaves behind, beside how long the window goes without handling its events:
#   bench/page_cache.sh [SIZE_MIB] [GAP_MIB]   (defaults 4096 and 2048; needs a build in build/)
# 1. Encrypts a SIZE_MIB file with tessarin-cli and counts with fincore how much of the input and the
#    container stays in the page cache; the same for a copy by dd with iflag=nocache oflag=nocache.
# 2. Encrypts a GAP_MIB file through the real window (bench/window_gaps on Qt's offscreen platform, or on
#    the display in DISPLAY when WINDOW_GAPS_DISPLAY=1) and prints the longest gap between event passes.
# As in run.sh, every timed run follows a sync and a touch of a few GiB of memory.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
size_mib=${1:-4096}
gap_mib=${2:-2048}
build="${BUILD_DIR:-$here/build}"
cli="$build/app/tessarin-cli"
source "$(dirname "$0")/common.sh"
command -v fincore >/dev/null || { echo "fincore (util-linux) is missing" >&2; exit 2; }
[ -x "$cli" ] || { echo "build first: $cli is missing" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-cache.XXXXXX")
trap 'rm -rf "$work"; rm -f /dev/shm/tessarin-bench-touch' EXIT
printf 'Benchmark-Passwort\n' > "$work/pw"
cached_mib() { fincore --bytes --noheadings --output RES "$@" | awk '{s += $1} END {printf "%.1f", s / 1048576}'; }

f="$work/data.bin"
echo "Making a ${size_mib} MiB test file ..."
dd if=/dev/urandom of="$f" bs=1M count="$size_mib" iflag=fullblock status=none
cat "$f" > /dev/null # the input starts fully cached, as a file the user just worked with
settle_machine
t0=$(date +%s%N)
"$cli" encrypt -q --password-file "$work/pw" "$f"
t1=$(date +%s%N)
echo "tessarin-cli encrypt of ${size_mib} MiB: $(( (t1 - t0) / 1000000 )) ms;" \
    "cached afterwards: input $(cached_mib "$f") MiB, container $(cached_mib "$f.rc4") MiB"
rm -f "$f.rc4"
cat "$f" > /dev/null
settle_machine
dd if="$f" of="$work/copy" bs=1M iflag=nocache oflag=nocache conv=fdatasync status=none
echo "dd iflag=nocache oflag=nocache of the same: cached afterwards: input $(cached_mib "$f") MiB," \
    "copy $(cached_mib "$work/copy") MiB"
rm -f "$f" "$work/copy"

gaps="$build/bench/window_gaps"
if [ -x "$gaps" ]; then
    g="$work/gaps.bin"
    dd if=/dev/urandom of="$g" bs=1M count="$gap_mib" iflag=fullblock status=none
    settle_machine
    if [ "${WINDOW_GAPS_DISPLAY:-0}" = 1 ]; then
        echo "through the window on $DISPLAY, ${gap_mib} MiB: $("$gaps" "$g")"
    else
        echo "through the window (offscreen), ${gap_mib} MiB: $(QT_QPA_PLATFORM=offscreen "$gaps" "$g")"
    fi
fi
