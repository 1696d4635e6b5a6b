# Skytrace: make run | make test | make bench
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test bench clean

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

clean:
	rm -rf $(BUILD) $(BUILD)-bench
