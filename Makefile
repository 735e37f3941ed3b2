# The two commands: `make run` plays the show, `make test` runs the quick tests; `make check` runs
# every test. Each installs what is missing, builds, and generates data/ when it is absent.
BUILD ?= build
JOBS ?= $(shell nproc)
CTEST = cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

.PHONY: build run test check bench contact-sheet

build:
	scripts/install-deps
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/ninescenes

# What catches a broken frame, key or start-up: the unit and offscreen suites and the quick cases of
# the real program under Xvfb, about a minute.
test: build
	$(CTEST) -L quick

# Everything: the quick tests, then the slow ones (the music, the capture tool's videos, the data
# generator, the real program on spoilt data and its soak), then the same suites and the soak under
# the sanitizers, then the fuzzers.
check: test
	$(CTEST) -L slow
	$(CTEST) -L sanitize
	$(CTEST) -L fuzz

# The benchmarks also measure the metaball mesh against VTK's, which only they install. Each runs in
# fifteen short repetitions shuffled over the whole run, so that the medians, and the ratios printed
# at the end, compare times taken side by side whatever else the machine is doing meanwhile.
bench:
	scripts/install-deps --bench
	$(MAKE) build
	$(BUILD)/bench/ninescenes-bench --benchmark_repetitions=15 --benchmark_min_time=0.1 \
	  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true

# The README's picture of the show: a frame from the middle of each scene.
contact-sheet: build
	$(BUILD)/ninescenes-capture --contact-sheet docs/contact-sheet.png
