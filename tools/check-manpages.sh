#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every built program has a manual page whose options are the ones its --help
# lists, no more and no fewer.
# Usage: tools/check-manpages.sh BUILD_DIR
set -euo pipefail
build=$1
man=$(cd "$(dirname "$0")/../debian/man" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

checked=0
for program in "$build/tokira" "$build/tokira-dict" "$build/server/tokira-ranking-server"; do
    [ -x "$program" ] || continue
    name=$(basename "$program")
    pods=("$man/$name".[1-8].pod)
    [ -f "${pods[0]}" ] || fail "$name has no manual page: write debian/man/$name.1.pod (section 8 for a daemon)"
    # The options are the lines of --help that start with a dash.
    from_help=$(QT_QPA_PLATFORM=offscreen "$program" --help | grep -E '^ +-' | grep -oE -- '--[a-z][a-z-]*' | sort -u)
    from_page=$(grep -E '^=item ' "${pods[0]}" | grep -oE -- 'B<--[a-z][a-z-]*>' | sed 's/^B<//; s/>$//' | sort -u)
    [ -n "$from_help" ] || fail "$name --help lists no option"
    [ "$from_help" = "$from_page" ] \
        || fail "$(basename "${pods[0]}") does not describe the options of $name --help:"$'\n'"$(diff <(echo "$from_help") <(echo "$from_page"))"
    checked=$((checked + 1))
done
[ $checked -gt 0 ] || fail "no program found in $build"
echo "$checked manual pages match --help"
