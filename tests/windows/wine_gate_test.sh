#!/bin/sh
# The Wine gate refuses a program whose call makes Wine print an err line (msvcrt's "x"
# mode, which Windows refuses and Wine only reports), also when a child process of the
# program makes the call, and lets the same program through without it; the program's own
# output and status pass unchanged, and the err lines land in the log.
#   sh tests/windows/wine_gate_test.sh GATE PROBE (the Wine environment is the caller's)
set -eu
gate=$1
probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZVK_WINE_ERR_LOG="$work/err.log"
checker=wine_gate_test
. "$(dirname "$0")/checks.sh"
# The probe through the gate, captured.
gated() {
	captured "$work/probe" sh "$gate" "$probe" "$@"
}
# The msvcrt lines kept in the log; Wine's own allowed ones may be there too when this run
# starts Wine's server.
kept() {
	grep -F 'err:msvcrt' "$work/err.log" || true
}
own_err="probe: the error output of the program itself"
refusal="wine_gate: $(basename "$probe") made Wine print an err line that wine_err_allowed.txt does not allow: err:msvcrt:msvcrt_get_flags incorrect mode flag: x"

gated wb "Z:$work/plain"
check "a mode Windows takes: status" "$status" 0
check "a mode Windows takes: output" "$out" "probe: wb made Z:$work/plain"
check "a mode Windows takes: error output" "$err" "$own_err"
check "a mode Windows takes: no err line kept" "$(touch "$work/err.log" && kept)" ""

gated wbx "Z:$work/exclusive"
check "the x mode: status" "$status" 1
check "the x mode: output" "$out" "probe: wbx made Z:$work/exclusive"
check "the x mode: error output" "$err" "$own_err
$refusal"
check "the x mode: the err line kept" "$(kept)" \
	"$(basename "$probe"): err:msvcrt:msvcrt_get_flags incorrect mode flag: x"

# A child's error output, redirected by its parent, gets none of Wine's lines: they reach
# the gate through the error output Wine itself was started with.
rm -f "$work/err.log"
gated --child wbx "Z:$work/child"
check "the x mode in a child: status" "$status" 1
check "the x mode in a child: the child's error output, as the parent read it" "$out" \
	"probe: wbx made Z:$work/child
$own_err"
check "the x mode in a child: the gate's error output" "$err" "$refusal"
check "the x mode in a child: the err line kept" "$(kept)" \
	"$(basename "$probe"): err:msvcrt:msvcrt_get_flags incorrect mode flag: x"

# The program's own failure keeps its status; an allowed line with its reason lets the run
# pass, and a pattern without a reason is refused.
gated wb "Z:$work/no such folder/file"
check "the program's own failure: status" "$status" 3
# The allowed lines, and then an entry for the x mode: its reason and its pattern with the
# separator $1 between them.
allowing_x() {
	cp "$(dirname "$0")/wine_err_allowed.txt" "$work/allowed.txt"
	printf '\n# A reason.%s\nerr:msvcrt:msvcrt_get_flags * flag: x\n' "$1" >>"$work/allowed.txt"
}
allowing_x ""
ZVK_WINE_ERR_ALLOWED="$work/allowed.txt" gated wbx "Z:$work/allowed"
check "an allowed err line: status" "$status" 0
allowing_x "
"
ZVK_WINE_ERR_ALLOWED="$work/allowed.txt" gated wbx "Z:$work/unexplained"
check "a pattern without its reason: message" "$err" "$own_err
wine_gate: $work/allowed.txt:$(wc -l <"$work/allowed.txt"): a pattern without the comment that gives its reason"

checks_done
