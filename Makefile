# Two commands do everything: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WEB_BUILD  ?= build-web
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: run test bench deps build build-asan web test-asan fuzz format clean

run: build
	cd $(BUILD)/data && ../app/vulcara $(ARGS)

test: build build-asan web
	@./scripts/check-format.sh
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/vulcara_bench

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
