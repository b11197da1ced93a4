# Front door: every target installs what is missing first.
WERROR := $(if $(filter true,$(CI)),ON,OFF)
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-sanitize test-tsan test-kernel bench fuzz package install screenshot format clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset default -DKV3124_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build --preset default -j $(JOBS)

run: deps
	@cmake --preset optimized -DKV3124_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset optimized -j $(JOBS)
	./build-optimized/app/kv3124-eval $(ARGS)

test: build
	ctest --preset default -j $(JOBS)

test-sanitize: deps
	@cmake --preset sanitize -DKV3124_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# The code with threads (the bus back end's watcher, the adapter, the trace) under ThreadSanitizer.
test-tsan: deps
	@cmake --preset tsan -DKV3124_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset tsan -j $(JOBS)
	ctest --preset tsan -j $(JOBS)

# The program against the real kernel's i2c-dev and i2c-stub, in a throwaway virtual machine.
test-kernel: build
	@scripts/install-deps.sh kernel
	scripts/kernel/run-in-vm.sh build/tests/kernel/kernel_tests

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@for b in build-release/bench/bench_*; do $$b; done
	@if [ -x build-release/bench/bench_board ]; then \
		PYTHONPATH=build-release/python /usr/bin/python3 bench/python_board.py build-release/bench/bench_board; fi

# Each fuzzer for a bounded time, from the corpora kept in fuzz/.
fuzz: deps
	@scripts/install-deps.sh fuzz
	scripts/fuzz.sh

# The Debian package, its dependencies computed from the libraries it links.
package: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS) --target package

# Installs the optimised build under PREFIX (default /usr/local); DESTDIR is honoured.
PREFIX ?= /usr/local
install: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	cmake --install build-release --prefix $(PREFIX)

screenshot: build
	@scripts/install-deps.sh screenshot
	scripts/screenshot.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-release build-optimized
