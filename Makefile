# The two everyday commands: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build

run:
	@scripts/install-deps run
	@$(MAKE) --no-print-directory build
	@echo "The window is not built yet: only the formula engine and its tests exist."

test:
	@scripts/install-deps test
	@$(MAKE) --no-print-directory build
	ctest --test-dir $(BUILD) --output-on-failure

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) --parallel $(JOBS)

# Speed of the formula engine against its bare generator, in a Release build of its own.
.PHONY: bench
bench:
	@scripts/install-deps bench
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTIRLO_BENCH=ON
	cmake --build build-bench --target tirlo_bench --parallel $(JOBS)
	build-bench/bench/tirlo_bench
