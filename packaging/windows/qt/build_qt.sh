#!/bin/sh
# Builds Qt for 64-bit Windows from Debian's own qt6-base source, the version of the host's
# Qt (whose moc, rcc and uic the cross build uses), and installs it into PREFIX whole: the
# folder appears only when Qt is complete, so an interrupted build is begun again, never used.
#   sh packaging/windows/qt/build_qt.sh PREFIX VERSION CONFIGURE_OPTION...
# VERSION is the Debian version of qt6-base (6.4.2+dfsg-10). JOBS sets ninja's parallel jobs.
set -eu
prefix=$1
version=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
jobs=${JOBS:-2}

mkdir -p "$(dirname "$prefix")"
# One build of a prefix at a time: a second waits, then finds it complete.
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/complete" ]; then
	echo "build_qt: Qt for Windows is already in $prefix"
	exit 0
fi
work=$prefix.work
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"
# Scratch (about 1.2 GB) goes whatever happens, Ctrl-C included; only a complete prefix stays.
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
echo "build_qt: building Qt $version for Windows in $work (about 15 minutes on two cores)"

# A private apt state over the machine's own Debian sources, with their source packages
# too: the system's lists and state are left as they are.
apt=$work/apt
mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$apt/sources.list.d"
: >"$apt/sources.list"
for list in /etc/apt/sources.list.d/*.sources; do
	[ -f "$list" ] || continue
	sed 's/^Types:.*/Types: deb deb-src/' "$list" >"$apt/sources.list.d/$(basename "$list")"
done
if [ -f /etc/apt/sources.list ]; then
	sed -n 's/^deb \(.*\)$/deb \1\ndeb-src \1/p' /etc/apt/sources.list >"$apt/sources.list"
fi
apt_private() {
	apt-get -q -o Dir::Etc::SourceList="$apt/sources.list" \
		-o Dir::Etc::SourceParts="$apt/sources.list.d" -o Dir::State::Lists="$apt/lists" \
		-o Dir::Cache="$apt" -o Dir::Cache::Archives="$apt/archives" \
		-o Debug::NoLocking=1 "$@"
}
# A source of the machine's that has no source packages (a vendor's) only warns here.
apt_private update >"$work/apt-update.log" 2>&1 || true
cd "$work"
if ! apt_private source --download-only "qt6-base=$version" >"$work/apt-source.log" 2>&1; then
	cat "$work/apt-source.log" >&2
	echo "build_qt: Debian's source of qt6-base $version could not be fetched" >&2
	exit 1
fi
apt_private download libwine-dev >"$work/apt-download.log" 2>&1 || {
	cat "$work/apt-download.log" >&2
	echo "build_qt: Debian's libwine-dev (Wine's tablet headers) could not be fetched" >&2
	exit 1
}

upstream=${version%-*}
tar xf "qt6-base_${upstream}.orig.tar.xz"
tar xf qt6-base_"${version}".debian.tar.xz
src=$(echo "$work"/qtbase-everywhere-src-*)
# Debian's own patches (security fixes among them), in their order.
grep -v -e '^#' -e '^$' debian/patches/series | while read -r patch; do
	patch -d "$src" -p1 --forward --quiet <"debian/patches/$patch"
done

dpkg-deb --fsys-tarfile libwine-dev_*.deb |
	tar -x -C "$work" ./usr/include/wine/wine/windows/wintab.h ./usr/include/wine/wine/windows/pktdef.h
mkdir -p "$src/src/3rdparty/wintab"
cp "$work/usr/include/wine/wine/windows/wintab.h" "$src/src/3rdparty/wintab/wine_wintab.h"
cp "$work/usr/include/wine/wine/windows/pktdef.h" "$src/src/3rdparty/wintab/pktdef.h"
cp "$here/wintab.h" "$src/src/3rdparty/wintab/wintab.h"

# Qt's installed toolchain names this file by its absolute path: it lives beside Qt.
cp "$root/cmake/mingw-w64-x86_64-compilers.cmake" "$prefix/toolchain.cmake"
mkdir -p "$work/build"
cd "$work/build"
if ! "$src/configure" -prefix "$prefix" "$@" -- -G Ninja \
	-DCMAKE_TOOLCHAIN_FILE="$prefix/toolchain.cmake" \
	-DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log" 2>&1; then
	tail -40 "$work/configure.log" >&2
	echo "build_qt: Qt's configure failed (the lines above are the end of its log)" >&2
	exit 1
fi
if ! ninja -j "$jobs" >"$work/build.log" 2>&1; then
	grep -B2 -A20 -m3 'FAILED:' "$work/build.log" >&2 || tail -40 "$work/build.log" >&2
	echo "build_qt: building Qt failed (its failing steps are above)" >&2
	exit 1
fi
ninja install >"$work/install.log" 2>&1
# Qt's DLLs import the compiler's runtime: it lives beside them, as it ships beside them.
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
	cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)" "$prefix/bin/"
done
echo "$version $*" >"$prefix/complete"
echo "build_qt: Qt for Windows is in $prefix"
