#!/usr/bin/env bash
# Measures tessarin-cli against the disk's floor and against openssl on one test file, side by side.
#   bench/run.sh [SIZE_MIB] [RUNS]      (default 1024 MiB, 5 runs; needs a build in build/)
# Every timed run is preceded by an untimed sync and starts without its output file. Prints medians,
# the ratios to the floor (cat + dd), and the peak memory of tessarin-cli.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
size_mib=${1:-1024}
runs=${2:-5}
cli="${TESSARIN_CLI:-$here/build/app/tessarin-cli}"   # another build: TESSARIN_CLI=path bench/run.sh

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

work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
f="$work/data.bin"
printf 'Benchmark-Passwort\n' > "$work/pw"
echo "Making a ${size_mib} MiB test file ..."
# Written in 1 MiB pieces, as the programs measured here write their outputs: how a file was written
# (its page-cache folio sizes) changes how fast it reads back on recent kernels.
dd if=/dev/urandom of="$f" bs=1M count="$size_mib" iflag=fullblock status=none
head -c $((1024 * 1024)) /dev/urandom > "$work/small.bin"
cat "$f" > /dev/null # into the page cache

# median of the numbers on standard input
median() { sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# time_runs CLEANUP COMMAND...: prints the median wall time in seconds
time_runs() {
    local cleanup=$1; shift
    local t0 t1
    for _ in $(seq "$runs"); do
        eval "$cleanup"
        sync
        t0=$(date +%s%N)
        "$@" >/dev/null 2>&1
        t1=$(date +%s%N)
        echo "$(( (t1 - t0) / 1000 ))e-6"
    done | median
}

# peak resident memory in KiB of one run
peak_kib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

key=0123456789abcdef0123456789abcdef
t_cat=$(time_runs ":" cat "$f")
t_dd=$(time_runs "rm -f '$work/g'" dd if="$f" of="$work/g" bs=1M)
t_enc=$(time_runs "rm -f '$f.rc4'" "$cli" encrypt -q --password-file "$work/pw" "$f")
t_dec=$(time_runs "rm -f '$work/data-dec.bin'" "$cli" decrypt -q --password-file "$work/pw" "$f.rc4")
t_ssl=$(time_runs "rm -f '$work/g'" openssl enc -rc4 -provider legacy -provider default -K "$key" -nosalt \
        -in "$f" -out "$work/g")
rm -f "$work/g" "$work/data-dec.bin"
m_enc=$(peak_kib "$cli" encrypt -q --password-file "$work/pw" "$f")
m_dec=$(peak_kib "$cli" decrypt -q --password-file "$work/pw" "$f.rc4")
m_small=$(peak_kib "$cli" encrypt -q --password-file "$work/pw" "$work/small.bin")

floor=$(awk -v a="$t_cat" -v b="$t_dd" 'BEGIN {print a + b}')
row() { awk -v n="$1" -v t="$2" -v f="$floor" -v m="$3" 'BEGIN {printf "| %-28s | %8.3f | %6.2f | %s |\n", n, t, t / f, m}'; }
echo
echo "File: ${size_mib} MiB in the page cache, median of $runs runs, $(date -u +%Y-%m-%d), $(nproc) cores"
echo
echo "| run                          |    s     | × floor | peak memory |"
echo "|------------------------------|----------|---------|-------------|"
row "cat f >/dev/null" "$t_cat" ""
row "dd if=f of=g bs=1M" "$t_dd" ""
row "floor (cat + dd)" "$floor" ""
row "tessarin-cli encrypt" "$t_enc" "${m_enc} KiB"
row "tessarin-cli decrypt" "$t_dec" "${m_dec} KiB"
row "openssl enc -rc4" "$t_ssl" ""
echo
awk -v e="$t_enc" -v s="$t_ssl" 'BEGIN {printf "encrypt / openssl: %.3f\n", e / s}'
echo "tessarin-cli peak memory for a 1 MiB file: ${m_small} KiB"
