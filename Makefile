# The front door.  `make demo` runs the main job, `make check` runs the tests.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup build check asan demo clean

all: build

setup:
	@scripts/setup

build: setup
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

check: build
	ctest --preset default -j $(JOBS)

asan: setup
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Starts the launcher with the reference service; Ctrl-C stops it.
demo: build
	build/bin/Wharfgate 23410

clean:
	rm -rf build

# Benchmarks in a release build: a table of our figures against their floors.
.PHONY: bench
bench: setup
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target Shimwell shimwell-bench shimwell-bench-table
	tools/bench/run_bench.sh build/release build/bench
