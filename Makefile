# The two commands of a newcomer: `make run` and `make test`.
# Both install what is missing (Debian packages), configure and build first.

.PHONY: all deps build run test release bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake --preset debug >/dev/null
	@cmake --build --preset debug

run: build
	./build/debug/receipt-mockup

# The unit, logic and widget tests also run under the address and
# undefined-behaviour sanitizers (build/asan); the end-to-end tests run on the
# debug and release builds.
test: build
	@cmake --preset release >/dev/null
	@cmake --build --preset release
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	ctest --preset debug
	ctest --preset release
	ctest --preset asan

# libFuzzer targets (fuzz/), built with clang in build/fuzz, FUZZ_SECONDS each.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps.sh clang libclang-rt-14-dev
	@cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build build/fuzz
	@fuzz/run.sh build/fuzz . $(FUZZ_SECONDS)

bench:
	@scripts/install-deps.sh libxcb-damage0-dev libxcb-xtest0-dev
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target bench_all
	@bench/run.sh build/release

clean:
	rm -rf build
