#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh --tests
# A decimal-comma locale for the tests that play under one.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 \
        || echo "de_DE.UTF-8 could not be made; the comma-locale tests will say they were skipped"
fi
# ccache, where installed, keeps a rebuild short; paths are taken relative to
# this checkout so any clone of it shares the cache.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DTOKIRA_SANITIZE=ON -DBUILD_TESTING=ON -DTOKIRA_RANKING_SERVER=ON "${launcher[@]}" >/dev/null
cmake --build build-tests -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
# Qt and fontconfig keep caches until exit; only real faults should fail a test.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-tests && ctest --output-on-failure -j"$(nproc)" --timeout 600)
# The fuzz targets, a few seconds each, in a clang build of their own; where
# clang cannot link libFuzzer, tools/fuzz.sh says so and exits 77.
status=0
tools/fuzz.sh all "${TOKIRA_FUZZ_SECONDS:-5}" || status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 77 ] || exit "$status"
