#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "test_folder.h"

namespace {

TEST(FilesTest, ReadsRegularFilesWithinTheirSizeAndTheCapAndRefusesAllElse) {
  TestFolder folder;
  std::filesystem::create_directory("sub");
  std::ofstream("sub/ten.bin", std::ios::binary) << "0123456789";
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(ReadWholeFile("sub\\ten.bin", 10, &bytes, &error)) << error;
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");

  EXPECT_FALSE(ReadWholeFile("sub\\ten.bin", 9, &bytes, &error));
  EXPECT_EQ(error, "sub/ten.bin: is 10 bytes, more than the 9 it may have");
  EXPECT_TRUE(bytes.empty());

  InputFile file;
  ASSERT_TRUE(file.Open("sub/ten.bin", &error));
  EXPECT_EQ(file.Size(), 10u);
  EXPECT_TRUE(file.Read(8, 2, &bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{'8', '9'}));
  EXPECT_FALSE(file.Read(8, 3, &bytes));
  EXPECT_FALSE(file.Read(11, 0, &bytes));

  // What is not a regular file is refused without reading it.
  std::filesystem::create_directory("dir");
  ASSERT_EQ(mkfifo("pipe", 0600), 0);  // opening it for reading would block
  EXPECT_FALSE(ReadWholeFile("dir", 1 << 20, &bytes, &error));
  EXPECT_EQ(error, "dir: is a directory, not a file");
  EXPECT_FALSE(ReadWholeFile("/dev/zero", 1 << 20, &bytes, &error));
  EXPECT_EQ(error, "/dev/zero: is a device, not a file");
  EXPECT_FALSE(ReadWholeFile("pipe", 1 << 20, &bytes, &error));
  EXPECT_EQ(error, "pipe: is a pipe, not a file");
  EXPECT_FALSE(ReadWholeFile("missing", 1 << 20, &bytes, &error));
  EXPECT_EQ(error, "missing: cannot open it (No such file or directory)");
}

}  // namespace
