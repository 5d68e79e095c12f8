#include "console/console.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "drawn_quad.h"
#include "recorded_scene.h"
#include "recording_device_test.h"
#include "test_folder.h"

namespace {

// The lines a console shows, newest first, down to the first blank slot.
std::vector<std::string> Shown(const Console& console) {
  std::vector<std::string> lines;
  for (int k = 1; k < ConsoleLines::kSlots && *console.Lines().Slot(k); ++k) {
    lines.push_back(console.Lines().Slot(k));
  }
  return lines;
}

TEST(ConsoleLinesTest, KeepsTheNewest23CutTo127AndLogsEveryLineWholeAtOnce) {
  TestFolder folder;
  ConsoleLines lines;
  ASSERT_TRUE(lines.OpenLog("con.log"));
  for (int i = 0; i < 29; ++i) lines.Print(std::to_string(i).c_str());
  lines.Print(std::string(200, 'x').c_str());
  EXPECT_STREQ(lines.Slot(0), "");
  EXPECT_EQ(std::string(lines.Slot(1)), std::string(127, 'x'));
  EXPECT_STREQ(lines.Slot(23), "7");
  // Every line is in the file while the log is still open.
  std::vector<std::string> logged = FileLines("con.log");
  ASSERT_EQ(logged.size(), 30u);
  EXPECT_EQ(logged[29].size(), 200u);
}

// A folder, and a full device (which fails at the first line written).
TEST(ConsoleLinesTest, ALogThatCannotBeWrittenIsSaidOnceAndTheLinesAreStillKept) {
  TestFolder folder;
  std::filesystem::create_directory("folder.log");
  for (const char* log : {"folder.log", "/dev/full"}) {
    ConsoleLines lines;
    ::testing::internal::CaptureStderr();
    lines.OpenLog(log);
    lines.Print("one");
    lines.Print("two");
    EXPECT_STREQ(lines.Slot(1), "two");
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind(std::string(log) + ": cannot write the console log (", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
}

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override { console_.Show(false); }

  // Types each character and returns the last result.
  ConsoleResult Type(const std::string& text) {
    ConsoleResult result = kConsoleNoAction;
    for (char c : text) result = console_.HandleChar(std::string(1, c).c_str());
    return result;
  }

  Console console_;
};

// /help's and /quit's texts, and the exit /quit asks for, are read back from a headless run.
TEST_F(ConsoleTest, CommandsHandBackACodeOrPrintBeforeTheEchoAndTheInputLineKeeps126Characters) {
  const std::pair<const char*, ConsoleResult> codes[] = {
      {"/hidefps\r", kConsoleHideFps},
      {"/showfps\r", kConsoleShowFps},
      {"/waterdetaillow\r", kConsoleWaterDetailLow},
      {"/waterdetailmed\r", kConsoleWaterDetailMed},
      {"/waterdetailhigh\r", kConsoleWaterDetailHigh}};
  for (const auto& [command, code] : codes) EXPECT_EQ(Type(command), code) << command;
  EXPECT_TRUE(Shown(console_).empty());  // commands with a code are not echoed
  EXPECT_STREQ(console_.InputLine(), ">");
  for (const char* unknown : {"/HELP\r", "/help \r"}) {
    EXPECT_EQ(Type(unknown), kConsoleNoAction);
    EXPECT_EQ(Shown(console_)[1], "Error Processing Command") << unknown;
  }
  Type("hello\r");
  EXPECT_EQ(Shown(console_)[0], ">hello");
  Type("/clear\r");
  EXPECT_EQ(Shown(console_), std::vector<std::string>{">/clear"});

  // The input line keeps its prompt and 126 characters.
  Type("\b\bab\b");
  EXPECT_STREQ(console_.InputLine(), ">a");
  Type(std::string(200, 'z'));
  EXPECT_EQ(std::string(console_.InputLine()).size(), 127u);
  Type("\b!");
  EXPECT_EQ(std::string(console_.InputLine()).back(), '!');
  EXPECT_EQ(console_.HandleChar("ab"), kConsoleNoAction);  // not one character
  EXPECT_EQ(console_.HandleChar(""), kConsoleNoAction);
  Type("\r");
  // The toggle characters hand back 1 and never enter the line; a hidden console takes nothing.
  EXPECT_EQ(Type("`"), kConsoleToggle);
  EXPECT_EQ(Type("~"), kConsoleToggle);
  EXPECT_STREQ(console_.InputLine(), ">");
  console_.Hide(false);
  EXPECT_EQ(Type("/showfps\r"), kConsoleNoAction);
  EXPECT_EQ(Type("`"), kConsoleNoAction);
  EXPECT_STREQ(console_.InputLine(), ">");
}

// The console on a 640 x 480 recording device with the program's own font.
class ConsoleDrawTest : public RecordingDeviceTest {
 protected:
  ConsoleDrawTest() : RecordingDeviceTest(640, 480) {}
  void SetUp() override {
    const std::string font = std::string(VULCARA_DATA_DIR) + "/font/FONT_8";
    ASSERT_TRUE(console_->Init(font.c_str(), nullptr, 0xF00F, nullptr, device_));
    device_->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &fire_);
    console_->SetBackgroundTexture(fire_);
  }
  void TearDown() override { fire_->Release(); }

  std::vector<RecordedDraw> Render() {
    return RecordScene(device_, [&] { return console_->Render(device_); }).draws;
  }

  IDirect3DTexture8* fire_ = nullptr;
  std::unique_ptr<Console> console_ = std::make_unique<Console>();
};

TEST_F(ConsoleDrawTest, RowsRunUpFromTheInputLineAndLongLinesEndInDots) {
  EXPECT_TRUE(Render().empty());  // hidden
  console_->Show(false);
  console_->Print(std::string(77, 'a').c_str());
  console_->Print(std::string(76, 'b').c_str());
  console_->HandleChar("x");
  // 640 / 8 = 80 columns; 24 rows of the 30 that fit 240 pixels. The backdrop, slot 1 whole,
  // slot 2 with its 78th to 80th cells as dots, then the input line.
  std::vector<RecordedDraw> draws = Render();
  ASSERT_EQ(draws.size(), 1 + 76 + 80 + 2u);
  EXPECT_EQ(DrawnQuadOf(draws[1]).bottom, 8.0f * 23);
  EXPECT_EQ(DrawnQuadOf(draws[77]).bottom, 8.0f * 22);
  EXPECT_EQ(draws[154].textureId, draws[156].textureId);
  EXPECT_NE(draws[154].textureId, draws[153].textureId);
  EXPECT_FLOAT_EQ(DrawnQuadOf(draws[157]).bottom, 8.0f * 24);
  EXPECT_NEAR(DrawnQuadOf(draws[158]).left, 8.0f, 1e-4);
}

TEST_F(ConsoleDrawTest, AViewportOfTwoColumnsShowsOnlyDots) {
  console_->Show(false);
  console_->Print("abc");
  D3DVIEWPORT8 narrow = {0, 0, 16, 480, 0.0f, 1.0f};
  device_->SetViewport(&narrow);
  // Like a row of three columns, every row is all dots; nothing lands before a row's start.
  std::vector<RecordedDraw> draws = Render();
  ASSERT_EQ(draws.size(), 1 + 24 * 2 + 1u);
  for (size_t i = 2; i <= 48; ++i) EXPECT_EQ(draws[i].textureId, draws[1].textureId);
}

}  // namespace
