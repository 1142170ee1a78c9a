# The two entry points of README.md. Both set up the machine first, so they work from a fresh clone.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test package setup build clean

run: build
	./scripts/run-display.sh $(BUILD)

test: build
	./scripts/test.sh $(BUILD) $(JOBS)

# The Debian package, $(BUILD)/orvane-display_<version>_<arch>.deb (README "Installing on a panel PC").
package: build
	cmake --build $(BUILD) --target package

build: setup
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS)

setup:
	./scripts/setup.sh

clean:
	rm -rf $(BUILD)
