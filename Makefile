# The two commands of the README: `make run` and `make test`. Both install
# what is missing first (scripts/setup). `make package` builds the installers.
SHELL := /bin/bash
PRESETS := native win64 win32
JOBS ?= 2
# Seconds per fuzz target: `make fuzz` runs them long, `make test` briefly.
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 10

.PHONY: all setup unit test run build clean fuzz test-fuzz bench lint package test-package $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: build

setup:
	@./scripts/setup

build: $(addprefix build-,$(PRESETS))

$(addprefix build-,$(PRESETS)): build-%: setup
	@cmake --preset $* >/dev/null
	@cmake --build --preset $* -j $(JOBS)

test: setup
	@status=0; for p in $(PRESETS); do \
	  $(MAKE) --no-print-directory test-$$p || status=1; \
	done; \
	$(MAKE) --no-print-directory test-fuzz || status=1; \
	$(MAKE) --no-print-directory test-package || status=1; \
	exit $$status

# The inner loop: the native build and its unit tests in one process, with
# no set-up step (run `make setup` or `make test` once first).
unit:
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)
	@./build/native/tests/orvel_unit_tests --gtest_brief=1

test-native: build-native
	@echo "== tests: native =="
	@ctest --preset native -j $(JOBS)

# Each Windows run gets a fresh Wine prefix of its own, where the test
# preset looks for it (a hand-typed `ctest --preset` makes it when missing).
# Wine 8 runs 32-bit Windows programs only where 32-bit Linux programs run:
# natively, or through qemu-user in a private namespace (scripts/runs-32-bit
# --how); elsewhere the x86 build is only built, and that is said.
test-win64: build-win64
	@echo "== tests: win64 (Wine) =="
	@./scripts/wine-ctest win64

test-win32: build-win32
	@echo "== tests: win32 (Wine) =="
	@how=$$(./scripts/runs-32-bit --how) || { \
	  echo "tests: win32 SKIPPED: $${how#none: }; the x86 build compiled and linked"; exit 0; }; \
	echo "tests: win32: 32-bit programs: $$how"; \
	if [ "$$how" = native ]; then ./scripts/wine-ctest win32; else ./scripts/x86-namespace ./scripts/wine-ctest win32; fi

# Install, upgrade and uninstall of the packages under Wine's msiexec, and
# signing with a throwaway certificate. Where 32-bit programs run only
# through qemu-user, the install tests run in its namespace, x64 cases too,
# as one prefix serves both.
test-package: setup
	@echo "== tests: packages (Wine msiexec, signing) =="
	@status=0; how=$$(./scripts/runs-32-bit --how); echo "packages: 32-bit programs: $$how"; \
	if [ "$$how" = qemu-user ]; then ./scripts/x86-namespace ./tests/package/run || status=1; \
	else ./tests/package/run || status=1; fi; \
	./tests/package/signing || status=1; exit $$status

# build/package/orvel-helper-<version>-<arch>.msi for x64 and x86; signed
# when SIGN_CERT and SIGN_KEY are given (see scripts/package).
package: setup
	@./scripts/package

# libFuzzer targets, built with clang in build/fuzz.
fuzz: setup
	@./scripts/fuzz $(FUZZ_SECONDS)

test-fuzz: setup
	@echo "== fuzz smoke: $(FUZZ_SMOKE_SECONDS) s a target =="
	@./scripts/fuzz $(FUZZ_SMOKE_SECONDS)

# Figures for docs/performance.md, from one run; RUNS sets the repeats.
bench: setup
	@./scripts/bench

# clang-tidy with the checks in .clang-tidy, over what the native build
# compiles: text/, zones/, iemode/, check/, cli/'s portable library, the tests and
# their support, the bench.
lint: build-native
	@echo "== clang-tidy =="
	@run-clang-tidy -p build/native -quiet -j $(JOBS) '$(CURDIR)/(text|zones|iemode|check|cli|tests|bench)/' >build/native/lint.log 2>&1; \
	  status=$$?; grep -E '(warning|error):' build/native/lint.log; \
	  [ $$status -eq 0 ] && echo "lint: clean" || { echo "lint: see build/native/lint.log"; exit 1; }

run: setup build-win64
	@./scripts/run

clean:
	rm -rf build
