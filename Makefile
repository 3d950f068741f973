# The two everyday commands: 'make run' and 'make test'. Both install the
# Debian packages they need first, then configure and build out of tree.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
# Seconds each fuzz target runs: briefly under 'make test', longer with 'make fuzz'.
FUZZ_SECONDS ?= 10
# CI builds with warnings as errors.
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_ARGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test sanitize sanitize-run sanitize-build fuzz bench package clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELBARINO_WERROR=$(WERROR) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@tools/run.sh $(BUILD_DIR)

# Packages are installed once, by 'build'; the sanitizer half reuses them.
test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory sanitize-run

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

# The Debian package, in $(BUILD_DIR)/: velbarino_<version>_<arch>.deb
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Micro-benchmarks, then start-up time and memory against a bare Qt window.
bench: build
	$(BUILD_DIR)/bench/velbarino_bench
	xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 tools/startup-bench.py $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
