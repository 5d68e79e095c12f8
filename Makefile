# Two commands do everything: `make run` and `make test`; `make check` is the everyday loop.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WEB_BUILD  ?= build-web
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: run check test bench deps build build-asan web fuzz format clean package

run: build
	cd $(BUILD)/data && ../app/vulcara $(ARGS)

# The native program and its tests alone: no sanitizer build, no browser.
check: build
	@./scripts/check-format.sh
	@./scripts/check-structure.py
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --label-exclude browser

# The whole gate, as CI runs it. The native build is configured again once the page exists, so
# that its browser test is registered, and the run fails if it is not.
test: build build-asan web
	@./scripts/check-format.sh
	@./scripts/check-structure.py
	@cmake $(BUILD) >/dev/null
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --label-exclude browser
	cd $(BUILD) && ctest --output-on-failure --label-regex browser --no-tests=error
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/vulcara_bench

# The Debian package of the program and its generated data: $(BUILD)/vulcara_VERSION_ARCH.deb.
package: build
	@cd $(BUILD) && cpack

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVULCARA_WEB_DIR=$(abspath $(WEB_BUILD)) \
		$(CMAKE_ARGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVULCARA_SANITIZE=ON -DVULCARA_BENCH=OFF $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

# The page for web browsers in $(WEB_BUILD): vulcara.html with its .js, .wasm and .data. The
# libraries are built once from Debian's source packages; the art comes from the native build.
web: build
	@./scripts/install-deps.sh --web
	@JOBS=$(JOBS) ./scripts/build-web-deps.sh $(WEB_BUILD)
	@emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release \
		-DVULCARA_ASSETGEN=$(abspath $(BUILD))/tools/assetgen/assetgen >/dev/null
	@cmake --build $(WEB_BUILD) -j $(JOBS) --target vulcara

# The libFuzzer programs of the image decoders, the MD3 reader, the font loader and the WAV reader
# (clang, ASan, UBSan) and their starting corpora in $(FUZZ_BUILD)/corpus/FORMAT. Run one with,
# for example:
#   $(FUZZ_BUILD)/gfx/fuzz/fuzz_bmp -max_total_time=300 $(FUZZ_BUILD)/corpus/bmp
#   $(FUZZ_BUILD)/world/fuzz/fuzz_md3 -max_total_time=300 $(FUZZ_BUILD)/corpus/md3
#   $(FUZZ_BUILD)/console/fuzz/fuzz_font -max_total_time=300 $(FUZZ_BUILD)/corpus/font
#   $(FUZZ_BUILD)/services/fuzz/fuzz_wav -max_total_time=300 $(FUZZ_BUILD)/corpus/wav
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DVULCARA_SANITIZE=ON -DVULCARA_FUZZ=ON -DVULCARA_BENCH=OFF $(CMAKE_ARGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) --target gfx_fuzzers world_fuzzers console_fuzzers services_fuzzers \
		-j $(JOBS)
	@$(FUZZ_BUILD)/gfx/fuzz/fuzz_seed_writer $(FUZZ_BUILD)/corpus
	@$(FUZZ_BUILD)/world/fuzz/md3_seed_writer $(FUZZ_BUILD)/corpus/md3
	@$(FUZZ_BUILD)/console/fuzz/font_seed_writer $(FUZZ_BUILD)/data $(FUZZ_BUILD)/corpus
	@$(FUZZ_BUILD)/services/fuzz/wav_seed_writer $(FUZZ_BUILD)/corpus/wav

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WEB_BUILD)
