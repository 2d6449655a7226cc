# The front door: everything a developer or CI runs goes through here.
#   make test   install what is missing, build both presets, run every test
#   make play   install, build, create the settings key, start the game
#   make bench  print the speed figures side by side, also into build/bench-report.txt
#   make dist   build the Windows installer and zip, and the Debian package, into build/dist
#   make fuzz   fuzz the game rules for longer than the tests do

ARGS ?=

.PHONY: all deps build native win32 test test-native test-win32 play bench fuzz dist clean

all: build

deps:
	@tools/install-deps.sh

build: native win32

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

test: test-native test-win32

test-native: native
	ctest --preset native

test-win32: win32
	ctest --preset win32

# The acceptance scenarios alone (make test runs them too): the real game
# played under Wine with the pointer and keys; each leaves screenshots in
# build/win32/tests/e2e/scenarios/.
.PHONY: scenarios
scenarios: win32
	ctest --preset win32 -L scenario

play: win32
	tools/play.sh $(ARGS)

bench: deps
	cmake --preset native >/dev/null
	cmake --build --preset native --target engine_bench
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 --target glomb ui_bench startup_bench
	tools/bench-report.sh build/native build/win32 build/bench-report.txt

# The installer, a zip for manual installation, the Debian package and
# their sums, built from the game alone; the same commit gives the same
# bytes on any Debian 12.
dist: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 --target glomb
	tools/make-dist.sh build/win32 build/dist

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
install: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 --target glomb
	PREFIX='$(PREFIX)' DESTDIR='$(DESTDIR)' tools/linux/install.sh install build/win32/ui/glomb.exe

uninstall:
	PREFIX='$(PREFIX)' DESTDIR='$(DESTDIR)' tools/linux/install.sh uninstall
