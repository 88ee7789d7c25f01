# make        : builds everything into build/
# make run    : installs what is missing (as root), builds and starts the calculator
# make test   : installs what is missing (as root), builds and runs every test
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES = cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
ANALYSE_PACKAGES = cppcheck clang-tidy clang-format

.PHONY: all build run test deps bench clean analyse format-check

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

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  ./$(BUILD)/aubelys; \
	else \
	  echo "Pas d'écran disponible : démonstration en ligne de commande (aubelys-cli)."; \
	  ./$(BUILD)/aubelys-cli Formmain "Options1/Vanne" "zonetxt(0)=2" "zonetxt(1)=2" "zonetxt(2)=0.5" "CALCUL "; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

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
	rm -rf $(BUILD) $(BUILD)-bench
