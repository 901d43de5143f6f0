// Task and settings files written by a UTF-8 editor read as the user wrote
// them; Windows-1251 files read as before; standard input reads like a file.
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "calculator/calculator.h"
#include "persist/config_file.h"
#include "persist/task_file.h"
#include "ru_text.h"
#include "scratch_dir.h"

namespace zlc {
namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

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
  NotationSet notation;
  Settings settings;
  FilterSettings filter;
  // A UTF-8 editor's file; the Cyrillic comment line is skipped, the rest
  // applies.
  WriteBytes("zlc.cfg", "Defs = En\r\nзаметка = да\r\nrq_mt = 1\r\nsd_t = 50\r\n");
  ASSERT_FALSE(LoadConfig("zlc.cfg", {notation, settings, filter}, nullptr));
  EXPECT_EQ(notation.notationName, "En");
  EXPECT_EQ(settings.markTransits, 1);
  EXPECT_EQ(settings.shuffleDepth, 50);

  // Standard input, the same.
  const int fd = PipeWith("rq_ds = 1\nRV = Many\n");
  ASSERT_GE(fd, 0);
  ASSERT_FALSE(LoadConfigFrom(fd, "standard input", {notation, settings, filter}, nullptr));
  ::close(fd);
  EXPECT_EQ(settings.deleteSpaces, 1);
  EXPECT_EQ(filter.resultVariants, "Many");
}

TEST(Utf8ConfigFile, NonAsciiValuesComeInWindows1251) {
  ScratchDir dir;
  NotationSet notation;
  Settings settings;
  FilterSettings filter;
  std::vector<std::string> messages;
  const MessageReporter report = [&messages](const RuntimeMessage& m) { messages.push_back(m.text); };
  // The bad number is quoted in the core's own encoding, whichever the file's.
  WriteBytes("utf8.cfg", "rn_t = 5ш\r\n");
  ASSERT_FALSE(LoadConfig("utf8.cfg", {notation, settings, filter}, report));
  WriteBytes("cp1251.cfg", "rn_t = 5\xF8\r\n");
  ASSERT_FALSE(LoadConfig("cp1251.cfg", {notation, settings, filter}, report));
  EXPECT_EQ(messages, (std::vector<std::string>(2, "'5\xF8' is not a valid integer value")));
  EXPECT_EQ(settings.clearThreshold, 5000);
}

}  // namespace
}  // namespace zlc
