# Thin driver over CMake.
PACKAGES := cmake g++ make qt6-base-dev qt6-qpa-plugins libgl-dev libssl3
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
BUILD := build

.PHONY: deps configure build test run
deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; fi
configure: deps
	cmake -S . -B $(BUILD)
build: configure
	cmake --build $(BUILD) -j2
test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure
run: build
	$(BUILD)/bin/briefcast
