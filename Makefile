# Zarn Game: a thin wrapper over CMake. `make run` plays, `make test` runs every test.

BUILD_PACKAGES := cmake make g++ pkg-config libsdl1.2-dev libsdl-ttf2.0-dev
PACKAGE_PACKAGES := dpkg-dev file
# What checks the package as Debian would, and what it depends on beyond the libraries.
PACKAGE_CHECK_PACKAGES := lintian appstream desktop-file-utils fonts-dejavu-core
# What says where two builds that should be the same differ.
REPRODUCIBLE_PACKAGES := diffoscope-minimal
# What checks the code's layout and the shell scripts.
LINT_PACKAGES := clang-format shellcheck
TEST_PACKAGES := libgtest-dev libx11-dev libpng-dev xvfb xauth xdotool libsdl1.2-compat valgrind \
	$(LINT_PACKAGES) \
	libbenchmark-dev $(PACKAGE_PACKAGES) $(PACKAGE_CHECK_PACKAGES) $(REPRODUCIBLE_PACKAGES)
BENCH_PACKAGES := time x11-apps x11-utils
FUZZ_PACKAGES := clang libclang-rt-dev llvm
# The browser version: Debian's emscripten (whose optimiser wants acorn), the minifier, the
# pictures' WebP encoder (Pillow), the font's subsetter.
WEB_PACKAGES := emscripten node-acorn terser python3-pil fonttools zip
# The three engines players use: Blink, Gecko and WebKit (WebKitWebDriver and MiniBrowser).
WEB_TEST_PACKAGES := chromium firefox-esr webkit2gtk-driver
# Windows: the cross-compilers (win32 threads), the native compiler that FreeType builds a tool
# with, what unpacks and patches the libraries' sources, the icon maker; to test it Wine, unzip,
# and for the in-process tests posix threads and GoogleTest's sources.
WINDOWS_PACKAGES := cmake make gcc libc6-dev g++-mingw-w64-x86-64-win32 icoutils zip xz-utils patch
WINDOWS_TEST_PACKAGES := wine wine64 unzip g++-mingw-w64-x86-64-posix libgtest-dev
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs
BENCH_FLAGS := --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
XVFB_RUN := xvfb-run -a -s "-screen 0 1024x768x24 -noreset"
JOBS := $(shell nproc 2>/dev/null || echo 2)
# Most end-to-end tests wait on a game that idles between frames: twice as many tests as cores.
TEST_JOBS := $(shell echo $$(( 2 * $(JOBS) )))

ifeq ($(SANITIZE),1)
BUILD_DIR := build/asan
CMAKE_FLAGS := -DZARN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
BUILD_DIR := build
CMAKE_FLAGS :=
endif

.PHONY: all run test check check-fast deps test-deps build game test-build web web-run web-bench web-soak web-screenshots web-test-deps windows windows-for-tests clean soak bench fuzz package release sanitized every-test-package

all: build

deps:
	@tools/install-deps.sh $(BUILD_PACKAGES)

test-deps:
	@tools/install-deps.sh $(BUILD_PACKAGES) $(TEST_PACKAGES)

# Builds what the installed packages allow: the tests too once `make test` has installed theirs.
build: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The game alone, with nothing that only the tests need.
game: deps
	cmake -S . -B build
	cmake --build build -j $(JOBS) --target zarn

# The game looks for graphics/ in the working directory: start it from here.
run: game
	./build/zarn

test-build: test-deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) -DZARN_TESTS=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The browser version in build/web/, and build/zarn-web.zip of it for any static web host.
web: deps
	@tools/install-deps.sh $(WEB_PACKAGES)
	$(EMSCRIPTEN_ENV) emcmake cmake -S web -B build/web-build
	$(EMSCRIPTEN_ENV) cmake --build build/web-build -j $(JOBS)
	tools/make-zip.sh build/web build/zarn-web.zip

# Zarn Game for 64-bit Windows: build/zarn-windows-<version>.zip, from the library sources in
# ZARN_THIRD_PARTY (else ../shared/third-party), checked against windows/third-party.sha256.
windows:
	@tools/install-deps.sh $(WINDOWS_PACKAGES)
	windows/build.sh build

# The same for the tests, which report themselves skipped where the library sources are missing.
windows-for-tests:
	@tools/install-deps.sh $(WINDOWS_PACKAGES) $(WINDOWS_TEST_PACKAGES)
	windows/build.sh build --for-tests

# Page weight, first frame, and the CPU the browser uses beside the native game's.
web-bench: web web-test-deps game
	@tools/install-deps.sh xvfb xauth
	$(XVFB_RUN) node web/bench.mjs build

# Thirty minutes of play in WebKit as a player plays (another engine or length: make web-soak
# WEB_SOAK="firefox 10"): the page must keep drawing and its web process must not crash.
WEB_SOAK := webkit 30
web-soak: web web-test-deps
	@tools/install-deps.sh xvfb xauth
	$(XVFB_RUN) node web/soak.mjs build $(WEB_SOAK)

# docs/phone-upright.png and docs/phone-sideways.png, as Chromium's phone emulation shows the page.
web-screenshots: web web-test-deps
	node web/screenshots.mjs build/web docs

# A page that loads WebAssembly and data files cannot be opened from file://: this serves it.
web-run: web
	node web/serve.mjs build/web 8000

# Debian's browsers, and the test's drivers for them, pinned by web/package-lock.json. Where npm is
# not Debian's (it may come with another nodejs), the one there is used.
web-test-deps:
	@tools/install-deps.sh $(WEB_TEST_PACKAGES)
	@command -v npm >/dev/null || tools/install-deps.sh npm
	cd web && npm ci --no-audit --no-fund

# Every package in one go; the three builds side by side, as the Windows libraries' configure
# scripts leave a core idle; then every test, and beside them the in-process and end-to-end tests
# again under AddressSanitizer and UBSan: the end-to-end tests' games idle between frames, so
# the two runs share the cores. Each build's and each run's output comes out whole when it ends.
ifeq ($(SANITIZE),1)
test: test-build check
else
test: every-test-package web-test-deps
	$(MAKE) --no-print-directory -j 3 --output-sync=target web windows-for-tests test-build
	$(MAKE) --no-print-directory -j 2 --output-sync=recurse check sanitized
endif

every-test-package:
	@tools/install-deps.sh $(BUILD_PACKAGES) $(TEST_PACKAGES) $(WEB_PACKAGES) $(WEB_TEST_PACKAGES) \
		$(WINDOWS_PACKAGES) $(WINDOWS_TEST_PACKAGES)

sanitized:
	$(MAKE) --no-print-directory -j 1 test SANITIZE=1

check:
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(TEST_JOBS) $(CTEST_FLAGS)

# The inner loop: the in-process tests, the end-to-end tests on one SDL, the lint.
check-fast: test-build
	cd build && ctest --output-on-failure -j $(TEST_JOBS) -L fast

# Ten minutes of random play under valgrind: no leak of the game's own, memory stays flat.
soak: test-build
	cd build && ZARN_SOAK_SECONDS=600 ./tests/zarn_soak

# One frame's work beside the bare SDL calls, on both SDL implementations; a shown frame at 1x,
# 2x, 3x and full screen on a 4K X server, and a switch to full screen or back; start-up and
# memory, what each damaged file costs before the game refuses it, and the Windows game under Wine.
bench: test-build
	@tools/install-deps.sh $(BENCH_PACKAGES)
	tools/sdl-implementations.sh | while read -r sdl path; do echo "== $$sdl"; \
		SDL_VIDEODRIVER=dummy LD_LIBRARY_PATH=$$path ./build/zarn_bench \
		--benchmark_filter='GameFrame|BareSdlFrame' $(BENCH_FLAGS) || exit 1; \
		echo "== $$sdl, shown on a 3840x2160 X server"; \
		xvfb-run -a -s "-screen 0 3840x2160x24 -noreset" env SDL_VIDEODRIVER=x11 \
		LD_LIBRARY_PATH=$$path ./build/zarn_bench \
		--benchmark_filter='ShownFrame|Scaling|Switch' $(BENCH_FLAGS) || exit 1; done
	$(XVFB_RUN) tools/measure-memory.sh
	tools/measure-damaged.sh
	$(XVFB_RUN) windows/bench.sh build

# The picture and font fuzzers, FUZZ_SECONDS (default 180) each on each SDL 1.2 implementation.
fuzz: deps
	@tools/install-deps.sh $(FUZZ_PACKAGES)
	CXX=clang++ cmake -S . -B build/fuzz -DZARN_FUZZ=ON
	cmake --build build/fuzz -j $(JOBS)
	tools/fuzz.sh

# A Debian package of the installed game: build/zarn_<version>_<arch>.deb
package: deps
	@tools/install-deps.sh $(PACKAGE_PACKAGES)
	@mkdir -p build
	tools/make-package.sh build/deb build

# A release in build/release/: the source archive, the package, the browser zip, the Windows zip
# with SDL's source, and SHA256SUMS, each the same byte for byte when built again from the same
# commit.
release: package web windows
	tools/make-release.sh

clean:
	rm -rf build
