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
DEB_BUILD ?= build-deb
# The package builds and runs its tests on JOBS cores without echoing every command;
# DEB_OPTIONS="parallel=2 nocheck" leaves the tests out.
DEB_OPTIONS ?= parallel=$(JOBS) terse
# The Windows build: mingw-w64 against the Qt for Windows of ../shared/windows,
# unpacked into the build directory; its tests run under Wine.
WINDOWS_BUILD ?= build-windows
WINDOWS_QT_ARCHIVE ?= ../shared/windows/qt-6.4.2-mingw-w64.tar.xz
WINDOWS_QT = $(WINDOWS_BUILD)/qt6-mingw

.PHONY: all deps configure build test run bench clean test-sanitize fuzz screenshots deb deb-check \
	windows windows-installer windows-test

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

# The Debian package, built as Debian builds it, from a copy of the work tree (its
# files that git tracks or would track), so nothing of a local build gets in and
# the results stay in the project: $(DEB_BUILD)/wyn_*.deb.
deb: deps
	@rm -rf $(DEB_BUILD) && mkdir -p $(DEB_BUILD)/wyn
	@if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then \
		git ls-files -z --cached --others --exclude-standard \
			| tar --null --no-recursion --ignore-failed-read -T - -cf -; \
	else \
		tar --exclude='./build*' --exclude='./obj-*' -cf - .; \
	fi | tar -xf - -C $(DEB_BUILD)/wyn
	@cd $(DEB_BUILD)/wyn && DEB_BUILD_OPTIONS="$(DEB_OPTIONS)" dpkg-buildpackage -us -uc -b
	@ls $(DEB_BUILD)/*.deb

# lintian on the package, and the desktop entry, the file type and the AppStream
# metadata validated as the package installs them.
deb-check: deps
	@lintian --fail-on error,warning --display-info $(DEB_BUILD)/wyn_*.changes
	@rm -rf $(DEB_BUILD)/root && dpkg-deb -x $(DEB_BUILD)/wyn_*.deb $(DEB_BUILD)/root
	@desktop-file-validate $(DEB_BUILD)/root/usr/share/applications/wyn.desktop
	@appstreamcli validate --no-net --pedantic $(DEB_BUILD)/root/usr/share/metainfo/*.metainfo.xml
	@appstreamcli validate-tree --no-net $(DEB_BUILD)/root
	@XDG_DATA_DIRS=$(CURDIR)/$(DEB_BUILD)/root/usr/share \
		update-mime-database $(DEB_BUILD)/root/usr/share/mime
	@grep -qx 'application/x-wyn-preset:\*\.wyn' $(DEB_BUILD)/root/usr/share/mime/globs || \
		{ echo "*.wyn is not application/x-wyn-preset"; exit 1; }
	@echo "The package passes lintian and the desktop validators."

# wyn.exe and wynctl.exe with everything they need beside them, in $(WINDOWS_BUILD)/bin.
windows:
	@scripts/install-deps --windows
	@test -f $(WINDOWS_QT)/bin/Qt6Core.dll || \
		{ mkdir -p $(WINDOWS_BUILD) && tar -xJf $(WINDOWS_QT_ARCHIVE) -C $(WINDOWS_BUILD); }
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/windows-toolchain.cmake \
		-DQT_WINDOWS=$(abspath $(WINDOWS_QT)) -DCMAKE_PREFIX_PATH=/ -DCMAKE_BUILD_TYPE=Release \
		-DWYN_WERROR=$(WERROR) -DWYN_BENCH=OFF >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j$(JOBS)

# The setup program and the portable zip of the Windows build:
# $(WINDOWS_BUILD)/WYN-<version>-setup.exe and $(WINDOWS_BUILD)/WYN-<version>-win64.zip.
windows-installer: windows
	@scripts/windows-installer $(WINDOWS_BUILD)

# The Windows tests under Wine, the setup program's among them.
windows-test: windows-installer
	@cd $(WINDOWS_BUILD) && ctest -L windows --output-on-failure -j$(JOBS)

clean:
	@rm -rf $(BUILD)
