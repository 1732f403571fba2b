# Glinter: `make run` builds a release build and starts it; `make test` builds with
# AddressSanitizer and UBSan (optimised, as users run it, with assertions) and runs every test. Both install missing Debian packages.
BUILD_DIR      ?= build/release
TEST_BUILD_DIR ?= build/asan
FUZZ_BUILD_DIR ?= build/fuzz
JOBS           ?= $(shell nproc)
FUZZ_SECONDS   ?= 60
CMAKE_COMMON    = -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

.PHONY: all deps build run test fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DGLINTER_BUILD_TESTS=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS) --target glinter

# Until the tray exists, running Glinter means checking every service once.
run: build
	@$(BUILD_DIR)/src/app/glinter --check; status=$$?; \
	    echo "glinter --check exited with $$status (0 ok, 1 degraded, 2 outage, 3 unreadable)"

test: deps
	cmake -S . -B $(TEST_BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g" -DGLINTER_SANITIZE=ON
	cmake --build $(TEST_BUILD_DIR) -j $(JOBS)
	cd $(TEST_BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Builds the libFuzzer targets (in $(FUZZ_BUILD_DIR)) and runs each for FUZZ_SECONDS.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug -DGLINTER_FUZZ=ON \
		-DGLINTER_BUILD_TESTS=OFF -DGLINTER_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS) --target glinter_fuzzers
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run.sh $(FUZZ_BUILD_DIR)

clean:
	rm -rf build

BENCH_BUILD_DIR ?= build/bench
BENCH_ARGS      ?=

.PHONY: bench bench-metrics
bench-metrics: deps
	cmake -S . -B $(BENCH_BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH_BUILD_DIR) -j $(JOBS) --target metricsscrape
	$(BENCH_BUILD_DIR)/bench/metricsscrape $(BENCH_ARGS)

bench: deps
	cmake -S . -B $(BENCH_BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH_BUILD_DIR) -j $(JOBS) --target refresh historywrites
	$(BENCH_BUILD_DIR)/bench/refresh $(BENCH_ARGS)
	$(BENCH_BUILD_DIR)/bench/historywrites
