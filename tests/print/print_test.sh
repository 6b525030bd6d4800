#!/usr/bin/env bash
# Real printing of a tape through the desktop program's printing path, checked on the PDF that
# came out: every line, every column, the font, the margins and the page breaks.
#
#   print_test.sh DRIVER queue        a cups-pdf queue as the default printer takes the job
#   print_test.sh DRIVER refusing     a queue that refuses jobs, then no temporary file: a PDF
#   print_test.sh DRIVER no_printer   no print system at all: a PDF in the documents folder
#   print_test.sh DRIVER lp_faults    an lp that hangs, one that fails, and none: a PDF each
#   print_test.sh DRIVER signal       SIGTERM with the tape on finishes it as closing does
#   print_test.sh DRIVER journal      a tape running when the program was killed is finished
#                                     at the next start
#   print_test.sh DRIVER long_tape    a tape of more than ten pages asks first
#   print_test.sh DRIVER cut_off      a second signal during a save, lp hanging at a signal, and
#                                     a kill while lp has the job: nothing cut off stays
#   print_test.sh DRIVER leftovers    tapes of several killed programs: one message at the next
#                                     start; those that cannot be finished are told of once
#   print_test.sh DRIVER unkept       a tape whose journal cannot be kept says so, once a run
set -uo pipefail
driver=$1
case_name=$2
here=$(cd "$(dirname "$0")" && pwd)
# In /tmp, whatever TMPDIR says: the filters, run as lp, must reach the spool, and a socket path
# has to stay short.
work=$(mktemp -d /tmp/tavrol32-print.XXXXXX) || exit 1
server=$work/nothing-listens.sock
# shellcheck source-path=SCRIPTDIR source=print_lib.sh
. "$here/print_lib.sh"

# cups-pdf also writes each job into the job owner's PDF folder, and logs the queue in a file of
# its own: what the test adds there goes again.
pdf_out=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
pdf_log=/var/log/cups/cups-pdf-${queue}_log
had=$([ -d "$pdf_out" ] && echo folder)$([ -e "$pdf_log" ] && echo log)
ls -A "$pdf_out" >"$work/pdf_out.before" 2>/dev/null
cleanup() {
    stop_cupsd
    stop_hanging_lps
    if [ -d "$pdf_out" ]; then
        for added in "$pdf_out"/*Tavrol32*; do
            [ -e "$added" ] && ! grep -qxF "${added##*/}" "$work/pdf_out.before" && rm -f "$added"
        done
        [[ $had == *folder* ]] || rmdir "$pdf_out" 2>/dev/null
    fi
    [[ $had == *log* ]] || rm -f "$pdf_log"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
need pdftotext pdffonts pdfinfo

long_tape() {
    for i in $(seq 1 100); do echo " $i   +"; done
    echo "               20D 6"
    # Twenty dice, seven a line, in the columns of the first line's dice.
    for row in "4 2 6 4 2 6 4" "2 6 4 2 6 4 2" "6 4 2 6 4 2"; do
        # shellcheck disable=SC2086 # a row's faces are the arguments
        printf '%12s' $row
        echo
    done
    printf ' %s   =\n %s   <*>\n' 78 5128
}

# The tape the driver printed went to the queue as job $1, the last of the jobs "$2"; $spooled
# is then the PDF the scheduler keeps for it.
printed_to_queue() {
    [ "$(destinations)" = "$queue" ] || fail "job $1 went to '$(destinations)', not to $queue"
    [ -z "$(messages)" ] || fail "job $1 printed, yet a message was shown: $(messages)"
    [ -z "$(asked)" ] || fail "job $1 asked before printing"
    [ -z "$(journals)" ] || fail "job $1 printed, yet its journal stayed: $(journals)"
    [ "$(job_ids | sort -n | xargs)" = "$2" ] || fail "jobs '$(job_ids | xargs)', expected '$2'"
    wait_job "$1"
    spooled=$(printf '%s/spool/d%05d-001' "$work" "$1")
}

# The short tape was saved instead: the message says why ($2) and names the file.
saved_as_pdf() {
    local file=$1 why=$2
    case "$file" in "$3"/*.pdf) ;; *) fail "the tape went to '$file', not to a PDF in $3" ;; esac
    messages | grep -qF "$why" || fail "no message says '$why': $(messages)"
    messages | grep -qF "PDF file:"$'\r'"$file" || fail "no message names $file: $(messages)"
    [ -z "$(journals)" ] || fail "the tape was saved, yet its journal stayed: $(journals)"
    check_tape "$file" "saved tape" <"$here/short_tape.txt"
    check_page "$file" "saved tape"
}

case "$case_name" in
queue)
    start_cupsd
    add_pdf_queue
    run_tape short
    printed_to_queue 1 "1"
    check_tape "$spooled" "short tape" <"$here/short_tape.txt"
    check_page "$spooled" "short tape"
    run_tape long
    printed_to_queue 2 "1 2"
    pages=$(pdfinfo "$spooled" | awk '/^Pages:/ { print $2 }')
    [ "$pages" -ge 2 ] || fail "the long tape fills $pages page(s), expected two or more"
    check_tape "$spooled" "long tape" < <(long_tape)
    check_page "$spooled" "long tape"
    ;;
refusing)
    start_cupsd
    add_pdf_queue
    cupsreject -h "$server" "$queue" || fail "cupsreject failed"
    # Two tapes in a row: the program goes on after a refused job, each tape in a file of its own.
    run_tape twice
    mapfile -t saved < <(destinations)
    if [ "${#saved[@]}" -ne 2 ] || [ "${saved[0]}" = "${saved[1]}" ]; then
        fail "two tapes, files: ${saved[*]}"
    fi
    for file in "${saved[@]}"; do saved_as_pdf "$file" "$queue\" is not accepting jobs" "$work/home/Documents"; done
    cupsaccept -h "$server" "$queue" || fail "cupsaccept failed"
    # The queue takes jobs again, but the job cannot even be written: the temporary folder is a
    # file, which stops root too.
    touch "$work/not-a-folder"
    run_tape short TMPDIR="$work/not-a-folder"
    saved_as_pdf "$(destinations)" "No temporary file for the print job" "$work/home/Documents"
    [ -z "$(job_ids)" ] || fail "jobs reached the queue: $(job_ids | xargs)"
    ;;
no_printer)
    # The user's documents folder is wherever their user-dirs.dirs says.
    mkdir -p "$work/home/.config" "$work/home/Papers"
    # shellcheck disable=SC2016 # the file itself says $HOME
    echo 'XDG_DOCUMENTS_DIR="$HOME/Papers"' >"$work/home/.config/user-dirs.dirs"
    # Files from an earlier tape in each of the next seconds: none may be overwritten.
    for s in $(seq 0 9); do
        echo earlier >"$work/home/Papers/Tavrol32 tape $(date -d "+$s seconds" '+%Y-%m-%d %H-%M-%S').pdf"
    done
    run_tape short
    saved_as_pdf "$(destinations)" "No printer took the tape" "$work/home/Papers"
    [ "$(grep -lx earlier "$work"/home/Papers/*.pdf | wc -l)" -eq 10 ] || fail "an earlier tape was overwritten"
    # A face that is not fixed-pitch gives way to one that is, and the columns hold.
    run_tape proportional
    saved_as_pdf "$(destinations)" "No printer took the tape" "$work/home/Papers"
    ;;
lp_faults)
    # An lp that never answers: switching the tape off returns with the job still with lp, and
    # after the bound the tape is saved and the user told.
    fake_lp hangs
    run_tape short "$fake_path" TAPE_SUBMIT_TIMEOUT_MS=300
    [ "$(pending)" = yes ] || fail "switching the tape off waited for lp (pending: '$(pending)')"
    saved_as_pdf "$(destinations)" "did not answer" "$work/home/Documents"
    # One that refuses the job, and none at all: cups-client is only recommended.
    fake_lp refuses
    run_tape short "$fake_path"
    saved_as_pdf "$(destinations)" "fake-office is not accepting jobs" "$work/home/Documents"
    mkdir -p "$work/no-lp"
    run_tape short PATH="$work/no-lp"
    saved_as_pdf "$(destinations)" "no lp command" "$work/home/Documents"
    ;;
signal)
    # SIGTERM with the tape on, while the programming window is open: the window's loop ends
    # too, and the tape is finished as closing the window finishes it.
    fake_lp prints
    run_tape signal "$fake_path"
    [ "$(sed -n 's/^status //p' "$work/out")" = 143 ] || fail "the event loop did not end on SIGTERM: $(cat "$work/out")"
    [ "$(lp_jobs | wc -l)" -eq 1 ] || fail "lp got $(lp_jobs | wc -l) jobs, expected the tape"
    check_tape "$(lp_jobs)" "tape ended by SIGTERM" <"$here/short_tape.txt"
    [ -z "$(messages)$(journals)" ] || fail "printed, yet: $(messages) $(journals)"
    # After a signal nobody may be at the screen: no box waits; the outcome goes to standard
    # error and is shown at the next start, once.
    fake_lp refuses
    run_tape signal "$fake_path"
    file=$(destinations)
    [ -z "$(messages)" ] || fail "a message box waited after the signal: $(messages)"
    grep -qF "No printer took the tape" "$work/err" || fail "standard error does not tell: $(cat "$work/err")"
    run_tape start "$fake_path"
    saved_as_pdf "$file" "fake-office is not accepting jobs" "$work/home/Documents"
    run_tape start "$fake_path"
    [ -z "$(messages)" ] || fail "a notice was shown at a second start: $(messages)"
    ;;
journal)
    # The tape of a program killed with the tape on waits in its journal; the next start prints
    # it, says so, and lets the journal go.
    fake_lp prints
    launch_tape killed
    [ "$status" -eq 137 ] || fail "the driver was to be killed, it ended with status $status: $(cat "$work/err")"
    [ "$(journals | wc -l)" -eq 1 ] || fail "no journal kept the running tape"
    run_tape start "$fake_path"
    [ "$(lp_jobs | wc -l)" -eq 1 ] || fail "lp got $(lp_jobs | wc -l) jobs at the next start, expected the tape"
    check_tape "$(lp_jobs)" "tape of a killed program" <"$here/short_tape.txt"
    messages | grep -qF "still running when Tavrol32 last ended has been printed on fake-office" ||
        fail "the user was not told of the tape: $(messages)"
    [ -z "$(journals)" ] || fail "the journal stayed after its tape was printed"
    ;;
long_tape)
    # Up to ten pages print without a question; a longer tape asks first, told the pages it
    # will print, and each answer does what it says.
    fake_lp prints
    run_tape long "$fake_path"
    [ -z "$(asked)" ] || fail "a tape of $(asked) pages asked first"
    rm -f "$work"/lp-jobs/*
    for answer in print pdf discard; do
        run_tape "dice 32767" "$fake_path" TAPE_CHOICE=$answer
        pages=$(asked)
        [ "${pages:-0}" -gt 10 ] || fail "$answer: one roll of 32767 dice did not ask first ('$pages')"
        kept=$(ls "$work/home/Documents"/*.pdf 2>/dev/null)
        case $answer in
        print) [ -z "$kept$(messages)" ] && [ "$(lp_jobs | wc -l)" -eq 1 ] && [ "$(pages_of "$(lp_jobs)")" = "$pages" ] ;;
        pdf) [ -z "$(lp_jobs)" ] && [ "$(destinations)" = "$kept" ] && [ "$(pages_of "$kept")" = "$pages" ] &&
            messages | grep -qF "PDF file:"$'\r'"$kept" ;;
        discard) [ -z "$(lp_jobs)$kept$(messages)$(destinations)" ] ;;
        esac || fail "answered $answer for $pages pages: lp got '$(lp_jobs)', kept '$kept', told '$(messages)'"
        [ -z "$(journals)" ] || fail "answered $answer: the journal stayed"
        rm -f "$work"/lp-jobs/* "$work/home/Documents"/*.pdf
    done
    ;;
cut_off)
    job_files() { find "$work/tmp" -maxdepth 1 -name 'tavrol32-tape-*.pdf'; }
    # A second SIGTERM while a tape of 71 pages is saved ends the program at once: a PDF under
    # its own name opens, whatever the moment, and the tape that was cut off is in its journal.
    docs=$work/home/Documents
    fake_lp prints
    for gap in 0.05 0.15 0.3; do
        hold_tape 32767 "$fake_path"
        kill -TERM "$(driver_pid)"
        sleep "$gap"
        kill -TERM "$(driver_pid)" 2>/dev/null
        wait "$tape_pid"
    done
    run_tape start PATH="$work/no-lp"
    for file in "$docs"/*; do
        pdfinfo "$file" >/dev/null 2>&1 || fail "a PDF that does not open: $file ($(stat -c %s "$file") bytes)"
        [ "$(pages_of "$file")" -eq 71 ] || fail "$file holds $(pages_of "$file") pages, not the tape's 71"
    done
    [ "$(find "$docs" -mindepth 1 | wc -l)" -eq 3 ] || fail "three tapes, yet in $docs: $(ls -A "$docs")"
    [ -z "$(journals)" ] || fail "journals left over: $(journals)"
    rm -f "$docs"/*
    # lp that never answers gets no more than 2 s once a signal came, not its 30.
    fake_lp hangs
    hold_tape off "$fake_path"
    began=$(date +%s)
    kill -TERM "$(driver_pid)"
    wait "$tape_pid"
    [ $(($(date +%s) - began)) -lt 10 ] || fail "with lp hanging, SIGTERM took $(($(date +%s) - began)) s"
    grep -qF "did not answer within 2" "$work/err" || fail "the tape was not saved: $(cat "$work/err")"
    # A program killed while lp has its job leaves the job's file; the next start removes it, but
    # not the file of a program whose lp still has it.
    tape_out=$work/out.live tape_err=$work/err.live hold_tape off "$fake_path"
    live=$tape_pid
    hold_tape off "$fake_path"
    jobs=$(job_files | wc -l)
    kill -KILL "$(driver_pid)"
    wait "$tape_pid"
    if [ "$jobs" -ne 2 ] || [ "$(job_files | wc -l)" -ne 2 ]; then fail "no job files to clear"; fi
    job_files | xargs -d '\n' touch -d '1 minute ago'
    run_tape start PATH="$work/no-lp"
    [ "$(job_files | wc -l)" -eq 1 ] || fail "job files: $(job_files)"
    tape_pid=$live
    kill -TERM "$(driver_pid)"
    wait "$tape_pid"
    ;;
leftovers)
    # Three programs killed with their tapes on: the next start prints them all and says so once.
    fake_lp prints
    for _ in 1 2 3; do launch_tape killed; done
    [ "$(journals | wc -l)" -eq 3 ] || fail "the killed programs left $(journals | wc -l) journals"
    run_tape start "$fake_path"
    [ "$(lp_jobs | wc -l)" -eq 3 ] || fail "lp got $(lp_jobs | wc -l) jobs at the next start, expected 3"
    [ "$(messages | wc -l)" -eq 1 ] || fail "not one message: $(messages)"
    messages | grep -qF "3 tapes that were still running when Tavrol32 last ended have been printed on fake-office" ||
        fail "the message does not sum them up: $(messages)"
    # No printer and no folder for PDF files (the home folder is a file): the tapes are set aside
    # as text files of their lines, told of once; the next start has nothing more to say. A
    # journal too long to finish is set aside unread.
    for _ in 1 2; do launch_tape killed; done
    truncate -s 300M "$work/home/.local/state/Tavrol32/tape-1-00000001.journal"
    touch "$work/not-a-folder"
    run_tape start PATH="$work/no-lp" HOME="$work/not-a-folder"
    [ "$(messages | wc -l)" -eq 1 ] || fail "not one message: $(messages)"
    messages | grep -qF "2 tapes that were still running when Tavrol32 last ended could not be printed or saved" ||
        fail "the message does not say the tapes were set aside: $(messages)"
    messages | grep -qF "too long" || fail "the long journal is not told of: $(messages)"
    [ -z "$(journals)" ] || fail "journals stayed: $(journals)"
    kept=$(find "$work/home/.local/state/Tavrol32" -name '*.txt' | wc -l)
    [ "$kept" -eq 3 ] || fail "$kept text files kept, expected 3"
    run_tape start PATH="$work/no-lp" HOME="$work/not-a-folder"
    [ -z "$(messages)" ] || fail "told again at the next start: $(messages)"
    ;;
unkept)
    # The state folder is a file: each tape still prints, and the user learns once a run that
    # the tape is not kept safe.
    fake_lp prints
    touch "$work/state-file"
    run_tape twice "$fake_path" XDG_STATE_HOME="$work/state-file"
    [ "$(lp_jobs | wc -l)" -eq 2 ] || fail "lp got $(lp_jobs | wc -l) jobs, expected 2"
    [ "$(messages | grep -c "cannot keep it safe")" -eq 1 ] || fail "not told once: $(messages)"
    ;;
*) fail "unknown case $case_name" ;;
esac
echo "PASS: $case_name"
