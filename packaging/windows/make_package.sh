#!/bin/sh
# Makes the Windows release: a folder "ZVK PC" with zvkpc.exe, zvk.exe, the Qt DLLs and
# plugins that they need and nothing more, Qt's Slovak translation, the sample data and
# README.txt (with Windows' line ends); the zip of that folder, and the installer made from it.
#   sh packaging/windows/make_package.sh BUILD_DIR QT_DIR ZIP INSTALLER VERSION
set -eu
build=$1
qt=$2
zip_file=$(realpath -m "$3")
installer=$(realpath -m "$4")
version=$5
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
top=$stage/"ZVK PC"
mkdir -p "$top/samples" "$top/config" "$top/measurements" "$top/platforms" "$top/styles" \
	"$top/translations"

strip_into() {
	x86_64-w64-mingw32-strip --strip-unneeded -o "$2" "$1"
}
imports() {
	x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' |
		tr '[:upper:]' '[:lower:]'
}
is_system_dll() {
	case $1 in
	kernel32.dll | msvcrt.dll | user32.dll | shell32.dll | advapi32.dll | ole32.dll | shlwapi.dll | \
		gdi32.dll | imm32.dll | winmm.dll | ws2_32.dll | iphlpapi.dll | uxtheme.dll | dwmapi.dll | \
		version.dll | netapi32.dll | userenv.dll | mpr.dll | authz.dll | comdlg32.dll | oleaut32.dll | \
		shcore.dll | setupapi.dll | wtsapi32.dll | d3d9.dll | d3d11.dll | dxgi.dll | \
		api-ms-win-*.dll) return 0 ;;
	esac
	return 1
}

strip_into "$build/src/cli/zvk.exe" "$top/zvk.exe"
# The C++ runtime, libgcc and winpthread are linked into zvk.exe: it may import nothing but
# the system's own DLLs, so that it runs from any folder alone.
for dll in $(imports "$top/zvk.exe"); do
	if ! is_system_dll "$dll"; then
		echo "make_package: zvk.exe needs $dll, which Windows does not bring" >&2
		exit 1
	fi
done

strip_into "$build/src/app/zvkpc.exe" "$top/zvkpc.exe"
# The window draws through Qt's Windows platform plugin and Windows' own look (the style).
strip_into "$qt/plugins/platforms/qwindows.dll" "$top/platforms/qwindows.dll"
strip_into "$qt/plugins/styles/qwindowsvistastyle.dll" "$top/styles/qwindowsvistastyle.dll"
# Every DLL that these import, and what those import in turn, from Qt's bin folder (the Qt
# DLLs and the compiler's runtime); anything else must be Windows' own.
# Names relative to the folder, which has a space in its own name.
cd "$top"
pending="zvkpc.exe platforms/qwindows.dll styles/qwindowsvistastyle.dll"
while [ -n "$pending" ]; do
	next=""
	for file in $pending; do
		for dll in $(imports "$file"); do
			found=$(find "$qt/bin" -maxdepth 1 -iname "$dll" | head -n 1)
			if [ -n "$found" ]; then
				if [ ! -f "$(basename "$found")" ]; then
					strip_into "$found" "$(basename "$found")"
					next="$next $(basename "$found")"
				fi
			elif ! is_system_dll "$dll"; then
				echo "make_package: $file needs $dll, which neither Qt nor Windows brings" >&2
				exit 1
			fi
		done
	done
	pending=$next
done
cd - >/dev/null
# Qt's folders are the program's own, not those of some other Qt on the computer.
printf '[Paths]\r\nPrefix = .\r\n' >"$top/qt.conf"
cp "$build/src/app/translations/qtbase_sk.qm" "$top/translations/"

cp "$root"/data/samples/*.DAT "$top/samples/"
cp "$root/data/config/ZVK.INI" "$top/config/"
cp "$root"/data/measurements/* "$top/measurements/"
sed 's/$/\r/' "$here/README.txt" >"$top/README.txt"

rm -f "$zip_file"
mkdir -p "$(dirname "$zip_file")"
(cd "$stage" && zip -q -r -X "$zip_file" "ZVK PC")
echo "make_package: $zip_file"

# The installer's lists of files: each file put in its folder, then taken away again with its
# folders, deepest first.
files=$stage/files
(cd "$top" && find . -type d | sed 's|^\./||' | LC_ALL=C sort) | while read -r folder; do
	if [ "$folder" = "." ]; then
		printf 'SetOutPath "$INSTDIR"\n'
		source="$top"
	else
		printf 'SetOutPath "$INSTDIR\\%s"\n' "$(echo "$folder" | tr / '\\')"
		source="$top/$folder"
	fi
	find "$source" -maxdepth 1 -type f | LC_ALL=C sort | sed 's|.*|File "&"|'
done >"$files.install.nsh"
(cd "$top" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) |
	sed 's|/|\\|g; s|.*|Delete "$INSTDIR\\&"|' >"$files.uninstall.nsh"
(cd "$top" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r) |
	sed 's|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|' >>"$files.uninstall.nsh"
makensis -V2 -INPUTCHARSET UTF8 -DSTAGE="$top" -DFILES="$files" -DOUTFILE="$installer" \
	-DVERSION="$version" -DICON="$root/packaging/icon/zvk-pc.ico" "$here/installer.nsi"
echo "make_package: $installer"
