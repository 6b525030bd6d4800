# shellcheck shell=bash disable=SC2154 # $work and $driver are set by the script sourcing this
# Helpers for the printing tests, sourced by print_test.sh: a CUPS scheduler of the test's own,
# the tape driver run in a home of its own, and checks on the PDF a tape became.
# Expects: $work (an empty folder), $driver (tavrol32-print-tape).

PATH=$PATH:/usr/sbin:/sbin
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
queue=tavrol32-test
cupsd_pid=

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A machine without what the test needs skips it; continuous integration installed it all, so
# there the same gap is a failure.
cannot_run() {
    [ "${CI:-}" = true ] && fail "$* (CI=true: this test must run)"
    echo "SKIP: $*" >&2
    exit 77
}

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || cannot_run "$tool is missing"
    done
}

# The scheduler keeps everything under $work and listens on a socket there, never on a TCP
# port, so the machine's own cupsd, running or not, plays no part.
start_cupsd() {
    [ "$(id -u)" -eq 0 ] || cannot_run "a CUPS scheduler of the test's own needs root"
    need cupsd lpadmin lpstat cupsaccept cupsreject lp
    [ -x /usr/lib/cups/backend/cups-pdf ] || cannot_run "no cups-pdf backend"
    [ -r "$ppd" ] || cannot_run "no $ppd"
    chmod 755 "$work" # the filters run as lp and must reach the spool
    mkdir -p "$work/etc" "$work/spool/tmp" "$work/state" "$work/cache" "$work/log" "$work/run"
    chmod 700 "$work/run"
    server=$work/run/cups.sock
    cat >"$work/etc/cupsd.conf" <<EOF
Listen $server
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
PreserveJobFiles Yes
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$work/etc/cups-files.conf" <<EOF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
StateDir $work/state
CacheDir $work/cache
Printcap $work/state/printcap
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
FileDevice Yes
EOF
    local files=(-c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf")
    cupsd -t "${files[@]}" >"$work/log/check" 2>&1 || fail "cupsd refuses its configuration: $(cat "$work/log/check")"
    cupsd -f "${files[@]}" >"$work/log/cupsd" 2>&1 &
    cupsd_pid=$!
    for _ in $(seq 100); do
        lpstat -h "$server" -r 2>/dev/null | grep -q "is running" && return 0
        kill -0 "$cupsd_pid" 2>/dev/null || break
        sleep 0.1
    done
    fail "the test's cupsd did not start: $(tail -n 20 "$work/log/cupsd" "$work/log/error_log" 2>/dev/null)"
}

# A PDF queue on the cups-pdf backend, the scheduler's default printer.
add_pdf_queue() {
    # lpadmin warns that PPD drivers are deprecated; only a failure is worth showing.
    lpadmin -h "$server" -p "$queue" -E -v cups-pdf:/ -P "$ppd" 2>"$work/log/lpadmin" ||
        fail "lpadmin could not add $queue: $(cat "$work/log/lpadmin")"
    lpadmin -h "$server" -d "$queue" || fail "lpadmin could not make $queue the default"
}

stop_cupsd() {
    [ -n "$cupsd_pid" ] || return 0
    kill -TERM "$cupsd_pid" 2>/dev/null
    for _ in $(seq 50); do
        kill -0 "$cupsd_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
    cupsd_pid=
}

# Runs the driver in its own home, offscreen, as a client of $server (a socket where nothing
# may listen); $1 is the mode and its arguments, the other arguments are environment settings.
# Its report lands in $work/out, its standard error in $work/err (or $tape_out and $tape_err),
# and its exit status in $status.
launch_tape() {
    local mode=$1
    shift
    mkdir -p "$work/home" "$work/runtime" "$work/tmp" "$work/etc"
    chmod 700 "$work/runtime"
    # shellcheck disable=SC2086 # the mode's words are the driver's arguments
    env -u LPDEST -u PRINTER HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_STATE_HOME="$work/home/.local/state" XDG_RUNTIME_DIR="$work/runtime" CUPS_SERVER="$server" \
        CUPS_SERVERROOT="$work/etc" TMPDIR="$work/tmp" QT_QPA_PLATFORM=offscreen "$@" \
        "$driver" $mode >"${tape_out:-$work/out}" 2>"${tape_err:-$work/err}"
    status=$?
}

# As launch_tape, but in the background for `hold`: returns once the driver says it is ready to
# be signalled, with its pid in $tape_pid.
hold_tape() {
    local count=$1
    shift
    rm -f "${tape_out:-$work/out}" # an earlier run's "ready" is no answer
    launch_tape "hold $count" "$@" &
    tape_pid=$!
    for _ in $(seq 600); do
        grep -qx ready "${tape_out:-$work/out}" 2>/dev/null && return 0
        kill -0 "$tape_pid" 2>/dev/null || break
        sleep 0.1
    done
    fail "the driver did not get ready: $(cat "$work/err")"
}

# The pid of the driver itself, the child of the background launch_tape.
driver_pid() { pgrep -P "$tape_pid" -f "$driver"; }

# As launch_tape, for a run that must end well.
run_tape() {
    launch_tape "$@"
    [ "$status" -eq 0 ] || fail "tape $1: $(cat "$work/err")"
}

destinations() { sed -n 's/^destination //p' "$work/out"; }
messages() { sed -n 's/^message //p' "$work/out"; }
pending() { sed -n 's/^pending //p' "$work/out"; }
asked() { sed -n 's/^asked //p' "$work/out"; }
journals() { ls "$work/home/.local/state/Tavrol32"/tape-*.journal 2>/dev/null; }

# An lp of the test's own, first on the PATH that $fake_path then sets:
#   prints    keeps each job it is given as $work/lp-jobs/N.pdf and answers as lp does
#   refuses   says the destination is not accepting jobs, and fails
#   hangs     never answers
fake_lp() {
    mkdir -p "$work/bin" "$work/lp-jobs"
    # shellcheck disable=SC2034 # an environment setting for run_tape, in print_test.sh
    fake_path="PATH=$work/bin:$PATH"
    case "$1" in
    prints)
        cat >"$work/bin/lp" <<EOF
#!/bin/sh
for file; do :; done
n=\$((\$(ls "$work/lp-jobs" | wc -l) + 1))
cp "\$file" "$work/lp-jobs/\$n.pdf" || exit 1
echo "request id is fake-office-\$n (1 file(s))"
EOF
        ;;
    refuses) printf '#!/bin/sh\necho "lp: Destination fake-office is not accepting jobs." >&2\nexit 1\n' >"$work/bin/lp" ;;
    hangs) printf '#!/bin/sh\necho $$ >>"%s/lp-hanging"\nexec sleep 600\n' "$work" >"$work/bin/lp" ;;
    *) fail "no fake lp that $1" ;;
    esac
    chmod +x "$work/bin/lp"
}
lp_jobs() { ls "$work/lp-jobs"/*.pdf 2>/dev/null; }
# The lps that hang, which outlive a killed driver: stopped by their ids.
stop_hanging_lps() {
    [ -f "$work/lp-hanging" ] || return 0
    while read -r pid; do kill "$pid" 2>/dev/null; done <"$work/lp-hanging"
    rm -f "$work/lp-hanging"
}
pages_of() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }

job_ids() { lpstat -h "$server" -W all -o 2>/dev/null | awk '{ n = split($1, part, "-"); print part[n] }'; }

# Waits, at most 20 s, for the scheduler to list job $1 among the finished ones, then makes sure
# it finished because the backend took it, not because it was stopped or cancelled.
wait_job() {
    for _ in $(seq 200); do
        lpstat -h "$server" -W completed -o 2>/dev/null | grep -q "^$queue-$1 " && break
        sleep 0.1
    done
    grep -q "\[Job $1\] Job completed\." "$work/log/error_log" ||
        fail "job $1 did not complete: $(grep -F "[Job $1]" "$work/log/error_log" | tail -n 20)"
}

# Leading blanks that every line has are the page's margin, not the tape's.
strip_margin() {
    awk '{ line[NR] = $0; match($0, /^ */); if (NR == 1 || RLENGTH < m) m = RLENGTH }
         END { for (i = 1; i <= NR; ++i) print substr(line[i], m + 1) }'
}

# The tape is set 10 points high in a fixed-pitch face, 6 points a character. Told that pitch,
# pdftotext puts every character in its own column instead of guessing the spacing.
tape_text() { pdftotext -layout -fixed 6 "$1" - | tr -d '\f' | sed 's/ *$//' | grep -v '^$' | strip_margin; }

# Compares the PDF's lines, columns included, with the expected tape on standard input.
check_tape() {
    [ -s "$1" ] || fail "no PDF at $1"
    diff -u <(strip_margin) <(tape_text "$1") >"$work/diff" || fail "$2: the PDF's tape differs:
$(cat "$work/diff")"
}

# Every font is embedded and monospaced, and every word keeps 40 points (14 mm) off each edge.
check_page() {
    pdffonts "$1" | awk 'NR > 2 && ($1 !~ /Mono|Courier/ || $(NF - 4) != "yes") { print; bad = 1 } END { exit bad }' ||
        fail "$2: a font is not an embedded fixed-pitch one"
    pdftotext -bbox "$1" - | awk -F'"' -v m=40 '/<page / { w = $2; h = $4 }
        /<word / && ($2 < m || $4 < m || $6 > w - m || $8 > h - m) { print; bad = 1 } END { exit bad }' ||
        fail "$2: text too close to the edge of the paper"
}
