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

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/ninescenes-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# The README's picture of the show: a frame from the middle of each scene.
contact-sheet: build
	$(BUILD)/ninescenes-capture --contact-sheet docs/contact-sheet.png
