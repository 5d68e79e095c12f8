// Writes a starting corpus for each decoder's fuzzer: small valid files of every encoding the
// decoder reads, made by the test suite's writers. Usage: fuzz_seed_writer FOLDER
#include <cstdio>
#include <filesystem>
#include <string>

#include "image_files.h"

namespace {

void Write(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(folder);
  WriteFileBytes((folder / name).string(), bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path root = argv[1];
  const TestPicture small = SamplePicture(5, 3, 2), medium = SamplePicture(9, 7, 16);
  const TestPicture large = SamplePicture(33, 9, 200);
  TestPicture translucent = medium;
  for (size_t i = 0; i < translucent.palette.size(); ++i)
    translucent.palette[i].peFlags = BYTE(i * 15);

  Write(root / "bmp", "1.bmp", BmpFile(small, 1, RowOrder::kBottomUp));
  Write(root / "bmp", "4.bmp", BmpFile(medium, 4, RowOrder::kTopDown));
  Write(root / "bmp", "8.bmp", BmpFile(large, 8, RowOrder::kBottomUp));
  Write(root / "bmp", "24.bmp", BmpFile(medium, 24, RowOrder::kBottomUp));
  Write(root / "bmp", "32.bmp", BmpFile(small, 32, RowOrder::kTopDown));
  Write(root / "bmp", "rle.bmp", BmpRle8File(large));
  const uint32_t masks[4] = {0xF800, 0x07E0, 0x001F, 0};
  Write(root / "bmp", "565.bmp", BmpBitFieldsFile(2, 2, 16, masks, {0xF800, 0x07E0, 0x1F, 0}));

  const TgaKind kinds[] = {TgaKind::kColorMapped, TgaKind::kTrueColor16, TgaKind::kTrueColor24,
                           TgaKind::kTrueColor32, TgaKind::kGrey};
  for (TgaKind kind : kinds) {
    for (bool rle : {false, true}) {
      const std::string name = std::to_string(int(kind)) + (rle ? "-rle" : "") + ".tga";
      Write(root / "tga", name, TgaFile(translucent, kind, rle, rle ? 0x20 : 0));
    }
  }

  Write(root / "dds", "argb.dds", DdsArgbFile(9, 7, translucent.Colors()));
  for (const char* fourCc : {"DXT1", "DXT3", "DXT5"}) {
    std::string blocks;
    for (int i = 0; i < 6 * 16; ++i) blocks += char(i * 37 + 11);
    Write(root / "dds", std::string(fourCc) + ".dds", DdsDxtFile(9, 7, fourCc, blocks));
  }

  Write(root / "png", "rgba.png", PngFile(9, 7, translucent.Colors()));
  Write(root / "png", "wide.png", PngFile(33, 9, large.Colors()));

  for (bool progressive : {false, true}) {
    for (bool grey : {false, true}) {
      const std::string name =
          std::string(progressive ? "progressive" : "baseline") + (grey ? "-grey" : "") + ".jpg";
      Write(root / "jpeg", name, JpegFile(33, 9, large.Colors(), 75, progressive, grey));
    }
  }
  return 0;
}
