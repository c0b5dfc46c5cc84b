# The two everyday commands: `make run` and `make test`. See README.md.
JOBS      ?= $(shell nproc)
TEST_DIR  ?= build/test
REL_DIR   ?= build/release
FUZZ_DIR  ?= build/fuzz
FUZZ_SECONDS ?= 60
FUZZ_PARALLEL ?= 4
LIBRARY   ?= $(REL_DIR)/library
CORPUS    ?= samples/acts
REAL_CORPUS ?= ../shared/corpus/dzu
CMAKE_GEN := -G Ninja

# ccache hits across clones in other folders (CI builds in a fresh clone).
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: setup test run release library library-real bench fuzz fuzz-run clean

setup:
	@bash scripts/setup.sh

# Test build: AddressSanitizer and UndefinedBehaviorSanitizer, every test through CTest.
test: setup
	@cmake -S . -B $(TEST_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DLUMO_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)
	@cd $(TEST_DIR) && ctest -j $(JOBS) --output-on-failure --timeout 600

release: setup
	@cmake -S . -B $(REL_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DLUMO_TESTS=OFF >/dev/null
	@cmake --build $(REL_DIR) -j $(JOBS)

# The sample library from the project's own acts; `make library-real` from the shared corpus.
library: release
	@bash scripts/build-library.sh $(REL_DIR) $(CORPUS) $(LIBRARY)

library-real: release
	@bash scripts/build-library.sh $(REL_DIR) $(REAL_CORPUS) $(REL_DIR)/library-real

run: library
	@bash scripts/run-reader.sh $(REL_DIR) $(LIBRARY)

bench: setup
	@cmake -S . -B $(REL_DIR)-bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DLUMO_TESTS=OFF \
	  -DLUMO_BENCH=ON >/dev/null
	@cmake --build $(REL_DIR)-bench -j $(JOBS)
	@bash scripts/run-benchmarks.sh $(REL_DIR)-bench

# libFuzzer programs (clang); run one with e.g. build/fuzz/fuzz/base/fuzz_ini fuzz/base/seeds/ini
fuzz: setup
	@cmake -S . -B $(FUZZ_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMO_FUZZ=ON \
	  -DLUMO_TESTS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)

# The campaign: every fuzz target in turn, FUZZ_PARALLEL at a time, FUZZ_SECONDS each (FUZZ_TARGETS
# names a few); a table at the end, findings with a reproducing script under $(FUZZ_DIR)/fuzz-run.
fuzz-run: fuzz
	@bash scripts/fuzz-run.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_PARALLEL)

clean:
	rm -rf build
