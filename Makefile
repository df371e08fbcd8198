# Thin driver over CMake.
# What building and running the app and its tools needs: libcurl4-openssl-dev,
# the HTTP client; the speech engine (its CMake files need Qt's QML
# integration, in qt6-declarative-dev) and its voice; libre2-dev, the METAR
# pattern's engine, found through pkgconf; libqt6svg6, the window icon; Qt's
# HTTP server for the local ATIS generator (its CMake files need the
# WebSockets ones, which the package does not pull in); lrelease, which builds
# the translations the app loads, and its CMake files (qt6-tools-dev).
PACKAGES := cmake g++ make qt6-base-dev qt6-qpa-plugins libgl-dev libssl3 libcurl4-openssl-dev \
  qt6-speech-dev qt6-declarative-dev qt6-speech-flite-plugin libre2-dev pkgconf libqt6svg6 \
  qt6-httpserver-dev qt6-websockets-dev qt6-l10n-tools qt6-tools-dev
# What the tests need besides: a sound server for the real speech test, the
# checks of the menu entry, the metadata and the Debian package (dpkg-dev for
# dpkg-shlibdeps), python3 for the retrieval test's reference client.
TEST_PACKAGES := pulseaudio desktop-file-utils appstream lintian dpkg-dev python3
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# The tests and the benchmarks build in build/; the app and its tools alone,
# without them, in build-run/, so that neither build reconfigures the other.
BUILD := build
RUN_BUILD := build-run

# Installs the Debian packages named that are missing.
define install-missing
	@missing=""; for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; fi
endef

.PHONY: deps test-deps configure build test run-build run demo test-sanitize bench fuzz plant-faults \
  format format-check lupdate
deps:
	$(call install-missing,$(PACKAGES))
test-deps:
	$(call install-missing,$(PACKAGES) $(TEST_PACKAGES))
configure: test-deps
	cmake -S . -B $(BUILD) -DBUILD_TESTING=ON
build: configure
	cmake --build $(BUILD) -j2
test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure
bench: build
	$(BUILD)/bin/bench_core
	$(BUILD)/bin/bench_net
	$(BUILD)/bin/bench_startup
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/bench_ui
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/bench_generator
run-build: deps
	cmake -S . -B $(RUN_BUILD) -DBUILD_TESTING=OFF
	cmake --build $(RUN_BUILD) -j2
run: run-build
	$(RUN_BUILD)/bin/briefcast
# The app against a weather server on this machine: works without a network.
demo: run-build
	tools/demo.sh $(RUN_BUILD)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_BUILD := build-sanitize
test-sanitize: test-deps
	cmake -S . -B $(SANITIZE_BUILD) -DBRIEFCAST_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SANITIZE_BUILD) -j2
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure

# Each libFuzzer target for FUZZ_SECONDS, seeded from fuzz/corpus, with
# AddressSanitizer and UndefinedBehaviorSanitizer.
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS := 60
FUZZ_TARGETS := fuzz_metar fuzz_template fuzz_discovery fuzz_profile fuzz_storenames
fuzz: deps
	$(call install-missing,clang)
	cmake -S . -B $(FUZZ_BUILD) -DBRIEFCAST_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j2 --target $(FUZZ_TARGETS)
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t && \
	  echo "== $$t" && \
	  UBSAN_OPTIONS=halt_on_error=1 $(FUZZ_BUILD)/bin/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=2 \
	    -print_final_stats=1 $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done

# The fixed sample of planted faults (dev/plant-faults.ini), each planted in a
# copy of the tree (build-mutants/source), built there and run against the
# suite; the table lands in build-mutants/plant-faults/results.txt.
# PLANT_FAULTS_ARGS="--random 60" plants 60 faults drawn at random instead.
# Ninja's record of what each object file includes tells which tests a fault
# can reach, and its build file which machine code a fault changes.
plant-faults: test-deps
	$(call install-missing,ninja-build)
	nice python3 dev/plant-faults $(PLANT_FAULTS_ARGS)

# Every text marked for translation gathered into translations/*.ts, for
# translators (lupdate; the texts already translated are kept).
lupdate: configure
	cmake --build $(BUILD) --target update_translations

# The sources in the repository's .clang-format style: format rewrites them,
# format-check fails on the first file that differs.
SOURCES = $(shell git ls-files '*.cpp' '*.h')
format:
	$(call install-missing,clang-format)
	clang-format -i $(SOURCES)
format-check:
	$(call install-missing,clang-format)
	clang-format --dry-run --Werror $(SOURCES)
