# make test   install what is missing, build everything, run every test
# make run    install what is missing, build the calculator and start it
#
# build/native is the host build. build/release holds the programs as they
# ship: 32-bit Windows, built without a threading runtime. The Windows tests
# run under Wine from build/win32 where this machine can run 32-bit x86
# processes, otherwise from build/win64, the same code built for 64-bit;
# they read the shipped programs' bytes from build/release. `make run`
# starts the shipped program, or on such machines its 64-bit twin in
# build/release64. Which of the two a run uses is printed first. A tree is
# configured once; its build notices changes. The image libraries of each
# Windows architecture are built once, before its first tree is configured,
# into build/image-libs (scripts/build-image-libs.sh).

JOBS ?= 2
MAKEFLAGS += --no-print-directory
RUN_TREE = $(if $(filter win32,$(WIN_TEST_TREE)),release,release64)
RUN_ARCH = $(if $(filter win32,$(WIN_TEST_TREE)),i686,x86_64)
CONFIGURE = cmake -S . --log-level=WARNING --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release
# configure TREE OPTIONS...: only when the tree has not been configured yet.
configure = [ -f build/$(1)/CMakeCache.txt ] || $(CONFIGURE) -B build/$(1) $(2)
RELEASE_OPTIONS = -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-release.cmake -DCORVALIN_TESTS=OFF
RUN_OPTIONS = $(if $(filter release,$(RUN_TREE)),$(RELEASE_OPTIONS),\
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64-release.cmake -DCORVALIN_TESTS=OFF)
TEST_OPTIONS = -DCORVALIN_RELEASE_BIN=$(CURDIR)/build/release/bin -DCORVALIN_NATIVE_BIN=$(CURDIR)/build/native/bin
# image_libs ARCH: zlib, libjpeg-turbo, libpng and libtiff for that Windows
# architecture, from Debian's sources; at once when they are there.
image_libs = JOBS=$(JOBS) scripts/build-image-libs.sh cmake/mingw-$(1)-release.cmake build/image-libs/$(1)-w64-mingw32

FUZZ_SECONDS ?= 60

MONKEY_ACTIONS ?= 30000

.DEFAULT_GOAL := test
.PHONY: test run program deps native image-libs-i686 image-libs-x86_64 release win32 win64 wintests sanitize fuzz \
	monkey bench dist install-linux uninstall-linux clean

deps:
	@scripts/install-deps.sh

native: deps
	@$(call configure,native)
	cmake --build build/native -j $(JOBS)

# The release and the test tree of one architecture share its libraries:
# they are C, built without a threading runtime, and link with either
# thread model.
image-libs-i686 image-libs-x86_64: image-libs-%: deps
	@$(call image_libs,$*)

release: image-libs-i686
	@$(call configure,release,$(RELEASE_OPTIONS))
	cmake --build build/release -j $(JOBS)

win32: release
	@$(call configure,win32,-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake $(TEST_OPTIONS))
	cmake --build build/win32 -j $(JOBS)

win64: release image-libs-x86_64
	@$(call configure,win64,-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake $(TEST_OPTIONS))
	cmake --build build/win64 -j $(JOBS)

# The portable code and its tests under AddressSanitizer and UBSan.
sanitize: deps
	@$(call configure,sanitize,-DCORVALIN_SANITIZE=ON)
	cmake --build build/sanitize -j $(JOBS)
	cd build/sanitize && ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS, from the seeds in fuzz/corpus (the
# image readers' are made by fuzz/make-image-seeds.sh); what the
# fuzzer learns stays in build/fuzz/corpus, crashes and each target's whole
# output in build/fuzz. A finding fails the target.
fuzz: deps
	CC=clang CXX=clang++ $(CONFIGURE) -B build/fuzz -DCORVALIN_FUZZ=ON -DCORVALIN_TESTS=OFF \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build/fuzz -j $(JOBS)
	@fuzz/make-image-seeds.sh build/fuzz/seeds/image_reader
	@for target in parse_number format_number calculate_wrap image_reader; do \
	    mkdir -p build/fuzz/corpus/$$target; \
	    seeds=../../fuzz/corpus/$$target; \
	    [ -d fuzz/corpus/$$target ] || seeds=seeds/$$target; \
	    echo "Fuzzing $$target for $(FUZZ_SECONDS) s"; \
	    (cd build/fuzz && bin/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        -artifact_prefix=$$target- corpus/$$target $$seeds > $$target.log 2>&1; \
	        status=$$?; grep -E 'number_of_executed_units|ERROR|SUMMARY|FormatNumber gave|FirstDigits with' $$target.log; \
	        exit $$status) || exit 1; \
	done

# The portable zip and the installer, built reproducibly in a tree of
# their own.
dist: deps
	scripts/make-dist.sh

uninstall-linux:
	scripts/install-linux.sh --uninstall

clean:
	rm -rf build

# The tree the Windows tests use depends on the Wine that deps installs, so
# it is asked for once deps has run, and a second make is handed the answer:
# every step of one run, and the scripts it starts (WIN_TEST_TREE is in
# their environment), use that one choice.
ifeq ($(WIN_TEST_TREE),)
test run program wintests monkey bench install-linux: deps
	@tree=$$(scripts/wine-test-tree.sh) && \
	    if [ "$$tree" = win64 ]; then \
	        echo "Windows tree: win64 (this machine runs no 32-bit x86 processes)"; \
	    else \
	        echo "Windows tree: $$tree"; \
	    fi && \
	    $(MAKE) WIN_TEST_TREE=$$tree $@
else
# The sanitized tree builds while the Windows side does (their image
# libraries, their configure steps and their links leave a core free at
# times); each one's output is shown whole when it is done.
test: native
	$(MAKE) -j 2 --output-sync=target sanitize wintests
	cd build/native && ctest --output-on-failure -j $(JOBS)
	cd build/$(WIN_TEST_TREE) && ctest --output-on-failure

run: program
	scripts/run-calculator.sh build/$(RUN_TREE)/bin

# Only the calculator and its help file, in the tree `make run` starts it from.
program: image-libs-$(RUN_ARCH)
	@$(call configure,$(RUN_TREE),$(RUN_OPTIONS))
	cmake --build build/$(RUN_TREE) -j $(JOBS) --target CorvalinCalc help_file

wintests: $(WIN_TEST_TREE)

# The long randomised drive of the real window: its figures and any failure
# shown as they come, and CTest's verdict the target's own.
monkey: wintests
	cd build/$(WIN_TEST_TREE) && \
	    { CORVALIN_MONKEY_ACTIONS=$(MONKEY_ACTIONS) CORVALIN_MONKEY_LEAKS=1 ctest --output-on-failure -V -R monkey; \
	      echo $$? > monkey.status; } | grep --line-buffered -E 'monkey:|OK|FAILED|Failure|after action|tests passed'; \
	    exit $$(cat monkey.status)

# Micro-benchmarks of the core beside the standard library, then the
# whole-program figures under Wine, then the print file by corvalin-calc
# beside libvips and ImageMagick, and the large one under Wine too.
bench: wintests
	$(CONFIGURE) -B build/bench -DCORVALIN_BENCH=ON -DCORVALIN_TESTS=OFF
	cmake --build build/bench -j $(JOBS) --target core_bench corvalin-calc
	build/bench/bin/core_bench --benchmark_color=false
	@echo
	bench/program-figures.sh
	@echo
	bench/print-file-figures.sh

# The calculator and its help, installed to run through Wine from the
# user's menu, and the native command-line calculator as the command
# corvalin-calc.
install-linux: program
	@$(call configure,native)
	cmake --build build/native -j $(JOBS) --target corvalin-calc
	scripts/install-linux.sh build/$(RUN_TREE)/bin build/native/bin/corvalin-calc
endif
