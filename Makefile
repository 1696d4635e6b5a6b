# Skytrace: make run | make test | make bench | make test-sanitize | make fuzz
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)
# make run keeps its own home folder so that it never touches the user's
# settings; it lists the bundled sample element sets in its data manager file.
RUN_HOME := $(CURDIR)/$(BUILD)/home

.PHONY: all deps build run test bench clean test-sanitize fuzz

all: build

deps:
	@bash scripts/deps.sh

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: deps build
	@mkdir -p $(RUN_HOME)/Documents
	@test -f $(RUN_HOME)/Documents/datamgr.txt || \
	  printf '%s\n' "$(CURDIR)/data/sample/sample.tle" > $(RUN_HOME)/Documents/datamgr.txt
	HOME=$(RUN_HOME) XDG_DATA_HOME=$(RUN_HOME)/.local/share $(BUILD)/bin/skytrace

test: deps build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DSKYTRACE_BENCH=ON -DSKYTRACE_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	@for b in $(BUILD)-bench/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

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
