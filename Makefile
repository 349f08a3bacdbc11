# The two set-up commands: `make run` and `make test`.
BUILD_DIR ?= build
PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev \
            libsqlcipher-dev sqlcipher libssl-dev fonts-dejavu-core libbenchmark-dev poppler-utils \
            qt6-translations-l10n ccache libcsv-dev libreoffice-calc-nogui pxlib-dev \
            dpkg-dev lintian desktop-file-utils appstream postgresql-15 libpq-dev \
            libzint-dev zbar-tools
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CMAKE_FLAGS ?= -DSPRZETNIK_WERROR=ON
# Compiles go through ccache when it is there; paths are taken relative to the
# clone, so another clone of the same sources hits the same cache.
CCACHE := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true
endif

.PHONY: all deps configure build program run test package format clean

all: build

# Installs only what is missing, so a machine that has everything pays nothing.
deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

# Only the program, the folders beside it and its manuals; tests and benchmarks wait for `make test`.
program: configure
	cmake --build $(BUILD_DIR) --target sprzetnik program_files dokumentacja

run: program
	@mkdir -p $(BUILD_DIR)/config
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "No display found: set DISPLAY (or run under xvfb-run) to start Sprzetnik."; exit 1; fi
	SPRZETNIK_CONFIG_DIR=$(CURDIR)/$(BUILD_DIR)/config $(BUILD_DIR)/bin/sprzetnik

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j2

# sprzetnik_<version>_amd64.deb in the build folder.
package: configure
	cmake --build $(BUILD_DIR) --target sprzetnik program_files dokumentacja package_files
	cd $(BUILD_DIR) && cpack -G DEB

format: configure
	cmake --build $(BUILD_DIR) --target format

clean:
	rm -rf $(BUILD_DIR)
