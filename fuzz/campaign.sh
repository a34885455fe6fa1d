#!/usr/bin/env bash
# A fuzzing campaign: each target in turn, one process on one core, for a number of inputs or a time.
#   fuzz/campaign.sh BUILD_DIR [--runs N | --time SECONDS] [--max-len BYTES] [TARGET...]
# BUILD_DIR is a build configured with -DTESSARIN_FUZZ=ON; the targets are the fuzz_* programs in
# BUILD_DIR/fuzz unless named. Each target keeps its corpus in BUILD_DIR/fuzz/campaign/<target>/corpus
# (started from the seeds in fuzz/corpus/<name>, minimised after every campaign) and writes the inputs
# that crash, hang or leak to .../findings, its output to .../log. Without --runs or --time each
# target tries a million inputs; --max-len caps an input's size (4096 bytes unless given). A table of
# runs, seconds, runs per second, edges covered and findings ends the campaign. Nothing is written
# outside BUILD_DIR.
set -euo pipefail

usage() {
    echo "usage: $0 BUILD_DIR [--runs N | --time SECONDS] [--max-len BYTES] [TARGET...]" >&2
    exit 2
}

[[ $# -ge 1 ]] || usage
build=$(cd "$1" && pwd)
shift
limit=(-runs=1000000)
maxLen=4096 # as in the test command's runs
targets=()
while [[ $# -gt 0 ]]; do
    case $1 in
    --runs) [[ $# -ge 2 ]] || usage; limit=(-runs="$2"); shift 2 ;;
    --time) [[ $# -ge 2 ]] || usage; limit=(-max_total_time="$2"); shift 2 ;;
    --max-len) [[ $# -ge 2 ]] || usage; maxLen=$2; shift 2 ;;
    -*) usage ;;
    *) targets+=("$1"); shift ;;
    esac
done

seeds=$(cd "$(dirname "$0")" && pwd)/corpus
campaign=$build/fuzz/campaign
if [[ ${#targets[@]} -eq 0 ]]; then
    for program in "$build"/fuzz/fuzz_*; do
        [[ -f $program && -x $program ]] && targets+=("$(basename "$program")")
    done
fi
[[ ${#targets[@]} -gt 0 ]] || { echo "no fuzz targets in $build/fuzz" >&2; exit 1; }

# libFuzzer's merge and the targets' own temporary files go here, not to /tmp.
export TMPDIR=$campaign/tmp
mkdir -p "$TMPDIR"

row='%-18s %12s %9s %9s %7s %9s\n'
rows=()
for target in "${targets[@]}"; do
    program=$build/fuzz/$target
    [[ -x $program ]] || { echo "no such target: $program" >&2; exit 1; }
    work=$campaign/$target
    mkdir -p "$work/corpus" "$work/findings"
    if [[ -d $seeds/${target#fuzz_} ]]; then
        cp -n "$seeds/${target#fuzz_}"/* "$work/corpus/" 2>/dev/null || true
    fi
    log=$work/log
    echo "== $target (${limit[*]}), log: $log"

    # A finding ends the target's run with a failing status; the campaign goes on with the next one.
    start=$EPOCHREALTIME
    "$program" "${limit[@]}" -max_len="$maxLen" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/findings/" "$work/corpus" >"$log" 2>&1 || true
    end=$EPOCHREALTIME

    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    [[ -n $runs ]] || runs=$(sed -n 's/^#\([0-9]*\).*/\1/p' "$log" | tail -n 1)
    edges=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' "$log" | tail -n 1)
    findings=$(find "$work/findings" -type f | wc -l)
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
    rate=$(awk -v r="${runs:-0}" -v s="$seconds" 'BEGIN { printf "%.0f", (s > 0 ? r / s : 0) }')

    # Minimise: the inputs that keep the coverage go to a fresh folder, which replaces the corpus.
    rm -rf "$work/corpus.new"
    mkdir "$work/corpus.new"
    "$program" -merge=1 -max_len="$maxLen" -timeout=10 "$work/corpus.new" "$work/corpus" >>"$log" 2>&1
    rm -rf "$work/corpus"
    mv "$work/corpus.new" "$work/corpus"

    rows+=("$(printf "$row" "$target" "${runs:-?}" "$seconds" "$rate" "${edges:-?}" "$findings")")
done

echo
printf "$row" target runs seconds runs/s edges findings
printf '%s\n' "${rows[@]}"
