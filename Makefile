# Two commands on a fresh Debian 12 machine:
#   make run    builds the program and starts it
#   make test   builds everything and runs every test
.PHONY: run test deps-run deps-test

run: deps-run
	cmake --preset dev
	cmake --build --preset dev
	build/dev/app/wirlok

test: deps-test
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

deps-run:
	scripts/install-deps run

deps-test:
	scripts/install-deps test
