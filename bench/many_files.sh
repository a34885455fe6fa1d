#!/usr/bin/env bash
# Many files through the window and tessarin-cli, each beside its floor, in interleaved rounds:
#   bench/many_files.sh [RUNS]     (default 5; needs a build in build/, or BUILD_DIR, and Xvfb)
# 1. start: the window program (bench/window_intake, the window program's own start-up) with 1,000,
#    10,000 and 50,000 paths on its command line, until it is on the screen and handles its events;
#    the floor is the same start with no path.
# 2. drop: 10,000 files dropped onto the encryption list holding 40,000, until the window handles its
#    events again; the floor is the same drop onto an empty list.
# 3. cli: tessarin-cli encrypt with 100,000 files on its command line, until its first container is
#    created (bench/first_output); the floor is the same with the first file alone.
# 4. rate: 1,000, 10,000 and 50,000 files of 4 KiB encrypted by tessarin-cli and through the window
#    (bench/window_gaps, cmdEnc clicked), beside `cp -r` of the same folder and `cp -r` followed by
#    `sync` (the outputs of both programs count as done only on the disk).
# The window runs on a virtual X server (Xvfb) of its own. As in run.sh, every timed run is preceded,
# untimed, by a sync and a touch of a few GiB of memory (a machine that hands freed memory back to its
# host is several times slower on its first use of it). Prints medians; stops at the first run that fails.
# Settings: COUNTS="1000 10000 50000", ARGS=100000, LISTED=40000, DROPPED=10000, PARTS="start drop cli
# rate" (the parts to run), TOUCH_MIB=3072, BUILD_DIR.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
runs=${1:-5}
build="${BUILD_DIR:-$here/build}"
counts=${COUNTS:-1000 10000 50000}
args=${ARGS:-100000}
listed=${LISTED:-40000}
dropped=${DROPPED:-10000}
parts=" ${PARTS:-start drop cli rate} "
source "$(dirname "$0")/common.sh"
cli="$build/app/tessarin-cli"
intake="$build/bench/window_intake"
gaps="$build/bench/window_gaps"
first="$build/bench/first_output"
for tool in "$cli" "$intake" "$gaps" "$first"; do
    [ -x "$tool" ] || { echo "build first: $tool is missing" >&2; exit 2; }
done
command -v Xvfb >/dev/null || { echo "Xvfb is missing (package xvfb)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-many.XXXXXX")
display_file="$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"; rm -f /dev/shm/tessarin-bench-touch' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$display_file")
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf 'Benchmark-Passwort\n' > "$work/pw"

# make_files FOLDER COUNT: COUNT files of 4 KiB named f000000, f000001, ... in a new FOLDER, and
# FOLDER.list with their full paths, one a line.
make_files() {
    mkdir "$1"
    (cd "$1" && head -c $((4096 * $2)) /dev/urandom | split -b 4096 -a 6 -d - f)
    find "$1" -type f | sort > "$1.list"
}
echo "Making files of 4 KiB ..."
for n in $counts; do make_files "$work/s$n" "$n"; done
if [[ $parts == *" drop "* ]]; then
    make_files "$work/d" $((listed + dropped))
    head -n "$listed" "$work/d.list" > "$work/listed"
    tail -n "$dropped" "$work/d.list" > "$work/dropped"
    : > "$work/none"
fi
if [[ $parts == *" cli "* ]]; then
    make_files "$work/a" "$args"
fi



# timed NAME CLEANUP COMMAND...: cleans up and settles the machine, then appends the wall time of one run in
# seconds to NAME's figures.
timed() {
    local name=$1 cleanup=$2; shift 2
    eval "$cleanup"
    settle_machine
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    t1=$(date +%s%N)
    echo "$(( (t1 - t0) / 1000 ))e-6" >> "$work/t_$name"
}

# reported NAME CLEANUP COMMAND...: the same, with the seconds the command prints itself (its first
# word); the command's last line is kept for the report.
reported() {
    local name=$1 cleanup=$2; shift 2
    eval "$cleanup"
    settle_machine
    local out
    out=$("$@" 2>"$work/stderr") || { echo "failed: $*" >&2; cat "$work/stderr" >&2; exit 1; }
    echo "$out" | tail -n 1 > "$work/last_$name"
    echo "$out" | tail -n 1 | awk '{print ($1 == "batch") ? $2 : $1}' >> "$work/t_$name"
}

start_window() { # start_window FOLDER|"" : the window with every file of FOLDER on its command line
    if [ -n "$1" ]; then
        (cd "$1" && TESSARIN_BENCH_START=$(date +%s%N) "$intake" start f*)
    else
        TESSARIN_BENCH_START=$(date +%s%N) "$intake" start
    fi
}

for round in $(seq "$runs"); do
    if [[ $parts == *" start "* ]]; then
        reported start0 ":" start_window ""
        for n in $counts; do reported "start$n" ":" start_window "$work/s$n"; done
    fi
    if [[ $parts == *" drop "* ]]; then
        reported drop0 ":" "$intake" drop "$work/none" "$work/dropped"
        reported drop ":" "$intake" drop "$work/listed" "$work/dropped"
    fi
    if [[ $parts == *" cli "* ]]; then
        reported first1 "find '$work/a' -name '*.rc4' -delete" sh -c "cd '$work/a' && '$first' . '$cli' encrypt -q --password-file '$work/pw' -- f000000"
        reported first "find '$work/a' -name '*.rc4' -delete" sh -c "cd '$work/a' && '$first' . '$cli' encrypt -q --password-file '$work/pw' -- f*"
    fi
    if [[ $parts == *" rate "* ]]; then
        for n in $counts; do
            s="$work/s$n"
            timed "cp$n" "rm -rf '$work/copy'" cp -r "$s" "$work/copy"
            timed "cps$n" "rm -rf '$work/copy'" sh -c "cp -r '$s' '$work/copy' && sync"
            # The two programs take turns at going first: the disk is slower for a while after many
            # files were removed, and each cleans up after the other.
            if [ $((round % 2)) = 1 ]; then
                timed "cli$n" "rm -rf '$work/copy'; find '$s' -name '*.rc4' -delete" sh -c "cd '$s' && '$cli' encrypt -q --password-file '$work/pw' -- f*"
                reported "win$n" "find '$s' -name '*.rc4' -delete" "$gaps" --no-clicks --list "$s.list"
            else
                reported "win$n" "rm -rf '$work/copy'; find '$s' -name '*.rc4' -delete" "$gaps" --no-clicks --list "$s.list"
                timed "cli$n" "find '$s' -name '*.rc4' -delete" sh -c "cd '$s' && '$cli' encrypt -q --password-file '$work/pw' -- f*"
            fi
        done
    fi
    echo "round $round of $runs done" >&2
done
rm -rf "$work/copy"

m() { median < "$work/t_$1"; }
row() { awk -v n="$1" -v t="$2" -v f="$3" 'BEGIN {printf "| %-44s | %8.3f | %7.2f |\n", n, t, t / f}'; }
# table TITLE FLOOR_FIGURE FLOOR_NAME: a table's head and its first row, the floor the others are put against
table() {
    echo
    printf '| %-44s |    s     | × floor |\n' "$1"
    echo "|----------------------------------------------|----------|---------|"
    f=$(m "$2")
    row "$3" "$f" "$f"
}
echo
echo "Medians of $runs rounds, $(date -u +%Y-%m-%d), $(nproc) cores, the window on Xvfb"
if [[ $parts == *" start "* ]]; then
    table "window start-up until it answers" start0 "no paths (the floor)"
    for n in $counts; do row "$n paths on the command line" "$(m "start$n")" "$f"; done
fi
if [[ $parts == *" drop "* ]]; then
    table "drop of $dropped files until the window answers" drop0 "onto an empty list (the floor)"
    row "onto a list of $listed" "$(m drop)" "$f"
fi
if [[ $parts == *" cli "* ]]; then
    table "tessarin-cli until the first file is worked on" first1 "one file named (the floor)"
    row "$args files named" "$(m first)" "$f"
fi
if [[ $parts == *" rate "* ]]; then
    echo
    echo "| files of 4 KiB    | cp -r, s | cp -r + sync, s | tessarin-cli, s | window, s | window / cli | files/s cli | files/s window |"
    echo "|-------------------|----------|-----------------|-----------------|-----------|--------------|-------------|----------------|"
    for n in $counts; do
        awk -v n="$n" -v cp="$(m "cp$n")" -v cps="$(m "cps$n")" -v c="$(m "cli$n")" -v w="$(m "win$n")" \
            'BEGIN {printf "| %17d | %8.3f | %15.3f | %15.3f | %9.3f | %12.2f | %11.0f | %14.0f |\n", n, cp, cps, c, w, w / c, n / c, n / w}'
    done
    echo
    for n in $counts; do echo "window, $n files, last round: $(cat "$work/last_win$n")"; done
fi
