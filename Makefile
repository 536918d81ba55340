# The two set-up commands of a fresh Debian 12 machine: `make run` and `make test`.
# Both install what they need (as root, or through sudo) before they build.

BUILD ?= build
RUN_DIR ?= run
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev locales-all \
	qt6-translations-l10n libreoffice-writer-nogui poppler-utils
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: run test build deps clean

deps:
	@missing=""; \
	for package in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}' $$package 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$package"; \
	done; \
	if [ -n "$$missing" ]; then \
		echo "Installing:$$missing"; \
		$(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi

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

clean:
	rm -rf $(BUILD) $(RUN_DIR)
