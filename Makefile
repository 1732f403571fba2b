# Glinter: `make run` builds a release build and starts it; `make test` builds with
# AddressSanitizer and UBSan (optimised, as users run it, with assertions) and runs every test. Both install missing Debian packages.
BUILD_DIR      ?= build/release
TEST_BUILD_DIR ?= build/asan
FUZZ_BUILD_DIR ?= build/fuzz
LAYERS_BUILD_DIR ?= build/layers
JOBS           ?= $(shell nproc)
FUZZ_SECONDS   ?= 60
# ccache where it is installed: harmless on a first build, and rebuilds read it.
CCACHE         := $(shell command -v ccache 2>/dev/null)
CMAKE_COMMON    = -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
                  $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))
TEST_CONFIGURE  = cmake -S . -B $(TEST_BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
                  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g" -DGLINTER_SANITIZE=ON -DGLINTER_WERROR=ON

.PHONY: all deps build run test lint layers format format-check fuzz package translations screenshots clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS) --target glinter

# Starts the tray application (one per session: a running one is asked to show its panel).
# Without a display it says so and exits with 3; `glinter --headless` and `--check` need none.
run: build
	$(BUILD_DIR)/src/app/glinter

test: deps
	$(TEST_CONFIGURE)
	cmake --build $(TEST_BUILD_DIR) -j $(JOBS)
	cd $(TEST_BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The layer check (scripts/check-layers.py), then clang-tidy's bugprone checks (.clang-tidy)
# on every source file of the program with the compile commands of the test build. Neither
# needs a build: lint configures the test build when it is not, makes only the files moc
# and the D-Bus interface compiler write, and answers before `make test` has compiled.
lint: deps layers
	@test -f $(TEST_BUILD_DIR)/build.ninja || $(TEST_CONFIGURE)
	@cmake --build $(TEST_BUILD_DIR) -j $(JOBS) --target glinter_generated > $(TEST_BUILD_DIR)/generated.log 2>&1 \
		|| { cat $(TEST_BUILD_DIR)/generated.log; exit 1; }
	@echo "lint: clang-tidy on $(words $(shell git ls-files 'src/*.cpp')) source files"
	@run-clang-tidy -p $(TEST_BUILD_DIR) -j $(JOBS) -quiet $(addprefix $(CURDIR)/,$(shell git ls-files 'src/*.cpp')) > $(TEST_BUILD_DIR)/lint.log 2>&1 \
		|| { grep -E "(warning|error):" $(TEST_BUILD_DIR)/lint.log | sort -u; echo "lint: findings above (whole output in $(TEST_BUILD_DIR)/lint.log)"; exit 1; }
	@echo "lint: no findings"

# Every target links what it includes, and the layers of the program point down.
layers: deps
	@scripts/check-layers.py --build-dir $(LAYERS_BUILD_DIR)

# Pictures of the panel, the details and the settings window, light and dark, for the
# README (docs/screenshots/): Glinter on a virtual X server against local sample feeds.
screenshots: build
	scripts/screenshots.sh $(BUILD_DIR)/src/app/glinter

# The house style (.clang-format): format-check fails on any difference, format applies it.
FORMATTED = $(shell git ls-files '*.cpp' '*.h')
format-check: deps
	@clang-format --dry-run -Werror $(FORMATTED) && echo "format-check: $(words $(FORMATTED)) files follow .clang-format"

format: deps
	clang-format -i $(FORMATTED)

# A Debian package of the release build, installed under /usr, in $(PACKAGE_BUILD_DIR).
PACKAGE_BUILD_DIR ?= build/package
package: deps
	cmake -S . -B $(PACKAGE_BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DBUILD_TESTING=OFF
	cmake --build $(PACKAGE_BUILD_DIR) -j $(JOBS)
	cd $(PACKAGE_BUILD_DIR) && cpack -G DEB

# Builds the libFuzzer targets (in $(FUZZ_BUILD_DIR)) and runs each for FUZZ_SECONDS.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug -DGLINTER_FUZZ=ON \
		-DBUILD_TESTING=OFF
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS) --target glinter_fuzzers
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run.sh $(FUZZ_BUILD_DIR)

# The translators' template, translations/glinter.ts, and every language's file: each
# user-visible text of src/ under its class's context, without line numbers, so that they
# change only when a text does. English's own file holds only its plural forms. A text that
# moved to another class keeps its translation (scripts/carry-translations.py); what is left
# unfinished is listed, and the translations test fails until it is translated.
LUPDATE ?= /usr/lib/qt6/bin/lupdate
LANGUAGE_FILES = $(filter-out translations/glinter.ts,$(wildcard translations/glinter_*.ts))
translations: deps
	$(LUPDATE) -silent -locations none -no-obsolete src -ts translations/glinter.ts
	$(LUPDATE) -silent -locations none -pluralonly src -ts translations/glinter_en.ts
	$(LUPDATE) -silent -locations none src -ts $(filter-out %_en.ts,$(LANGUAGE_FILES))
	scripts/carry-translations.py $(LANGUAGE_FILES)
	$(LUPDATE) -silent -locations none -no-obsolete src -ts $(filter-out %_en.ts,$(LANGUAGE_FILES))
	$(LUPDATE) -silent -locations none -no-obsolete -pluralonly src -ts translations/glinter_en.ts

clean:
	rm -rf build

BENCH_BUILD_DIR ?= build/bench
BENCH_ARGS      ?=

.PHONY: bench bench-metrics
bench-metrics: deps
	cmake -S . -B $(BENCH_BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DGLINTER_BUILD_BENCH=ON
	cmake --build $(BENCH_BUILD_DIR) -j $(JOBS) --target glinter-bench-metricsscrape
	$(BENCH_BUILD_DIR)/bench/glinter-bench-metricsscrape $(BENCH_ARGS)

# Refreshes against curl on the same local feeds, answering after 300 ms and then at once:
# wall, CPU and their ratios to curl, in-process and as whole `glinter --check` processes.
bench: deps
	cmake -S . -B $(BENCH_BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DGLINTER_BUILD_BENCH=ON
	cmake --build $(BENCH_BUILD_DIR) -j $(JOBS) --target glinter glinter-bench-refresh glinter-bench-historywrites glinter-bench-probes
	$(BENCH_BUILD_DIR)/bench/glinter-bench-refresh --check $(BENCH_BUILD_DIR)/src/app/glinter --latency 300 $(BENCH_ARGS)
	$(BENCH_BUILD_DIR)/bench/glinter-bench-refresh --check $(BENCH_BUILD_DIR)/src/app/glinter --latency 0 $(BENCH_ARGS)
	$(BENCH_BUILD_DIR)/bench/glinter-bench-historywrites
