# Skytrace: make run | make test | make bench | make test-sanitize | make fuzz
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test bench clean test-sanitize fuzz

all: build

deps:
	@bash scripts/deps.sh

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# The user's own data manager file when there is one, else demo data in a
# home folder under the build folder (scripts/run.sh says which).
run: deps build
	@bash scripts/run.sh $(BUILD)

test: deps build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DSKYTRACE_BENCH=ON -DSKYTRACE_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	BENCH_BUILD=$(BUILD)-bench OUT_JSON=$(BUILD)/bench.json bash scripts/bench.sh

# The whole test suite built with clang's AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails its test. Leaks inside SDL's
# video drivers are suppressed (tests/lsan.supp), nothing else.
SAN_ENV := ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

test-sanitize: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug -DSKYTRACE_SANITIZE=ON
	$(SAN_ENV) cmake --build $(BUILD)-asan -j $(JOBS)
	cd $(BUILD)-asan && $(SAN_ENV) ctest --output-on-failure -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS seconds, one after another.
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSKYTRACE_FUZZ=ON -DSKYTRACE_TESTS=OFF
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzz_targets
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash scripts/fuzz.sh $(BUILD)-fuzz

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-asan $(BUILD)-fuzz
