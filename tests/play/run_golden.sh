#!/usr/bin/env bash
# Runs tavrol32-play in a fresh settings folder and compares what it prints with a golden file.
# It must leave nothing in the state folder either: the headless driver keeps no log.
#
#   run_golden.sh PLAY GOLDEN [ARGUMENT ...]
#
# PLAY_EXIT      the exit status expected (0 when unset); on any other status standard error
#                must be one line, holding PLAY_STDERR when that is set; on 0 it must be empty
# PLAY_LOCALE    run under this comma-decimal locale, generated into a private folder when the
#                system lacks it; the test is skipped (status 77) when that cannot be done
# PLAY_SETTINGS  a settings file put in place as the user's store before the run
# PLAY_FIRST     blank-separated tokens of an earlier run in the same settings folder, whose
#                output is not compared (what it saves must be there for the compared run)
# PLAY_UPDATE=1  first write the output to GOLDEN (read the new file line by line before
#                committing it)
set -u
play=$1 golden=$2
shift 2

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/config" "$work/state"
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"

# The environment the program runs in: the locale is set for it alone, not for this script.
run_env=()
use_comma_locale() {
    local name=$1
    run_env=("LC_ALL=$name")
    if [ "$(env "${run_env[@]}" locale decimal_point 2>/dev/null)" != "," ]; then
        mkdir "$work/locale"
        localedef -i "${name%%.*}" -f "${name#*.}" "$work/locale/$name" >/dev/null 2>&1
        run_env+=("LOCPATH=$work/locale")
    fi
    [ "$(env "${run_env[@]}" locale decimal_point 2>/dev/null)" = "," ]
}

if [ -n "${PLAY_LOCALE:-}" ] && ! use_comma_locale "$PLAY_LOCALE"; then
    echo "SKIPPED: locale $PLAY_LOCALE is not installed and cannot be generated here (localedef and its data)"
    exit 77
fi

if [ -n "${PLAY_SETTINGS:-}" ]; then
    mkdir -p "$work/config/Tavrol32"
    cp "$PLAY_SETTINGS" "$work/config/Tavrol32/Tavrol32.conf"
fi
if [ -n "${PLAY_FIRST:-}" ]; then
    # shellcheck disable=SC2086 # the tokens are blank-separated on purpose
    "$play" $PLAY_FIRST >/dev/null || { echo "the earlier run failed: $PLAY_FIRST"; exit 1; }
fi

env "${run_env[@]}" "$play" "$@" >"$work/out" 2>"$work/err"
status=$?

if [ "${PLAY_UPDATE:-}" = 1 ]; then
    cp "$work/out" "$golden"
    echo "wrote $golden"
fi

failed=0
# A state line is long: show the first line that differs one member per line.
members() { sed -n "$1p" "$2" | sed 's/, "/,\n"/g'; }
if ! cmp -s "$golden" "$work/out"; then
    line=$(cmp "$golden" "$work/out" 2>&1 | sed -n 's/.* line \([0-9]*\).*/\1/p')
    echo "standard output differs from $golden at line ${line:-?}:"
    if [ -n "$line" ]; then
        diff -u <(members "$line" "$golden") <(members "$line" "$work/out")
    else
        head -c 600 "$work/out"
    fi
    failed=1
fi
if [ -n "$(ls -A "$work/state")" ]; then
    echo "the run wrote to the state folder:"
    ls -lR "$work/state"
    failed=1
fi
expected_status=${PLAY_EXIT:-0}
if [ "$status" -ne "$expected_status" ]; then
    echo "exit status $status, expected $expected_status"
    failed=1
fi
lines=$(wc -l <"$work/err")
if [ "$expected_status" -eq 0 ]; then
    if [ -s "$work/err" ]; then
        echo "unexpected standard error:"
        cat "$work/err"
        failed=1
    fi
elif [ "$lines" -ne 1 ] || ! grep -qF -- "${PLAY_STDERR:-}" "$work/err"; then
    echo "standard error should be one line naming '${PLAY_STDERR:-}', it is:"
    cat "$work/err"
    failed=1
fi
exit "$failed"
