// Stands in for libFuzzer where a fuzz program is built with the normal compiler: runs its entry
// point once over each file named, and over every file in each folder named, so that the normal
// build keeps the fuzz programs compiling and the test suite keeps their seed corpora passing.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

void Replay(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    std::error_code error;
    if (!fs::is_directory(argv[i], error)) {
      Replay(argv[i]);
      ++replayed;
      continue;
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(argv[i], error)) {
      if (!entry.is_regular_file()) continue;
      Replay(entry.path());
      ++replayed;
    }
  }
  std::printf("%zu inputs replayed\n", replayed);
  // Nothing to replay means the seed writer failed: that must not pass as a clean run.
  return replayed > 0 ? 0 : 1;
}
