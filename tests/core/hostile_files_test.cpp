// Files that another user, a failing device or a careless hand left where
// the calculator keeps its own: links, FIFOs, devices, huge files. Nothing
// may hang, grow without bound, or change a file the user did not name.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "persist/config_file.h"
#include "persist/log_file.h"
#include "persist/task_file.h"
#include "persist/text_files.h"
#include "scratch_dir.h"
#include "skip_outside_ci.h"
#include "support/config_settings.h"
#include "support/files.h"

namespace zlc {
namespace {

using test::ReadBytes;
using test::WriteBytes;

namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 4242;

// A link owned by someone else, as another user of a shared folder would
// plant it; only root can make one here.
bool PlantForeignLink(const std::string& target, const std::string& link) {
  if (::geteuid() != 0) return false;
  return ::symlink(target.c_str(), link.c_str()) == 0 &&
         ::lchown(link.c_str(), kOtherUser, kOtherUser) == 0;
}

int ErrorCode(const IoResult& result) { return result ? result->code : 0; }

TEST(HostileFiles, NothingIsReadFromWhatIsNoFile) {
  ScratchDir dir;
  ASSERT_EQ(::mkfifo("fifo", 0644), 0);
  ASSERT_EQ(::symlink("/dev/zero", "zero"), 0);
  fs::create_directory("folder");
  for (const char* name : {"fifo", "zero"}) {
    test::LoadedSettings s;
    EXPECT_EQ(ErrorCode(LoadConfig(name, s.Target(), nullptr)), EINVAL) << name;
    EXPECT_EQ(s.settings.shuffleDepth, 1000);
    std::string line = "unchanged";
    EXPECT_EQ(ErrorCode(ReadFirstLine(name, line)), EINVAL) << name;
    EXPECT_EQ(line, "unchanged");
  }
  std::string line;
  EXPECT_EQ(ErrorCode(ReadFirstLine("folder", line)), EISDIR);

  // Opening such a "task file" in the calculator says so and keeps the task.
  Calculator calc;
  std::vector<std::string> messages;
  calc.SetReporter([&](const RuntimeMessage& m) { messages.push_back(m.text); });
  calc.editor.LoadTaskText("Ad ** ");
  EXPECT_FALSE(calc.OpenTaskFile("fifo"));
  EXPECT_EQ(messages, std::vector<std::string>{"I/O error " + std::to_string(EINVAL)});
  EXPECT_EQ(calc.editor.Text(), "Ad ** ");
}

// A gigabyte without a line end (sparse, so it costs no disk) is read by
// its start only.
TEST(HostileFiles, HugeFilesAreReadByTheirStart) {
  ScratchDir dir;
  constexpr off_t kGigabyte = off_t{1} << 30;
  WriteBytes("big.zlt", "Ad 7s ");
  ASSERT_EQ(::truncate("big.zlt", kGigabyte), 0);
  std::string line;
  ASSERT_FALSE(ReadFirstLine("big.zlt", line));
  EXPECT_EQ(line.size(), 64u * 1024);
  Calculator calc;
  ASSERT_TRUE(calc.OpenTaskFile("big.zlt"));
  EXPECT_EQ(calc.editor.Text(), "Ad 7s ");

  WriteBytes("big.cfg", "rq_mt = 1\r\n");
  ASSERT_EQ(::truncate("big.cfg", kGigabyte), 0);
  test::LoadedSettings s;
  ASSERT_FALSE(LoadConfig("big.cfg", s.Target(), nullptr));
  EXPECT_EQ(s.settings.markTransits, 1);
}

TEST(HostileFiles, TaskFileLinesEndAtAnyLineEnd) {
  ScratchDir dir;
  const struct {
    const char* bytes;
    const char* first;
  } cases[] = {
      {"Ad **\r7s\r\n", "Ad **"},           // a lone CR
      {"Ad **\r\n7s\r\n", "Ad **"},
      {"\xEF\xBB\xBF" "Ad 7s\n", "Ad 7s"},  // an editor's byte-order mark
      {"\xEF\xBB", "\xEF\xBB"},             // only the start of one
      {"\r\n", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    WriteBytes("t.zlt", c.bytes);
    std::string line = "unchanged";
    ASSERT_FALSE(ReadFirstLine("t.zlt", line));
    EXPECT_EQ(line, c.first) << c.bytes;
  }
}

TEST(HostileFiles, LogsFollowOnlyTheUsersOwnLinks) {
  ScratchDir dir;
  fs::create_directory("mine");
  WriteBytes("mine/real.log", "old\r\n");
  ASSERT_EQ(::symlink("mine/real.log", "results.log"), 0);
  const std::string lines[] = {"1. a", "   b", "   c"};
  {
    LogFile log;
    ASSERT_FALSE(log.Open("results.log"));
    ASSERT_FALSE(log.WriteLines(lines, 3));
  }
  EXPECT_EQ(ReadBytes("mine/real.log"), "old\r\n1. a\r\n   b\r\n   c\r\n");
  EXPECT_TRUE(fs::is_symlink("results.log"));

  // A dangling link creates nothing where it points.
  ASSERT_EQ(::symlink("mine/none.log", "resultsf.log"), 0);
  LogFile log;
  EXPECT_EQ(ErrorCode(log.Open("resultsf.log")), ENOENT);
  EXPECT_EQ(ErrorCode(CreateIfMissing("resultsf.log")), ENOENT);
  EXPECT_FALSE(fs::exists("mine/none.log"));

  // A FIFO is no log: refused at once instead of waiting for a reader.
  ASSERT_EQ(::mkfifo("fifo.log", 0644), 0);
  EXPECT_EQ(ErrorCode(log.Open("fifo.log")), EINVAL);
  EXPECT_EQ(ErrorCode(CreateIfMissing("fifo.log")), EINVAL);

  if (!PlantForeignLink("important", "planted.log")) SKIP_OUTSIDE_CI("another user's link needs root");
  WriteBytes("important", "keep");
  EXPECT_EQ(ErrorCode(log.Open("planted.log")), EACCES);
  EXPECT_EQ(ErrorCode(CreateIfMissing("planted.log")), EACCES);
  EXPECT_EQ(ReadBytes("important"), "keep");
}

TEST(HostileFiles, TheScratchFileNeverFollowsALink) {
  ScratchDir dir;
  WriteBytes("important", "keep");
  ASSERT_EQ(::symlink("important", "variants"), 0);
  Calculator calc;
  calc.editor.LoadTaskText("Ad ** 7s ");
  ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
  EXPECT_EQ(ReadBytes("important"), "keep");
  ASSERT_TRUE(fs::is_regular_file(fs::symlink_status("variants")));
  EXPECT_FALSE(ReadBytes("variants").empty());

  // Nor a FIFO (it would block), nor a dangling link (it would make a file).
  for (int kind = 0; kind < 2; ++kind) {
    fs::remove("variants");
    if (kind == 0) {
      ASSERT_EQ(::mkfifo("variants", 0644), 0);
    } else {
      ASSERT_EQ(::symlink("made-through", "variants"), 0);
    }
    calc.editor.LoadTaskText("Ad ** 8s ");
    ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed) << kind;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status("variants")));
    EXPECT_FALSE(fs::exists("made-through"));
  }

  // Closing deletes the scratch file, never a link in its place.
  fs::remove("variants");
  ASSERT_EQ(::symlink("important", "variants"), 0);
  calc.Close();
  EXPECT_TRUE(fs::is_symlink("variants"));
  EXPECT_EQ(ReadBytes("important"), "keep");
}

TEST(HostileFiles, SettingsAreWrittenOnlyWhereTheUserMeantThem) {
  ScratchDir dir;
  test::LoadedSettings changed;
  changed.settings.markTransits = 1;
  auto save = [&](const char* path) {
    return SaveConfig(path, changed.notation, changed.settings, changed.filter);
  };
  const std::string text = changed.Text();

  // The user's own link is written through, beside the file it leads to.
  fs::create_directory("conf");
  WriteBytes("conf/real.cfg", "old\r\n");
  ASSERT_EQ(::symlink("conf/real.cfg", "zlc.cfg"), 0);
  ASSERT_FALSE(save("zlc.cfg"));
  EXPECT_TRUE(fs::is_symlink("zlc.cfg"));
  EXPECT_EQ(ReadBytes("conf/real.cfg"), text);
  EXPECT_EQ(std::distance(fs::directory_iterator("conf"), fs::directory_iterator{}), 1);

  // A file the user made read-only keeps what it holds.
  WriteBytes("ro.cfg", "mine\r\n");
  ASSERT_EQ(::chmod("ro.cfg", 0444), 0);
  EXPECT_EQ(ErrorCode(save("ro.cfg")), EACCES);
  EXPECT_EQ(ReadBytes("ro.cfg"), "mine\r\n");

  // The temporary of a writer that was killed goes at the next save; one of
  // a writer still running stays.
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_GT(gone, 0);
  ::waitpid(gone, nullptr, 0);
  const std::string stale = "a.cfg.tmp" + std::to_string(gone) + "-0";
  const std::string live = "a.cfg.tmp1-0";
  WriteBytes(stale, "half");
  WriteBytes(live, "busy");
  ASSERT_FALSE(save("a.cfg"));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(live));

  if (!PlantForeignLink("important", "planted.cfg")) SKIP_OUTSIDE_CI("another user's link needs root");
  WriteBytes("important", "keep");
  EXPECT_EQ(ErrorCode(save("planted.cfg")), EACCES);
  EXPECT_EQ(ReadBytes("important"), "keep");
}

}  // namespace
}  // namespace zlc
