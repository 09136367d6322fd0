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

FUZZ_SECONDS ?= 60

MONKEY_ACTIONS ?= 30000

.PHONY: test run deps native win32 win64 wintests sanitize fuzz monkey bench dist install-linux \
	uninstall-linux clean

test: native sanitize wintests
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

# The portable code and its tests under AddressSanitizer and UBSan.
sanitize: deps
	$(CONFIGURE) -B build/sanitize -DCORVALIN_SANITIZE=ON
	cmake --build build/sanitize -j $(JOBS)
	cd build/sanitize && ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS, from the seeds in fuzz/corpus; what the
# fuzzer learns stays in build/fuzz/corpus, crashes in build/fuzz.
fuzz: deps
	CC=clang CXX=clang++ $(CONFIGURE) -B build/fuzz -DCORVALIN_FUZZ=ON -DCORVALIN_TESTS=OFF \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build/fuzz -j $(JOBS)
	@for target in parse_number format_number calculate_wrap; do \
	    mkdir -p build/fuzz/corpus/$$target; \
	    echo "Fuzzing $$target for $(FUZZ_SECONDS) s"; \
	    (cd build/fuzz && bin/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        -artifact_prefix=$$target- corpus/$$target ../../fuzz/corpus/$$target 2>&1 \
	        | grep -E 'number_of_executed_units|ERROR|SUMMARY|FormatNumber gave') || exit 1; \
	done

# The long randomised drive of the real window.
monkey: wintests
	cd build/$(WIN_TEST_TREE) && CORVALIN_MONKEY_ACTIONS=$(MONKEY_ACTIONS) CORVALIN_MONKEY_LEAKS=1 ctest --output-on-failure -V -R monkey \
	    | grep -E 'monkey:|OK|FAILED|Failure|after action|tests passed'

# Micro-benchmarks of the core beside the standard library, then the
# whole-program figures under Wine.
bench: wintests
	$(CONFIGURE) -B build/bench -DCORVALIN_BENCH=ON -DCORVALIN_TESTS=OFF
	cmake --build build/bench -j $(JOBS) --target core_bench
	build/bench/bin/core_bench --benchmark_color=false
	@echo
	bench/program-figures.sh

# The portable zip and the installer, from a clean 32-bit build.
dist: deps
	rm -rf build/win32
	$(MAKE) win32
	scripts/make-dist.sh

# A menu entry that starts the calculator through Wine, and its removal.
install-linux: wintests
	scripts/install-linux.sh

uninstall-linux:
	scripts/install-linux.sh --uninstall

clean:
	rm -rf build
