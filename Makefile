# The two commands: `make run` plays the show, `make test` runs every test.
# Both install what is missing, build, and generate data/ when it is absent.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: build run test bench contact-sheet

build:
	scripts/install-deps
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/ninescenes

# Every test: the suites, then the same suites and a soak of the program under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the fuzzers for a bounded number of inputs.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	scripts/sanitize
	scripts/fuzz

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
