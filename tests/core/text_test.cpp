#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "cards/cp1251.h"
#include "persist/io_error.h"
#include "persist/text_files.h"
#include "ru_text.h"
#include "scratch_dir.h"
#include "support/files.h"

namespace zlc {
namespace {

using test::ReadBytes;
using test::WriteBytes;

TEST(Cp1251, KnownLetters) {
  EXPECT_EQ(Ru("Тб"), "\xD2\xE1");
  EXPECT_EQ(Ru("6789XВДКТ"), "6789X\xC2\xC4\xCA\xD2");
  EXPECT_EQ(Ru("пбкч"), "\xEF\xE1\xEA\xF7");
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xDF\xE0\xFF"), "АЯая");
  EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\x88\xB9\x96"), "Ёё€№–");
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
  EXPECT_EQ(Cp1251ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

// Text appended after what is there, each byte in its own length, with
// nothing left over past the last one.
TEST(Cp1251, AppendsAfterWhatIsThere) {
  std::string out = "x";
  AppendCp1251AsUtf8(out, "\xD2" "a\x96");
  EXPECT_EQ(out, "xТa–");
  AppendCp1251AsUtf8(out, "");
  EXPECT_EQ(out, "xТa–");
  AppendCp1251AsUtf8(out, "b");
  EXPECT_EQ(out, "xТa–b");
}

TEST(Cp1251, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  // The unassigned byte too: it goes out as U+FFFD and comes back as itself.
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

// A character Windows-1251 cannot hold, and a byte of no well-formed
// sequence, must not become '?' (a task's wildcard) or any other character
// the user did not type.
TEST(Cp1251, UnmappableAndMalformedBecomeTheUnassignedByte) {
  const std::string x(1, kUnconvertible);
  EXPECT_EQ(Utf8ToCp1251("a中b"), "a" + x + "b");
  EXPECT_EQ(Utf8ToCp1251("Aß **"), "A" + x + " **");
  EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80!"), x + "!");
  EXPECT_EQ(Utf8ToCp1251("\xFF"), x);
  EXPECT_EQ(Utf8ToCp1251("\x80" "A"), x + "A");
  EXPECT_EQ(Utf8ToCp1251("\xD0" "A"), x + "A");
  EXPECT_EQ(Utf8ToCp1251("x\xD0"), "x" + x);
  EXPECT_EQ(Utf8ToCp1251("\xE2\x82"), x + x);
  EXPECT_EQ(Utf8ToCp1251("\xEF\xBF\xBD"), x);
  // Overlong forms of '?' and '*', a surrogate, and past U+10FFFF.
  EXPECT_EQ(Utf8ToCp1251("\xC0\xBF"), x + x);
  EXPECT_EQ(Utf8ToCp1251("\xE0\x80\xAA"), x + x + x);
  EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), x + x + x);
  EXPECT_EQ(Utf8ToCp1251("\xF4\x90\x80\x80"), x + x + x + x);
  // Windows-1251 bytes taken for UTF-8 give no card character either.
  EXPECT_EQ(Utf8ToCp1251("\xD2\xE1 **"), x + x + " **");
}

// A message that quotes what a user or a file gave must not hand the
// terminal an escape sequence, nor break a message box's lines.
TEST(ControlEscape, ControlsShowAsEscapes) {
  EXPECT_EQ(EscapeControlsUtf8("\x1b]0;PWNED\x07 ** "), "\\x1b]0;PWNED\\x07 ** ");
  EXPECT_EQ(EscapeControlsUtf8("a\tb\nc\rd\x7f"), "a\tb\\x0ac\\x0dd\\x7f");
  EXPECT_EQ(EscapeControlsUtf8(std::string("n\0l", 3)), "n\\x00l");
  // C1 controls as code points; Cyrillic and other letters stay.
  EXPECT_EQ(EscapeControlsUtf8("\xC2\x9B" "31m \xC2\x85"), "\\u009b31m \\u0085");
  EXPECT_EQ(EscapeControlsUtf8("Тб € \xC2\xA0"), "Тб € \xC2\xA0");
  // A lone 0x9b is a CSI to an 8-bit terminal.
  EXPECT_EQ(EscapeControlsUtf8("x\x9b" "2J\xFF"), "x\\x9b2J\\xff");
  // Windows-1251: 0x80..0x9f are letters there (0x9a is "љ").
  EXPECT_EQ(EscapeControlsCp1251("\x9a\xD2\x1b[2J\x7f\t"), "\x9a\xD2\\x1b[2J\\x7f\t");
}

TEST(Utf8Check, WellFormedOnly) {
  for (const char* good : {"", "ASCII only", "Тб 7п", "€ 中 \xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF"}) {
    EXPECT_TRUE(IsValidUtf8(good)) << good;
  }
  for (const char* bad : {"\xD2\xE1 **", "\xD0 As", "\x80", "x\xD0", "\xE2\x82", "\xC0\xBF",
                          "\xC1\x81", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\xF5\x80\x80\x80", "\xFE", "\xC3\x28"}) {
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
  }
}

// A file is read as UTF-8 only when it is valid UTF-8 and not plain ASCII;
// a Windows-1251 file with Cyrillic letters reads as before.
TEST(Utf8Check, FileTextIsConvertedOnlyWhenItIsUtf8) {
  EXPECT_EQ(FileTextToCp1251("** 6п **"), "** 6\xEF **");
  EXPECT_EQ(FileTextToCp1251("\xD2\xE1 7\xEF "), "\xD2\xE1 7\xEF ");
  EXPECT_EQ(FileTextToCp1251("Ad ** 7s"), "Ad ** 7s");
  EXPECT_EQ(FileTextToCp1251("Тб ß"), "\xD2\xE1 " + std::string(1, kUnconvertible));
  // One Windows-1251 letter makes the whole text Windows-1251.
  EXPECT_EQ(FileTextToCp1251("Тб \xEF"), "\xD0\xA2\xD0\xB1 \xEF");
}

TEST(IoErrorText, RuntimeWording) {
  EXPECT_EQ(IoError{ENOENT}.Message(), "File not found");
  EXPECT_EQ(IoError{5}.Message(), "I/O error 5");
  EXPECT_EQ(IoError{13}.Message(), "I/O error 13");
  EXPECT_EQ(InvalidIntegerMessage("12a").text, "'12a' is not a valid integer value");
  EXPECT_EQ(InvalidIntegerMessage("").text, "'' is not a valid integer value");
}

TEST(TextFiles, CreateIfMissingAndDelete) {
  ScratchDir dir;
  EXPECT_FALSE(FileExists("a.log"));
  EXPECT_FALSE(CreateIfMissing("a.log").has_value());
  EXPECT_TRUE(FileExists("a.log"));
  EXPECT_EQ(ReadBytes("a.log"), "");

  WriteBytes("b.log", "kept\r\n");
  EXPECT_FALSE(CreateIfMissing("b.log").has_value());
  EXPECT_EQ(ReadBytes("b.log"), "kept\r\n");

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
