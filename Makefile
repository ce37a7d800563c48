# The two commands of the README: `make demo` and `make test`.
# Each installs what is missing, configures, builds and runs.
JOBS ?= $(shell nproc)
DEMO_DIR ?= demo

.PHONY: all deps build build-asan demo test test-dev test-asan format format-check bench fuzz clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev -j $(JOBS)

build-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)

demo: build
	@build/dev/host/vornreports demo $(DEMO_DIR)

test-dev: build
	@ctest --preset dev -j $(JOBS)

# The preset carries the leak suppressions, so a run by hand gets them too.
test-asan: build-asan
	@ctest --preset asan -j $(JOBS)

test: format-check test-dev test-asan

format:
	@git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format -i

format-check: deps
	@git ls-files '*.cpp' '*.h' '*.c' | xargs -r clang-format --dry-run --Werror

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@scripts/run-bench build/release

# libFuzzer (clang) over the parsers that take text from a host, each target
# for FUZZ_SECONDS in turn; findings land in build/fuzz/findings.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= sql_dialect variant_text design_loader connect_string field_list
fuzz:
	@scripts/install-deps fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@scripts/run-fuzz build/fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	@rm -rf build
