#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine if needed, builds everything and runs every test through CTest:
#   1. the release build, with warnings as errors and Debian's hardening flags; its tests include the two
#      Debian packages (contents, dependencies, lintian) and the file-manager actions;
#   2. the same tests again built with AddressSanitizer and UndefinedBehaviorSanitizer (float-to-integer
#      conversions included) and libstdc++'s own checks;
#   3. the libFuzzer targets (clang), each for a bounded number of inputs;
#   4. the Windows build (mingw-w64): its tests and a tessarin-cli.exe round trip under Wine, with
#      containers checked against the Linux build of step 1, and the installer in a fresh Wine prefix.
# The 4 GiB test is left out (label "slow"): ctest --test-dir build -L slow --output-on-failure
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
jobs=$(nproc)

echo "== Release build"
# Tests and benchmarks named, since run.sh configures the same folder without them.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTESSARIN_WERROR=ON -DTESSARIN_TESTS=ON -DTESSARIN_BENCH=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" -LE slow

echo "== Sanitizer build (ASan + UBSan)"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTESSARIN_SANITIZE=ON -DTESSARIN_BENCH=OFF
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -LE slow

echo "== Fuzz targets (libFuzzer)"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARIN_FUZZ=ON -DTESSARIN_GUI=OFF \
    -DTESSARIN_TESTS=OFF -DTESSARIN_BENCH=OFF
cmake --build build-fuzz -j"$jobs"
ctest --test-dir build-fuzz --output-on-failure -L fuzz

echo "== Windows build (mingw-w64, tests under Wine)"
scripts/windows-test.sh "$jobs"
