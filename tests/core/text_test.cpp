#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "cards/cp1251.h"
#include "persist/io_error.h"
#include "persist/text_files.h"
#include "ru_text.h"
#include "scratch_dir.h"

namespace zlc {
namespace {

TEST(Cp1251, KnownLetters) {
  EXPECT_EQ(Ru("Тб"), "\xD2\xE1");
  EXPECT_EQ(Ru("6789XВДКТ"), "6789X\xC2\xC4\xCA\xD2");
  EXPECT_EQ(Ru("пбкч"), "\xEF\xE1\xEA\xF7");
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xDF\xE0\xFF"), "АЯая");
  EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\x88\xB9\x96"), "Ёё€№–");
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
  EXPECT_EQ(Cp1251ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1251, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string expected = all;
  expected[0x98] = '?';  // the one unassigned byte
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), expected);
}

TEST(Cp1251, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a中b"), "a?b");
  EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80!"), "?!");
  EXPECT_EQ(Utf8ToCp1251("\xFF"), "?");
  EXPECT_EQ(Utf8ToCp1251("\x80" "A"), "?A");
  EXPECT_EQ(Utf8ToCp1251("\xD0" "A"), "?A");
  EXPECT_EQ(Utf8ToCp1251("x\xD0"), "x?");
  EXPECT_EQ(Utf8ToCp1251("\xE2\x82"), "??");
  EXPECT_EQ(Utf8ToCp1251("\xEF\xBF\xBD"), "?");
}

TEST(IoErrorText, RuntimeWording) {
  EXPECT_EQ(IoError{ENOENT}.Message(), "File not found");
  EXPECT_EQ(IoError{5}.Message(), "I/O error 5");
  EXPECT_EQ(IoError{13}.Message(), "I/O error 13");
  EXPECT_EQ(InvalidIntegerMessage("12a"), "'12a' is not a valid integer value");
  EXPECT_EQ(InvalidIntegerMessage(""), "'' is not a valid integer value");
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TextFiles, CreateIfMissingAndDelete) {
  ScratchDir dir;
  EXPECT_FALSE(FileExists("a.log"));
  EXPECT_FALSE(CreateIfMissing("a.log").has_value());
  EXPECT_TRUE(FileExists("a.log"));
  EXPECT_EQ(Contents("a.log"), "");

  std::ofstream("b.log", std::ios::binary) << "kept\r\n";
  EXPECT_FALSE(CreateIfMissing("b.log").has_value());
  EXPECT_EQ(Contents("b.log"), "kept\r\n");

  IoResult missingDir = CreateIfMissing("no_such_dir/c.log");
  ASSERT_TRUE(missingDir.has_value());
  EXPECT_EQ(missingDir->Message(), "File not found");

  std::filesystem::create_directory("d.log");
  EXPECT_FALSE(FileExists("d.log"));  // a directory is no file
  IoResult isDir = CreateIfMissing("d.log");
  ASSERT_TRUE(isDir.has_value());
  EXPECT_EQ(isDir->Message(), "I/O error " + std::to_string(EISDIR));

  EXPECT_FALSE(DeleteIfExists("a.log").has_value());
  EXPECT_FALSE(FileExists("a.log"));
  EXPECT_FALSE(DeleteIfExists("a.log").has_value());
  EXPECT_TRUE(std::filesystem::is_directory("d.log"));
}

}  // namespace
}  // namespace zlc
