# Zarn Game: a thin wrapper over CMake. `make run` plays, `make test` runs every test.

BUILD_PACKAGES := cmake make g++ pkg-config libsdl1.2-dev libsdl-ttf2.0-dev
TEST_PACKAGES := libgtest-dev libx11-dev xvfb xauth xdotool libsdl1.2-compat
JOBS := $(shell nproc 2>/dev/null || echo 2)

ifeq ($(SANITIZE),1)
BUILD_DIR := build/asan
CMAKE_FLAGS := -DZARN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
BUILD_DIR := build
CMAKE_FLAGS :=
endif

.PHONY: all run test check deps test-deps build clean

all: build

deps:
	@tools/install-deps.sh $(BUILD_PACKAGES)

test-deps:
	@tools/install-deps.sh $(BUILD_PACKAGES) $(TEST_PACKAGES)

build: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The game looks for graphics/ in the working directory: start it from here.
run: build
	./build/zarn

# Every test, then the in-process tests again under AddressSanitizer and UBSan.
ifeq ($(SANITIZE),1)
test: test-deps build check
else
test: test-deps build check
	$(MAKE) --no-print-directory test SANITIZE=1
endif

check:
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

clean:
	rm -rf build
