#!/bin/sh
# Makes the Windows release archive: zvk.exe, the sample data and README.txt (with Windows'
# line ends) in a folder zvk/ of the zip.
#   sh packaging/windows/make_package.sh BUILD_DIR ZIP
set -eu
build=$1
zip_file=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
top=$stage/zvk
mkdir -p "$top/samples" "$top/config" "$top/measurements"

x86_64-w64-mingw32-strip -o "$top/zvk.exe" "$build/src/cli/zvk.exe"
# The C++ runtime, libgcc and winpthread are linked into zvk.exe: it may import nothing but
# the system's own DLLs, or it would not start on a computer without the compiler's.
for dll in $(x86_64-w64-mingw32-objdump -p "$top/zvk.exe" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
	case $(echo "$dll" | tr '[:upper:]' '[:lower:]') in
	kernel32.dll | msvcrt.dll | user32.dll | shell32.dll | advapi32.dll | ole32.dll | shlwapi.dll) ;;
	*)
		echo "make_package: zvk.exe needs $dll, which Windows does not bring" >&2
		exit 1
		;;
	esac
done

cp "$root"/data/samples/*.DAT "$top/samples/"
cp "$root/data/config/ZVK.INI" "$top/config/"
cp "$root"/data/measurements/* "$top/measurements/"
sed 's/$/\r/' "$here/README.txt" >"$top/README.txt"

rm -f "$zip_file"
mkdir -p "$(dirname "$zip_file")"
(cd "$stage" && zip -q -r -X "$zip_file" zvk)
echo "make_package: $zip_file"
