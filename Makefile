# The front door: everything a developer or CI runs goes through here.
#   make test   install what is missing, build, run every test this machine can run
#   make play   install, build, create the settings key, start the game
#   make bench  print the speed figures side by side, also into build/bench-report.txt
#   make dist   build the Windows installer and zip, and the Debian package, into build/dist
#   make fuzz   fuzz the game rules for longer than the tests do
#
# Windows players get the i686 game (preset win32). Where this machine
# runs no 32-bit x86 code, the same source built for x86_64 (preset win64)
# is tested and played under wine64 instead; tools/windows-arch.sh tells
# which, and GLOMB_ARCH=win32|win64 forces the choice.

ARGS ?=
ARCH = $(shell tools/windows-arch.sh)

.PHONY: all deps build native win32 win64 game32 game64 test test-native test-windows \
	test-win32 test-win64 play bench fuzz dist clean

all: build

deps:
	@tools/install-deps.sh

build: native win32 win64

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

win32 win64: deps
	cmake --preset $@ >/dev/null
	cmake --build --preset $@

# The game alone, for the release and for the other kind's static checks.
game32 game64: deps
	cmake --preset win$(subst game,,$@) >/dev/null
	cmake --build --preset win$(subst game,,$@) --target glomb

test: test-native test-windows

test-native: native
	ctest --preset native

test-windows: deps
	@tools/windows-arch.sh --why
	@$(MAKE) --no-print-directory test-$(ARCH)

# The shipped game and everything about it, and the Linux package, which
# carries the x86_64 game.
test-win32: win32 game64
	ctest --preset win32
	@tools/skip-reasons.sh build/win32
	ctest --preset win64 -L linux

# Everything under wine64, then the i686 release's static checks: its
# tests that need 32-bit code, whose programs this run does not build,
# are reported as skipped, with the reason, also where 32-bit code runs.
test-win64: win64 game32
	ctest --preset win64
	@tools/skip-reasons.sh build/win64
	GLOMB_ARCH=win64 ctest --preset win32
	@tools/skip-reasons.sh build/win32

# The acceptance scenarios alone (make test runs them too): the real game
# played under Wine with the pointer and keys; each leaves screenshots in
# build/win32/tests/e2e/scenarios/ (win64 where no 32-bit code runs).
.PHONY: scenarios
scenarios: deps
	@$(MAKE) --no-print-directory $(ARCH)
	ctest --preset $(ARCH) -L scenario

play: deps
	@$(MAKE) --no-print-directory game$(subst win,,$(ARCH))
	tools/play.sh $(ARGS)

# The Linux starts come last, from the x86_64 game that the package carries.
bench: deps game32 game64
	cmake --preset native >/dev/null
	cmake --build --preset native --target engine_bench
	cmake --preset $(ARCH) >/dev/null
	cmake --build --preset $(ARCH) --target glomb ui_bench startup_bench
	cmake --build --preset win64 --target empty_window
	tools/bench-report.sh build/native build/$(ARCH) build/win32/ui/glomb.exe build/bench-report.txt
	tools/linux/start-bench.sh build/win64/ui/glomb.exe build/win64/tests/linux/empty_window.exe \
		build/bench-report.txt

# The installer, a zip for manual installation, the Debian package and
# their sums, built from the game alone; the same commit gives the same
# bytes on any Debian 12.
dist: game32 game64
	tools/make-dist.sh build/win32 build/win64 build/dist

# FUZZ_SECONDS=600 make fuzz for a longer run than the one in make test.
FUZZ_SECONDS ?= 300
fuzz: deps
	tools/fuzz-engine.sh build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build

# Linux: the game in the player's application menu, with a `glomb`
# command. Per user by default; PREFIX=/usr/local (with sudo) for every
# user of the machine; DESTDIR for packagers. Uninstalling takes the same
# PREFIX and keeps the players' high scores.
PREFIX ?= $(HOME)/.local
DESTDIR ?=
.PHONY: install uninstall
install: game64
	PREFIX='$(PREFIX)' DESTDIR='$(DESTDIR)' tools/linux/install.sh install build/win64/ui/glomb.exe

uninstall:
	PREFIX='$(PREFIX)' DESTDIR='$(DESTDIR)' tools/linux/install.sh uninstall
