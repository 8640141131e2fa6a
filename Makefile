# make test: installs what is missing, builds both configurations and runs every test.
JOBS ?= $(shell nproc)

.PHONY: all setup build native win32 test test-native test-win32 demo clean

all: build

setup:
	bash scripts/setup

native:
	cmake --preset native >/dev/null
	cmake --build --preset native -j$(JOBS)

win32:
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 -j$(JOBS)

build: native win32

test: setup
	$(MAKE) --no-print-directory build
	bash scripts/run-tests

test-native: native
	ctest --preset native

# A demonstration install in the Wine prefix and the updater run on it (README, "Demo").
demo: setup win32
	bash scripts/demo

test-win32: win32
	scripts/wine-session run ctest --preset win32

clean:
	rm -rf build

# Fuzzes the decode core for FUZZ_SECONDS (default 600) from a corpus packed with lzs.
FUZZ_SECONDS ?= 600
.PHONY: fuzz bench
fuzz: setup native
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j$(JOBS)
	bash scripts/fuzz $(FUZZ_SECONDS)

bench: setup win32
	bash scripts/bench
