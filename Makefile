# make test   install what is missing, build everything, run every test
# make run    install what is missing, build, start the calculator
#
# build/native is the host build; build/win32 the 32-bit Windows program.
# Its tests run under Wine in build/win32 where this machine can run 32-bit
# x86 processes, otherwise in build/win64, the same code built for 64-bit.

JOBS ?= 2
MAKEFLAGS += --no-print-directory
WIN_TEST_TREE = $(shell scripts/wine-test-tree.sh)
CONFIGURE = cmake -S . --log-level=WARNING --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release

.PHONY: test run deps native win32 win64 wintests clean

test: native wintests
	cd build/native && ctest --output-on-failure -j $(JOBS)
	cd build/$(WIN_TEST_TREE) && ctest --output-on-failure

run: wintests
	scripts/run-calculator.sh

deps:
	@scripts/install-deps.sh

native: deps
	$(CONFIGURE) -B build/native
	cmake --build build/native -j $(JOBS)

win32: deps
	$(CONFIGURE) -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
	cmake --build build/win32 -j $(JOBS)

win64: deps
	$(CONFIGURE) -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	    -DCORVALIN_PRODUCT_EXE=$(CURDIR)/build/win32/bin/CorvalinCalc.exe
	cmake --build build/win64 -j $(JOBS)

wintests: win32
	@[ "$(WIN_TEST_TREE)" = win32 ] || $(MAKE) --no-print-directory win64

clean:
	rm -rf build
