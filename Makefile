# The two everyday commands: 'make run' and 'make test'. Both install the
# Debian packages they need first, then configure and build out of tree.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
WINDOWS_DIR ?= build-windows
WINDOWS32_DIR ?= build-windows32
WEB_DIR ?= build-web
# Seconds each fuzz target runs: briefly under 'make test', longer with 'make fuzz'.
FUZZ_SECONDS ?= 10
# CI builds with warnings as errors.
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_ARGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps deps-run configure build run test test-debian13 sanitize sanitize-run sanitize-build fuzz bench \
        package windows windows32 windows-test windows-test-run bench-windows web web-build web-test web-test-run window-compare \
        bench-web release reproducible clean

all: build

# Two sets of Debian packages: what building and running needs ('make run'),
# and everything the tests, the Windows builds and the release add.
deps-run:
	@tools/install-deps.sh run

deps:
	@tools/install-deps.sh test

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DVELBARINO_WERROR=$(WERROR) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The program alone: no tests or benchmarks, and none of their packages.
run: deps-run
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DVELBARINO_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target velbarino
	@tools/run.sh $(BUILD_DIR)

# Packages are installed once, by 'build'; the sanitizer, Windows and
# reproducibility steps reuse them.
test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory sanitize-run
	$(MAKE) --no-print-directory windows-test-run
	$(MAKE) --no-print-directory web-test-run
	data/tests/reproducible_test.sh

# The whole of 'make test' for the last commit, inside a Debian 13 root made
# by debootstrap (kept in build-debian13/, reused; remove it to make it anew).
# Needs root.
test-debian13:
	@tools/install-deps.sh only debootstrap
	tools/in-debian.sh 13 make test

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

# The Windows programs, cross-built with MinGW-w64: x64 in $(WINDOWS_DIR),
# x86 in $(WINDOWS32_DIR). Each build gives app/velbarino.exe, a zip of it with
# its licence and an Italian read-me, and an installer (.msi).
# (The per-architecture targets are pattern rules, which make never applies to
# a .PHONY target, so they stay out of that list.)
windows-dir = $(if $(filter x86,$1),$(WINDOWS32_DIR),$(WINDOWS_DIR))
windows-toolchain = cmake/toolchain-mingw-w64-$(if $(filter x86,$1),i686,x86_64).cmake

windows: deps
	$(MAKE) --no-print-directory windows-build-x64

windows32: deps
	$(MAKE) --no-print-directory windows-build-x86

windows-build-%:
	cmake -S . -B $(call windows-dir,$*) -DCMAKE_TOOLCHAIN_FILE=$(call windows-toolchain,$*) \
	    -DCMAKE_BUILD_TYPE=Release -DVELBARINO_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(call windows-dir,$*) -j $(JOBS)


# Both Windows builds' tests under Wine, each on one virtual X display.
windows-test: deps
	$(MAKE) --no-print-directory windows-test-run

windows-test-run: windows-test-x64 windows-test-x86

# A kernel that cannot run 32-bit programs cannot start Wine's 32-bit loader:
# there the x86 program's own check runs, and the rest is reported as not run.
windows-test-%: windows-build-%
	@if [ "$*" = x86 ] && ! tools/wine-run.sh --can-run-32-bit; then \
	    echo "NOT RUN: this machine cannot run 32-bit programs (Wine's 32-bit loader: Exec format error);"; \
	    echo "         the x86 program is built and its file checked, but not run under Wine."; \
	    cd $(call windows-dir,$*) && ctest --output-on-failure -R pe_hardening; \
	else \
	    cd $(call windows-dir,$*) && xvfb-run -a -s "-noreset -screen 0 800x600x24" ctest --output-on-failure -j $(JOBS); \
	fi

# The page for a browser, one file: $(WEB_DIR)/app/velbarino.html, built by
# Debian's emscripten. (NODE_PATH: emscripten's own scripts need Debian's
# JavaScript modules, which a Node.js from elsewhere does not look for.)
web:
	@tools/install-deps.sh web
	$(MAKE) --no-print-directory web-build
	@echo "The page, one file to open in a browser: $(CURDIR)/$(WEB_DIR)/app/velbarino.html"
	@echo "The folder for a web server: $(CURDIR)/$(WEB_DIR)/app/velbarino-web/; to try it on this machine:"
	@echo "    python3 -m http.server -b 127.0.0.1 -d $(WEB_DIR)/app/velbarino-web 8000   (then open http://localhost:8000/)"

web-build:
	NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	    -DVELBARINO_WERROR=$(WERROR) $(CMAKE_ARGS)
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_DIR) -j $(JOBS)

# The shared scenarios through the page in headless Chromium, then the page
# on a phone, on other layouts, over http, installed and offline; then the
# shared scenarios in WebKit, on a virtual X display, and in headless Firefox;
# then the scanner with a fake camera in Chromium, and with WebKit's mock one.
web-test: deps
	$(MAKE) --no-print-directory web-test-run

# The page's readings of its window go through the comparer the desktop
# tests use, built natively: $(COMPARER).
COMPARER = $(CURDIR)/$(BUILD_DIR)/ui/tests/window_compare
TABLE = $(CURDIR)/$(WEB_DIR)/app/velbarino.html ui/tests/scenarios.json $(COMPARER)

web-test-run: web-build window-compare
	/usr/bin/python3 web/tests/scenario_test.py $(TABLE)
	/usr/bin/python3 web/tests/device_test.py $(CURDIR)/$(WEB_DIR)/app
	xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 web/tests/scenario_test.py --webkit $(TABLE)
	/usr/bin/python3 web/tests/scenario_test.py --firefox $(TABLE)
	/usr/bin/python3 web/tests/camera_test.py $(CURDIR)/$(WEB_DIR)/app
	xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 web/tests/camera_test.py --webkit $(CURDIR)/$(WEB_DIR)/app

window-compare:
	[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
	    -DVELBARINO_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target window_compare

# The page's size, its start-up against a bare page with the same controls,
# and the time from a key to the result, in headless Chromium.
bench-web: deps web-build
	/usr/bin/python3 tools/web-bench.py $(CURDIR)/$(WEB_DIR)/app/velbarino.html bench/bare_page.html
	$(if $(PHOTOS),/usr/bin/python3 tools/photo-bench.py $(CURDIR)/$(WEB_DIR)/app $(abspath $(PHOTOS)),@echo "PHOTOS=FOLDER: the scanner on photographs of labels too")

# The Debian package, in $(BUILD_DIR)/: velbarino_<version>_<arch>.deb
package: build
	cd $(BUILD_DIR) && SOURCE_DATE_EPOCH=$${SOURCE_DATE_EPOCH:-$$(git log -1 --format=%ct)} cpack -G DEB

# Everything that is shipped, built from the committed source into dist/:
# the .deb, the Windows zips and installers, SHA256SUMS. Refused on a tree
# with uncommitted changes.
release: deps
	tools/release.sh

# Two releases of the last commit, from clones in different folders, at
# different times, in different time zones: the sums must be the same.
reproducible: deps
	data/tests/reproducible_test.sh

# Micro-benchmarks, then start-up time and memory against a bare Qt window.
bench: build
	$(BUILD_DIR)/bench/velbarino_bench
	xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 tools/startup-bench.py $(BUILD_DIR)

# Size, imported DLLs and start-up under Wine against a bare Win32 window.
bench-windows: windows
	xvfb-run -a -s "-noreset -screen 0 800x600x24" tools/wine-startup-bench.sh $(WINDOWS_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(WINDOWS_DIR) $(WINDOWS32_DIR) $(WEB_DIR) build-release dist
	@[ ! -d build-debian13 ] || echo "build-debian13/ (the Debian 13 root) is kept: remove it by hand to make it anew"

