# The two commands of the README, and helpers around them. Every target installs what it
# needs first, so each works on a fresh Debian 12 machine.
.PHONY: deps test demo build release package bench fuzz tsan format clean

deps:
	scripts/install-deps

build: deps
	cmake --preset dev
	cmake --build --preset dev

test: build
	scripts/run-tests build/dev

release: deps
	cmake --preset release
	cmake --build --preset release

# Release build, install into a temporary prefix, out-of-tree bundle, pkg-config program and
# the Debian packages (scripts/check-install).
package: deps
	cmake --preset package
	cmake --build --preset package
	scripts/check-install build/package

demo: release
	scripts/demo build/release

bench: release
	scripts/run-benchmarks build/release

tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan
	scripts/run-tests build/tsan

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/run-fuzzers build/fuzz

format:
	git ls-files -z '*.h' '*.cpp' | xargs -0 clang-format -i

clean:
	rm -rf build out
