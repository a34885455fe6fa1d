#!/usr/bin/env bash
# Measures tessarin-cli against the floors of the same work on one test file, side by side.
#   bench/run.sh [--cold] [SIZE_MIB] [RUNS]   (default 1024 MiB, 7 runs; needs a build in build/)
# The floors: one copy of the file (dd bs=1M, the least any transform can do: one read, one write),
# the same copy flushed to the disk (conv=fdatasync, the floor for an output that counts as done only
# on the disk, as tessarin-cli's do), the same written past the cache (oflag=direct, the device's own
# write speed), and one read (cat). Then SMALL_FILES files of 4 KiB (default
# 10000) in one tessarin-cli call, against the same files written and flushed one by one, written
# first and flushed together at the end, and flushed each 64 files after it was written, as tessarin-cli
# does (bench/flush_floor). Every timed run is preceded, untimed, by a sync, by touching a few GiB of memory
# (a machine that hands freed memory back to its host is several times slower on its first use, which
# would wander the figures by 3x), and with --cold by dropping the page cache (needs root), so that
# the file comes from the disk. Prints medians, the ratios to the copy, and tessarin-cli's peak memory.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cold=0
if [ "${1:-}" = --cold ]; then cold=1; shift; fi
size_mib=${1:-1024}
runs=${2:-7}
small_files=${SMALL_FILES:-10000}
cli="${TESSARIN_CLI:-$here/build/app/tessarin-cli}"   # another build: TESSARIN_CLI=path bench/run.sh
source "$(dirname "$0")/common.sh"

need=()
command -v openssl >/dev/null || need+=(openssl)
[ -x /usr/bin/time ] || need+=(time)
if [ ${#need[@]} -gt 0 ]; then
    sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -q && DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${need[@]}"
fi
if [ ! -x "$cli" ]; then
    "$here/scripts/setup.sh"
    cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$here/build" -j"$(nproc)" --target tessarin-cli
fi
if [ $cold = 1 ] && ! { sync && echo 3 > /proc/sys/vm/drop_caches; } 2>/dev/null; then
    echo "--cold needs root and a writable /proc/sys/vm/drop_caches" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-bench.XXXXXX")
trap 'rm -rf "$work"; rm -f /dev/shm/tessarin-bench-touch' EXIT
f="$work/data.bin"
printf 'Benchmark-Passwort\n' > "$work/pw"
echo "Making a ${size_mib} MiB test file ..."
# Written in 1 MiB pieces, as the programs measured here write their outputs: how a file was written
# (its page-cache folio sizes) changes how fast it reads back on recent kernels.
dd if=/dev/urandom of="$f" bs=1M count="$size_mib" iflag=fullblock status=none
head -c $((1024 * 1024)) /dev/urandom > "$work/small.bin"
cat "$f" > /dev/null # into the page cache


# Untimed, before every run: the memory a run will use is fresh to the host, and cold runs read the disk.
# tessarin-cli drops the pages of files of 64 MiB and more from the cache as it reads them, so a cached
# run first reads its inputs back in.
prepare() {
    settle_machine
    if [ $cold = 1 ]; then
        echo 3 > /proc/sys/vm/drop_caches
    else
        for input in "$f" "$f.rc4"; do [ ! -f "$input" ] || cat "$input" > /dev/null; done
    fi
}

# time_once CLEANUP COMMAND...: prepares, then prints the wall time of one run in seconds
time_once() {
    local cleanup=$1; shift
    eval "$cleanup"
    prepare
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    t1=$(date +%s%N)
    echo "$(( (t1 - t0) / 1000 ))e-6"
}

# peak resident memory in KiB of one run
peak_kib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

key=0123456789abcdef0123456789abcdef
"$cli" encrypt -q --password-file "$work/pw" "$f" # the container the decryption reads
# Rounds of every run in turn, so that a disturbance on this shared machine hits all of them alike.
for round in $(seq "$runs"); do
    time_once ":" cat "$f" >> "$work/t_cat"
    time_once "rm -f '$work/g'" dd if="$f" of="$work/g" bs=1M >> "$work/t_dd"
    time_once "rm -f '$work/g'" dd if="$f" of="$work/g" bs=1M conv=fdatasync >> "$work/t_ddf"
    # Past the page cache straight to the device: its own write speed, the physical limit.
    time_once "rm -f '$work/g'" dd if="$f" of="$work/g" bs=1M oflag=direct >> "$work/t_ddd"
    # The same copy into space reserved first (its length unchanged), as tessarin-cli reserves its
    # output: the file system then allocates no blocks while the bytes are written.
    time_once "rm -f '$work/g'" sh -c ": > '$work/g' && fallocate -n -l $((size_mib * 1024 * 1024)) '$work/g' && dd if='$f' of='$work/g' bs=1M conv=notrunc" >> "$work/t_ddr"
    time_once "rm -f '$work/c/data.bin.rc4'; mkdir -p '$work/c'; ln -f '$f' '$work/c/data.bin'" \
        "$cli" encrypt -q --password-file "$work/pw" "$work/c/data.bin" >> "$work/t_enc"
    time_once "rm -f '$work/data-dec.bin'" "$cli" decrypt -q --password-file "$work/pw" "$f.rc4" >> "$work/t_dec"
    time_once "rm -f '$work/g'" openssl enc -rc4 -provider legacy -provider default -K "$key" -nosalt \
        -in "$f" -out "$work/g" >> "$work/t_ssl"
    echo "round $round of $runs done" >&2
done
for t in cat dd ddf ddd ddr enc dec ssl; do
    eval "t_$t=\$(median < '$work/t_$t')"
done
rm -f "$work/g" "$work/data-dec.bin" "$work/c/data.bin.rc4"
m_enc=$(peak_kib "$cli" encrypt -q --password-file "$work/pw" "$work/c/data.bin")
m_dec=$(peak_kib "$cli" decrypt -q --password-file "$work/pw" "$f.rc4")
m_small=$(peak_kib "$cli" encrypt -q --password-file "$work/pw" "$work/small.bin")

floor=$(awk -v a="$t_cat" -v b="$t_dd" 'BEGIN {print a + b}')
row() { awk -v n="$1" -v t="$2" -v c="$t_dd" -v m="$3" 'BEGIN {printf "| %-28s | %8.3f | %6.2f | %s |\n", n, t, t / c, m}'; }
where=$([ $cold = 1 ] && echo "read from the disk (page cache dropped before each run)" || echo "in the page cache")
echo
echo "File: ${size_mib} MiB ${where}, median of $runs runs, $(date -u +%Y-%m-%d), $(nproc) cores"
echo
echo "| run                          |    s     | × copy | peak memory |"
echo "|------------------------------|----------|--------|-------------|"
row "cat f >/dev/null (one read)" "$t_cat" ""
row "dd if=f of=g bs=1M (one copy)" "$t_dd" ""
row "the same, conv=fdatasync" "$t_ddf" ""
row "the same, oflag=direct" "$t_ddd" ""
row "the same into reserved space" "$t_ddr" ""
row "cat + dd (two reads, a write)" "$floor" ""
row "tessarin-cli encrypt" "$t_enc" "${m_enc} KiB"
row "tessarin-cli decrypt" "$t_dec" "${m_dec} KiB"
row "openssl enc -rc4" "$t_ssl" ""
echo
awk -v e="$t_enc" -v s="$t_ssl" 'BEGIN {printf "encrypt / openssl: %.3f\n", e / s}'
awk -v e="$t_enc" -v d="$t_dec" -v r="$t_ddr" \
    'BEGIN {printf "against the copy into reserved space: encrypt %.2f, decrypt %.2f\n", e / r, d / r}'
echo "tessarin-cli peak memory for a 1 MiB file: ${m_small} KiB"
awk -v e="$t_enc" -v d="$t_dec" -v f="$t_ddf" \
    'BEGIN {printf "against the flushed copy (dd conv=fdatasync): encrypt %.2f, decrypt %.2f\n", e / f, d / f}'
awk -v e="$t_enc" -v d="$t_dec" -v f="$t_ddd" \
    'BEGIN {printf "against the device'"'"'s own write speed (dd oflag=direct): encrypt %.2f, decrypt %.2f\n", e / f, d / f}'

# Many small files: tessarin-cli flushes each output; the floors write and flush the same number of
# files of the container's size (4 KiB + 31), one by one and all together.
floor_tool="$(dirname "$cli")/../bench/flush_floor"
if [ -x "$floor_tool" ] && [ "$small_files" -gt 0 ]; then
    rm -rf "$work/c" "$f" "$f.rc4"
    mkdir -p "$work/s" "$work/floor"
    for i in $(seq "$small_files"); do head -c 4096 "$work/small.bin" > "$work/s/f$i"; done
    ls "$work/s" | sed "s|^|$work/s/|" | grep -v '\.rc4$' > "$work/list"
    for round in $(seq "$runs"); do
        time_once "rm -rf '$work/floor'; mkdir '$work/floor'" "$floor_tool" each "$work/floor" "$small_files" 4127 >> "$work/t_each"
        time_once "rm -rf '$work/floor'; mkdir '$work/floor'" "$floor_tool" batch "$work/floor" "$small_files" 4127 >> "$work/t_batch"
        time_once "rm -rf '$work/floor'; mkdir '$work/floor'" "$floor_tool" batch "$work/floor" "$small_files" 4127 64 >> "$work/t_batch64"
        time_once "rm -f '$work/s/'*.rc4" sh -c "'$cli' encrypt -q --password-file '$work/pw' -- \$(cat '$work/list')" >> "$work/t_many"
        echo "small files: round $round of $runs done" >&2
    done
    for t in each batch batch64 many; do eval "t_$t=\$(median < '$work/t_$t')"; done
    echo
    echo "$small_files files of 4 KiB, median of $runs runs"
    echo
    echo "| run                                   |    s     | × flushed one by one | per file, µs |"
    echo "|---------------------------------------|----------|----------------------|--------------|"
    small_row() { awk -v n="$1" -v t="$2" -v c="$t_each" -v k="$small_files" 'BEGIN {printf "| %-37s | %8.3f | %20.2f | %12.0f |\n", n, t, t / c, t / k * 1e6}'; }
    small_row "write + fdatasync each (the floor)" "$t_each"
    small_row "write all, then fdatasync each" "$t_batch"
    small_row "fdatasync each 64 files later" "$t_batch64"
    small_row "tessarin-cli encrypt" "$t_many"
    awk -v m="$t_many" -v b="$t_batch" \
        'BEGIN {printf "tessarin-cli against the floor of flushing all at the end: %.2f\n", m / b}'
fi
