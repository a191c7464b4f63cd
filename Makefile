# The two commands of the README: `make run` and `make test`. Each installs,
# configures and builds first, so either alone works on a fresh machine.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc)

.PHONY: all deps configure build run test bench fuzz package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run $(BUILD)/Vantrel

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	@scripts/run-benchmarks $(BUILD)

# The Debian package, written to $(BUILD)/.
package: build
	@cd $(BUILD) && cpack -G DEB

fuzz: deps
	@scripts/run-fuzzers build-fuzz 20

clean:
	rm -rf $(BUILD) build-asan build-fuzz
