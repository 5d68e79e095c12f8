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
#include "tools/assetgen/formats/png_writer.h"
#include "tools/assetgen/formats/wav_writer.h"
#include "tools/assetgen/resources/volcano_icon.h"

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
// The sizes of the desktop's icon theme, in pixels.
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
}  // namespace

DataFolderWriter::DataFolderWriter(std::filesystem::path folder, std::ostream& progress)
    : folder_(std::move(folder)), progress_(progress) {}

void DataFolderWriter::WriteAll() {
  WriteIsland();
  WriteFile("textures/ocean.bmp", BmpWriter::Encode(OceanPainter(kSeed + 2).Paint(kOceanSize)));
  WriteEffects();
  WriteConsoleArt();
  WriteFile("misc/skydome.md3", Md3Writer::Encode(SkyDomeMesh::Build()));
  WriteSounds();
  WriteDefaultConfig();
  WriteManifest();
}

void DataFolderWriter::WritePackageFiles() {
  for (int size : kIconSizes) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    WriteFile("icons/" + folder + "/apps/vulcara.png",
              PngWriter::EncodeArgb(size, size, VolcanoIcon::Paint(size)));
  }
  WriteFile(kConfigFile, std::vector<uint8_t>(kDefaultConfig.begin(), kDefaultConfig.end()));
}

void DataFolderWriter::WriteFile(std::string_view name, const std::vector<uint8_t>& bytes) {
  std::filesystem::path path = folder_ / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
  progress_ << "wrote " << name << " (" << bytes.size() << " bytes)" << std::endl;
}

// The files the show needs: config.ini has its defaults, and the manifest is this list, after the
// line by which the program tells its own manifest from any other file of that name.
void DataFolderWriter::WriteManifest() {
  std::string manifest = "# vulcara data folder, manifest format 1\n";
  for (std::string_view name : kDataFiles) {
    if (name != kConfigFile && name != kManifestFile) manifest += std::string(name) + "\n";
  }
  WriteFile(kManifestFile, std::vector<uint8_t>(manifest.begin(), manifest.end()));
}

void DataFolderWriter::WriteIsland() {
  IslandShape shape(kSeed);
  IslandShape::Island island = shape.Build(kHeightFieldSize);
  WriteFile("textures/volcanoh24.bmp", BmpWriter::Encode(HeightMapEncoder::Encode(island.heights)));
  TerrainPainter painter(island, kUnderTheSea, kSeed + 1);
  WriteFile("textures/volcanotex.bmp", BmpWriter::Encode(painter.Paint(kTerrainTextureSize)));
  LavaStreamPainter lava(island.heights, kSeed + 3);
  WriteFile("textures/lavastream.bmp", BmpWriter::Encode(lava.Paint(kLavaStreamSize)));
}

void DataFolderWriter::WriteEffects() {
  EffectSprites sprites(kSeed + 4);
  WriteFile("textures/smoke.bmp", BmpWriter::Encode(sprites.SmokePuff(kSpriteSize)));
  WriteFile("textures/lava.bmp", BmpWriter::Encode(sprites.LavaBlob(kSpriteSize)));
  WriteFile("textures/erupdebris.bmp", BmpWriter::Encode(sprites.RockFragment(kSpriteSize)));
  WriteFile("textures/shockwave.bmp",
            BmpWriter::Encode(sprites.ShockBand(kShockWaveWidth, kShockWaveHeight)));
}

void DataFolderWriter::WriteConsoleArt() {
  WriteFile("misc/firepal.bmp", BmpWriter::Encode(FirePalette::Picture()));
  WriteFile("font/FONT_8.bmp", BmpWriter::Encode(FontSheet::Strip()));
  std::string description = FontSheet::Description();
  WriteFile("font/FONT_8.fon", std::vector<uint8_t>(description.begin(), description.end()));
}

void DataFolderWriter::WriteSounds() {
  auto wav = [](const Sound& sound) {
    return WavWriter::EncodeMono16(sound.Samples(), Sound::kSampleRate);
  };
  AmbienceSynth ambience(kSeed + 5);
  WriteFile("sound/seawind.wav", wav(ambience.Wind()));
  WriteFile("sound/shorewav.wav", wav(ambience.Surf()));
  WriteFile("sound/fire.wav", wav(ambience.Fire()));
  EruptionSynth eruption(kSeed + 6);
  WriteFile("sound/rumble.wav", wav(eruption.Rumble()));
  WriteFile("sound/explosion.wav", wav(eruption.Blast()));
}

void DataFolderWriter::WriteDefaultConfig() {
  if (std::filesystem::exists(folder_ / kConfigFile)) {
    progress_ << "kept config.ini" << std::endl;
    return;
  }
  WriteFile(kConfigFile, std::vector<uint8_t>(kDefaultConfig.begin(), kDefaultConfig.end()));
}

}  // namespace assetgen
