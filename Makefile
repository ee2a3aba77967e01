# The two commands of the README:
#   make run   builds molframe and runs it on the bundled sample
#   make test  builds everything and runs every test
BUILD     ?= build
ASANBUILD ?= build-asan
SAMPLE    ?= examples/dk-ml7-66
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
RUNDIR     = $(BUILD)/run-sample

MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build run test test-asan bench clean

all: build

deps:
	@bash .ci/deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Runs in a scratch folder under the build tree; examples/ is never written.
run: build
	@rm -rf $(RUNDIR) && mkdir -p $(RUNDIR)
	@cp $(SAMPLE)/at.cif $(SAMPLE)/kesp.dat $(RUNDIR)/
	@cd $(RUNDIR) && ../molframe; status=$$?; \
	  echo "==== at.dat ($(SAMPLE))"; cat at.dat; \
	  echo "==== mc.xyz"; cat mc.xyz; \
	  echo "==== exit status $$status"; exit $$status

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B $(ASANBUILD) -DCMAKE_BUILD_TYPE=Debug -DMOLFRAME_SANITIZE=ON >/dev/null
	@cmake --build $(ASANBUILD) -j $(JOBS)
	@cd $(ASANBUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/*_bench; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf $(BUILD) $(ASANBUILD)
