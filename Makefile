# The front door.  `make demo` runs the main job, `make check` runs the tests.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup build check asan fuzz memcheck windows demo clean

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

# Every fuzz target for FUZZ_SECONDS each (libFuzzer, clang, with sanitizers).
FUZZ_SECONDS ?= 45
fuzz: setup
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) --target page_call_fuzzer inbound_fuzzer reply_fuzzer json_text_fuzzer analysis_fuzzer
	tools/fuzz/run_fuzzers.sh build/fuzz $(FUZZ_SECONDS)

# The launcher's process tests (with the programs they start) and a
# shimwell-host session under valgrind's memcheck.
MEMCHECK = valgrind --tool=memcheck --error-exitcode=1 --leak-check=full --trace-children=yes \
	--suppressions=tools/memcheck/memcheck.supp -q
memcheck: build
	$(MEMCHECK) build/bin/module_loader_test
	$(MEMCHECK) build/bin/wharfgate_test
	$(MEMCHECK) build/bin/shimwell-host examples/live-session.script >/dev/null

# The Windows builds: 32-bit (the deliverables; compiled and checked, not run)
# and 64-bit (its tests run under wine64).
windows:
	@scripts/setup windows
	cmake --preset windows-x86
	cmake --build --preset windows-x86 -j $(JOBS)
	ctest --preset windows-x86 -j $(JOBS)
	cmake --preset windows-x64
	cmake --build --preset windows-x64 -j $(JOBS)
	ctest --preset windows-x64 -j $(JOBS)

# Starts the launcher with the reference service; Ctrl-C stops it.
demo: build
	build/bin/Wharfgate 23410

clean:
	rm -rf build

# Benchmarks in a release build: a table of our figures against their floors.
.PHONY: bench
bench: setup
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target Shimwell shimwell-bench shimwell-bench-table \
		Wharfgate Ferrowyn shimwell-bench-service
	tools/bench/run_bench.sh build/release build/bench
