#include "platform/window/input_script.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/window/input_recorder.h"
#include "test_folder.h"

namespace {

// Each message's time, kind, wParam and lParam.
using Event = std::tuple<uint32_t, UINT, WPARAM, LPARAM>;
std::vector<Event> Events(const std::vector<ScriptedMessage>& messages) {
  std::vector<Event> events;
  for (const ScriptedMessage& m : messages)
    events.emplace_back(m.timeMs, m.message, m.wParam, m.lParam);
  return events;
}

TEST(InputScript, ParsesEveryEventKindInTimeOrder) {
  InputScript script;
  std::string error;
  ASSERT_TRUE(
      script.Parse("# a comment\n"
                   "2.5 mouse 300 200\n"
                   "\n"
                   "1 keydown VK_LEFT\r\n"
                   "1 keyup left  # a comment after an event\n"
                   "3 key 0x41\n"
                   "3 keydown F5\n"
                   "3 keydown z\n"
                   "3 keydown VK_OEM_3\n"
                   "4 char 96\n"
                   "5 text / \\#\\r  # typed: '/ #' and Enter\n"
                   "6 close#\n",
                   &error))
      << error;
  const LPARAM xy = MAKELPARAM(300, 200);
  const std::vector<Event> want = {{1000, WM_KEYDOWN, VK_LEFT, 0}, {1000, WM_KEYUP, VK_LEFT, 0},
                                   {2500, WM_MOUSEMOVE, 0, xy},    {3000, WM_KEYDOWN, 'A', 0},
                                   {3000, WM_KEYUP, 'A', 0},       {3000, WM_KEYDOWN, VK_F1 + 4, 0},
                                   {3000, WM_KEYDOWN, 'Z', 0},     {3000, WM_KEYDOWN, VK_OEM_3, 0},
                                   {4000, WM_CHAR, 96, 0},         {5000, WM_CHAR, '/', 0},
                                   {5000, WM_CHAR, ' ', 0},        {5000, WM_CHAR, '#', 0},
                                   {5000, WM_CHAR, '\r', 0},       {6000, WM_DESTROY, 0, 0}};
  EXPECT_EQ(Events(script.Messages()), want);
}

TEST(InputScript, MalformedLinesAreRejectedWithTheirLineNumber) {
  for (const char* line : {"x keydown A", "-1 keydown A", "1 keydown NOSUCHKEY", "1 keydown",
                           "1 char 300", "1 mouse 10", "1 mouse -1 5", "1 jump", "1 text bad\\q",
                           "1 close now", "1", "1 key 256", "1 key F99"}) {
    InputScript script;
    std::string error;
    EXPECT_FALSE(script.Parse(std::string("# header\n0 key A\n") + line + "\n", &error)) << line;
    EXPECT_EQ(error.rfind("line 3:", 0), 0u) << line << " -> " << error;
    EXPECT_TRUE(script.Messages().empty()) << line;
  }
  // A huge token is quoted back cut short; a script types no more than its budget of events.
  InputScript script;
  std::string error;
  EXPECT_FALSE(script.Parse("1 keydown " + std::string(1 << 20, 'K'), &error));
  EXPECT_EQ(error, "line 1: unknown key \"" + std::string(40, 'K') + "...\"");
  const std::string typing = "0 text " + std::string(1 << 17, 'x') + "\n";
  EXPECT_TRUE(script.Parse(typing + typing, &error)) << error;
  EXPECT_FALSE(script.Parse(typing + "9 close\n" + typing, &error));
  EXPECT_EQ(error,
            "line 3: the script holds more than 262144 events (each typed character is one)");
}

// The README's example script, as the README shows it.
std::string ReadmeScript() {
  std::stringstream text;
  text << std::ifstream(VULCARA_SOURCE_DIR "/README.md").rdbuf();
  const std::string all = text.str();
  const size_t intro = all.find("An input script has one event per line");
  const size_t start = all.find("```\n", intro) + 4;
  return all.substr(start, all.find("```", start) - start);
}

TEST(InputScript, TheReadmeExampleParses) {
  InputScript script;
  std::string error;
  ASSERT_TRUE(script.Parse(ReadmeScript(), &error)) << error;
  const auto& m = script.Messages();
  ASSERT_EQ(m.size(), 13u);  // down, up, "key" twice, a char, 6 typed, a mouse move, close
  EXPECT_EQ(m[5].wParam, '/');
  EXPECT_EQ(m[10].wParam, '\r');
  EXPECT_EQ(m.back().message, WM_DESTROY);
}

// Read by the program's bounded file reader, which refuses what is not a regular file.
TEST(InputScript, FilesAreReadWithinAScriptsSizeAndTheirErrorsNameThem) {
  TestFolder folder;
  std::ofstream("big.txt") << std::string(5 << 20, '\n');
  std::ofstream("bad.txt") << "0 key A\n1 jump\n";
  InputScript script;
  std::string error;
  EXPECT_FALSE(script.Load("big.txt", &error));
  EXPECT_EQ(error.rfind("big.txt: is 5242880 bytes", 0), 0u) << error;
  EXPECT_FALSE(script.Load("bad.txt", &error));
  EXPECT_EQ(error.rfind("bad.txt: line 2:", 0), 0u) << error;
}

// What a recording writes, a script reads back as the same messages at the same times.
TEST(InputScript, RecordedInputReplaysAsTheSameMessages) {
  TestFolder folder;
  const ScriptedMessage live[] = {
      {1500, WM_KEYDOWN, VK_LEFT, 0}, {1520, WM_KEYUP, VK_F1 + 4, 0},
      {2001, WM_KEYDOWN, 'Q', 0},     {2001, WM_KEYDOWN, 0xDB, 0},
      {3000, WM_CHAR, 200, 1},        {4000, WM_MOUSEMOVE, 0, MAKELPARAM(640, 37)},
      {4500, WM_DESTROY, 0, 0}};
  std::string error;
  {
    InputRecorder recorder;
    ASSERT_TRUE(recorder.Open("recorded.txt", &error)) << error;
    for (const ScriptedMessage& m : live) recorder.Record(m.timeMs, m.message, m.wParam, m.lParam);
    recorder.Record(4600, WM_QUIT, 0, 0);  // not input: left out
  }
  InputScript script;
  ASSERT_TRUE(script.Load("recorded.txt", &error)) << error;
  std::vector<ScriptedMessage> replayed(std::begin(live), std::end(live));
  replayed[4].lParam = 0;  // a character's repeat count is not written
  EXPECT_EQ(Events(script.Messages()), Events(replayed));
  InputRecorder unwritable;
  EXPECT_FALSE(unwritable.Open("no/such/folder/recorded.txt", &error));
  EXPECT_NE(error.find("no/such/folder/recorded.txt"), std::string::npos);
  EXPECT_FALSE(unwritable.Open("/dev/full", &error));
  EXPECT_EQ(error, "/dev/full: cannot write the input recording (No space left on device)");
}

}  // namespace
