# The front door: `make run` and `make test` work on a fresh Debian machine.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)
# A test that hangs fails on its own instead of holding the whole run; the
# slowest takes a few seconds even under the sanitizers.
CTEST = QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 120 -j $(JOBS)

SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: all deps build run test test-asan bench fuzz format install clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/varnocet

test: build
	@scripts/test-ratio
	$(CTEST) --test-dir $(BUILD)
	$(MAKE) test-asan

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARNOCET_SANITIZE=ON $(CMAKE_FLAGS)

# The sanitizer runtime's exit-time leak check stops every thread of the
# process, the web engine's many among them, and is known to hang now and
# then: a test that times out gets one more run; any other failure, or a
# second time-out, fails the build.
test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(CTEST) --test-dir $(ASAN_BUILD) --repeat after-timeout:2

# Several seconds each: one iteration of a 20 MB feed mostly measures how
# the allocator and the page cache happened to stand.
bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNOCET_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	for b in $(BENCH_BUILD)/bin/bench_*; do "$$b" --benchmark_min_time=3; done

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOCET_FUZZ=ON \
	    -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

format:
	clang-format -i $(SOURCES)

install: build
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
