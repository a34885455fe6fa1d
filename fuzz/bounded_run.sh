#!/usr/bin/env bash
# One bounded run of a fuzz target, as the test command makes it:
#   bounded_run.sh TARGET WORK_CORPUS SEED_CORPUS
# The seed comes from TESSARIN_FUZZ_SEED, or else is new on every run, so that repeated test runs try
# different inputs; it is printed first, so that a failing run can be repeated. A repeat starts with
# the same mutations but drifts apart within a few thousand inputs (libFuzzer's coverage also depends
# on stack addresses, among other things); the input written on a failure, into the current folder,
# repeats the failure exactly. The number of inputs is TESSARIN_FUZZ_RUNS (20000 when unset).
set -euo pipefail

if [[ $# -ne 3 ]]; then
    echo "usage: $0 TARGET WORK_CORPUS SEED_CORPUS" >&2
    exit 2
fi
target=$1 work=$2 seeds=$3
runs=${TESSARIN_FUZZ_RUNS:-20000}

# libFuzzer takes a seed from 1 to 2^32-1 (0 would make it pick one it does not tell us up front).
seed=${TESSARIN_FUZZ_SEED:-$(( $(od -An -N4 -tu4 /dev/urandom) % 4294967295 + 1 ))}
name=$(basename "$target")
build=$(dirname "$(dirname "$target")")
echo "Seed: $seed (wiederholen: TESSARIN_FUZZ_SEED=$seed ctest --test-dir $build -R '^$name\$' --output-on-failure)"

# A fresh working corpus each time, so that a repeat with the same seed starts from the same inputs.
rm -rf "$work"
mkdir -p "$work"
exec "$target" -runs="$runs" -max_len=4096 -seed="$seed" "$work" "$seeds"
