# The two everyday commands: 'make run' and 'make test'. Both install the
# Debian packages they need first, then configure and build out of tree.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
WINDOWS_DIR ?= build-windows
WINDOWS32_DIR ?= build-windows32
# Seconds each fuzz target runs: briefly under 'make test', longer with 'make fuzz'.
FUZZ_SECONDS ?= 10
# CI builds with warnings as errors.
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_ARGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test sanitize sanitize-run sanitize-build fuzz bench package \
        windows windows-build windows-test windows-test-run windows32 bench-windows clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELBARINO_WERROR=$(WERROR) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@tools/run.sh $(BUILD_DIR)

# Packages are installed once, by 'build'; the sanitizer and Windows halves reuse them.
test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory sanitize-run
	$(MAKE) --no-print-directory windows-test-run

# The whole suite again, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer, plus a short run of each libFuzzer target.
sanitize: deps
	$(MAKE) --no-print-directory sanitize-run

sanitize-run: sanitize-build
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

sanitize-build:
	CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug \
	    -DVELBARINO_SANITIZE=ON -DVELBARINO_FUZZ=ON -DVELBARINO_FUZZ_SECONDS=$(FUZZ_SECONDS) \
	    -DVELBARINO_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)

# A long fuzzing run of both targets: make fuzz FUZZ_SECONDS=3600
fuzz: deps sanitize-build
	cd $(SANITIZE_DIR) && ctest --output-on-failure -L fuzz -j $(JOBS)

# The Windows program, cross-built with MinGW-w64: $(WINDOWS_DIR)/app/velbarino.exe
# and a zip of it, its licence and an Italian read-me.
windows: deps
	$(MAKE) --no-print-directory windows-build
	cd $(WINDOWS_DIR) && cpack -G ZIP

windows-build:
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-w64-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DVELBARINO_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

# The same for 32-bit Windows, in $(WINDOWS32_DIR)/: built, not tested here
# (Debian's wine64 runs 64-bit programs only).
windows32:
	tools/install-deps.sh g++-mingw-w64-i686-posix binutils-mingw-w64-i686
	cmake -S . -B $(WINDOWS32_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-w64-i686.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELBARINO_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(WINDOWS32_DIR) -j $(JOBS) --target velbarino
	cd $(WINDOWS32_DIR) && cpack -G ZIP

# The Windows build's tests under Wine, on one virtual X display.
windows-test: deps
	$(MAKE) --no-print-directory windows-test-run

windows-test-run: windows-build
	cd $(WINDOWS_DIR) && xvfb-run -a -s "-noreset -screen 0 800x600x24" ctest --output-on-failure -j $(JOBS)

# The Debian package, in $(BUILD_DIR)/: velbarino_<version>_<arch>.deb
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Micro-benchmarks, then start-up time and memory against a bare Qt window.
bench: build
	$(BUILD_DIR)/bench/velbarino_bench
	xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 tools/startup-bench.py $(BUILD_DIR)

# Size, imported DLLs and start-up under Wine against a bare Win32 window.
bench-windows: windows
	xvfb-run -a -s "-noreset -screen 0 800x600x24" tools/wine-startup-bench.sh $(WINDOWS_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(WINDOWS_DIR) $(WINDOWS32_DIR)
