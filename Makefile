# Skytrace: make run | make test | make bench
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)
# make run keeps its own home folder so that it never touches the user's
# settings; it lists the bundled sample element sets in its data manager file.
RUN_HOME := $(CURDIR)/$(BUILD)/home

.PHONY: all deps build run test bench clean

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
	BENCH_BUILD=$(BUILD)-bench OUT_JSON=$(BUILD)/bench.json bash scripts/bench.sh

clean:
	rm -rf $(BUILD) $(BUILD)-bench
