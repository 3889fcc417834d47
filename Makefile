# Front door: `make run` and `make test` install what is missing, then build.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test check-long bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/tamzor-cli board

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

check-long: build
	@cd $(BUILD) && TAMZOR_LONG=1 ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD)/tamzor_bench

clean:
	rm -rf $(BUILD)
