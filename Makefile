# The two commands of a newcomer: `make run` and `make test`.
# Both install what is missing (Debian packages), configure and build first.

.PHONY: all deps build run test release bench clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake --preset debug >/dev/null
	@cmake --build --preset debug

run: build
	./build/debug/receipt-mockup

test: build
	@cmake --preset release >/dev/null
	@cmake --build --preset release
	ctest --preset debug
	ctest --preset release

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target bench_all
	@bench/run.sh build/release

clean:
	rm -rf build
