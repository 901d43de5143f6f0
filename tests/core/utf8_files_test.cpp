// Task and settings files written by a UTF-8 editor read as the user wrote
// them; Windows-1251 files read as before; standard input reads like a file.
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "calculator/calculator.h"
#include "persist/config_file.h"
#include "persist/task_file.h"
#include "ru_text.h"
#include "scratch_dir.h"
#include "support/config_settings.h"
#include "support/files.h"

namespace zlc {
namespace {

using test::WriteBytes;

// A pipe holding `bytes`, its write end closed; the read end is returned.
int PipeWith(const std::string& bytes) {
  int ends[2];
  if (::pipe(ends) != 0) return -1;
  const ssize_t written = ::write(ends[1], bytes.data(), bytes.size());
  ::close(ends[1]);
  return written == static_cast<ssize_t>(bytes.size()) ? ends[0] : -1;
}

TEST(Utf8TaskFile, OpensAsTheUserWroteIt) {
  ScratchDir dir;
  WriteBytes("utf8.zlt", "** 6п **\r\n");
  Calculator calc;
  ASSERT_TRUE(calc.OpenTaskFile("utf8.zlt"));  // the window's File, Open
  EXPECT_EQ(calc.editor.Text(), Ru("** 6п ** "));
  EXPECT_EQ(calc.notation.notationName, "Ru");

  // The same text as the window saves it: Windows-1251, read as before.
  ASSERT_TRUE(calc.SaveTaskFile("saved.zlt"));
  Calculator again;
  ASSERT_TRUE(again.OpenTaskFile("saved.zlt"));
  EXPECT_EQ(again.editor.Text(), Ru("** 6п ** "));

  // A character Windows-1251 cannot hold is no card and no wildcard.
  WriteBytes("sharp.zlt", "Aß **\n");
  ASSERT_TRUE(calc.OpenTaskFile("sharp.zlt"));
  EXPECT_EQ(calc.editor.TaskLength(), 0);
}

TEST(Utf8TaskFile, StandardInputReadsLikeAFile) {
  const int fd = PipeWith("Тб ** 9б\nignored\n");
  ASSERT_GE(fd, 0);
  std::string line;
  ASSERT_FALSE(ReadFirstLineFrom(fd, line));
  ::close(fd);
  EXPECT_EQ(line, Ru("Тб ** 9б"));
}

TEST(Utf8ConfigFile, ReadAsAWholeInOneEncoding) {
  ScratchDir dir;
  test::LoadedSettings s;
  // A UTF-8 editor's file; the Cyrillic comment line is skipped, the rest
  // applies.
  WriteBytes("zlc.cfg", "Defs = En\r\nзаметка = да\r\nrq_mt = 1\r\nsd_t = 50\r\n");
  ASSERT_FALSE(LoadConfig("zlc.cfg", s.Target(), nullptr));
  EXPECT_EQ(s.notation.notationName, "En");
  EXPECT_EQ(s.settings.markTransits, 1);
  EXPECT_EQ(s.settings.shuffleDepth, 50);

  // Standard input, the same.
  const int fd = PipeWith("rq_ds = 1\nRV = Many\n");
  ASSERT_GE(fd, 0);
  ASSERT_FALSE(LoadConfigFrom(fd, "standard input", s.Target(), nullptr));
  ::close(fd);
  EXPECT_EQ(s.settings.deleteSpaces, 1);
  EXPECT_EQ(s.filter.resultVariants, ResultVariants::Many);
}

TEST(Utf8ConfigFile, NonAsciiValuesComeInWindows1251) {
  ScratchDir dir;
  test::LoadedSettings s;
  // The bad number is quoted in the core's own encoding, whichever the file's.
  WriteBytes("utf8.cfg", "rn_t = 5ш\r\n");
  ASSERT_FALSE(LoadConfig("utf8.cfg", s.Target(), s.Reporter()));
  WriteBytes("cp1251.cfg", "rn_t = 5\xF8\r\n");
  ASSERT_FALSE(LoadConfig("cp1251.cfg", s.Target(), s.Reporter()));
  EXPECT_EQ(s.messages, (std::vector<std::string>(2, "'5\xF8' is not a valid integer value")));
  EXPECT_EQ(s.settings.clearThreshold, 5000);
}

}  // namespace
}  // namespace zlc
