# The two commands a new user needs: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
PREFIX ?= /usr/local

.PHONY: all deps configure build run display-check test test-asan bench scenes install clean format

all: build

deps:
	./scripts/install-deps

$(BUILD)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=$(PREFIX)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Without a display the program would run headless, serving only its
# automation endpoint and showing nothing; say so before building.
run: display-check build
	$(BUILD)/kesu-files $(ARGS)

display-check:
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ "$$KESU_HOST" != headless ]; then \
	  echo "make run: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)." >&2; \
	  echo "  Run it from a terminal in a desktop session, over ssh -X, or in a virtual display:" >&2; \
	  echo "    xvfb-run -a make run" >&2; \
	  echo "  KESU_HOST=headless make run runs it without a window, for the automation endpoint." >&2; \
	  exit 1; \
	fi

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --timeout 300

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, in a
# build folder of its own.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFILES_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) --timeout 600

bench: build
	$(BUILD)/bench/frame

# Every screenshot scene at 1280x800 and 800x600, rendered by the program
# with no display into $(BUILD)/scenes/SIZE/SCENE.png.
scenes: build
	$(BUILD)/render-scenes $(BUILD)/kesu-files $(BUILD)/scenes

# PREFIX is read here too, so `make install PREFIX=/usr` installs under /usr
# even when the build folder was configured with another prefix.
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
