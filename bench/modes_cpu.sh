#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures what a running game costs: starts the built program under Xvfb in a
# throw-away program folder, starts a Speed attack with xdotool and reports the
# program's CPU use (percent of one core) while it waits for the first key,
# while its clock runs with no key pressed, and while keys come at 10 per
# second. Then it types 1,000 keys at 50 per second in a new game, the last of
# them the Esc that stops it (Esc is judged like any key), and checks that the
# type and miss counts add up to 1,000: no key dropped or doubled. Last, the
# baseline: a bare Qt window that paints each key into labels and does nothing
# else (bench_bare_window, built beside the program), idle and taking the same
# 10 keys per second, and painting a clock into three labels 30 times a
# second; its figures are printed beside the game's.
#
#   bench/modes_cpu.sh [build-folder]      (default: build)
#
# PACE=on or PACE=off measures a Time attack instead, with the pace marker
# shown or not, and leaves out the 1,000-key check (the attack ends at 500).
#
# Needs Xvfb and xdotool. Nothing is written outside a temporary folder
# (KEEP_WORK=1 keeps it, with the program's messages in err.log).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
program="$build/tokira"
bare="$build/bench/bench_bare_window"
key_to_screen="$build/bench/bench_key_to_screen"
seconds=20

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "modes_cpu: $tool is missing (apt-get install xvfb xdotool)" >&2; exit 2; }
done
[ -x "$program" ] || { echo "modes_cpu: build the program first ($program)" >&2; exit 2; }
[ -x "$bare" ] || { echo "modes_cpu: build the baseline first (cmake --build $build --target bench_bare_window)" >&2; exit 2; }

work="$(mktemp -d)"
xvfb_pid=""
game_pid=""
bare_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$bare_pid" ] && kill "$bare_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    [ -n "${KEEP_WORK:-}" ] && echo "kept $work" >&2 || rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own: the program, its sounds and tiny dictionaries
# whose one word is typed as shown on a fresh main window.
mkdir -p "$work/prog" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$work/prog/tokira"
cp "$root"/data/*.wav "$work/prog/" 2>/dev/null || true
python3 - "$work/prog" <<'EOF'
import sys, os
folder = sys.argv[1]
def write(name, text):
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(text.encode('cp932'))
write('tokira.qls', '試験:KOKOHA RO-MAJI DESU\r\n')
write('tokira.cls', '[CopipeName=短文]\r\n一:ICHI\r\n[END]\r\n')
write('tokira.rls', '[CopipeName=早口]\r\n66#56#\r\n一:ICHI\r\n[END]\r\n')
write('roman.dat', 'NN:NN\r\nあ:A\r\n')
EOF
word="kokoha ro-maji desu"
mode_key=F2
mode_name="Speed attack"
if [ -n "${PACE:-}" ]; then
    mode_key=F3
    mode_name="Time attack, pace $PACE"
    mkdir -p "$work/config/疾鍵"
    printf '[Setting]\nPace=%s\n' "$([ "$PACE" = on ] && echo True || echo False)" >"$work/config/疾鍵/疾鍵.ini"
fi

# Xvfb picks a free display and writes its number, line and all, once it is up;
# it is ready when a client gets through. A busy machine may take a while.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 600); do
    grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null || { echo "modes_cpu: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
for _ in $(seq 600); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "modes_cpu: cannot connect to $DISPLAY" >&2; exit 1; }

# The first visible window xdotool finds with these search options, waiting up
# to 10 s for it; empty when none appears.
wait_for_window() {
    local found=""
    for _ in $(seq 100); do
        found="$(xdotool search --onlyvisible "$@" 2>/dev/null | head -1 || true)"
        [ -n "$found" ] && break
        sleep 0.1
    done
    printf '%s' "$found"
}

(cd "$work/prog" && XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    QT_LOGGING_RULES="tokira.modes.debug=true" exec ./tokira >"$work/out.log" 2>"$work/err.log") &
game_pid=$!

window="$(wait_for_window --classname tokira)"
[ -n "$window" ] || { echo "modes_cpu: the main window never appeared" >&2; cat "$work/err.log" >&2; exit 1; }
xdotool windowfocus --sync "$window"
sleep 1

ticks_per_second="$(getconf CLK_TCK)"
# The process measured: the game, then the bare window.
measured_pid=""
cpu_ticks() {
    if ! awk '{ print $14 + $15 }' "/proc/$measured_pid/stat" 2>/dev/null; then
        echo "modes_cpu: the program ended during the measurement" >&2
        cat "$work/err.log" >&2
        exit 1
    fi
}
# Percent of one core used by the program while the given command runs (at least $seconds s).
measure() {
    local before after start end
    before="$(cpu_ticks)"
    start="$(date +%s.%N)"
    "$@"
    end="$(date +%s.%N)"
    after="$(cpu_ticks)"
    awk -v t="$((after - before))" -v hz="$ticks_per_second" -v s="$start" -v e="$end" \
        'BEGIN { printf "%.1f %% of one core over %.1f s", 100 * t / hz / (e - s), e - s }'
}
repeat_word() {
    local n="$1" text=""
    while [ "${#text}" -lt "$n" ]; do text="$text$word"; done
    printf '%s' "${text:0:$n}"
}
# Sends keys at a steady rate (xdotool waits half its delay after each press
# and half after each release).
type_at_rate() {
    local count="$1" per_second="$2"
    xdotool type --delay "$((2000 / per_second))" "$(repeat_word "$count")"
}
game_overs() { grep -c "game over" "$work/err.log" || true; }
measured_pid="$game_pid"

xdotool key "$mode_key"
sleep 1
waiting="$(measure sleep "$seconds")"
xdotool key k
sleep 1
idle="$(measure sleep "$seconds")"
typing10="$(measure type_at_rate $((10 * seconds)) 10)"
xdotool key Escape
sleep 1
# Key to screen in a new game, its clock running, typed from the word's second letter.
game_screen="not measured (build bench_key_to_screen)"
bare_screen="$game_screen"
if [ -x "$key_to_screen" ] && [ -z "${PACE:-}" ]; then
    xdotool key F2
    sleep 1
    xdotool key "${word:0:1}"
    sleep 1
    game_screen="$("$key_to_screen" "$window" "${word:1}${word:0:1}" 100 || echo "failed")"
    xdotool key Escape
    sleep 1
fi

types=""
misses=""
if [ -z "${PACE:-}" ]; then
    before_runs="$(game_overs)"
    xdotool key F2
    sleep 1
    start="$(date +%s.%N)"
    typing50="$(measure type_at_rate 999 50)"
    sleep 0.02
    xdotool key Escape
    end="$(date +%s.%N)"
    for _ in $(seq 50); do [ "$(game_overs)" -gt "$before_runs" ] && break; sleep 0.1; done
    last="$(grep "game over" "$work/err.log" | tail -1)"
    types="$(sed -n 's/.*types=\([0-9]*\).*/\1/p' <<<"$last")"
    misses="$(sed -n 's/.*misses=\([0-9]*\).*/\1/p' <<<"$last")"
fi

kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""
(XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    exec "$bare" >/dev/null 2>"$work/bare.log") &
bare_pid=$!
window="$(wait_for_window --name bare-window)"
[ -n "$window" ] || { echo "modes_cpu: the bare window never appeared" >&2; cat "$work/bare.log" >&2; exit 1; }
xdotool windowfocus --sync "$window"
sleep 1
measured_pid="$bare_pid"
bare_idle="$(measure sleep "$seconds")"
bare_typing10="$(measure type_at_rate $((10 * seconds)) 10)"
[ -x "$key_to_screen" ] && bare_screen="$("$key_to_screen" "$window" "${word:1}${word:0:1}" 100 || echo "failed")"
kill "$bare_pid" 2>/dev/null || true
wait "$bare_pid" 2>/dev/null || true
# The same window painting a clock into three labels 30 times a second.
(XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    exec "$bare" 30 >/dev/null 2>"$work/bare.log") &
bare_pid=$!
for _ in $(seq 100); do xdotool search --onlyvisible --name bare-window >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
measured_pid="$bare_pid"
bare_frames="$(measure sleep "$seconds")"

printf '%-41s %s\n' "$mode_name, waiting for the first key:" "$waiting"
printf '%-41s %s\n' "$mode_name, clock running, no key:" "$idle"
echo "  bare window, no key:                    $bare_idle"
echo "  bare window, 3 labels at 30 frames/s:   $bare_frames"
printf '%-41s %s\n' "$mode_name, 10 keys per second:" "$typing10"
echo "  bare window, 10 keys per second:        $bare_typing10"
[ -n "${PACE:-}" ] && exit 0
echo "Speed attack, key to screen:              $game_screen"
echo "  bare window, key to screen:             $bare_screen"
echo "999 keys at 50 per second (then Esc):     $typing50"
awk -v s="$start" -v e="$end" 'BEGIN { printf "  rate actually sent: %.1f keys/s\n", 1000 / (e - s) }'
echo "  judged: types=$types misses=$misses"
if [ -n "$types" ] && [ $((types + misses)) -eq 1000 ]; then
    echo "  type + miss = 1000: no key dropped or doubled"
else
    echo "  MISMATCH: type + miss should be 1000" >&2
    exit 1
fi
