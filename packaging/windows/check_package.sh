#!/bin/sh
# Checks the Windows release archive as a user gets it: unpacked into a fresh folder, it holds
# the program, the tool, what they need and nothing more; its zvk.exe runs under Wine without
# rapi.dll (and takes its own network link), with the stand-in rapi.dll of the tests beside it (and receives the
# handheld's lists whole), and with ZVK_HANDHELD naming a new folder (which it seeds with the
# package's own sample lists). Wine runs as the
# environment says (WINEPREFIX and the rest: the Makefile's WINE_ENV), through the Wine gate.
#   sh packaging/windows/check_package.sh BUILD_DIR ZIP
set -eu
build=$(realpath "$1")
zip_file=$(realpath "$2")
gate=$(realpath "$(dirname "$0")/../../tests/windows/wine_gate.sh")

fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
unzip -q "$zip_file" -d "$fresh"
program="$fresh/ZVK PC/zvk.exe"
checker=check_package
. "$(dirname "$0")/../../tests/windows/checks.sh"
# zvk.exe in the working folder $1 with the arguments after it, captured.
zvk() {
	work=$1
	shift
	mkdir -p "$work"
	cd "$work"
	captured "$work" sh "$gate" "$program" "$@"
	cd - >/dev/null
}
# The lists of a folder, as one line.
lists() {
	(cd "$1" && ls) | tr '\n' ' '
}

check "contents" "$(cd "$fresh" && find "ZVK PC" -type f | LC_ALL=C sort | tr '\n' ' ')" \
	"ZVK PC/Qt6Core.dll ZVK PC/Qt6Gui.dll ZVK PC/Qt6Widgets.dll ZVK PC/README.txt ZVK PC/config/ZVK.INI ZVK PC/libgcc_s_seh-1.dll ZVK PC/libstdc++-6.dll ZVK PC/libwinpthread-1.dll ZVK PC/measurements/MERANIE1.txt ZVK PC/platforms/qwindows.dll ZVK PC/qt.conf ZVK PC/samples/LIST0001.DAT ZVK PC/samples/LIST0002.DAT ZVK PC/samples/LIST0003.DAT ZVK PC/samples/STARY001.DAT ZVK PC/styles/qwindowsvistastyle.dll ZVK PC/translations/qtbase_sk.qm ZVK PC/zvk.exe ZVK PC/zvkpc.exe "
check "README.txt has Windows line ends" "$(grep -c -v "$(printf '\r')\$" "$fresh/ZVK PC/README.txt" || true)" "0"

zvk "$fresh/no-dll" receive
check "without rapi.dll: status" "$([ $status -ne 0 ] && echo failure)" "failure"
check "without rapi.dll: message" "$err" "Pozor! Pripojte počítač pomocou Microsoft ActiveSync a znova spustite prenosový program!"

# A handheld with the package's sample lists, played by the stand-in rapi.dll.
handheld=$fresh/handheld
mkdir -p "$handheld/ZVK_CE/Data"
cp "$fresh/ZVK PC"/samples/*.DAT "$handheld/ZVK_CE/Data/"
printf '[Emulator]\r\nExportDelayMs=1\r\n' >"$handheld/emulator.ini"
cp "$build/tests/windows/rapi.dll" "$fresh/ZVK PC/"
ZVK_STAND_IN_HANDHELD=$handheld zvk "$fresh/connected" receive --to received
check "connected handheld: status" "$status" "0"
check "connected handheld: message" "$out" "Príjem bol úspešne ukončený."
check "connected handheld: lists received" "$(lists "$fresh/connected/received")" \
	"LIST0001.DAT LIST0002.DAT LIST0003.DAT STARY001.DAT prijmy.log "
for list in "$fresh/ZVK PC"/samples/*.DAT; do
	check "connected handheld: $(basename "$list") whole" \
		"$(cmp -s "$list" "$fresh/connected/received/$(basename "$list")" && echo same)" "same"
done
check "connected handheld: lists taken" "$(lists "$handheld/ZVK_CE/Data")" ""
# The journal of the reception names each list as it arrived.
zvk "$fresh/connected" journal --folder received --verify
check "connected handheld: journal verified" "$status" "0"
rm "$fresh/ZVK PC/rapi.dll"

# One sample fewer in the package: the new emulated handheld must have been seeded from it.
rm "$fresh/ZVK PC/samples/STARY001.DAT"
ZVK_HANDHELD=$fresh/emulated zvk "$fresh/emulator" receive --to received
check "emulated handheld: status" "$status" "0"
check "emulated handheld: lists received" "$(lists "$fresh/emulator/received")" \
	"LIST0001.DAT LIST0002.DAT LIST0003.DAT prijmy.log "

checks_done
