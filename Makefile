# make        : builds everything into build/
# make run    : installs what is missing (as root), builds and starts the calculator
# make test   : installs what is missing (as root), builds and runs every test
# make paquet : builds the Debian package aubelys_<version>_<arch>.deb here
# make install: installs into PREFIX (default /usr/local); DESTDIR is honoured
# make web    : the command line and the toolkit-free test programs in WebAssembly (emscripten),
#               run under node, and the browser view (build-web/site/), in build-web/
# make verifie: the same tests on a build checked for memory faults and undefined behaviour,
#               then make analyse on that build
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES = cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth python3 qt6-charts-dev qt6-svg-dev fonts-dejavu-core poppler-utils \
  libfast-float-dev libfmt-dev libhowardhinnant-date-dev nlohmann-json3-dev
ANALYSE_PACKAGES = cppcheck clang-tidy clang-format

.PHONY: all build run test verifie deps bench clean analyse format-check web

all: build

deps:
	@missing=""; for p in $(PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = "0" ]; then \
	    echo "Installation de :$$missing"; \
	    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	  else \
	    echo "Paquets manquants ; lancez en root :"; echo "  apt-get install -y$$missing"; exit 1; \
	  fi; \
	fi

# WERROR=ON (as CI builds): any compiler warning stops the build of a new build folder.
WERROR ?= OFF
$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAUBELYS_WERROR=$(WERROR)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  ./$(BUILD)/aubelys; \
	else \
	  echo "Pas d'écran disponible : démonstration en ligne de commande (aubelys-cli)."; \
	  ./$(BUILD)/aubelys-cli Formmain "Options1/Vanne" "zonetxt(0)=2" "zonetxt(1)=2" "zonetxt(2)=0.5" "CALCUL "; \
	fi

test: build web
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	cd $(WEB_BUILD) && ctest --output-on-failure -j$(JOBS)

# The WebAssembly build: Debian's emscripten, its JavaScript optimiser's node modules, node
# to run the programs (NODE_PATH: where Debian puts the node modules, for a node of another
# origin). Warnings of emscripten's clang are shown, not made errors: the native build holds
# the code to warnings-as-errors, and a newer clang's new warning must not stop the tests.
WEB_BUILD ?= build-web
# The browser view (web/) needs npm (Debian's package when no npm is on the PATH: a node of
# another origin brings its own) and its tests Debian's chromium.
WEB_PACKAGES = emscripten node-acorn nodejs chromium
web:
	@$(MAKE) --no-print-directory deps PACKAGES="$(WEB_PACKAGES)"
	@command -v npm >/dev/null || $(MAKE) --no-print-directory deps PACKAGES="npm"
	@[ -f $(WEB_BUILD)/CMakeCache.txt ] || emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) -j$(JOBS)

# The Debian package and the checks of the installed files (icons drawn from the SVG).
PACKAGES += dpkg-dev file lintian desktop-file-utils appstream librsvg2-bin
.PHONY: paquet install
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

paquet: build
	rm -rf $(BUILD)/paquet
	cpack -G DEB --config $(BUILD)/CPackConfig.cmake -B $(BUILD)/paquet
	mv $(BUILD)/paquet/aubelys_*.deb .
	@ls aubelys_*.deb

# Address and undefined-behaviour checks, in their own folder; any finding stops the test
# that made it. Optimised lightly so the build and the run both stay short. Timed tests
# allow AUBELYS_TIME_FACTOR times their usual limit.
SANITIZE = -fsanitize=address,undefined -fsanitize=float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer
VERIFIE_ENV = QT_QPA_PLATFORM=offscreen AUBELYS_TIME_FACTOR=10 \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan-qt.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

verifie: deps
	cmake -S . -B $(BUILD)-verifie -DCMAKE_BUILD_TYPE=Verifie \
	  -DCMAKE_CXX_FLAGS_VERIFIE="-O1 -g $(SANITIZE)" \
	  -DCMAKE_EXE_LINKER_FLAGS_VERIFIE="$(SANITIZE)" -DCMAKE_SHARED_LINKER_FLAGS_VERIFIE="$(SANITIZE)"
	$(VERIFIE_ENV) cmake --build $(BUILD)-verifie -j$(JOBS)
	# A test that passed can still end in "LeakSanitizer has encountered a fatal error" when a Qt
	# thread exits during the leak scan at process exit; such a run is tried once more, and a real
	# finding (reported on every run) still fails.
	cd $(BUILD)-verifie && $(VERIFIE_ENV) ctest --output-on-failure -j$(JOBS) --repeat until-pass:2
	@$(MAKE) --no-print-directory analyse BUILD=$(BUILD)-verifie

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DAUBELYS_BENCH=ON
	cmake --build $(BUILD)-bench -j$(JOBS)
	for b in $(BUILD)-bench/bench_*; do $$b; done

# make analyse : cppcheck and clang-tidy (bug-prone, performance) on src/
analyse: deps $(BUILD)/CMakeCache.txt
	@$(MAKE) --no-print-directory deps PACKAGES="$(ANALYSE_PACKAGES)"
	cmake -S . -B $(BUILD) -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	JOBS=$(JOBS) tools/analyse.sh $(BUILD)

# make format-check : lists the files whose layout differs from .clang-format
format-check:
	@$(MAKE) --no-print-directory deps PACKAGES="clang-format"
	tools/format-check.sh

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-verifie $(WEB_BUILD)
