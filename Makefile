# The two commands of the README do all the set-up: `make run` and `make test`.
BUILD ?= build
JOBS  ?= 2
BUILD_TYPE ?= RelWithDebInfo
# Warnings are errors for developers and CI; a plain cmake build leaves them warnings.
WERROR ?= ON
CMAKE_FLAGS ?=
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 1

.PHONY: all deps configure build test run bench clean test-sanitize fuzz screenshots

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DWYN_WERROR=$(WERROR) $(CMAKE_FLAGS) \
		>/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

run: build
	@scripts/run-sample $(BUILD)

# Every window and tab, offscreen, as PNG pictures under $(BUILD)/screenshots.
screenshots: build
	@scripts/run-sample $(BUILD) --prepare-only
	@QT_QPA_PLATFORM=offscreen $(BUILD)/tests/ui/wyn_screenshots $(CURDIR)/$(BUILD)/sample/quake2 \
		$(BUILD)/screenshots 2>/dev/null

bench: configure
	@cmake --build $(BUILD) -j$(JOBS) --target wyn_bench wyn_window_bench wynctl
	@scripts/run-sample $(BUILD) --prepare-only
	@$(BUILD)/bench/wyn_bench --benchmark_min_time=0.5 --benchmark_out=$(BUILD)/bench.json \
		--benchmark_out_format=json
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/wyn_window_bench --benchmark_min_time=0.5 \
		--benchmark_out=$(BUILD)/bench-window.json --benchmark_out_format=json 2>/dev/null
	@echo
	@scripts/bench-table $(BUILD)/bench.json $(BUILD)/bench-window.json

# The core and its tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@ASAN_BUILD=$(ASAN_BUILD) JOBS=$(JOBS) WERROR=$(WERROR) scripts/test-sanitize

# Every libFuzzer target for FUZZ_SECONDS each: make fuzz FUZZ_SECONDS=600
fuzz: deps
	@FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_JOBS=$(FUZZ_JOBS) JOBS=$(JOBS) WERROR=$(WERROR) \
		scripts/fuzz $(FUZZ_SECONDS)

clean:
	@rm -rf $(BUILD)
