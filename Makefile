# The two set-up commands of a fresh Debian 12 machine: `make run` and `make test`.
# Both install what they need (as root, or through sudo) before they build.

BUILD ?= build
RUN_DIR ?= run
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev locales-all \
	libreoffice-writer-nogui
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

# Until the handheld link arrives, the main job on built-in defaults is the list
# work: the sample lists are converted to semicolon text, the sample measurement
# text becomes a data list, and a report over all of them and the consignment note
# of the first are written, all in a fresh folder.
run: build
	rm -rf $(RUN_DIR) && mkdir -p $(RUN_DIR)
	cp data/samples/* data/measurements/* $(RUN_DIR)/
	$(BUILD)/src/cli/zvk convert $(RUN_DIR)/*.DAT
	$(BUILD)/src/cli/zvk import $(RUN_DIR)/*.txt
	$(BUILD)/src/cli/zvk report --folder $(RUN_DIR) --config data/config/ZVK.INI \
		--from 01.01.2000 --to 31.12.2099 --output $(RUN_DIR)/prehlad.rtf
	$(BUILD)/src/cli/zvk note $(RUN_DIR)/LIST0001.DAT --config data/config/ZVK.INI \
		--output $(RUN_DIR)/konsignacia.rtf
	@echo "The semicolon texts (.csv), the imported list, the report and the consignment note are in $(abspath $(RUN_DIR))."

clean:
	rm -rf $(BUILD) $(RUN_DIR)
