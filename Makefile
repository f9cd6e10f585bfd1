# Wrappers around the CMake presets. `make test` is what CI runs.
.PHONY: all deps test build bench fuzz fuzz-smoke fuzz-long fuzz-keep soak release run disc screenshot clean format coverage

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30
FUZZ_LONG_SECONDS ?= 3600
FUZZ_TIMEOUT ?= 5
FUZZ_KEEP ?= 10
SOAK_MUTANTS ?= 3000
SOAK_SEED ?=
SOAK_JOBS ?= $(JOBS)

all: build

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

test: build
	ctest --preset dev

release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

# Builds the program and starts it on the desktop; RUN_ARGS adds options, e.g.
# make run RUN_ARGS="--set MaximizeWindow=1".
run: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target lx98 demo_disc
	./build/release/almanac/app/lx98 --disc build/release/demo-disc $(RUN_ARGS)

# Builds the demo disc from content/ into build/release/demo-disc (make run uses it); only
# what is older than its sources is written again.
disc: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target demo_disc

# The README's picture of the main screen, drawn headless on the demo disc.
screenshot: disc
	cmake --build --preset release -j $(JOBS) --target lx98
	./scripts/screenshot.sh build/release/almanac/app/lx98 build/release/demo-disc docs/tela-inicial.png

bench: release
	./scripts/run-benchmarks.sh build/release/bench

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)

# Runs every fuzzer for a short while on its kept corpus; an input slower than
# FUZZ_TIMEOUT seconds fails like a crash.
fuzz-smoke: fuzz
	./scripts/fuzz-smoke.sh build/fuzz/fuzz $(FUZZ_SECONDS) $(FUZZ_TIMEOUT)

# Runs every fuzzer (or those named in FUZZERS) for FUZZ_LONG_SECONDS each, keeping new
# corpus entries and findings under build/fuzz-long/.
fuzz-long: fuzz
	./scripts/fuzz-long.sh build/fuzz/fuzz $(FUZZ_LONG_SECONDS) $(FUZZ_TIMEOUT) build/fuzz-long

# Adds to each kept corpus at most FUZZ_KEEP inputs of the long runs, those that add the
# most coverage.
fuzz-keep: fuzz
	./scripts/fuzz-keep.sh build/fuzz/fuzz $(FUZZ_KEEP) build/fuzz-long

# The almanac of the test build on SOAK_MUTANTS damaged copies of the demo disc, one file
# damaged in each (random seed unless SOAK_SEED is given); prints the outcomes per file
# kind and keeps each crash and hang under build/soak/findings/ (move them to
# tests/corpus/damaged/ with the fix).
soak: build
	nice -n 10 python3 scripts/damage.py run --lx98 build/dev/almanac/app/lx98 \
	  --disc build/dev/demo-disc --work build/soak --mutants $(SOAK_MUTANTS) \
	  --jobs $(SOAK_JOBS) $(if $(SOAK_SEED),--seed $(SOAK_SEED))

# Line coverage of the libraries (tests, benchmarks and fuzzers left out): the summary on
# standard output, the detailed report in build/coverage/html/index.html.
COVERAGE_DIRS = values|btree|storage|platform|framework|media|controls|print|almanac|tools
coverage: deps
	cmake --preset coverage
	cmake --build --preset coverage -j $(JOBS)
	find build/coverage -name '*.gcda' -delete
	ctest --preset coverage
	mkdir -p build/coverage/html
	gcovr --root . --object-directory build/coverage -j $(JOBS) \
	  --exclude-directories 'build/coverage/CMakeFiles' \
	  --filter '($(COVERAGE_DIRS))/' --exclude '(tests|bench|fuzz|build)/' \
	  --html-details build/coverage/html/index.html --print-summary

format:
	git ls-files '*.cc' '*.h' | xargs clang-format -i

clean:
	rm -rf build
