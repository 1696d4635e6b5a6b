# Skytrace: make run | make test | make bench | make test-sanitize | make fuzz
#           make install | make uninstall | make package
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test bench clean test-sanitize fuzz install uninstall package

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

# Installs under PREFIX (bin/, share/skytrace/, the menu entry, icons, manual
# pages, share/doc/skytrace/), below DESTDIR when given (for packagers).
# `make uninstall` (with the same DESTDIR) removes what the last `make install`
# from $(BUILD) installed. Its list is a copy of CMake's install manifest,
# which `make package` overwrites with the files of the package.
PREFIX ?= /usr/local
INSTALLED = $(BUILD)/installed_files.txt
install: deps build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip
	cp $(BUILD)/install_manifest.txt $(INSTALLED)

uninstall:
	DESTDIR="$(DESTDIR)" cmake -DMANIFEST=$(INSTALLED) -P scripts/uninstall.cmake

# The Debian package skytrace_<version>_<arch>.deb in $(BUILD)/, under /usr.
package: deps build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-asan $(BUILD)-fuzz
