# The two commands of the README: `make run` and `make test`. Both install
# what is missing first (scripts/setup).
SHELL := /bin/bash
PRESETS := native win64 win32
JOBS ?= 2

.PHONY: all setup test run build clean $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

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
	done; exit $$status

test-native: build-native
	@echo "== tests: native =="
	@ctest --preset native -j $(JOBS)

# Each Windows run gets a fresh Wine prefix of its own.
test-win64 test-win32: test-%: build-%
	@echo "== tests: $* (Wine) =="
	@./scripts/wine-prefix build/$*/wineprefix
	@WINEPREFIX=$(CURDIR)/build/$*/wineprefix ctest --preset $*; status=$$?; \
	  WINEPREFIX=$(CURDIR)/build/$*/wineprefix wineserver -k 2>/dev/null; exit $$status

run: setup build-win64
	@./scripts/run

clean:
	rm -rf build
