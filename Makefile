# Zarn Game: a thin wrapper over CMake. `make run` plays, `make test` runs every test, `make help`
# lists the rest. Each target installs the Debian packages it needs (tools/packages.txt) first.

# SANITIZE=1: the same targets on a build with AddressSanitizer and UBSan, in build/asan.
ifeq ($(SANITIZE),1)
BUILD_DIR := build/asan
CMAKE_FLAGS := -DZARN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DZARN_BENCH=OFF
else
BUILD_DIR := build
CMAKE_FLAGS :=
endif
DEPS := tools/install-deps.sh
# What the builds make of others' sources alone (the Windows libraries, the ARM roots) is kept
# once for every checkout of this user, keyed by what it is made of.
export ZARN_CACHE ?= $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/zarn
JOBS := $(shell nproc 2>/dev/null || echo 2)
# Most tests wait on a game that idles between frames: three times as many tests as cores.
TEST_JOBS := $(shell echo $$(( 3 * $(JOBS) )))
XVFB_RUN := xvfb-run -a -s "-screen 0 1024x768x24 -noreset"
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs
BENCH_FLAGS := --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
# Thirty minutes of play in WebKit (another engine or length: make web-soak WEB_SOAK="firefox 10").
WEB_SOAK := webkit 30

.PHONY: help run test check-fast web web-run windows package package-arm64 release bench soak fuzz \
	web-bench web-soak web-screenshots clean
.PHONY: build game test-build check sanitized web-test-deps windows-for-tests every-test-package

## Playing and testing

help: ## this list
	@awk -F ':.*## ' '/^## /{print "\n" substr($$0, 4)} /^[a-z0-9-]+:.*## /{printf "  make %-16s %s\n", $$1, $$2}' $(MAKEFILE_LIST)

run: game ## build the game and play it
	./$(BUILD_DIR)/zarn

test: $(if $(SANITIZE),,every-test-package) ## every test: each SDL 1.2 here, Wine, ARM (QEMU), three browsers, ASan/UBSan
	$(MAKE) --no-print-directory -j 3 --output-sync=target test-build $(if $(SANITIZE),, \
		web-test-deps web windows-for-tests package package-arm64 package-armhf)
	$(MAKE) --no-print-directory check

check-fast: test-build web/node_modules/.package-lock.json ## the in-process tests, one end-to-end run and the lint
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(TEST_JOBS) -L fast

## Other builds

web: ## the browser version in build/web/, and build/zarn-web.zip for any static host
	@$(DEPS) build web
	$(EMSCRIPTEN_ENV) emcmake cmake -S web -B $(BUILD_DIR)/web-build
	$(EMSCRIPTEN_ENV) cmake --build $(BUILD_DIR)/web-build -j $(JOBS)
	tools/make-zip.sh $(BUILD_DIR)/web $(BUILD_DIR)/zarn-web.zip

web-run: web ## serve the browser version on http://127.0.0.1:8000/
	node web/tools/serve.mjs $(BUILD_DIR)/web 8000

windows: ## build/zarn-windows-<version>.zip, from the library sources in ../shared/third-party
	@$(DEPS) windows
	windows/build.sh $(BUILD_DIR)

package: ## the Debian package: build/zarn_<version>_<arch>.deb
	@$(DEPS) build package
	@mkdir -p $(BUILD_DIR)
	tools/make-package.sh $(BUILD_DIR)/deb $(BUILD_DIR)

package-arm64: ## build/zarn_<version>_arm64.deb, for a 64-bit Raspberry Pi, cross-built
package-armhf: ## build/zarn_<version>_armhf.deb, for a 32-bit Raspberry Pi 2 or newer, cross-built
package-arm64 package-armhf: package-%:
	@$(DEPS) cross cross-$*
	tools/make-package.sh $(BUILD_DIR)/deb-$* $(BUILD_DIR) $* $(BUILD_DIR)/$*

release: package package-arm64 package-armhf web windows ## build/release/: every archive, each the same bytes when rebuilt
	tools/make-release.sh

## Measuring

bench: test-build ## a frame's CPU on each SDL, scaled and full screen, start-up, memory, Wine
	@$(DEPS) bench
	tools/sdl-implementations.sh | while read -r sdl path; do echo "== $$sdl"; \
		SDL_VIDEODRIVER=dummy LD_LIBRARY_PATH=$$path ./$(BUILD_DIR)/zarn_bench \
		--benchmark_filter='GameFrame|BareSdlFrame' $(BENCH_FLAGS) || exit 1; \
		echo "== $$sdl, shown on a 3840x2160 X server"; \
		xvfb-run -a -s "-screen 0 3840x2160x24 -noreset" env SDL_VIDEODRIVER=x11 \
		LD_LIBRARY_PATH=$$path ./$(BUILD_DIR)/zarn_bench \
		--benchmark_filter='ShownFrame|Scaling|Switch' $(BENCH_FLAGS) || exit 1; done
	$(XVFB_RUN) tools/measure-memory.sh $(BUILD_DIR)
	tools/measure-damaged.sh $(BUILD_DIR)
	$(XVFB_RUN) windows/bench.sh $(BUILD_DIR)

soak: test-build ## 600 Life steps of random play under valgrind: no leak, flat memory
	cd $(BUILD_DIR) && ZARN_SOAK_STEPS=600 ./tests/zarn_soak

fuzz: ## the picture and font fuzzers, FUZZ_SECONDS (default 180) each on each SDL 1.2
	@$(DEPS) build fuzz
	CXX=clang++ cmake -S . -B $(BUILD_DIR)/fuzz -DZARN_FUZZ=ON
	cmake --build $(BUILD_DIR)/fuzz -j $(JOBS)
	tools/fuzz.sh $(BUILD_DIR)/fuzz

web-bench: web web-test-deps game ## the page's weight, first frame, pace, hold and CPU in each browser
	$(XVFB_RUN) node web/tools/bench.mjs $(BUILD_DIR)

web-soak: web web-test-deps ## half an hour of play in WebKit: no crash, the page keeps drawing
	$(XVFB_RUN) node web/tools/soak.mjs $(BUILD_DIR) $(WEB_SOAK)

web-screenshots: web web-test-deps ## docs/phone-*.png, as Chromium's phone emulation shows the page
	node web/tools/screenshots.mjs $(BUILD_DIR)/web docs

clean: ## remove build/
	rm -rf build

# What the targets above share.

# Builds what the installed packages allow: the tests too once `make test` has installed theirs.
build:
	@$(DEPS) build
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The game alone, with nothing that only the tests need. It finds graphics/ in the working
# directory, which `make run` is started in.
game:
	@$(DEPS) build
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target zarn

test-build:
	@$(DEPS) build test
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) -DZARN_TESTS=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)

check:
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(TEST_JOBS) $(CTEST_FLAGS)

# The sanitized pass: in `make test`, a test of the plain run, beside its other tests.
sanitized:
	$(MAKE) --no-print-directory test-build check SANITIZE=1

# Every package in one go, before the builds start side by side.
every-test-package:
	@$(DEPS) build test web web-test windows windows-test cross cross-arm64 cross-armhf cross-test

# The browsers, and the test's drivers for them, its linter and its formatter, pinned by
# web/package-lock.json. Where npm is not Debian's (it may come with another nodejs), the one there
# is used.
web-test-deps: web/node_modules/.package-lock.json
	@$(DEPS) web-test

web/node_modules/.package-lock.json: web/package-lock.json
	@command -v npm >/dev/null || $(DEPS) npm
	cd web && npm ci --no-audit --no-fund

# The Windows game for the tests, which report themselves skipped where the library sources
# are missing.
windows-for-tests:
	@$(DEPS) windows windows-test
	windows/build.sh $(BUILD_DIR) --for-tests
