# Zelmora — top-level commands. `make run` and `make test` set up a fresh
# Debian 12 machine (packages, configure, build) before they do their job.

MAKEFLAGS  += --no-print-directory
BUILD      ?= build
FUZZBUILD  ?= build/fuzz
JOBS       ?= 2
# Seconds each fuzz target runs inside `make test` (nine targets: all together
# stay within three minutes); `make fuzz-long` runs them for FUZZ_LONG each.
FUZZ_SECONDS ?= 18
FUZZ_LONG    ?= 600

.PHONY: all run test deps configure build unit fuzz fuzz-build fuzz-long bench clean

all: build

deps:
	@scripts/deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run.sh $(BUILD)

unit: build
	@cd $(BUILD) && ctest --no-tests=error --output-on-failure -j$(JOBS) --timeout 300

test: unit fuzz

fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZBUILD) -DZELMORA_FUZZ=ON \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZBUILD) -j$(JOBS) --target fuzzers

fuzz: fuzz-build
	@scripts/fuzz.sh $(FUZZBUILD) $(FUZZ_SECONDS)

fuzz-long: fuzz-build
	@scripts/fuzz.sh $(FUZZBUILD) $(FUZZ_LONG)

bench: build
	@scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
