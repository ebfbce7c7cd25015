# The two entry points of the README: `make run` builds everything and starts the game,
# `make test` builds and runs the whole suite (plain, then under ASan and UBSan), then runs each
# fuzz target briefly. The sanitizer build uses clang when it is there, so that the same build
# also holds the libFuzzer targets.
JOBS ?= $(shell nproc)
# Compiled objects are cached by ccache under paths relative to the checkout, so that the plain and
# the sanitizer build, and clones in other folders, share them.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_SECONDS ?= 6

.PHONY: deps build run test test-plain test-asan fuzz bench clean

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/game/pincerpanic

test: test-plain test-asan fuzz

test-plain: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

CLANG := $(shell command -v clang++ 2>/dev/null)
ifneq ($(CLANG),)
ASAN_CONFIG = CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -DVORNIC_FUZZ=ON
else
ASAN_CONFIG = cmake -S . -B $(ASAN_BUILD)
endif

test-asan: deps
	@$(ASAN_CONFIG) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
		-DVORNIC_SANITIZE=ON -DVORNIC_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Each libFuzzer target of the sanitizer build runs for a short, bounded time.
fuzz: test-asan
	@scripts/run-fuzzers.sh $(ASAN_BUILD) $(FUZZ_SECONDS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
