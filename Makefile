# Front door: `make run` and `make test` install what is missing, then build.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test asan-build test-asan check-long bench memory window-figures bench-wac bench-bk bench-3d-mates bench-2d-mates test-tsan fuzz match clean install uninstall deb check-install

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The window program from the build folder, which finds the piece meshes in
# the source tree; without a display it plays on the terminal by itself.
run: build
	@$(BUILD)/tamzor

# Installs the programs, their data, menu entry, icon and manual pages under
# PREFIX (DESTDIR= for a staging root, as packagers use); `make uninstall`
# removes what the last install put in place.
PREFIX ?= /usr/local
install: build
	@cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

uninstall:
	@DESTDIR="$(DESTDIR)" cmake --build $(BUILD) --target uninstall

# The Debian package, built by dpkg-buildpackage from a copy of the tree in
# build-deb/ (the package's tests run there too, those needing a display
# skipped); the .deb lands in build-deb/.
deb:
	@scripts/install-deps deb
	@scripts/build-deb

# The package installed into a throw-away root and its window compared with
# the build's (scripts/check-install).
check-install: build
	@scripts/install-deps install-check
	@BUILD=$(BUILD) scripts/check-install

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The long runs too: deep perft and forty games of the computer against
# itself with the rest of the suite under the sanitizers; the whole mate
# suite in the optimised build, as its searches are meant to run.
check-long: build asan-build
	@TAMZOR_LONG=1 $(BUILD)/tamzor_tests --gtest_brief=1 --gtest_filter='SearchMates.*'
	@rm -rf $(SAN_REPORTS) && mkdir -p $(SAN_REPORTS)
	@cd $(ASAN_BUILD) && TAMZOR_LONG=1 $(SAN_ENV) ctest --output-on-failure -j $(JOBS) -E 'SearchMates.Long'
	@scripts/sanitizer-reports $(SAN_REPORTS)

# Pictures of the window program under Xvfb, for the README.
screenshots: build
	@BUILD=$(BUILD) scripts/screenshots

bench: build
	@$(BUILD)/tamzor_bench

# Resident memory after a 5-second search, terminal tool and window, each game.
memory: build
	@python3 bench/memory.py $(BUILD)

# The window as a player meets it: start-up, frame times, memory before and
# after twenty moves of the computer, each game.
window-figures: build
	@python3 bench/window_figures.py $(BUILD)/tamzor

# The tactical suite at 1 s a position, and the Bratko-Kopec test at 10 s.
bench-wac: build
	@python3 bench/epd_suite.py $(BUILD)/tamzor-cli bench/wac.epd 1

# Matches through the UCI mode (bench/match.py): by default Tamzor against
# Stockfish at UCI_Elo 2000, 10 s + 0.1 s a game, 16 games from 8 openings.
# Its move overhead is raised from 10 ms: on a loaded machine it otherwise
# loses games on time, which says nothing of either engine's play.
# MATCH="..." gives other options, e.g. MATCH="--variant 3d --b 'old/tamzor-cli uci' --movetime 500 --games 100".
MATCH ?= --b /usr/games/stockfish --b-option UCI_LimitStrength=true --b-option UCI_Elo=2000 --b-option 'Move Overhead=100' --tc 10+0.1 --games 16
match: build
	@scripts/install-deps match
	@python3 bench/match.py --cli $(BUILD)/tamzor-cli --a "$(BUILD)/tamzor-cli uci" --pgn $(BUILD)/match.pgn $(MATCH)

# The playing levels measured by matches (bench/calibrate_levels.py): the 2D
# levels against Stockfish at their ratings (those below its lowest, 1350,
# against our measured levels), the 3D levels each against the one below.
# 40 games a match at 10 s + 0.1 s by default; CALIBRATE="..." for other
# options, e.g. CALIBRATE="--variant 2d --levels 800,1400 --games 20 --tc 5+0.05".
.PHONY: calibrate-levels
CALIBRATE ?=
calibrate-levels: build
	@scripts/install-deps match
	@python3 bench/calibrate_levels.py --cli $(BUILD)/tamzor-cli --pgn-dir $(BUILD)/calibration $(CALIBRATE)

# The tactical suite's mates in 2 and 3, timed at the window's defaults.
bench-2d-mates: build
	@python3 bench/mates_2d.py $(BUILD)/tamzor-cli tests/data/wac-mates.epd 5

# The 3D mate problems (mates in 1 to 3 met in self-play) at 1 s a position.
bench-3d-mates: build
	@python3 bench/mates_3d.py $(BUILD)/tamzor-cli tests/data/mates-3d.pgn 1

bench-bk: build
	@python3 bench/epd_suite.py $(BUILD)/tamzor-cli bench/bratko-kopec.epd 10

# The threads (engine, interface, clock) under ThreadSanitizer, the window
# program's among them; any report fails, in a child process too. The
# software GL renders on the calling thread: its own workers are not ours.
TSAN_BUILD ?= build-tsan
TSAN_REPORTS = $(CURDIR)/$(TSAN_BUILD)/sanitizer-reports
test-tsan: deps
	@cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMZOR_BENCH=OFF -DTAMZOR_LTO=OFF \
		-DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS)
	@rm -rf $(TSAN_REPORTS) && mkdir -p $(TSAN_REPORTS)
	@LP_NUM_THREADS=0 TSAN_OPTIONS="halt_on_error=1 exitcode=66 log_path=$(TSAN_REPORTS)/tsan" $(TSAN_BUILD)/tamzor_tests \
		--gtest_filter='EngineThread*:Clock*:WindowE2E*'
	@scripts/sanitizer-reports $(TSAN_REPORTS)

# The whole suite under the address and undefined-behaviour sanitizers
# (clang). Reports go to files as well as failing the process, so one in a
# child whose exit status a test does not look at still fails the run.
ASAN_BUILD ?= build-asan
SAN_REPORTS = $(CURDIR)/$(ASAN_BUILD)/sanitizer-reports
SAN_ENV = ASAN_OPTIONS=log_path=$(SAN_REPORTS)/asan:detect_leaks=1:abort_on_error=0 \
	UBSAN_OPTIONS=log_path=$(SAN_REPORTS)/ubsan:print_stacktrace=1
asan-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMZOR_BENCH=OFF \
		-DTAMZOR_TEST_TIMEOUT=3600 \
		-DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: asan-build
	@rm -rf $(SAN_REPORTS) && mkdir -p $(SAN_REPORTS)
	@cd $(ASAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j $(JOBS)
	@scripts/sanitizer-reports $(SAN_REPORTS)

# Each fuzz target for FUZZ_SECONDS (a minute) under libFuzzer with the
# sanitizers; inputs that fail are kept in $(FUZZ_BUILD)/artifacts. Add them to
# fuzz/regressions/<target> once fixed, so the test suite replays them.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = restore fen moves play uci pgn
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMZOR_FUZZ=ON \
		-DTAMZOR_TESTS=OFF -DTAMZOR_BENCH=OFF \
		-DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(TSAN_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) build-deb
