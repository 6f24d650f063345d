# The two commands of the README: `make run` and `make test`. Both install what is missing.
JOBS ?= $(shell nproc)
RUN_DIR := build/run
TEST_DIR := build/test
FUZZ_DIR := build/fuzz

.PHONY: run test deps build build-test bench fuzz kit-sheet clean

deps:
	@scripts/install-deps

# The program alone: no tests, no benchmarks, and warnings never stop the build.
$(RUN_DIR)/build.ninja:
	cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREL_BENCH=OFF -DOSTREL_TESTS=OFF

# What CI builds: any warning is an error here.
$(TEST_DIR)/build.ninja:
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DOSTREL_SANITIZE=ON -DOSTREL_BENCH=OFF -DOSTREL_WERROR=ON

build: deps $(RUN_DIR)/build.ninja
	cmake --build $(RUN_DIR) -j $(JOBS) --target ostrel

run: build
	$(RUN_DIR)/app/ostrel

build-test: deps $(TEST_DIR)/build.ninja
	cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test
	scripts/run-tests $(TEST_DIR) $(JOBS)

bench: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	scripts/run-benchmarks build/bench

# Runs every fuzz target for FUZZ_SECONDS (default 60) each, with clang's libFuzzer; FUZZ_TARGET
# names one to run alone. Clang 19, since Debian 12's default clang lacks C++20 parts we use.
FUZZ_SECONDS ?= 60
FUZZ_TARGET ?=
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang-19 -DCMAKE_CXX_COMPILER=clang++-19 \
	  -DOSTREL_FUZZ=ON -DOSTREL_TESTS=OFF -DOSTREL_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target ostrel_fuzzers
	scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGET)

# A contact sheet of every drawing-kit member: build/run/kit-sheet.png.
kit-sheet: build
	cmake --build $(RUN_DIR) --target kit-sheet

clean:
	rm -rf build
