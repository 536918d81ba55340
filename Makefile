# The two set-up commands of a fresh Debian 12 machine: `make run` and `make test`.
# Both install what they need (as root, or through sudo) before they build.
# `make check` is the whole gate that CI runs: `make test`, then the sanitizer builds and
# the gate's other parts.

BUILD ?= build
RUN_DIR ?= run
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev locales-all \
	qt6-translations-l10n libreoffice-writer-nogui poppler-utils
# What only the gate needs on top: clang and its libFuzzer runtime for the fuzz targets.
CHECK_PACKAGES := clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: run test build deps check check-deps check-asan check-tsan check-fuzz check-soak clean \
	windows-deps windows-qt-deps windows-qt windows windows-test windows-package

# Installs whichever of the packages $(1) are missing.
define install_missing
	@missing=""; \
	for package in $(1); do \
		dpkg-query -W -f='$${Status}' $$package 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$package"; \
	done; \
	if [ -n "$$missing" ]; then \
		echo "Installing:$$missing"; \
		$(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

check-deps: deps
	$(call install_missing,$(CHECK_PACKAGES))

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The program's main job on built-in defaults: the main window over the handheld
# emulator, whose folder run/handheld/ starts again with the sample lists every time.
# Press "Zoznamy prijať" and the lists arrive in run/. Without a display the same
# reception runs through the command-line tool.
run: build
	mkdir -p $(RUN_DIR) && rm -rf $(RUN_DIR)/handheld
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		cd $(RUN_DIR) && ../$(BUILD)/src/app/zvkpc; \
	else \
		echo "No display here: receiving the emulated handheld's lists with 'zvk receive --convert'."; \
		cd $(RUN_DIR) && ../$(BUILD)/src/cli/zvk receive --convert && \
		echo "The received lists and their semicolon texts (.csv) are in $(abspath $(RUN_DIR))."; \
	fi

# The whole gate; it stops at the first part that fails. Each sanitizer build has its own
# folder, configured once and then only brought up to date.
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
# A sanitizer report ends the program that made it, so its test fails; TSan's suppressions
# cover only Qt's own code (see the file).
SANITIZER_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/tests/sanitizers/tsan.supp

# The fuzz targets, each for a bounded time, in a clang build of their own.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
# The link soak's receptions in a row; a failure prints the seed that replays it. Over the
# wire each reception also meets the device emulator's dropped sessions, short replies and
# stalls, which take real seconds.
SOAK_RECEPTIONS ?= 200
SOAK_WIRE_RECEPTIONS ?= 100

check: check-deps
	$(MAKE) test
	$(MAKE) check-asan
	$(MAKE) check-tsan
	$(MAKE) check-fuzz
	$(MAKE) check-soak
	$(MAKE) windows-test
	$(MAKE) windows-package

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DZVK_SANITIZE=address;undefined"

$(TSAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZVK_SANITIZE=thread

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer.
check-asan: deps $(ASAN_BUILD)/build.ninja
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# The tests with threads (label "threads") under ThreadSanitizer; only their programs are built.
check-tsan: deps $(TSAN_BUILD)/build.ninja
	$(SANITIZER_ENV) cmake --build $(TSAN_BUILD) -j $(JOBS) --target zvk_thread_tests
	cd $(TSAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) -L threads

check-fuzz: check-deps
	sh fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The bad-input tour needs no part of its own: it is a suite of `make test` (BadInputTour).
check-soak: build
	$(BUILD)/tests/soak/zvk_link_soak --receptions $(SOAK_RECEPTIONS)
	$(BUILD)/tests/soak/zvk_link_soak --receptions $(SOAK_WIRE_RECEPTIONS) --wire

# The Debian package of zvkpc and zvk, $(DEB_BUILD)/zvk-pc_VERSION_amd64.deb, from a Release
# build of its own (`sudo apt install ./build-deb/zvk-pc_*.deb`). Only the programs and the
# manual page are built, not the tests; dpkg-shlibdeps (dpkg-dev) names the libraries the
# package depends on.
DEB_BUILD ?= build-deb
DEB_PACKAGES := dpkg-dev desktop-file-utils

.PHONY: deb deb-deps

deb-deps:
	$(call install_missing,$(DEB_PACKAGES))

$(DEB_BUILD)/build.ninja: | deps
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON

deb: deps deb-deps $(DEB_BUILD)/build.ninja
	desktop-file-validate packaging/linux/zvk-pc.desktop
	cmake --build $(DEB_BUILD) -j $(JOBS) --target zvkpc zvk zvk_manual
	rm -f $(DEB_BUILD)/zvk-pc_*.deb
	cd $(DEB_BUILD) && cpack

# The Windows build: the core, zvk.exe and the core's tests, cross-built with mingw-w64 (POSIX
# thread model) and run under Wine. Only these targets, and so `make check`, install its packages.
# Wine's preloader keeps free the addresses every Windows process needs before Linux maps
# anything there; without it, about one Wine start in a few thousand ends at once with status 1
# ("failed to map the shared user data", hidden by WINEDEBUG=-all).
WINDOWS_BUILD ?= build-windows
WINDOWS_PACKAGES := cmake ninja-build g++-mingw-w64-x86-64-posix wine64 wine64-preloader \
	googletest locales-all zip unzip qt6-translations-l10n nsis xvfb xdotool imagemagick

windows-deps:
	$(call install_missing,$(WINDOWS_PACKAGES))

# Qt's toolchain file finds Qt for Windows and the host's Qt tools, and loads ours. The build
# folder is configured once per Qt: one configured against another (a new key, or none) is
# configured anew.
WINDOWS_TOOLCHAIN = $(WINDOWS_QT)/lib/cmake/Qt6/qt.toolchain.cmake

windows: windows-deps windows-qt
	@grep -qsF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$(WINDOWS_TOOLCHAIN)" $(WINDOWS_BUILD)/CMakeCache.txt || { \
		rm -f $(WINDOWS_BUILD)/CMakeCache.txt && \
		cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
			-DCMAKE_TOOLCHAIN_FILE=$(WINDOWS_TOOLCHAIN) \
			-DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
			-DZVK_FUZZ_REPLAY=OFF -DZVK_GTEST_SOURCE_DIR=/usr/src/googletest; }
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# Qt for Windows, built from Debian's own qt6-base source of the host's Qt version (the cross
# build runs the host's moc, rcc and uic), into a cache outside the tree keyed by that version
# and the configure line. About 15 minutes on two cores, 1.2 GB of scratch, once per cache.
WINDOWS_QT_PACKAGES := g++-mingw-w64-x86-64-posix cmake ninja-build perl dpkg-dev xz-utils patch \
	qt6-base-dev qt6-base-dev-tools
WINDOWS_QT_CACHE ?= $(HOME)/.cache/zvk
# Release DLLs, as a program ships them.
WINDOWS_QT_CONFIGURE := -release -shared
# Windows as the target, with the host's Qt tools.
WINDOWS_QT_CONFIGURE += -xplatform win32-g++ -qt-host-path /usr
# Qt's own tests and examples are not ours to build.
WINDOWS_QT_CONFIGURE += -nomake tests -nomake examples
# No OpenGL (widgets are painted by the raster engine), no D-Bus (a Linux desktop's bus).
WINDOWS_QT_CONFIGURE += -no-opengl -no-dbus
# Text, compression and JPEG through Qt's own code or not at all: no third-party DLLs.
WINDOWS_QT_CONFIGURE += -no-icu -no-zstd -no-libjpeg
# Modules the program does not use: databases, network, XML, printing, QtConcurrent, Vulkan.
WINDOWS_QT_CONFIGURE += -no-feature-sql -no-feature-network -no-feature-xml \
	-no-feature-printsupport -no-feature-concurrent -no-feature-vulkan
# Text drawn through GDI: Direct2D off, and DirectWrite with it (6.4's Windows plugin does not
# link with DirectWrite alone).
WINDOWS_QT_CONFIGURE += -no-feature-direct2d -no-feature-directwrite
WINDOWS_QT_VERSION = $(shell dpkg-query -W -f='$${Version}' qt6-base-dev 2>/dev/null)
WINDOWS_QT_KEY = $(shell (printf '%s\n' '$(WINDOWS_QT_CONFIGURE)'; x86_64-w64-mingw32-g++-posix -dumpfullversion; \
	cat cmake/mingw-w64-x86_64-compilers.cmake packaging/windows/qt/wintab.h packaging/windows/qt/build_qt.sh) | \
	sha256sum | cut -c1-12)
WINDOWS_QT ?= $(WINDOWS_QT_CACHE)/qt-$(WINDOWS_QT_VERSION)-mingw-$(WINDOWS_QT_KEY)

windows-qt-deps:
	$(call install_missing,$(WINDOWS_QT_PACKAGES))

# The version and key are read when this recipe runs, after its packages are installed.
windows-qt: windows-qt-deps
	JOBS=$(JOBS) sh packaging/windows/qt/build_qt.sh $(WINDOWS_QT) $(WINDOWS_QT_VERSION) $(WINDOWS_QT_CONFIGURE)

# Wine headless, in a prefix of the build folder's own (CTest's emulator, set by the toolchain
# file, says the same). Every program of ours runs through the Wine gate
# (tests/windows/wine_gate.sh): Wine's err channel on, its err lines kept in WINE_ERR_LOG,
# and a line that tests/windows/wine_err_allowed.txt does not allow fails the run. The tests
# and a smoke run of zvk.exe run twice: under a Slovak locale (Wine's code page 1250) and
# under C (code page 1252, which lacks most Slovak letters). Wine under a plain C locale
# cannot write non-ASCII names to Linux at all, so the second run takes C.UTF-8: Windows sees
# the C locale's code page all the same.
WINE_ERR_LOG := $(CURDIR)/$(WINDOWS_BUILD)/wine-err.log
WINE_ENV := WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wine-prefix WINEDEBUG=-all,err+all \
	WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe= DISPLAY= ZVK_WINE_ERR_LOG=$(WINE_ERR_LOG)
WINDOWS_LOCALES := sk_SK.UTF-8 C.UTF-8

# Wine makes its prefix on first use and tells so on stderr, which a program's checked
# output must not catch: it is made once, before anything runs under Wine.
WINE_PREFIX_READY := $(WINDOWS_BUILD)/wine-prefix/system.reg

$(WINE_PREFIX_READY): | windows-deps
	$(WINE_ENV) wineboot -i >/dev/null 2>&1 && $(WINE_ENV) wineserver -w

# One Wine server, with Wine's own services, serves a whole run: one that ends between two
# programs turns the next one away ("cannot connect"), and services that a program's Wine
# started would keep that program's output open for as long as they live. The server
# lingers 30 s after the last program.
define wine_server_up
	-@$(WINE_ENV) wineserver -k >/dev/null 2>&1; $(WINE_ENV) wineserver -w
	$(WINE_ENV) wineserver -p30 </dev/null >/dev/null 2>&1
	$(WINE_ENV) wineboot -i >/dev/null 2>&1
endef

# The err lines of a run of the tests are those of its log alone.
windows-test: windows $(WINE_PREFIX_READY)
	rm -f $(WINE_ERR_LOG)
	$(wine_server_up)
	@for locale in $(WINDOWS_LOCALES); do \
		echo "== Windows tests and zvk.exe under Wine, LANG=$$locale"; \
		(cd $(WINDOWS_BUILD) && LANG=$$locale LC_ALL=$$locale $(WINE_ENV) \
			ctest --output-on-failure -j $(JOBS) --timeout 300) && \
		LANG=$$locale LC_ALL=$$locale $(WINE_ENV) sh tests/windows/wine_smoke.sh $(WINDOWS_BUILD) || exit 1; \
	done
	@echo "Wine printed $$(cat $(WINE_ERR_LOG) 2>/dev/null | wc -l) err lines, each allowed; they are in $(WINE_ERR_LOG)"

# The Windows release: the archive of the folder "ZVK PC" (zvkpc.exe, zvk.exe, the Qt DLLs
# they need, the sample data, README.txt) and the installer made from it. Both are then
# checked as users get them under Wine: the archive unpacked into a fresh folder, zvk.exe run
# there and zvkpc.exe receiving on an X server of its own (its screen is kept beside the
# archive), the installer installing and uninstalling silently in a fresh prefix.
VERSION := $(shell sed -n 's/^project.* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
WINDOWS_PACKAGE ?= $(WINDOWS_BUILD)/zvk-pc-$(VERSION)-windows.zip
WINDOWS_INSTALLER ?= $(WINDOWS_BUILD)/zvk-pc-$(VERSION)-setup.exe

windows-package: windows $(WINE_PREFIX_READY)
	sh packaging/windows/make_package.sh $(WINDOWS_BUILD) $(WINDOWS_QT) $(WINDOWS_PACKAGE) \
		$(WINDOWS_INSTALLER) $(VERSION)
	$(wine_server_up)
	$(WINE_ENV) sh packaging/windows/check_package.sh $(WINDOWS_BUILD) $(WINDOWS_PACKAGE)
	$(WINE_ENV) sh packaging/windows/check_window.sh $(WINDOWS_BUILD) $(WINDOWS_PACKAGE) \
		$(WINDOWS_BUILD)/zvkpc-under-wine.png
	$(WINE_ENV) sh packaging/windows/check_installer.sh $(WINDOWS_INSTALLER)

clean:
	rm -rf $(BUILD) $(RUN_DIR) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) \
		$(DEB_BUILD)
