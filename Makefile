# The two everyday commands: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: run test build install screenshots

run:
	@scripts/install-deps run
	@$(MAKE) --no-print-directory build
	$(BUILD)/app/tirlo

test:
	@scripts/install-deps test
	@$(MAKE) --no-print-directory build
	ctest --test-dir $(BUILD) --output-on-failure

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) --parallel $(JOBS)

install:
	@scripts/install-deps run
	@$(MAKE) --no-print-directory build
	cmake --install $(BUILD) --prefix $(PREFIX)

screenshots:
	@scripts/install-deps test
	@$(MAKE) --no-print-directory build
	scripts/screenshots $(BUILD)
