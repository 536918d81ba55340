# What the shell checks of the Windows build share; a check sources it after naming itself
# in `checker`, which starts its messages.
#   captured FILES COMMAND...  runs COMMAND; its status, output and error output (Windows'
#                              line ends read as "\n") in status, out and err, the outputs
#                              kept in FILES.out and FILES.err
#   check WHAT GOT EXPECTED    counts a check, and tells a failed one with both values
#   checks_done                tells the counts; fails when a check failed
passed=0
failed=0

captured() {
	files=$1
	shift
	status=0
	"$@" >"$files.out" 2>"$files.err" || status=$?
	out=$(tr -d '\r' <"$files.out")
	err=$(tr -d '\r' <"$files.err")
}

check() {
	if [ "$2" = "$3" ]; then
		passed=$((passed + 1))
	else
		failed=$((failed + 1))
		printf '%s: %s\n  expected: %s\n  got:      %s\n' "$checker" "$1" "$3" "$2" >&2
	fi
}

checks_done() {
	echo "$checker: $passed passed, $failed failed"
	[ "$failed" -eq 0 ]
}
