# The two commands of the README: `make run` and `make test`. Everything lands in build/.
SHELL := /bin/bash
BUILD := build

.PHONY: all build native win win64 test check run bench soak clean

all: build

# Configures a build directory once; later builds only rebuild.
define configure
	@test -f $(1)/build.ninja || cmake -S . -B $(1) -G Ninja $(2)
endef

native:
	$(call configure,$(BUILD)/native,-DCMAKE_BUILD_TYPE=Debug)
	cmake --build $(BUILD)/native

win:
	$(call configure,$(BUILD)/win,-DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DHORLOMA_WIN_ARCH=i686)
	cmake --build $(BUILD)/win

win64:
	$(call configure,$(BUILD)/win64,-DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DHORLOMA_WIN_ARCH=x86_64)
	cmake --build $(BUILD)/win64

# The Windows build that Wine can run on this machine (see tests/wine/wine-width.sh).
WINE_WIDTH = $(shell tests/wine/wine-width.sh)
WINE_BUILD = $(if $(filter i686,$(WINE_WIDTH)),win,win64)

build: native win
	@if [ "$(WINE_BUILD)" = win64 ]; then $(MAKE) --no-print-directory win64; fi

test:
	tools/install-deps.sh
	$(MAKE) --no-print-directory check

check: build
	ctest --test-dir $(BUILD)/native --output-on-failure
	ctest --test-dir $(BUILD)/win -L static --output-on-failure
	@echo "Windows tests under Wine ($(WINE_WIDTH)) from $(BUILD)/$(WINE_BUILD)"
	HORLOMA_FONT=$(BUILD)/$(WINE_BUILD)/fonts/Dodaz.ttf \
	  tests/wine/wine-session.sh $(BUILD)/wine-test/prefix $(WINE_WIDTH) \
	  ctest --test-dir $(BUILD)/$(WINE_BUILD) -LE static --output-on-failure

run: build
	tools/run-saver.sh $(BUILD)/$(WINE_BUILD) $(WINE_WIDTH) $(MODE)

# Frame costs and the running saver's CPU share, measured side by side under Wine.
BENCH_SECONDS ?= 60
bench: build
	cmake --build $(BUILD)/$(WINE_BUILD) --target frame_bench
	mkdir -p "$(BUILD)/$(WINE_BUILD)/bench-install/Wall paper"
	python3 tools/make_wallpaper.py "$(BUILD)/$(WINE_BUILD)/bench-install/Wall paper/06.bmp"
	HORLOMA_FONT=$(BUILD)/$(WINE_BUILD)/fonts/Dodaz.ttf \
	  tests/wine/wine-session.sh $(BUILD)/wine-bench/prefix $(WINE_WIDTH) bash -c '\
	    "$$WINELOADER" $(BUILD)/$(WINE_BUILD)/frame_bench.exe && \
	    tests/bench/running-saver-cpu.sh $(BUILD)/$(WINE_BUILD)/horloma.scr \
	      $(BUILD)/$(WINE_BUILD)/bench-install $(BENCH_SECONDS)'

# A long run of the saver window and the settings dialog in one process, under its own
# Wine session, failing if any count of what the process holds grew; the figures land in
# build/soak/figures.txt. Wine waits about 2 s for a window manager on every close of a
# top-level window unless its windows are unmanaged: SOAK_MANAGED=Y shows that cost.
SOAK_FRAMES ?= 3600
SOAK_DIALOGS ?= 1000
SOAK_MANAGED ?= N
SOAK_INSTALL = $(BUILD)/soak/install
soak: build
	cmake --build $(BUILD)/$(WINE_BUILD) --target soak
	mkdir -p "$(SOAK_INSTALL)/Wall paper"
	python3 tools/make_wallpaper.py "$(SOAK_INSTALL)/Wall paper/06.bmp"
	cp "$(SOAK_INSTALL)/Wall paper/06.bmp" "$(SOAK_INSTALL)/Wall paper/02.bmp"
	cp "$(SOAK_INSTALL)/Wall paper/06.bmp" "$(SOAK_INSTALL)/Wall paper/10.bmp"
	HORLOMA_FONT=$(BUILD)/$(WINE_BUILD)/fonts/Dodaz.ttf \
	  tests/wine/wine-session.sh $(BUILD)/wine-soak/prefix $(WINE_WIDTH) bash -c '\
	    "$$WINELOADER" reg add "HKCU\Software\Wine\X11 Driver" /v Managed /t REG_SZ \
	      /d $(SOAK_MANAGED) /f >/dev/null 2>&1 && \
	    "$$WINELOADER" $(BUILD)/$(WINE_BUILD)/soak.exe $(SOAK_FRAMES) $(SOAK_DIALOGS) \
	      $(SOAK_INSTALL) $(BUILD)/soak/figures.txt'

clean:
	rm -rf $(BUILD)
