# The two commands of the README do all the set-up: `make run` and `make test`.
BUILD ?= build
JOBS  ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

run: build
	@scripts/run-sample $(BUILD)

bench: configure
	@cmake --build $(BUILD) -j$(JOBS) --target wyn_bench
	@$(BUILD)/bench/wyn_bench --benchmark_min_time=0.5 --benchmark_out=$(BUILD)/bench.json \
		--benchmark_out_format=json
	@echo
	@scripts/bench-table $(BUILD)/bench.json

clean:
	@rm -rf $(BUILD)
