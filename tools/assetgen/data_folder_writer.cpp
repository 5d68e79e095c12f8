#include "tools/assetgen/data_folder_writer.h"

#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/assetgen/art/effect_sprites.h"
#include "tools/assetgen/art/fire_palette.h"
#include "tools/assetgen/art/font_sheet.h"
#include "tools/assetgen/art/height_map_encoder.h"
#include "tools/assetgen/art/island_shape.h"
#include "tools/assetgen/art/lava_stream_painter.h"
#include "tools/assetgen/art/ocean_painter.h"
#include "tools/assetgen/art/sky_dome_mesh.h"
#include "tools/assetgen/art/terrain_painter.h"
#include "tools/assetgen/audio/ambience_synth.h"
#include "tools/assetgen/audio/eruption_synth.h"
#include "tools/assetgen/formats/bmp_writer.h"
#include "tools/assetgen/formats/md3_writer.h"
#include "tools/assetgen/formats/wav_writer.h"

namespace assetgen {

namespace {
// One seed for everything; each picture and sound derives its own from it.
constexpr uint64_t kSeed = 0x56554C43414E4F31ull;

constexpr int kHeightFieldSize = 512;
constexpr int kTerrainTextureSize = 1024;
constexpr int kOceanSize = 512;
constexpr int kLavaStreamSize = 1024;
constexpr int kSpriteSize = 128;
constexpr int kShockWaveWidth = 256;
constexpr int kShockWaveHeight = 64;

// The water is drawn half transparent over the frame's dark blue clear colour, and over the
// terrain where the terrain lies beneath it: deep water on the terrain takes that blue so
// the terrain's square edge disappears in the open sea.
constexpr Rgb kUnderTheSea{0.f, 0.f, 200.f / 255.f};

constexpr std::string_view kDefaultConfig = "displaymode= 0\nwaterdetail= high\nshowfps= 0\n";
}  // namespace

DataFolderWriter::DataFolderWriter(std::filesystem::path folder, std::ostream& progress)
    : folder_(std::move(folder)), progress_(progress) {}

void DataFolderWriter::writeAll() {
  writeIsland();
  writeFile("textures/ocean.bmp", BmpWriter::encode(OceanPainter(kSeed + 2).paint(kOceanSize)));
  writeEffects();
  writeConsoleArt();
  writeFile("misc/skydome.md3", Md3Writer::encode(SkyDomeMesh::build()));
  writeSounds();
  writeDefaultConfig();
}

void DataFolderWriter::writeFile(std::string_view name, const std::vector<uint8_t>& bytes) {
  std::filesystem::path path = folder_ / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
  progress_ << "wrote " << name << " (" << bytes.size() << " bytes)" << std::endl;
}

void DataFolderWriter::writeIsland() {
  IslandShape shape(kSeed);
  IslandShape::Island island = shape.build(kHeightFieldSize);
  writeFile("textures/volcanoh24.bmp", BmpWriter::encode(HeightMapEncoder::encode(island.heights)));
  TerrainPainter painter(island, kUnderTheSea, kSeed + 1);
  writeFile("textures/volcanotex.bmp", BmpWriter::encode(painter.paint(kTerrainTextureSize)));
  LavaStreamPainter lava(island.heights, kSeed + 3);
  writeFile("textures/lavastream.bmp", BmpWriter::encode(lava.paint(kLavaStreamSize)));
}

void DataFolderWriter::writeEffects() {
  EffectSprites sprites(kSeed + 4);
  writeFile("textures/smoke.bmp", BmpWriter::encode(sprites.smokePuff(kSpriteSize)));
  writeFile("textures/lava.bmp", BmpWriter::encode(sprites.lavaBlob(kSpriteSize)));
  writeFile("textures/erupdebris.bmp", BmpWriter::encode(sprites.rockFragment(kSpriteSize)));
  writeFile("textures/shockwave.bmp",
            BmpWriter::encode(sprites.shockBand(kShockWaveWidth, kShockWaveHeight)));
}

void DataFolderWriter::writeConsoleArt() {
  writeFile("misc/firepal.bmp", BmpWriter::encode(FirePalette::image()));
  writeFile("font/FONT_8.bmp", BmpWriter::encode(FontSheet::strip()));
  std::string description = FontSheet::description();
  writeFile("font/FONT_8.fon", std::vector<uint8_t>(description.begin(), description.end()));
}

void DataFolderWriter::writeSounds() {
  auto wav = [](const Sound& sound) {
    return WavWriter::encodeMono16(sound.samples(), Sound::kSampleRate);
  };
  AmbienceSynth ambience(kSeed + 5);
  writeFile("sound/seawind.wav", wav(ambience.wind()));
  writeFile("sound/shorewav.wav", wav(ambience.surf()));
  writeFile("sound/fire.wav", wav(ambience.fire()));
  EruptionSynth eruption(kSeed + 6);
  writeFile("sound/rumble.wav", wav(eruption.rumble()));
  writeFile("sound/explosion.wav", wav(eruption.blast()));
}

void DataFolderWriter::writeDefaultConfig() {
  if (std::filesystem::exists(folder_ / "config.ini")) {
    progress_ << "kept config.ini" << std::endl;
    return;
  }
  writeFile("config.ini", std::vector<uint8_t>(kDefaultConfig.begin(), kDefaultConfig.end()));
}

}  // namespace assetgen
