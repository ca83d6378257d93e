# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Two commands on a fresh Debian 12 machine:
#   make run    builds the program and starts it
#   make test   builds everything and runs every test and check
# And:
#   make bench  runs the engine's, the receiver's, the detectors' and the web page's benchmarks
#   make web    builds the web page and serves it on http://127.0.0.1:8080
#   make release  writes the release's files into build/release/
.PHONY: run test bench lint build-bench build-windows web build-web release deps-run deps-web deps-release deps-test

# The program as it is shipped, built without the tests and their packages.
run: deps-run
	cmake --preset wydanie
	cmake --build --preset wydanie --target wirlok
	build/wydanie/app/wirlok

test: deps-test
	$(MAKE) test-dev test-asan test-fuzz test-windows test-web build-bench lint

# Configures, builds and tests one preset: dev, asan, fuzz, windows or web.
test-%:
	cmake --preset $*
	cmake --build --preset $*
	ctest --preset $*

build-bench:
	cmake --preset bench
	cmake --build --preset bench

bench: deps-test build-bench build-windows build-web
	build/bench/bench/wirlok_bench
	build/bench/bench/wirlok_odbior_bench
	build/bench/bench/wirlok_nauka_bench
	build/bench/bench/wirlok_sluch_bench
	build/bench/bench/wirlok_swiatlo_bench
	QT_QPA_PLATFORM=offscreen build/bench/bench/wirlok_okno_bench
	bench/okno_wine.sh build/windows/bench/wirlok_okno_bench.exe
	/usr/bin/python3 bench/strona.py build/web/site

build-windows:
	cmake --preset windows
	cmake --build --preset windows

build-web:
	cmake --preset web
	cmake --build --preset web

web: deps-web build-web
	python3 -m http.server 8080 --bind 127.0.0.1 --directory build/web/site

# The source tarball of the last commit, and built from it the .deb, the
# Windows zip and installer and the web site's zip, with SHA256SUMS.
release: deps-release
	cmake -P cmake/wydanie.cmake

# Needs the compile databases and generated sources of dev, bench, fuzz and web.
lint: test-dev build-bench test-fuzz test-web
	scripts/lint

deps-run:
	scripts/install-deps run

deps-web:
	scripts/install-deps web

deps-release:
	scripts/install-deps release

deps-test:
	scripts/install-deps test
