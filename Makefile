# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Two commands on a fresh Debian 12 machine:
#   make run    builds the program and starts it
#   make test   builds everything and runs every test and check
# And:
#   make bench  runs the engine's benchmarks
.PHONY: run test bench lint build-bench deps-run deps-test

# The program as it is shipped, built without the tests and their packages.
run: deps-run
	cmake --preset wydanie
	cmake --build --preset wydanie --target wirlok
	build/wydanie/app/wirlok

test: deps-test
	$(MAKE) test-dev test-asan test-fuzz test-windows build-bench lint

# Configures, builds and tests one preset: dev, asan, fuzz or windows.
test-%:
	cmake --preset $*
	cmake --build --preset $*
	ctest --preset $*

build-bench:
	cmake --preset bench
	cmake --build --preset bench

bench: deps-test build-bench
	build/bench/bench/wirlok_bench

# Needs the compile databases and generated sources of dev, bench and fuzz.
lint: test-dev build-bench test-fuzz
	scripts/lint

deps-run:
	scripts/install-deps run

deps-test:
	scripts/install-deps test
