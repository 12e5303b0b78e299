#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets of tests/fuzz with clang (in build-fuzz, apart from
# the g++ build) and runs one of them, or all of them, for a number of seconds
# each, starting from its committed seeds:
#   tools/fuzz.sh NAME SECONDS     e.g. tools/fuzz.sh romaji_table 60
#   tools/fuzz.sh all SECONDS
#   tools/fuzz.sh --list
# Inputs found are kept in build-fuzz/corpus/NAME; a crash is written to
# build-fuzz/crash-NAME-* and the run fails. Exits 77 when clang cannot link
# -fsanitize=fuzzer here.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${TOKIRA_FUZZ_BUILD:-$root/build-fuzz}

if ! printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }\n' \
        | clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null; then
    echo "fuzz targets not built: clang++ cannot link -fsanitize=fuzzer (Debian: clang libclang-rt-dev)"
    exit 77
fi

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DTOKIRA_FUZZ=ON -DBUILD_TESTING=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target fuzz >/dev/null

mapfile -t names < <(find "$build/tests/fuzz" -maxdepth 1 -type f -executable -name 'fuzz_*' -printf '%f\n' | sed 's/^fuzz_//' | sort)
if [ "${1:-}" = "--list" ]; then
    printf '%s\n' "${names[@]}"
    exit 0
fi
[ $# -eq 2 ] || { echo "usage: tools/fuzz.sh NAME|all SECONDS" >&2; exit 2; }
[ "$1" = all ] && run=("${names[@]}") || run=("$1")

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
status=0
for name in "${run[@]}"; do
    program="$build/tests/fuzz/fuzz_$name"
    [ -x "$program" ] || { echo "no fuzz target $name (have: ${names[*]})" >&2; exit 2; }
    mkdir -p "$build/corpus/$name"
    seeds=()
    [ -d "$root/tests/fuzz/corpus/$name" ] && seeds=("$root/tests/fuzz/corpus/$name")
    log="$build/fuzz-$name.log"
    if "$program" -max_total_time="$2" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$build/crash-$name-" "$build/corpus/$name" "${seeds[@]}" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz_$name: ${runs:-?} inputs in $2 s, no fault"
    else
        echo "fuzz_$name: FAULT (log $log)"
        tail -n 40 "$log"
        status=1
    fi
done
exit $status
