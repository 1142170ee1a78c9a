# The two entry points of README.md. Both set up the machine first, so they work from a fresh clone.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test setup build clean

run: build
	./scripts/run-display.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

build: setup
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS)

setup:
	./scripts/setup.sh

clean:
	rm -rf $(BUILD)
