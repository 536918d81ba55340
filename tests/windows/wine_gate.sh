#!/bin/sh
# Runs a Windows program under Wine with Wine's err channel on, as the gate of every test
# and check under Wine: Wine forgives much that Windows refuses, and says so only there.
#   sh tests/windows/wine_gate.sh PROGRAM [ARGUMENT...]
# The program's standard output and error pass through as they are, less Wine's own err
# lines (those of the processes it starts too: Wine writes them to the error output it was
# started with, not to a child's redirected one). Those lines are appended to the log
# ZVK_WINE_ERR_LOG (if set), each after the program's name. A line that no pattern of
# wine_err_allowed.txt (or ZVK_WINE_ERR_ALLOWED) matches fails the run with a one-line
# message; otherwise the status is the program's own. The Wine environment (prefix, locale)
# is the caller's.
set -eu
allowed=${ZVK_WINE_ERR_ALLOWED:-$(dirname "$0")/wine_err_allowed.txt}
log=${ZVK_WINE_ERR_LOG:-}
[ -f "$allowed" ] || {
	echo "wine_gate: the allowed err lines $allowed are missing" >&2
	exit 125
}

found=$(mktemp)
trap 'rm -f "$found"' EXIT
# Every channel's err class and nothing else. Debian's wine launcher warns about its missing
# 32-bit half unless the value starts by turning everything off.
export WINEDEBUG=-all,err+all
# Wine's debug lines start with the thread (and with +pid the process) in hexadecimal, then
# the class and channel: "0024:err:msvcrt:msvcrt_get_flags incorrect mode flag: x". The
# program's own lines pass on at once, in their order.
exec 3>&1
status=$(
	{
		{
			wine "$@" 2>&1 1>&3 3>&- 4>&- && echo 0 >&4 || echo $? >&4
		} | awk -v found="$found" '
			/^([0-9a-f]+:)?[0-9a-f]+:err:/ { sub(/^([0-9a-f]+:)?[0-9a-f]+:/, ""); print >>found; next }
			{ print; fflush() }' >&2 3>&- 4>&-
	} 4>&1
)
exec 3>&-
[ -s "$found" ] || exit "$status"
if [ -n "$log" ]; then
	sed "s|^|$(basename "$1"): |" "$found" >>"$log"
fi

# The first err line that no allowed pattern matches, with the number of the others; or the
# fault of an allowed line.
refused=$(awk -v program="$(basename "$1")" -v allowed="$(basename "$allowed")" '
	# An entry of the allowed lines: the comment lines that give its reason, then a pattern
	# of the whole err line, whose "*" stands for any text; entries apart by empty lines.
	FILENAME == ARGV[1] {
		if ($0 ~ /^#/) reason = 1
		else if ($0 == "") reason = 0
		else if (reason) patterns[++count] = $0
		else {
			print "wine_gate: " FILENAME ":" FNR ": a pattern without the comment that gives its reason"
			exit
		}
		next
	}
	function matches(line, pattern,    parts, n, i, at) {
		n = split(pattern, parts, "*")
		if (n == 1) return line == pattern
		if (substr(line, 1, length(parts[1])) != parts[1]) return 0
		line = substr(line, length(parts[1]) + 1)
		for (i = 2; i < n; ++i) {
			if (!(at = index(line, parts[i]))) return 0
			line = substr(line, at + length(parts[i]))
		}
		return length(line) >= length(parts[n]) && substr(line, length(line) - length(parts[n]) + 1) == parts[n]
	}
	{
		for (i = 1; i <= count; ++i)
			if (matches($0, patterns[i])) next
		if (!unmatched++) first = $0
	}
	END {
		if (unmatched)
			printf "%s made Wine print an err line that %s does not allow: %s%s\n", program, \
				allowed, first, (unmatched > 1 ? " (and " unmatched - 1 " more)" : "")
	}' "$allowed" "$found")
[ -n "$refused" ] || exit "$status"
printf 'wine_gate: %s\n' "${refused#wine_gate: }" >&2
[ "$status" -ne 0 ] || status=1
exit "$status"
