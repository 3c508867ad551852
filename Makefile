# The two everyday commands: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# Launches of each program in the start-up benchmark (make bench).
STARTUP_ROUNDS ?= 15
# SANITIZERS=no leaves the sanitizer build and the fuzzer out of make test.
SANITIZERS ?= yes

.PHONY: run test build install screenshots test-fresh

# The program alone: make run compiles none of the tests.
run:
	@scripts/require-display
	@scripts/install-deps run
	@$(MAKE) --no-print-directory build TARGET=tirlo
	$(BUILD)/app/tirlo

# The tests spend most of their time waiting on windows: they run side by side,
# and the sanitizer build compiles meanwhile (its output comes after theirs).
test:
	@scripts/install-deps test $(if $(filter no,$(SANITIZERS)),,fuzz)
	@$(MAKE) --no-print-directory build
ifeq ($(SANITIZERS),no)
	@$(MAKE) --no-print-directory run-tests
else
	@$(MAKE) --no-print-directory --jobs=2 --output-sync=target run-tests build-sanitized
	@$(MAKE) --no-print-directory test-sanitized
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30
endif

# make test again, from a clone of HEAD in a clean Debian 12 root where nothing
# was installed by hand, and the Debian package built from its source package in
# another, installed, started and checked (as root; the roots' base and .debs
# are cached in ~/.cache/tirlo).
test-fresh:
	@scripts/install-deps fresh
	tests/fresh/test_fresh.sh $(CURDIR) $(BUILD)

# With CMake's release flags (cmake/release_flags.cmake); TARGET=name for one target.
build:
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) --parallel $(JOBS) $(if $(TARGET),--target $(TARGET))

install:
	@scripts/install-deps run
	@$(MAKE) --no-print-directory build
	cmake --install $(BUILD) --prefix $(PREFIX)

screenshots:
	@scripts/install-deps test
	@$(MAKE) --no-print-directory build
	scripts/screenshots $(BUILD)

# The source package and the Debian packages, tirlo and tirlo-dbgsym, made by
# dpkg-buildpackage from that source package: apt install ./$(PACKAGE_DIR)/tirlo_*.deb
PACKAGE_DIR ?= $(BUILD)/package

.PHONY: package
package:
	@scripts/install-deps package
	scripts/build-package $(PACKAGE_DIR)

.PHONY: run-tests
run-tests:
	ctest --test-dir $(BUILD) --output-on-failure --parallel $(JOBS)

# Speed of the formula engine against its bare generator, then of the exact
# distribution of a formula beside dicelab (up to a minute for each formula it
# cannot finish), then the program's start-up against a bare Qt program, then
# Return to the total on screen, in a folder of their own but with the flags of
# the program that is shipped.
.PHONY: bench
bench:
	@scripts/install-deps bench
	cmake -S . -B build-bench -DTIRLO_BENCH=ON
	cmake --build build-bench --target tirlo_bench tirlo_distribution_bench tirlo bare_window \
		controls_only --parallel $(JOBS)
	build-bench/bench/tirlo_bench
	build-bench/bench/tirlo_distribution_bench
	xvfb-run -a -s "-screen 0 640x480x24" dbus-run-session -- bench/startup/startup.sh \
		build-bench/app/tirlo build-bench/bench/startup/bare_window \
		build-bench/bench/startup/controls_only $(STARTUP_ROUNDS)
	bench/roll_latency/roll_latency.sh build-bench/app/tirlo

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer. The options
# come from the environment, so they reach every test, also those started through xvfb-run.
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

.PHONY: test-sanitized build-sanitized
test-sanitized: build-sanitized
	$(SANITIZER_ENV) ctest --test-dir build-asan --output-on-failure --parallel $(JOBS)

build-sanitized:
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIRLO_SANITIZE=ON
	cmake --build build-asan --parallel $(JOBS)

# libFuzzer on the evaluator for FUZZ_SECONDS, from a copy of fuzz/corpus in build-fuzz
# (the seeds in the repository stay as they are); crash inputs land in build-fuzz/crashes.
FUZZ_SECONDS ?= 60

.PHONY: fuzz
fuzz:
	@scripts/install-deps fuzz
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DTIRLO_SANITIZE=ON -DTIRLO_FUZZ=ON
	cmake --build build-fuzz --target tirlo_fuzz --parallel $(JOBS)
	mkdir -p build-fuzz/corpus build-fuzz/crashes
	cp fuzz/corpus/* build-fuzz/corpus/
	$(SANITIZER_ENV) build-fuzz/fuzz/tirlo_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
		-print_final_stats=1 -artifact_prefix=build-fuzz/crashes/ build-fuzz/corpus
