# The front door: `make run` and `make test` are all a newcomer needs.
.PHONY: all deps configure build test test-asan run bench clean

all: build

deps:
	@scripts/deps.sh

build/build.ninja: | deps
	cmake --preset default

configure: build/build.ninja

build: deps configure
	cmake --build --preset default

test: build
	ctest --preset default -j2

# The same tests built with the address and undefined-behaviour sanitizers.
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan -j2

run: build
	scripts/run-demo.sh

bench: build
	bench/run.sh

clean:
	rm -rf build build-asan
