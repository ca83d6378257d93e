# Two commands on a fresh Debian 12 machine:
#   make run    builds the program and starts it
#   make test   builds everything and runs every test and check
# And:
#   make bench  runs the engine's benchmarks
.PHONY: run test bench deps-run deps-test test-dev test-asan test-fuzz test-windows build-bench lint

run: deps-run
	cmake --preset dev
	cmake --build --preset dev --target wirlok
	build/dev/app/wirlok

test: deps-test
	$(MAKE) test-dev test-asan test-fuzz test-windows build-bench lint

test-dev:
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

test-fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz

test-windows:
	cmake --preset windows
	cmake --build --preset windows
	ctest --preset windows

build-bench:
	cmake --preset bench
	cmake --build --preset bench

bench: deps-test build-bench
	build/bench/bench/wirlok_bench

lint: test-dev build-bench test-fuzz
	scripts/lint

deps-run:
	scripts/install-deps run

deps-test:
	scripts/install-deps test
