# make run   install what is missing, build, start the program (with the starting data)
# make test  install what is missing, build, run every test headless
# make install PREFIX=~/Septarion   a ready-to-run folder
# make package   the same as a tar.gz, and a Debian package (/usr/lib/septarion)
# make lint  clang-tidy over src/; fails on any finding
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=
PREFIX     ?= $(HOME)/Septarion

.PHONY: all deps configure build run test test-sanitize lint bench sample clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Builds just the program, then starts it.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target septarion septarion_manual
	scripts/run.sh $(BUILD)/src

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSEPTARION_SANITIZE=ON -DSEPTARION_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# clang-tidy with .clang-tidy over src/, using the compile commands of $(BUILD).
lint: configure
	scripts/lint.sh $(BUILD) $(JOBS)

bench: build
	$(BUILD)/bench/septarion_bench

# Writes the generated sample data (for tests and benchmarks) again; committed.
sample: build
	$(BUILD)/tools/make_sample_data sample/download 650

clean:
	rm -rf $(BUILD) $(SAN_BUILD)

.PHONY: install package
# The ready-to-run folder (program, data, manual, icon, desktop entry).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The same folder as build/Septarion-<version>-Linux.tar.gz, and as the Debian
# package build/septarion_<version>_<arch>.deb that installs it in /usr/lib/septarion.
# A UTF-8 locale so that the manual's Japanese file name can be archived.
package: build
	LC_ALL=C.UTF-8 cmake --build $(BUILD) --target package
