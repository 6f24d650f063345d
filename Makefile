# The two commands of the README: `make run` and `make test`. Both install what is missing.
JOBS ?= $(shell nproc)
RUN_DIR := build/run
TEST_DIR := build/test

.PHONY: run test deps build build-test bench clean

deps:
	@scripts/install-deps

$(RUN_DIR)/build.ninja:
	cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREL_BENCH=OFF

$(TEST_DIR)/build.ninja:
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DOSTREL_SANITIZE=ON -DOSTREL_BENCH=OFF

build: deps $(RUN_DIR)/build.ninja
	cmake --build $(RUN_DIR) -j $(JOBS)

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

clean:
	rm -rf build
