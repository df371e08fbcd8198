# Thin driver over CMake.
PACKAGES := cmake g++ make qt6-base-dev qt6-qpa-plugins libgl-dev libssl3
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
BUILD := build

.PHONY: deps configure build test run test-sanitize bench
deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; fi
configure: deps
	cmake -S . -B $(BUILD)
build: configure
	cmake --build $(BUILD) -j2
test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure
bench: build
	$(BUILD)/bin/bench_core
	$(BUILD)/bin/bench_net
	$(BUILD)/bin/bench_startup
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/bench_ui
run: build
	$(BUILD)/bin/briefcast

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_BUILD := build-sanitize
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DBRIEFCAST_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SANITIZE_BUILD) -j2
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure
