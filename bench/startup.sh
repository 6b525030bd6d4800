#!/usr/bin/env bash
# Start-up of Tavrol32 against a bare Qt window, side by side in one batch: time from exec to the
# first complete paint and resident memory, medians over the runs, and Tavrol32's share of each.
#
# Usage: bench/startup.sh [-n RUNS] [-B BUILD_DIR] [-t TAVROL32] [MEASURE_SCRIPT]
#   MEASURE_SCRIPT  the shared start-up measurement (default: ../shared/bench/startup.sh beside
#                   this checkout); the bare Qt window is built from bare-qt/ next to it
#   -n RUNS         measured runs of each program (default 7)
#   -B BUILD_DIR    where the baseline and Tavrol32 are built (default: build/startup)
#   -t TAVROL32     measure this tavrol32 instead of a Release build of this checkout
#
# Needs xvfb, gcc, libx11-dev and libxdamage-dev (for the measurement), cmake and ninja.
# Tavrol32 starts with a fresh, empty configuration folder, as on a first run.
set -eu

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=7
build="$repo/build/startup"
tavrol=""
while getopts "n:B:t:h" opt; do
    case "$opt" in
        n) runs=$OPTARG ;;
        B) build=$OPTARG ;;
        t) tavrol=$OPTARG ;;
        h) sed -n '2,/^set -eu/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
        *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
measure=${1:-"$repo/../shared/bench/startup.sh"}
[ -x "$measure" ] || { echo "startup.sh: no measurement script at $measure" >&2; exit 2; }
measure=$(cd "$(dirname "$measure")" && pwd)/$(basename "$measure")
bare_src=$(dirname "$measure")/bare-qt
[ -f "$bare_src/CMakeLists.txt" ] || { echo "startup.sh: no bare Qt window at $bare_src" >&2; exit 2; }

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

echo "# building the bare Qt window" >&2
cmake -S "$bare_src" -B "$build/bare-qt" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/bare-qt" >/dev/null
bare=$(find "$build/bare-qt" -maxdepth 1 -type f -name 'bare-qt' -perm -u+x | head -n1)
[ -n "$bare" ] || { echo "startup.sh: the bare Qt window did not build" >&2; exit 3; }

if [ -z "$tavrol" ]; then
    echo "# building tavrol32 (Release)" >&2
    cmake -S "$repo" -B "$build/tavrol32" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DTAVROL_BUILD_TESTS=OFF -DTAVROL_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build/tavrol32" --target tavrol32 >/dev/null
    tavrol="$build/tavrol32/app/desktop/tavrol32"
fi
[ -x "$tavrol" ] || { echo "startup.sh: no tavrol32 at $tavrol" >&2; exit 3; }

config=$(mktemp -d /tmp/tavrol32-startup-config.XXXXXX)
trap 'rm -rf "$config"' EXIT

summary() { # label program [measure options...] -> the SUMMARY line; the full table on stderr
    local label=$1 program=$2 out
    shift 2
    out=$("$measure" -n "$runs" -q -l "$label" "$@" -- "$program") || true
    printf '%s\n' "$out" >&2
    grep '^SUMMARY' <<<"$out" || true
}
field() { # name line -> value
    sed -n "s/.* $1=\([-0-9.]*\).*/\1/p" <<<"$2"
}

bare_line=$(summary bare-qt "$bare")
tavrol_line=$(summary tavrol32 "$tavrol" -e "XDG_CONFIG_HOME=$config")

bare_paint=$(field paint_ms "$bare_line") bare_rss=$(field rss_mib "$bare_line")
tavrol_paint=$(field paint_ms "$tavrol_line") tavrol_rss=$(field rss_mib "$tavrol_line")
for value in "$bare_paint" "$bare_rss" "$tavrol_paint" "$tavrol_rss"; do
    case "$value" in ''|-|*[!0-9.]*) echo "startup.sh: a program gave no figures (see above)" >&2; exit 3 ;; esac
done
echo
echo "medians of $runs runs       bare Qt   Tavrol32   ratio"
awk -v bp="$bare_paint" -v tp="$tavrol_paint" -v br="$bare_rss" -v tr="$tavrol_rss" 'BEGIN {
    printf "first paint (ms)      %9.1f  %9.1f   %5.2fx   (target <= 1.50x)\n", bp, tp, tp / bp
    printf "resident memory (MiB) %9.1f  %9.1f   %5.2fx   (target <= 1.10x)\n", br, tr, tr / br
}'
