// The image decoders on files written by the tests' own writers: every encoding gives back the
// same pixels, paletted files their palette, and broken files fail without harm.
#include <gtest/gtest.h>

#include <tuple>

#include "gfx/image_decoder.h"
#include "image_files.h"
#include "patched.h"

namespace {

std::span<const uint8_t> Bytes(const std::string& file) {
  return {reinterpret_cast<const uint8_t*>(file.data()), file.size()};
}

DecodedImage Decode(const std::string& file) {
  DecodedImage image;
  EXPECT_TRUE(DecodeImage(Bytes(file), &image));
  return image;
}

void ExpectPixels(const DecodedImage& image, uint32_t width, uint32_t height,
                  const std::vector<D3DCOLOR>& expected) {
  EXPECT_EQ(std::pair(image.width, image.height), std::pair(width, height));
  EXPECT_EQ(image.pixels, expected);
}

bool Equal(const std::vector<PALETTEENTRY>& a, const std::vector<PALETTEENTRY>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](const PALETTEENTRY& x, const PALETTEENTRY& y) {
                                              return PaletteColor(x) == PaletteColor(y);
                                            });
}

// The file of that format gives the picture, with or without alpha, and its palette if paletted.
void ExpectPicture(const std::string& file, const TestPicture& picture, D3DXIMAGE_FILEFORMAT format,
                   bool hasAlpha, bool paletted) {
  const DecodedImage image = Decode(file);
  ExpectPixels(image, picture.width, picture.height, picture.Colors());
  EXPECT_EQ(std::pair(image.hasAlpha, image.fileFormat), std::pair(hasAlpha, format));
  EXPECT_TRUE(Equal(image.palette, paletted ? FullPalette(picture) : std::vector<PALETTEENTRY>()));
}

TEST(BmpDecoder, EveryBitDepthAndRowOrderGivesThePicture) {
  const struct {
    unsigned bits, colors;
  } depths[] = {{1, 2}, {4, 16}, {8, 256}, {8, 7}, {24, 40}, {32, 40}};
  for (const auto& depth : depths) {
    for (RowOrder order : {RowOrder::kBottomUp, RowOrder::kTopDown}) {
      for (uint32_t width : {1u, 5u, 13u}) {
        SCOPED_TRACE(testing::Message()
                     << depth.bits << " bits, " << depth.colors << " colours, " << width
                     << " wide, top-down " << (order == RowOrder::kTopDown));
        const TestPicture picture = SamplePicture(width, 3, depth.colors);
        ExpectPicture(BmpFile(picture, depth.bits, order), picture, D3DXIFF_BMP, false,
                      depth.bits <= 8);
      }
    }
  }
}

TEST(BmpDecoder, RunLengthJumpsEarlyEndsFourBitRunsAndRunsThatOvershootTheirRow) {
  const TestPicture palette = SamplePicture(1, 1, 16);
  auto c = [&](int i) { return PaletteColor(palette.palette[i]); };
  // 4 x 3: bottom row "2 2 . ."; jump right 1 and up 1; "3"; end of line; end of bitmap. What
  // the jump and the early end leave is colour 0.
  const std::string stream("\x02\x02\x00\x02\x01\x01\x01\x03\x00\x00\x00\x01", 12);
  DecodedImage image = Decode(BmpRleWrap(4, 3, palette.palette, stream));
  ExpectPixels(image, 4, 3,
               {c(0), c(0), c(0), c(0), c(0), c(0), c(0), c(3), c(2), c(2), c(0), c(0)});

  // 5 x 2: bottom row a run alternating 1 and 2; top row a literal 3, 4, 5 and a run of 6s.
  const std::string rle4("\x05\x12\x00\x00\x00\x03\x34\x50\x02\x66\x00\x01", 12);
  image = Decode(BmpRleWrap(5, 2, palette.palette, rle4, 4));
  ExpectPixels(image, 5, 2, {c(3), c(4), c(5), c(6), c(6), c(1), c(2), c(1), c(2), c(1)});
  EXPECT_TRUE(Equal(image.palette, FullPalette(palette)));

  // 3 x 2: a run of 5 and a literal of 5 each fill their row and stop at its end.
  const std::string rle8("\x05\x07\x00\x00\x00\x05\x01\x02\x03\x04\x05\x00\x00\x01", 14);
  image = Decode(BmpRleWrap(3, 2, palette.palette, rle8));
  ExpectPixels(image, 3, 2, {c(1), c(2), c(3), c(7), c(7), c(7)});
}

TEST(BmpDecoder, BitFieldMasksAndAlpha) {
  // 5-6-5: pure red, green, blue and white.
  const uint32_t masks565[4] = {0xF800, 0x07E0, 0x001F, 0};
  DecodedImage image =
      Decode(BmpBitFieldsFile(2, 2, 16, masks565, {0xF800, 0x07E0, 0x001F, 0xFFFF}));
  ExpectPixels(image, 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
  EXPECT_FALSE(image.hasAlpha);

  // Bytes A, B, G, R from the lowest: an unusual order only the masks can tell.
  const uint32_t masksAbgr[4] = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
  image = Decode(BmpBitFieldsFile(1, 2, 32, masksAbgr, {0x11223380, 0xAABBCC00}));
  ExpectPixels(image, 1, 2, {0x80112233, 0x00AABBCC});
  EXPECT_TRUE(image.hasAlpha);

  // A 10-bit channel keeps its top eight bits.
  const uint32_t masks1010102[4] = {0x3FF00000, 0x000FFC00, 0x000003FF, 0};
  image = Decode(BmpBitFieldsFile(1, 1, 32, masks1010102, {0x3FF00000 | 0x2AA << 10}));
  ExpectPixels(image, 1, 1, {0xFFFFAA00});
  // Without masks, 16-bit pixels are 5-5-5.
  image = Decode(Patched(BmpBitFieldsFile(2, 1, 16, masks565, {0x7C00, 0x03E0}), 30, 0));
  ExpectPixels(image, 2, 1, {0xFFFF0000, 0xFF00FF00});
}

TEST(TgaDecoder, EveryKindRawAndRunLengthInEveryOrientation) {
  const TestPicture colors = SamplePicture(7, 5, 9);
  TestPicture greys = colors;
  for (PALETTEENTRY& e : greys.palette) e.peGreen = e.peBlue = e.peRed;
  TestPicture translucent = colors;
  for (size_t i = 0; i < translucent.palette.size(); ++i)
    translucent.palette[i].peFlags = BYTE(i * 30);
  // Colours whose channels survive five bits exactly, each fully opaque or transparent.
  TestPicture halfAlpha = SamplePicture(7, 5, 6);
  for (size_t i = 0; i < halfAlpha.palette.size(); ++i) {
    PALETTEENTRY& e = halfAlpha.palette[i];
    for (BYTE* c : {&e.peRed, &e.peGreen, &e.peBlue}) *c = BYTE((*c >> 3) << 3 | *c >> 5);
    e.peFlags = i % 2 ? 0xFF : 0;
  }

  const struct {
    TgaKind kind;
    const TestPicture& picture;
    bool hasAlpha;
  } kinds[] = {{TgaKind::kColorMapped, colors, false},
               {TgaKind::kTrueColor16, halfAlpha, true},
               {TgaKind::kTrueColor24, colors, false},
               {TgaKind::kTrueColor32, translucent, true},
               {TgaKind::kGrey, greys, false}};
  for (const auto& k : kinds) {
    for (bool rle : {false, true}) {
      for (int orientation : {0, 0x10, 0x20, 0x30}) {  // right-to-left, top-to-bottom, both
        SCOPED_TRACE(testing::Message() << "kind " << int(k.kind) << " rle " << rle
                                        << " orientation " << int(orientation));
        ExpectPicture(TgaFile(k.picture, k.kind, rle, static_cast<uint8_t>(orientation)), k.picture,
                      D3DXIFF_TGA, k.hasAlpha, k.kind == TgaKind::kColorMapped);
      }
    }
  }
  // A colour map starting at entry 250 keeps the six entries that fit.
  const std::string late = Patched(TgaFile(colors, TgaKind::kColorMapped, false, 0), 3, 250, 2);
  EXPECT_EQ(Decode(late).paletteColors, 6u);
}

// One 8-byte colour block: end points c0 and c1 (5-6-5) and the 2-bit index of each texel.
std::string ColorBlock(uint16_t c0, uint16_t c1, const int (&indices)[16]) {
  uint32_t bits = 0;
  for (int i = 0; i < 16; ++i) bits |= uint32_t(indices[i]) << (2 * i);
  std::string block;
  for (uint32_t v : {uint32_t(c0), uint32_t(c0) >> 8, uint32_t(c1), uint32_t(c1) >> 8, bits,
                     bits >> 8, bits >> 16, bits >> 24}) {
    block += char(v & 0xFF);
  }
  return block;
}

constexpr int kIndexRamp[16] = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};
constexpr uint16_t kWhite565 = 0xFFFF, kBlack565 = 0x0000;

TEST(DdsDecoder, Dxt1FourAndThreeColourBlocksCutToThePicture) {
  // White over black: thirds between them; black over white: a half and transparent black.
  const std::string blocks =
      ColorBlock(kWhite565, kBlack565, kIndexRamp) + ColorBlock(kBlack565, kWhite565, kIndexRamp);
  // A 6 x 3 picture: two blocks side by side, the second cut to two columns, the last row cut.
  const DecodedImage image = Decode(DdsDxtFile(6, 3, "DXT1", blocks));
  const D3DCOLOR w = 0xFFFFFFFF, b = 0xFF000000, third = 0xFFAAAAAA, twoThirds = 0xFF555555;
  const D3DCOLOR half = 0xFF808080;
  ExpectPixels(image, 6, 3,
               {w, b, third, twoThirds, b, w,  //
                w, b, third, twoThirds, b, w,  //
                w, b, third, twoThirds, b, w});
  EXPECT_FALSE(image.hasAlpha);  // the transparent texels lie outside the picture

  const DecodedImage cut =
      Decode(DdsDxtFile(4, 1, "DXT1", ColorBlock(kBlack565, kWhite565, kIndexRamp)));
  ExpectPixels(cut, 4, 1, {b, w, half, 0x00000000});
  EXPECT_TRUE(cut.hasAlpha);

  // Equal end colours are the three-colour kind too: index 3 is transparent black.
  const DecodedImage equal =
      Decode(DdsDxtFile(4, 1, "DXT1", ColorBlock(0xF800, 0xF800, kIndexRamp)));
  const D3DCOLOR red = 0xFFFF0000;
  ExpectPixels(equal, 4, 1, {red, red, red, 0x00000000});
}

TEST(DdsDecoder, Dxt3AndDxt5Alpha) {
  const int allFirst[16] = {};
  std::string explicitAlpha;  // texel i has alpha i * 17
  for (int i = 0; i < 16; i += 2) explicitAlpha += char(i | (i + 1) << 4);
  DecodedImage image =
      Decode(DdsDxtFile(4, 4, "DXT3", explicitAlpha + ColorBlock(0xF800, 0, allFirst)));
  ASSERT_EQ(image.pixels.size(), 16u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(image.pixels[i], uint32_t(i * 17) << 24 | 0xFF0000) << i;

  // Interpolated alpha: 255 and 0 end points give sevenths; 0 then 255 gives fifths plus 0, 255.
  auto alphaBlock = [](uint8_t a0, uint8_t a1) {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= uint64_t(i) << (3 * i);  // texels 0-7 use codes 0-7
    std::string block{char(a0), char(a1)};
    for (int i = 0; i < 6; ++i) block += char((bits >> (8 * i)) & 0xFF);
    return block;
  };
  const uint32_t sevenths[8] = {255, 0, 219, 182, 146, 109, 73, 36};
  const uint32_t fifths[8] = {0, 255, 51, 102, 153, 204, 0, 255};
  for (const auto& [a0, a1, expected] :
       {std::tuple{255, 0, sevenths}, std::tuple{0, 255, fifths}}) {
    image =
        Decode(DdsDxtFile(4, 4, "DXT5", alphaBlock(a0, a1) + ColorBlock(kWhite565, 0, allFirst)));
    ASSERT_EQ(image.pixels.size(), 16u);
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(image.pixels[i] >> 24, expected[i]) << a0 << " texel " << i;
    EXPECT_EQ(image.pixels[8] >> 24, expected[0]);  // code 0 again
    EXPECT_TRUE(image.hasAlpha);
  }
}

// Plain RGBA files are checked through the texture loader; a paletted one also gives its
// palette, alphas included.
TEST(PngDecoder, PalettedFilesGiveThePictureAndThePalette) {
  TestPicture picture = SamplePicture(9, 4, 12);
  // The last entries opaque: the file's alphas end before its palette does.
  for (size_t i = 0; i < picture.palette.size(); ++i)
    picture.palette[i].peFlags = BYTE(i < 8 ? 255 - i * 20 : 255);
  ExpectPicture(PngPalettedFile(picture), picture, D3DXIFF_PNG, true, true);
}

TEST(JpegDecoder, ComesBackClose) {
  // Flat 8 x 8 blocks survive compression almost exactly.
  std::vector<D3DCOLOR> pixels;
  const D3DCOLOR blocks[4] = {0xFFC83214, 0xFF1E8C50, 0xFF3C3CDC, 0xFFF0F0F0};
  for (uint32_t y = 0; y < 16; ++y) {
    for (uint32_t x = 0; x < 24; ++x) pixels.push_back(blocks[(x / 8 + y / 8 * 3) % 4]);
  }
  const DecodedImage image = Decode(JpegFile(24, 16, pixels, 95, false));
  ASSERT_EQ(image.width, 24u);
  ASSERT_EQ(image.height, 16u);
  EXPECT_FALSE(image.hasAlpha);
  EXPECT_EQ(image.fileFormat, D3DXIFF_JPG);
  for (size_t i = 0; i < pixels.size(); ++i) {
    ASSERT_EQ(image.pixels[i] >> 24, 0xFFu);
    for (int shift : {16, 8, 0}) {
      ASSERT_NEAR(int((image.pixels[i] >> shift) & 0xFF), int((pixels[i] >> shift) & 0xFF), 3)
          << "pixel " << i;
    }
  }
}

// A file of every kind the tests write, with the length of what may follow the picture's data
// without being needed (the end marker of an 8-bit run-length bitmap, the end chunk of a PNG).
struct SampleFile {
  std::string name;
  std::string bytes;
  size_t trailer = 0;
};

std::vector<SampleFile> AllKindsOfFile() {
  // 8 pixels wide: no row padding, which a bitmap's last row may lack.
  const TestPicture picture = SamplePicture(8, 5, 16);
  std::vector<D3DCOLOR> colors = picture.Colors();
  return {
      {"bmp 4", BmpFile(picture, 4, RowOrder::kBottomUp)},
      {"bmp 24", BmpFile(picture, 24, RowOrder::kTopDown)},
      {"bmp rle", BmpRle8File(picture), 2},
      {"tga mapped rle", TgaFile(picture, TgaKind::kColorMapped, true, 0)},
      {"tga 32", TgaFile(picture, TgaKind::kTrueColor32, false, kTgaTopToBottom)},
      {"dds argb", DdsArgbFile(8, 5, colors)},
      {"dds dxt5", DdsDxtFile(8, 5, "DXT5", std::string(64, '\x5A'))},
      {"png", PngFile(8, 5, colors), 12},
      {"jpeg", JpegFile(8, 5, colors, 80, false)},
      {"jpeg progressive", JpegFile(8, 5, colors, 80, true)},
  };
}

// A cut file never decodes, and its head gives the picture's size or none, never one read from
// past its end.
TEST(ImageDecoder, EveryTruncatedFileFailsAndItsHeadGivesTheSizeOrNone) {
  for (const SampleFile& file : AllKindsOfFile()) {
    ImageSize size;
    ASSERT_FALSE(Decode(file.bytes).pixels.empty()) << file.name;
    ASSERT_TRUE(ReadImageSize(Bytes(file.bytes), &size)) << file.name;
    EXPECT_EQ(std::pair(size.width, size.height), std::pair(8u, 5u)) << file.name;
    for (size_t length = 0; length < file.bytes.size(); ++length) {
      const std::string head = file.bytes.substr(0, length);
      DecodedImage image;
      if (length < file.bytes.size() - file.trailer) {
        EXPECT_FALSE(DecodeImage(Bytes(head), &image)) << file.name << " cut to " << length;
      }
      ASSERT_TRUE(!ReadImageSize(Bytes(head), &size) || (size.width == 8 && size.height == 5))
          << file.name << " cut to " << length;
    }
  }
  // Metadata segments before a JPEG's frame header are skipped by their lengths.
  std::string jpeg = JpegFile(8, 5, SamplePicture(8, 5, 4).Colors(), 80, false);
  const std::string comment = "\xFF\xFE\xFF\xF0" + std::string(0xFFF0 - 2, 'c');
  const std::string emptyApp("\xFF\xE0\x00\x00", 4);  // its length too short to count itself
  jpeg.insert(2, comment + emptyApp + comment);
  ImageSize size;
  ASSERT_TRUE(ReadImageSize(Bytes(jpeg), &size));
  EXPECT_EQ(size.width, 8u);
  EXPECT_EQ(Decode(jpeg).height, 5u);
  EXPECT_FALSE(ReadImageSize(Bytes(std::string("hello, this is not a picture")), &size));
}

TEST(ImageDecoder, ImpossibleHeadersFail) {
  const TestPicture picture = SamplePicture(6, 5, 16);
  const std::string bmp8 = BmpFile(picture, 8, RowOrder::kBottomUp);
  const std::string rle = BmpRle8File(picture);
  const std::string tga = TgaFile(picture, TgaKind::kColorMapped, false, 0);
  const std::string dds = DdsArgbFile(6, 5, picture.Colors());
  const std::pair<const char*, std::string> cases[] = {
      {"bmp too wide", Patched(bmp8, 18, 16385)},
      {"bmp zero height", Patched(bmp8, 22, 0)},
      {"bmp negative width", Patched(bmp8, 18, 0xFFFFFFFA)},
      {"bmp huge, data missing", Patched(Patched(bmp8, 18, 16384), 22, 16384)},
      {"bmp 7 bits", Patched(bmp8, 28, 7, 2)},
      {"bmp unknown compression", Patched(bmp8, 30, 4)},
      {"bmp data past the end", Patched(bmp8, 10, uint32_t(bmp8.size()) + 1)},
      {"bmp header past the end", Patched(bmp8, 14, 0x7FFFFFFF)},
      {"bmp header too small", Patched(bmp8, 14, 39)},
      {"bmp rle top-down", Patched(rle, 22, uint32_t(-5))},
      {"bmp rle huge, almost no data", Patched(Patched(rle, 18, 16384), 22, 16384)},
      {"bmp rle4 with 8 bits", Patched(rle, 30, 2)},
      {"tga colour map of 7-bit entries", Patched(tga, 7, 7, 1)},
      {"tga unknown type", Patched(tga, 2, 4, 1)},
      {"tga mapped with 16-bit indices", Patched(tga, 16, 16, 1)},
      {"tga zero width", Patched(tga, 12, 0, 2)},
      {"tga map past the end", Patched(tga, 5, 0xFFFF, 2)},
      {"tga run past the picture",
       Patched(TgaFile(SamplePicture(1, 1, 1), TgaKind::kTrueColor24, true, 0), 21, 0x81, 1)},
      {"dds cube map", Patched(dds, 4 + 108, 0x200)},
      {"dds volume", Patched(dds, 4 + 108, 0x200000)},
      {"dds wrong header size", Patched(dds, 4, 100)},
      {"dds 12-bit pixels", Patched(dds, 4 + 84, 12)},
      {"dds unknown fourcc", Patched(Patched(dds, 4 + 76, 0x4), 4 + 80, 0x31495441)},
      {"dds too tall", Patched(dds, 8 + 4, 16385)},
      {"text", "hello, this is not a picture"},
  };
  for (const auto& [what, file] : cases) {
    DecodedImage image;
    EXPECT_FALSE(DecodeImage(Bytes(file), &image)) << what;
  }
  // Beyond the pixel budget nothing is decoded, whatever the file holds.
  EXPECT_TRUE(IsAcceptableSize(8192, 8192));
  EXPECT_TRUE(IsAcceptableSize(16384, 4096));
  EXPECT_FALSE(IsAcceptableSize(8192, 8193));
  EXPECT_FALSE(IsAcceptableSize(16384, 16384));
}

}  // namespace
