#!/bin/sh
# Checks the installer as an administrator uses it, in a fresh Wine prefix (a computer that
# never saw ZVK PC): "/S" installs silently into Program Files with the Start-menu shortcut
# "ZVK PC" to zvkpc.exe, starting in the user's Documents; the uninstaller, silent too,
# removes all of that and leaves the user's settings and lists in Documents. Its programs
# run through the Wine gate.
#   sh packaging/windows/check_installer.sh INSTALLER
set -eu
installer=$(realpath "$1")
gate=$(realpath "$(dirname "$0")/../../tests/windows/wine_gate.sh")
gated() {
	sh "$gate" "$@"
}

fresh=$(mktemp -d)
export WINEPREFIX="$fresh/prefix"
# The tests' allowed err lines, and those of the new Wine server each step starts.
export ZVK_WINE_ERR_ALLOWED="$fresh/wine_err_allowed.txt"
{
	cat "$(dirname "$gate")/wine_err_allowed.txt"
	echo
	cat "$(dirname "$0")/installer_err_allowed.txt"
} >"$ZVK_WINE_ERR_ALLOWED"
# Wine links the prefix's Documents to the Linux home's: a home of the check's own.
export HOME="$fresh/home"
mkdir -p "$HOME"
finish() {
	wineserver -k 2>/dev/null || true
	rm -rf "$fresh"
}
trap finish EXIT
fail() {
	echo "check_installer: $*" >&2
	exit 1
}
wineboot -i >/dev/null 2>&1
# Wine's own services of the new prefix run until its server ends: wait for that, so that the
# installer's and uninstaller's work is done and seen.
wine_done() {
	wineserver -w
}
wine_done

drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/ZVK PC"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/ZVK PC.lnk"
gated "$installer" /S >/dev/null || fail "the installer ended with status $?"
wine_done
for file in zvkpc.exe zvk.exe Qt6Core.dll platforms/qwindows.dll translations/qtbase_sk.qm \
	samples/LIST0001.DAT config/ZVK.INI README.txt uninstall.exe; do
	[ -f "$folder/$file" ] || fail "Program Files\\ZVK PC\\$file was not installed"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut \"ZVK PC\""
# The installed programs' keys, by their full names, into the file $1.
installed_keys() {
	keys=$(gated reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall') ||
		fail "the installed programs could not be listed"
	printf '%s\n' "$keys" | tr -d '\r' >"$1"
}
uninstall_key='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZVK PC'
installed_keys "$fresh/installed"
grep -q -x -F "$uninstall_key" "$fresh/installed" || fail "ZVK PC is not among the installed programs"
# The shortcut names its target and working folder as text (UTF-16) among its bytes.
texts=$(strings -e l "$shortcut"; strings "$shortcut")
echo "$texts" | grep -q -i 'Program Files\\ZVK PC\\zvkpc\.exe' ||
	fail "the shortcut does not start Program Files\\ZVK PC\\zvkpc.exe: $texts"
echo "$texts" | grep -q -F '%USERPROFILE%\Documents' ||
	fail "the shortcut does not start in the user's Documents: $texts"

# What the user made while working: settings and a received list in Documents, and a file of
# the user's own in the program's folder.
documents=$(ls -d "$drive"/users/*/Documents | grep -v /Public/ | head -n 1)
printf '[zvkpc]\r\nKonvert=1\r\n' >"$documents/ZVKServer.ini"
cp "$folder/samples/LIST0001.DAT" "$documents/"
echo note >"$folder/moje poznámky.txt"

gated "$folder/uninstall.exe" /S >/dev/null || fail "the uninstaller ended with status $?"
wine_done
[ ! -e "$shortcut" ] || fail "the uninstaller left the shortcut"
installed_keys "$fresh/installed"
! grep -q -x -F "$uninstall_key" "$fresh/installed" || fail "ZVK PC is still among the installed programs"
[ ! -e "$folder/zvkpc.exe" ] || fail "the uninstaller left zvkpc.exe"
[ ! -e "$folder/uninstall.exe" ] || fail "the uninstaller left itself"
[ -f "$folder/moje poznámky.txt" ] || fail "the uninstaller took the user's own file"
[ -f "$documents/ZVKServer.ini" ] && [ -f "$documents/LIST0001.DAT" ] ||
	fail "the uninstaller took the user's settings or lists"
echo "check_installer: installed silently, shortcut to zvkpc.exe in Documents, uninstalled cleanly"
