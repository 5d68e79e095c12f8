// The program itself, run headless as a user or CI would run it; the video files it writes read
// back through FFmpeg's own demuxers and decoders.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "app/program_folders.h"
#include "console/font_files.h"
#include "image_files.h"
#include "platform/files.h"
#include "region_mean.h"
#include "startup_lines.h"
#include "test_folder.h"
#include "tools/assetgen/data_folder_writer.h"

namespace {

struct RunResult {
  int status = -1;
  std::string output;
};

// Through the shell, after the shell commands of prefix.
RunResult RunProgram(const std::string& arguments, const std::string& prefix = "") {
  const std::string command = prefix + VULCARA_EXE + " " + arguments + " > run.log 2>&1";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes("run.log")};
}

// The run ended with that status and the sanitizers, where built in, found nothing.
void ExpectEnded(const RunResult& run, int status, const std::string& what) {
  EXPECT_EQ(run.status, status) << what << run.output;
  EXPECT_EQ(run.output.find("Sanitizer"), std::string::npos) << what << run.output;
  EXPECT_EQ(run.output.find("runtime error"), std::string::npos) << what << run.output;
}

// Runs in a copy of the generated data folder, as `make run` does.
class HeadlessRun : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.CopyFrom(VULCARA_DATA_DIR);
    folder_.Write("config.ini", "displaymode= 0\nwaterdetail= high\nshowfps= 0\n");
  }

  TestFolder folder_;
};

// The README's example commands, as the README shows them, in a copy of the data folder.
std::vector<std::string> ReadmeExamples() {
  const std::string all = ReadFileBytes(VULCARA_SOURCE_DIR "/README.md");
  const size_t block =
      all.find("```sh\n", all.find("Examples, run in the generated data folder")) + 6;
  std::stringstream lines(all.substr(block, all.find("```", block) - block));
  std::vector<std::string> commands;
  for (std::string line; std::getline(lines, line);) commands.push_back(line);
  return commands;
}

// One of them: the program's through RunProgram, with extra arguments, others through the shell.
RunResult RunReadmeCommand(const std::string& command, const std::string& extraArguments = "") {
  const std::string program = "../app/vulcara ";
  if (command.rfind(program, 0) == 0) {
    return RunProgram(command.substr(program.size()) + extraArguments);
  }
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ""};
}

TEST_F(HeadlessRun, TheReadmesExamplesRunAsShown) {
  for (const std::string& command : ReadmeExamples()) {
    // The video suite runs the video and reads it back.
    if (command.find("--video") != std::string::npos) continue;
    EXPECT_EQ(RunReadmeCommand(command).status, 0) << command;
  }
  // 0.5 s and 1.5 s are the exact times of frames 26 and 76.
  EXPECT_EQ(std::set<std::filesystem::path>(std::filesystem::directory_iterator("shots"), {}),
            (std::set<std::filesystem::path>{"shots/frame-000026.png", "shots/frame-000076.png"}));
  // A second of 20 ms frames, and the frame that reaches it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("frames"), {}), 51);
}

MeanColour MeanOf(const PngPicture& p, int x0, int y0, int width, int height) {
  return RegionMean(p.rgba, p.width, x0, y0, width, height);
}

// How much the red channel varies over a region: the clouds' white shows in it, blue doesn't.
double RedSpread(const PngPicture& p, int x0, int y0, int width, int height) {
  const double mean = MeanOf(p, x0, y0, width, height).r;
  const double sum = RegionSum(p.width, x0, y0, width, height,
                               [&](size_t i) { return std::pow(p.rgba[i] - mean, 2); });
  return std::sqrt(sum / (double(width) * height));
}

// Mean absolute difference of two frames' red channels over a region.
double RedChange(const PngPicture& a, const PngPicture& b, int x0, int y0, int width, int height) {
  return RegionSum(a.width, x0, y0, width, height,
                   [&](size_t i) { return std::abs(int(a.rgba[i]) - int(b.rgba[i])); }) /
         (double(width) * height);
}

// Pixels of the captions' green.
int CaptionPixels(const PngPicture& p, int x0, int y0, int width, int height) {
  return CountPixels(p.rgba, p.width, x0, y0, width, height,
                     [](const uint8_t* px) { return px[1] > 150 && px[0] < 100 && px[2] < 100; });
}

// The whole show as a viewer plays it: a key held across 36 s, the mouse tilting the view down
// and the arrows after 52 s, Escape at 70 s; captured where a first-time viewer would look.
TEST_F(HeadlessRun, TheShowPlaysFromTheSeaThroughTheEruptionToFreeFlight) {
  folder_.Write("input.txt",
                "35.5 keydown SPACE\n36.5 keyup SPACE\n"
                "52.0 mouse 400 300\n52.1 mouse 400 310\n52.2 mouse 400 320\n"
                "52.3 mouse 400 330\n52.4 mouse 400 340\n52.5 mouse 400 350\n"
                "53.0 keydown UP\n53.1 keydown UP\n53.2 keyup UP\n70 key ESCAPE\n");
  RunResult run = RunProgram(
      "--headless --fixed-step 40 --input input.txt --capture cap --capture-at "
      "2,14,16,27,36,37.55,37.8,38.5,44,48,55");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(FileLines("conout.log"), kStartUpLines);
  std::vector<PngPicture> at;
  for (const auto& file :
       std::set<std::filesystem::path>(std::filesystem::directory_iterator("cap"), {})) {
    at.push_back(ReadPng(file.string()));
    ASSERT_EQ(at.back().width, 800) << file;
  }
  ASSERT_EQ(at.size(), 11u);
  const PngPicture &water = at[0], &wind = at[1], &windLater = at[2], &earth = at[3],
                   &rumble = at[4], &ring = at[5], &blast = at[7], &fires = at[8], &explore = at[9],
                   &flight = at[10];
  // Drawn all over (under 0.1 % left at the clear colour), the shock-wave ring's band included.
  for (const PngPicture& frame : at) {
    EXPECT_LT(CountPixels(frame.rgba, 800, 0, 0, 800, 600,
                          [](const uint8_t* px) { return !px[0] && !px[1] && px[2] == 200; }),
              480);
  }
  // "Water": low over the sea, blue with the texture's green.
  EXPECT_GT(CaptionPixels(water, 300, 260, 220, 50), 500);
  MeanColour sea = MeanOf(water, 0, 350, 800, 250);
  EXPECT_GT(sea.b, sea.r + 80);
  EXPECT_GT(sea.g, sea.r);
  // "Wind": looking up into clouds that lighten the blue unevenly and drift.
  EXPECT_GT(CaptionPixels(wind, 300, 260, 200, 50), 500);
  MeanColour sky = MeanOf(wind, 0, 0, 800, 600);
  EXPECT_GT(sky.b, sky.r + 60);
  EXPECT_GT(RedSpread(wind, 0, 0, 800, 250), 5.0);
  EXPECT_GT(RedChange(wind, windLater, 0, 0, 800, 250), 2.0);
  // "Earth": the cone of dark, warm rock, its smoke whitening the sky above the crater.
  EXPECT_GT(CaptionPixels(earth, 300, 260, 220, 50), 500);
  MeanColour cone = MeanOf(earth, 360, 420, 80, 150);
  EXPECT_GT(cone.r, cone.b + 8);
  EXPECT_GT(MeanOf(earth, 360, 200, 80, 60).r, MeanOf(earth, 560, 200, 80, 60).r + 10);
  // The blast's first frame: the ring's glow spreads over the sea left of the cone.
  EXPECT_GT(MeanOf(ring, 0, 250, 250, 20).r, MeanOf(rumble, 0, 250, 250, 20).r + 30);
  // The blast turns the white smoke over the crater into a spray of red-hot lava.
  const double smokeRed = MeanOf(rumble, 300, 180, 200, 110).r;
  EXPECT_GT(MeanOf(blast, 300, 180, 200, 110).r, smokeRed + 50);
  // "Fire": lava and fires redden the flank; then lava covers it, under the last captions.
  const double flankRed = MeanOf(rumble, 300, 380, 200, 200).r;
  EXPECT_GT(CaptionPixels(fires, 300, 260, 220, 50), 300);
  EXPECT_GT(MeanOf(fires, 300, 380, 200, 200).r, flankRed + 10);
  EXPECT_GT(CaptionPixels(explore, 40, 220, 760, 120), 3000);
  EXPECT_GT(MeanOf(explore, 300, 380, 200, 200).r, flankRed + 30);
  // Free flight: turned and tilted, the lava-streaked cone on the left, open sea on the right.
  MeanColour left = MeanOf(flight, 0, 250, 250, 350), right = MeanOf(flight, 450, 250, 350, 350);
  EXPECT_GT(left.r, left.b + 30);
  EXPECT_GT(right.b, right.r + 80);
  EXPECT_EQ(CaptionPixels(flight, 0, 0, 800, 600), 0);
}

// Whether done() holds within two minutes.
bool WaitFor(const std::function<bool()>& done) {
  for (int wait = 0; wait < 1200 && !done(); ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return done();
}

// Starts the program with the arguments, sends it the signal once ready() holds, and returns its
// exit status.
int StatusAfterSignal(int signal, std::vector<const char*> argv,
                      const std::function<bool()>& ready) {
  argv.insert(argv.begin(), VULCARA_EXE);
  argv.push_back(nullptr);
  // Whatever runs the tests may ignore the signals; the program must see them as a user would.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGTERM);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, VULCARA_EXE, nullptr, &attributes,
                                 const_cast<char**>(argv.data()), environ);
  posix_spawnattr_destroy(&attributes);
  if (failed) return -1;
  WaitFor(ready);
  kill(pid, signal);
  int raw = 0;
  waitpid(pid, &raw, 0);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Ink texels the program's font has for the text: what a crisp line of it shows.
int InkTexels(const std::string& text) {
  std::vector<uint8_t> image, description;
  ReadWholeFile("font/FONT_8.bmp", 1 << 20, &image, nullptr);
  ReadWholeFile("font/FONT_8.fon", 1 << 10, &description, nullptr);
  FontFiles font;
  if (!font.Parse(image, description, nullptr)) return -1;
  int ink = 0;
  for (char c : text) {
    // The font's glyphs are the printable characters in order, from the blank.
    for (int k = 0; k < 64; ++k) ink += font.Inked(c - ' ', k % 8, k / 8);
  }
  return ink;
}

// Pixels of exactly the console's ink colour, opaque blue.
int InkPixels(const PngPicture& p, int x0, int y0, int width, int height) {
  return CountPixels(p.rgba, p.width, x0, y0, width, height,
                     [](const uint8_t* px) { return px[0] == 0 && px[1] == 0 && px[2] == 255; });
}

// Text: the console's ink or the captions' green.
bool IsText(const uint8_t* px) {
  return (px[0] == 0 && px[1] == 0 && px[2] == 255) || (px[1] > 150 && px[0] < 100 && px[2] < 100);
}

// A script opens the console, shows the frame rate, tries commands and leaves through /quit, at
// 800 x 600 and at twice that. Every line is logged, the text is crisp on the burning backdrop,
// and the larger picture is the same with more detail (its edges' energy) than the smaller
// stretched, its text at exactly twice its place, every pixel of ink a square of four.
TEST_F(HeadlessRun, DrawnAtTwiceTheSizeTheScriptedConsoleIsTheSameSharperAndItsTextExactlyTwice) {
  folder_.Write("input.txt",
                "0.1 char 96\n0.2 text /help\\r\n0.3 text /showfps\\r\n0.4 text /bogus\\r\n"
                "0.5 text /quit\n1.1 text \\r\n");
  PngPicture at[2];
  for (int scale : {1, 2}) {
    const std::string size = std::to_string(800 * scale) + "x" + std::to_string(600 * scale);
    const RunResult run =
        RunProgram("--headless --fixed-step 20 --seconds 5 --input input.txt --size " + size +
                   " --capture " + size + " --capture-at 0.06,1");
    ASSERT_EQ(run.status, 0) << run.output;
    at[scale - 1] = ReadPng(size + "/frame-000051.png");
  }
  const PngPicture &frame = at[0], &large = at[1], closed = ReadPng("800x600/frame-000004.png");
  ASSERT_EQ(std::pair(frame.width, frame.height), std::pair(800, 600));
  ASSERT_EQ(std::pair(large.width, large.height), std::pair(1600, 1200));
  const std::vector<std::string> logged = FileLines("conout.log");
  const size_t startUp = kStartUpLines.size();
  ASSERT_EQ(logged.size(), startUp + 9 + 5);
  EXPECT_EQ(std::vector(logged.begin(), logged.begin() + startUp), kStartUpLines);
  EXPECT_EQ(logged[startUp], "Commands:");
  EXPECT_EQ(std::vector(logged.begin() + startUp + 9, logged.end()),
            (std::vector<std::string>{">/help", "Error Processing Command", ">/bogus",
                                      "Quiting.....", ">/quit"}));
  // The frame rate at 20 ms a frame, and the input line on the console's bottom row (24 rows
  // of 8 pixels), every ink texel one pixel of the ink colour.
  EXPECT_EQ(InkPixels(frame, 0, 0, 48, 8), InkTexels("50 FPS"));
  EXPECT_EQ(InkPixels(frame, 0, 184, 48, 8), InkTexels(">/quit"));
  EXPECT_GT(InkTexels("50 FPS"), 50);
  // Above the flames, right of the text, the backdrop is black at half opacity over the sky.
  MeanColour sky = MeanOf(closed, 600, 0, 200, 40), cold = MeanOf(frame, 600, 0, 200, 40);
  EXPECT_NEAR(cold.r, sky.r / 2, 3.0);
  EXPECT_NEAR(cold.b, sky.b / 2, 3.0);
  // Flames along the backdrop's lower edge, over the dark far sea.
  MeanColour flames = MeanOf(frame, 0, 260, 800, 35);
  EXPECT_GT(flames.r, 40.0) << flames.r << " " << flames.g << " " << flames.b;
  EXPECT_GT(flames.r, flames.g);
  // Each pixel of the smaller picture against its square of four in the larger.
  const auto pixel = [](const PngPicture& p, int x, int y) {
    return &p.rgba[(size_t(y) * p.width + x) * 4];
  };
  double difference = 0, smallEnergy = 0, largeEnergy = 0;
  int text = 0, textMoved = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const uint8_t* one = pixel(frame, x, y);
      double mean[3] = {};
      for (int i = 0; i < 4; ++i) {
        const uint8_t* four = pixel(large, 2 * x + i % 2, 2 * y + i / 2);
        for (int c = 0; c < 3; ++c) mean[c] += four[c] / 4.0;
        textMoved += IsText(one) != IsText(four);
        if (x > 0 || i % 2) largeEnergy += std::pow(four[0] - four[-4], 2);
      }
      for (int c = 0; c < 3; ++c) difference += std::abs(mean[c] - one[c]);
      text += IsText(one);
      if (x > 0) smallEnergy += std::pow(one[0] - one[-4], 2);
    }
  }
  EXPECT_LT(difference / (800 * 600 * 3), 3.0);
  // Stretched, the smaller picture's edges would keep about 1.3 times its energy.
  EXPECT_GT(largeEnergy, 1.7 * smallEnergy);
  EXPECT_GT(text, 2000);
  EXPECT_EQ(textMoved, 0);
}

// The cone's right flank against the sky at 27 s, with and without multisampling: with it, the
// silhouette's pixels are blends of rock and sky, between the unsmoothed pixel and a neighbour;
// away from edges nothing changes.
TEST_F(HeadlessRun, MultisamplingBlendsTheConesSilhouetteIntoTheSky) {
  PngPicture at[2];
  for (int samples : {0, 4}) {
    const std::string n = std::to_string(samples);
    const RunResult run = RunProgram(
        "--headless --fixed-step 100 --seconds 27 --capture-at 27 --capture " + n + " --msaa " + n);
    ASSERT_EQ(run.status, 0) << run.output;
    at[samples / 4] = ReadPng(n + "/frame-000271.png");
  }
  int blends = 0;
  const auto blue = [&](int picture, int x, int y) {
    return at[picture].rgba[(y * 800 + x) * 4 + 2];
  };
  for (int y = 380; y < 580; ++y) {
    for (int x = 430; x < 620; ++x) {
      const auto [low, high] = std::minmax({blue(0, x - 1, y), blue(0, x, y), blue(0, x + 1, y)});
      blends += std::abs(blue(1, x, y) - blue(0, x, y)) > 24 && blue(1, x, y) > low &&
                blue(1, x, y) < high;
    }
  }
  EXPECT_GT(blends, 100);
  EXPECT_EQ(RedChange(at[0], at[1], 100, 100, 200, 100), 0.0);  // the sky alone
}

// A mode the display lacks, and one no display has, which is also named.
TEST_F(HeadlessRun, FailedStartUpEndsWithoutAFrameAndFailureStatus) {
  for (const auto& [size, says] : {std::pair{"4321 123", "Error: Error Creating Direct3D Device"},
                                   {"-1 600", "out of range (-1x600)"}}) {
    folder_.Write("config.ini",
                  std::string("displaymode= ") + size + "\nwaterdetail= high\nshowfps= 0\n");
    RunResult run = RunProgram("--headless --frames 3 --capture cap --capture-every 1");
    ExpectEnded(run, 1, size);
    EXPECT_NE(run.output.find(says), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists("cap/frame-000001.png"));
  }
}

// Every file of the data folder in turn, damaged (empty): the start-up stops at its row with the
// row's message, the rows before it logged, or the program runs on; the file is named once (the
// font by its base name), and the damage costs no sanitizer error or leak either way.
TEST_F(HeadlessRun, EachDamagedFileStopsTheStartUpAtItsRowOrIsDoneWithout) {
  struct Stop {
    const char* message;
    size_t linesLogged;
  };
  const std::map<std::string_view, Stop> stopsAt = {
      {"font/FONT_8.bmp", {"Error: Console Initialization Error", 10}},
      {"font/FONT_8.fon", {"Error: Console Initialization Error", 10}},
      {"misc/firepal.bmp", {"Error: Error Initializing Fire", 3}},
      {"misc/skydome.md3", {"Error: Error Initializing Sky Dome", 4}},
      {"textures/smoke.bmp", {"Error: Particle System Init: FAIL", 5}},
      {"textures/volcanoh24.bmp", {"Error: Volcano Terrain Generation: FAIL", 7}},
      {"textures/erupdebris.bmp", {"Error: Explosion System Init: FAIL", 8}}};
  for (std::string_view file : assetgen::kDataFiles) {
    if (file == ProgramFolders::kManifest) continue;
    folder_.CopyFrom(VULCARA_DATA_DIR);
    std::filesystem::remove_all("cap");
    std::filesystem::remove("conout.log");
    folder_.Write(std::string(file), "");
    RunResult run =
        RunProgram("--headless --fixed-step 20 --frames 3 --capture cap --capture-every 3");
    const auto stop = stopsAt.find(file);
    const bool stops = stop != stopsAt.end();
    ExpectEnded(run, stops ? 1 : 0, std::string(file));
    EXPECT_EQ(std::filesystem::exists("cap/frame-000003.png"), !stops) << file;
    const size_t logged = stops ? stop->second.linesLogged : kStartUpLines.size();
    EXPECT_EQ(FileLines("conout.log"),
              std::vector(kStartUpLines.begin(), kStartUpLines.begin() + logged))
        << file;
    if (stops) {
      EXPECT_NE(run.output.find(stop->second.message), std::string::npos) << run.output;
    }
    const std::string named = std::filesystem::path(file).replace_extension().string();
    EXPECT_NE(run.output.find(named), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find(named), run.output.rfind(named)) << run.output;
  }
}

// A folder that is no data folder of the generator's, or lacks a file its manifest lists, is
// refused before anything starts: nothing is read or written there.
TEST_F(HeadlessRun, OnlyAWholeDataFolderOfTheGeneratorsIsUsed) {
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[] { std::filesystem::remove("manifest.txt"); }, "(the working directory): no manifest"},
      {[&] { folder_.Write("manifest.txt", "milk\neggs\n"); }, "is not a vulcara data folder's"},
      {[] { std::filesystem::remove("textures/ocean.bmp"); }, "missing: textures/ocean.bmp"}};
  for (const auto& [damage, says] : cases) {
    folder_.CopyFrom(VULCARA_DATA_DIR);
    std::filesystem::remove("conout.log");
    damage();
    RunResult run = RunProgram("--headless --frames 1");
    ExpectEnded(run, 1, says);
    EXPECT_NE(run.output.find(says), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists("conout.log")) << says;
  }
}

// Bad options, scripts and outputs stop the run before anything starts or is written, saying
// what is wrong; a script's bytes are quoted, but never as terminal control sequences, and it is
// never recorded over.
TEST_F(HeadlessRun, BadOptionsScriptsAndOutputsAreNamedAndExitTwoWithNothingWritten) {
  folder_.Write("input.txt", "0 key A\n1 keydown NO\x1b[2JSUCH\n");
  std::filesystem::remove("conout.log");
  const std::string outputs = " --frames 1 --record-input input.txt --capture new/cap";
  const std::pair<std::string, const char*> runs[] = {
      {"--bogus", "usage:"},
      {"--headless --input missing.txt", "usage:"},
      {"--headless --input .", "usage:"},
      {"--headless --input input.txt", "input.txt: line 2: unknown key \"NO\\x1b[2JSUCH\""},
      {"--input input.txt --record-input ./input.txt", "would overwrite the --input script"},
      {"--headless --capture-every 1 --fixed-step 20 --video show.avi" + outputs, ".mp4"},
      {"--headless --capture-every 1 --fixed-step 20 --video no/show.mp4" + outputs, "create it"},
      {"--headless --capture-every 1 --benchmark-json ." + outputs, "directory, not a file"},
      {"--headless --size 63x48", "--size 63x48 is outside 64x48 to 8192 on a side"},
      {"--size 1600x1200", "--size needs --headless or --video"},
      {"--headless --frames 1 --record-input no/rec.txt", "no/rec.txt: cannot create it"},
      {"--headless --frames 1 --record-input input.txt --capture input.txt/cap --capture-every 1",
       "input.txt/cap: cannot reach"}};
  for (const auto& [args, says] : runs) {
    RunResult run = RunProgram(args);
    ExpectEnded(run, 2, args);
    EXPECT_NE(run.output.find(says), std::string::npos) << args << run.output;
    EXPECT_FALSE(std::filesystem::exists("conout.log") || std::filesystem::exists("new")) << args;
  }
  EXPECT_EQ(FileLines("input.txt"),
            (std::vector<std::string>{"0 key A", "1 keydown NO\x1b[2JSUCH"}));
}

// What a shell command prints, without the last line break.
std::string Output(const std::string& command) {
  EXPECT_EQ(std::system((command + " > output.txt").c_str()), 0) << command;
  std::string text = ReadFileBytes("output.txt");
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// A command run in the background for as long as this lives.
class Background {
 public:
  explicit Background(const std::string& command)
      : pid_(std::atoi(Output(command + " > /dev/null 2>&1 & echo $!").c_str())) {}
  ~Background() {
    if (pid_ > 0) kill(pid_, SIGTERM);
  }

 private:
  int pid_;
};

// On a real X server with a window manager, as on a desktop: the picture is drawn at the window's
// size as it changes, and in full screen at the screen's, between bars; Alt+Enter and F11 switch
// the window to full screen and back, and pressed while "Press Any Key" shows, they start no
// eruption.
TEST_F(HeadlessRun, FullScreenKeysBelongToTheWindow) {
  Background server("Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> display.txt");
  ASSERT_TRUE(WaitFor([] { return !FileLines("display.txt").empty(); }));
  const std::string display = "DISPLAY=:" + FileLines("display.txt")[0] + " ";
  Background manager(display + "evilwm -fn fixed");
  // Half a second a frame, until Escape; pictures at 36 s, when the window is resized, at 60 s,
  // when the keys go, and at 120 s.
  Background run("(" + display +
                 "SDL_AUDIODRIVER=dummy " VULCARA_EXE
                 " --fixed-step 500 --seconds 300 --capture cap --capture-at 36,60,120; echo $? > "
                 "status.txt)");
  const std::string window =
      Output(display + "timeout 60 xdotool search --sync --name '^Vulcara$' | head -n 1");
  ASSERT_FALSE(window.empty());
  const std::string before = "cap/frame-000073.png", resized = "cap/frame-000121.png",
                    after = "cap/frame-000241.png";
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(before); }));
  auto xdotool = [&](const std::string& commands) {
    return Output(display + "xdotool " + commands);
  };
  xdotool("windowsize --sync " + window + " 1000 700");
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(resized); }));
  // Each key held across frames, as a hand holds it; the window's size follows.
  for (const auto& [keys, size] :
       {std::pair{"alt+Return", "1280x1024"}, {"alt+Return", "1000x700"}, {"F11", "1280x1024"}}) {
    xdotool("windowfocus --sync " + window + " keydown " + keys + " sleep 0.3 keyup " + keys);
    EXPECT_TRUE(WaitFor([&] {
      return xdotool("getwindowgeometry " + window).find(size) != std::string::npos;
    })) << keys
        << " " << size;
  }
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(after); }));
  xdotool("windowfocus --sync " + window + " key Escape");
  ASSERT_TRUE(WaitFor([] { return !FileLines("status.txt").empty(); }));
  EXPECT_EQ(FileLines("status.txt")[0], "0");
  const PngPicture first = ReadPng(before), middle = ReadPng(resized), last = ReadPng(after);
  EXPECT_EQ(std::pair(first.width, first.height), std::pair(800, 600));
  EXPECT_EQ(std::pair(middle.width, middle.height), std::pair(1000, 700));
  EXPECT_EQ(std::pair(last.width, last.height), std::pair(1280, 960));
  // No blast, lava or fire on the cone: it is no redder than before the keys.
  EXPECT_LT(MeanOf(last, 480, 288, 320, 640).r, MeanOf(first, 300, 180, 200, 400).r + 5);
}

// What a player gets out of a file.
struct VideoContents {
  std::string streams;  // codec and size of each
  int pictures = 0, soundRate = 0;
  double frameRate = 0, pictureSeconds = 0, firstPictureAt = -1, firstSoundAt = -1;
  std::vector<uint8_t> keptRgba;  // the picture asked for
  std::vector<float> left;        // the sound's left channel
};

void TakePicture(const AVFrame& frame, int keep, VideoContents* out) {
  if (out->pictures++ != keep) return;
  out->keptRgba.resize(size_t(frame.width) * frame.height * 4);
  SwsContext* rgba =
      sws_getContext(frame.width, frame.height, AVPixelFormat(frame.format), frame.width,
                     frame.height, AV_PIX_FMT_RGBA, SWS_BICUBIC, nullptr, nullptr, nullptr);
  uint8_t* rows[] = {out->keptRgba.data()};
  const int pitches[] = {frame.width * 4};
  sws_scale(rgba, frame.data, frame.linesize, 0, frame.height, rows, pitches);
  sws_freeContext(rgba);
}

// Decodes every picture and sample; keeps picture number `keep` (from 0) as RGBA.
VideoContents ReadVideo(const std::string& path, int keep = -1) {
  VideoContents out;
  AVFormatContext* file = nullptr;
  if (avformat_open_input(&file, path.c_str(), nullptr, nullptr) < 0) return out;
  avformat_find_stream_info(file, nullptr);
  std::vector<AVCodecContext*> decoders;
  for (unsigned i = 0; i < file->nb_streams; ++i) {
    const AVStream* stream = file->streams[i];
    const AVCodecParameters* codec = stream->codecpar;
    decoders.push_back(avcodec_alloc_context3(avcodec_find_decoder(codec->codec_id)));
    avcodec_parameters_to_context(decoders.back(), codec);
    decoders.back()->pkt_timebase = stream->time_base;
    avcodec_open2(decoders.back(), nullptr, nullptr);
    const std::string name = avcodec_get_name(codec->codec_id);
    if (codec->codec_type == AVMEDIA_TYPE_VIDEO) {
      out.streams +=
          name + " " + std::to_string(codec->width) + "x" + std::to_string(codec->height) + ", ";
      out.frameRate = av_q2d(stream->avg_frame_rate);
      out.pictureSeconds = double(stream->duration) * av_q2d(stream->time_base);
    } else {
      out.streams += name + " " + std::to_string(codec->ch_layout.nb_channels) + " channels";
      out.soundRate = codec->sample_rate;
    }
  }
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  auto send = [&](AVCodecContext* decoder, const AVPacket* data) {
    avcodec_send_packet(decoder, data);
    while (avcodec_receive_frame(decoder, frame) >= 0) {
      const double at = double(frame->best_effort_timestamp) * av_q2d(decoder->pkt_timebase);
      if (decoder->codec_type == AVMEDIA_TYPE_VIDEO) {
        if (out.pictures == 0) out.firstPictureAt = at;
        TakePicture(*frame, keep, &out);
      } else if (frame->format == AV_SAMPLE_FMT_FLTP) {
        if (out.left.empty()) out.firstSoundAt = at;
        const auto* left = reinterpret_cast<const float*>(frame->data[0]);
        out.left.insert(out.left.end(), left, left + frame->nb_samples);
      }
    }
  };
  while (av_read_frame(file, packet) >= 0) {
    send(decoders[size_t(packet->stream_index)], packet);
    av_packet_unref(packet);
  }
  for (AVCodecContext* decoder : decoders) {
    send(decoder, nullptr);
    avcodec_free_context(&decoder);
  }
  av_frame_free(&frame);
  av_packet_free(&packet);
  avformat_close_input(&file);
  return out;
}

class VideoRun : public HeadlessRun {};

// The README's video of the whole show, with one frame of the eruption also captured as a PNG.
TEST_F(VideoRun, TheReadmesShowIsAFileOfEveryFrameWithItsSoundLoudestAtTheBlast) {
  RunResult run;  // the key script's, then the video's
  for (const std::string& command : ReadmeExamples()) {
    if (command.find("key.txt") == std::string::npos) continue;
    run = RunReadmeCommand(command, " --capture cap --capture-at 37.7");
    ASSERT_EQ(run.status, 0) << command << run.output;
  }
  EXPECT_NE(run.output.find("show.mp4: frame 1001 of 1001"), std::string::npos) << run.output;
  const std::string png = std::filesystem::directory_iterator("cap")->path().string();
  const int frameNumber = std::stoi(png.substr(png.find("frame-") + 6));
  const VideoContents video = ReadVideo("show.mp4", frameNumber - 1);
  EXPECT_EQ(video.streams, "h264 1440x1080, aac 2 channels");
  EXPECT_DOUBLE_EQ(video.frameRate, 25.0);
  EXPECT_EQ(video.pictures, 1001);
  EXPECT_NEAR(video.pictureSeconds, 40.04, 0.001);
  EXPECT_NEAR(double(video.left.size()) / video.soundRate, 40.04, 0.03);

  // The picture at that time is the PNG capture of the same frame.
  const PngPicture captured = ReadPng(png);
  ASSERT_EQ(video.keptRgba.size(), captured.rgba.size());
  double difference = 0;
  for (size_t i = 0; i < captured.rgba.size(); ++i) {
    if (i % 4 != 3) difference += std::abs(int(video.keptRgba[i]) - int(captured.rgba[i]));
  }
  EXPECT_LT(difference / double(captured.rgba.size() * 3 / 4), 4.0);
  // The key at 35.5 s starts the rumble; the blast follows two seconds later.
  const auto loudest = std::max_element(video.left.begin(), video.left.end(),
                                        [](float a, float b) { return std::abs(a) < std::abs(b); });
  const double loudestAt = double(loudest - video.left.begin()) / video.soundRate;
  EXPECT_GT(loudestAt, 37.5);
  EXPECT_LT(loudestAt, 38.1);
  // The looped sounds play on to the end.
  EXPECT_GT(*std::max_element(video.left.end() - video.soundRate, video.left.end()), 0.01f);
}

// The window closed after a second, its frames counted by the benchmark too; then the signals a
// user sends. Each ends the run through the normal shut-down.
TEST_F(VideoRun, QuittingEarlyEndsTheFileAtItsLastFrame) {
  folder_.Write("close.txt", "1.0 close\n");
  const RunResult run = RunProgram(
      "--headless --fixed-step 9 --seconds 5 --input close.txt --benchmark-json bench.json "
      "--video a.webm");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(FileLines("conout.log"), kStartUpLines);
  // Frame n presents at (n - 1) x 9 ms; the close arrives after frame 112.
  EXPECT_NE(run.output.find("benchmark: 112 frames"), std::string::npos) << run.output;
  EXPECT_NE(ReadFileBytes("bench.json").find("\"frames\": 112,"), std::string::npos);
  const VideoContents a = ReadVideo("a.webm");
  EXPECT_EQ(a.streams, "vp9 800x600, opus 2 channels");
  EXPECT_EQ(a.pictures, 112);
  // The sound as long as the pictures, to the sample: a step of 9 ms is no whole number of the
  // mix's frames, whose share of each step must not be lost.
  EXPECT_NEAR(double(a.left.size()) / a.soundRate, 112 * 0.009, 0.0002);
  EXPECT_GT(*std::max_element(a.left.begin(), a.left.end()), 0.01f);  // the waves and the wind

  // A signal ends the run through the normal shut-down: the log complete, the file finished.
  for (int signal : {SIGINT, SIGTERM}) {
    std::filesystem::remove("quit.mp4");
    std::filesystem::remove("conout.log");
    const auto recording = [] {
      return FileLines("conout.log") == kStartUpLines && std::filesystem::exists("quit.mp4") &&
             std::filesystem::file_size("quit.mp4") > 0;
    };
    ASSERT_EQ(StatusAfterSignal(signal, {"--headless", "--fixed-step", "20", "--video", "quit.mp4"},
                                recording),
              0);
    EXPECT_EQ(FileLines("conout.log"), kStartUpLines) << signal;
    const VideoContents quit = ReadVideo("quit.mp4");
    EXPECT_GT(quit.pictures, 0) << signal;
    EXPECT_NEAR(quit.pictureSeconds, quit.pictures * 0.02, 0.001) << signal;
    EXPECT_EQ(quit.firstPictureAt, quit.firstSoundAt) << signal;  // both at the start
  }
}

// The same command gives the same file in either format, on one processor as on all of them.
TEST_F(VideoRun, TheSameCommandGivesTheSameFileOnAnyMachine) {
  for (const std::string name : {"a.mp4", "a.webm"}) {
    std::string files[2];
    for (const char* processors : {"", "taskset -c 0 "}) {
      const RunResult run =
          RunProgram("--headless --fixed-step 20 --seconds 1 --video " + name, processors);
      ASSERT_EQ(run.status, 0) << run.output;
      files[*processors != 0] = ReadFileBytes(name);
    }
    EXPECT_GT(files[0].size(), 10000u) << name;
    EXPECT_TRUE(files[0] == files[1]) << name;
  }
}

// A file that may grow no larger than 100 KB, as on a full disk.
TEST_F(VideoRun, AFileThatCantGrowEndsTheRunAndIsRemoved) {
  const RunResult run = RunProgram("--headless --fixed-step 20 --seconds 10 --video big.mp4",
                                   "ulimit -f 200; trap '' XFSZ; ");
  EXPECT_EQ(run.status, 1);
  const std::string message = "big.mp4: the video cannot be written (File too large)";
  EXPECT_NE(run.output.find(message), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find(message), run.output.rfind(message)) << run.output;
  EXPECT_FALSE(std::filesystem::exists("big.mp4"));
}

}  // namespace
