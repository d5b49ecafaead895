# The two commands of the README. Each installs what it needs, configures, builds and runs.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: test demo package screenshots fuzz monkey deps configure build clean

deps:
	@scripts/install-deps.sh

# ccache, where the machine has it, makes a rebuild of unchanged sources (another clone, a
# second build folder) a copy.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# Extra cmake settings, e.g. CMAKE_FLAGS=-DBRELVAN_WERROR=ON (what CI builds with).
CMAKE_FLAGS ?=

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	@scripts/demo.sh $(BUILD)

# The Debian package, written into $(BUILD)/.
package: build
	@cd $(BUILD) && cpack -G DEB

# The README's pictures: the login page and the match table, rendered by shots into docs/.
screenshots: build
	@scripts/screenshots.sh $(BUILD)

# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS (default 60), two at a
# time; fails on any finding and prints its reproducer.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/fuzz.sh $(FUZZ_SECONDS)

# Random input to the real program on a virtual X screen against a faulty demo service for
# MONKEY_SECONDS (default 60); MONKEY_SEED replays a run. Fails on a crash, a sanitizer report,
# a hang or an exit status other than 0, printing the seed and the last 50 events.
MONKEY_SECONDS ?= 60
MONKEY_SEED ?=
monkey: build
	@scripts/monkey.py --seconds $(MONKEY_SECONDS) --build $(BUILD) $(if $(MONKEY_SEED),--seed $(MONKEY_SEED))

clean:
	rm -rf $(BUILD)
