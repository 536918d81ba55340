#!/bin/sh
# Checks zvkpc.exe of the Windows release archive as a clerk runs it: unpacked into a fresh
# folder, under Wine on an X server of its own with Qt's Windows platform plugin, started with
# "/R" in a fresh working folder, with the stand-in rapi.dll of the tests beside it playing a
# connected handheld. The lists (one with a Slovak name) must arrive whole, the handheld must
# be emptied, and the program must end once its message is answered. The screen with that
# message is kept as SCREENSHOT. Wine runs as the environment says (the Makefile's WINE_ENV),
# through the Wine gate.
#   sh packaging/windows/check_window.sh BUILD_DIR ZIP SCREENSHOT
set -eu
build=$(realpath "$1")
zip_file=$(realpath "$2")
screenshot=$(realpath -m "$3")
samples=$(cd "$(dirname "$0")/../../data/samples" && pwd)
gate=$(realpath "$(dirname "$0")/../../tests/windows/wine_gate.sh")

fresh=$(mktemp -d)
xvfb=""
program=""
finish() {
	[ -z "$program" ] || kill "$program" 2>/dev/null || true
	[ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
	rm -rf "$fresh"
}
trap finish EXIT
fail() {
	echo "check_window: $*" >&2
	exit 1
}
unzip -q "$zip_file" -d "$fresh"
cp "$build/tests/windows/rapi.dll" "$fresh/ZVK PC/"

handheld=$fresh/handheld
mkdir -p "$handheld/ZVK_CE/Data" "$fresh/work"
cp "$samples"/*.DAT "$handheld/ZVK_CE/Data/"
mv "$handheld/ZVK_CE/Data/LIST0002.DAT" "$handheld/ZVK_CE/Data/Ľavý breh.DAT"
printf '[Emulator]\r\nExportDelayMs=1\r\n' >"$handheld/emulator.ini"

# An X server on a free display, which it names once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fresh/display" 2>/dev/null &
xvfb=$!
waited=0
while [ ! -s "$fresh/display" ]; do
	[ $waited -lt 100 ] || fail "the X server did not start"
	sleep 0.1
	waited=$((waited + 1))
done
export DISPLAY=":$(cat "$fresh/display")"

# A Slovak Windows (code page 1250): Wine writes a Slovak name to Linux only under a UTF-8
# locale.
(cd "$fresh/work" && LANG=sk_SK.UTF-8 LC_ALL=sk_SK.UTF-8 ZVK_STAND_IN_HANDHELD="$handheld" \
	exec sh "$gate" "$fresh/ZVK PC/zvkpc.exe" /R >"$fresh/program.out" 2>&1) &
program=$!

# The reception ends with its message box "Oznam"; the program waits there for the clerk.
box=""
waited=0
while [ -z "$box" ]; do
	kill -0 "$program" 2>/dev/null || fail "zvkpc.exe ended before its message: $(cat "$fresh/program.out")"
	[ $waited -lt 600 ] || fail "no message from zvkpc.exe within a minute"
	sleep 0.1
	waited=$((waited + 1))
	box=$(xdotool search --name '^Oznam$' 2>/dev/null | head -n 1 || true)
done
sleep 1
mkdir -p "$(dirname "$screenshot")"
import -display "$DISPLAY" -window root "$screenshot"

for list in "$samples"/*.DAT; do
	name=$(basename "$list")
	[ "$name" != LIST0002.DAT ] || name="Ľavý breh.DAT"
	cmp -s "$list" "$fresh/work/$name" || fail "$name did not arrive whole"
done
[ -z "$(ls "$handheld/ZVK_CE/Data")" ] || fail "the handheld still has lists: $(ls "$handheld/ZVK_CE/Data")"

# The clerk answers the message; the program, started with an argument, then ends. A key
# that reached the box before it took the focus is pressed again after a while.
waited=0
while kill -0 "$program" 2>/dev/null; do
	[ $waited -lt 300 ] || fail "zvkpc.exe did not end within 30 s of its message being answered"
	if [ $((waited % 50)) -eq 0 ]; then
		xdotool windowfocus "$box" key Return 2>/dev/null || true
	fi
	sleep 0.1
	waited=$((waited + 1))
done
status=0
wait "$program" || status=$?
program=""
# The gate's verdict, if it gave one, is the output's last line.
[ "$status" -eq 0 ] || fail "zvkpc.exe ended with status $status: $(tail -n 1 "$fresh/program.out")"
echo "check_window: zvkpc.exe received $(ls "$samples" | wc -l) lists whole under Wine and ended; screen in $screenshot"
