// The files a user saves (a task, a result, a list, a CSV export) replace
// the old one all or nothing: a full disk, a kill at any moment, a FIFO or a
// planted link never costs the user the file they had, and what went wrong
// is said in words they can act on.
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "calculator/calculator.h"
#include "file_size_limit.h"
#include "persist/atomic_replace.h"
#include "persist/io_error.h"
#include "persist/text_files.h"
#include "private_disk.h"
#include "scratch_dir.h"
#include "skip_outside_ci.h"
#include "support/files.h"

namespace zlc {
namespace {

using test::ReadBytes;
using test::WriteBytes;

namespace fs = std::filesystem;

// Names in the folder other than those given: a temporary left behind.
std::vector<std::string> OtherNames(const std::string& folder, const std::vector<std::string>& known) {
  std::vector<std::string> others;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
  }
  return others;
}

// A calculator with results in both lists and a task, and every message it
// gives kept.
struct SavingCalculator {
  Calculator calc;
  std::vector<RuntimeMessage> messages;

  explicit SavingCalculator(int results) {
    calc.SetReporter([this](const RuntimeMessage& m) { messages.push_back(m); });
    calc.SetSeed(11);
    calc.settings.clearAtRn = false;
    calc.settings.autosaveFiltered = false;
    calc.editor.LoadTaskText("** ");
    while (calc.Counters().rn < results) calc.RunBatch();
    calc.Lists().All().BlockAt(4, block);  // the second block of "All"
  }
  ResultBlock block;

  // The four saves of the window, by name.
  using Save = std::function<bool(const std::string&)>;
  std::vector<std::pair<const char*, Save>> Saves() {
    return {{"task", [this](const std::string& p) { return calc.SaveTaskFile(p); }},
            {"result", [this](const std::string& p) { return calc.SaveResult(block, p); }},
            {"all results", [this](const std::string& p) { return calc.SaveList(calc.Lists().All(), p); }},
            {"CSV", [this](const std::string& p) { return calc.ExportList(calc.Lists().All(), p); }}};
  }
};

std::string OldFile(std::size_t bytes) {
  std::string old;
  while (old.size() < bytes) old += "an old line the user wants to keep " + std::to_string(old.size()) + "\r\n";
  return old;
}

// In a death test's child: a failed check is said on stderr and ends the
// child with 1, so that the parent shows it.
#define CHILD_CHECK(condition, what)                                     \
  do {                                                                   \
    if (!(condition)) {                                                  \
      std::fprintf(stderr, "%s: %s\n", #condition, std::string(what).c_str()); \
      std::_Exit(1);                                                     \
    }                                                                    \
  } while (0)

// A disk that fills up under a save: the old file stays byte for byte, no
// temporary stays beside it, and the message says which file and why.
void SavesOnAFullDisk() {
  CHILD_CHECK(testing_disk::MountPrivateDisk("disk", 512 * 1024), "no private disk");
  SavingCalculator saving(1200);
  const std::string old = OldFile(330 * 1024);
  WriteBytes("disk/old", old);
  // Everything else the disk holds goes to a filler, then 100 KB are freed.
  {
    std::ofstream filler("disk/filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
  }
  fs::resize_file("disk/filler", fs::file_size("disk/filler") - 100 * 1024);

  // Lists larger than what is free fail; a task and a result fit.
  for (auto& [name, save] : saving.Saves()) {
    saving.messages.clear();
    const bool saved = save("disk/old");
    const bool fits = std::string(name) == "task" || std::string(name) == "result";
    CHILD_CHECK(saved == fits, name);
    if (!fits) {
      CHILD_CHECK(ReadBytes("disk/old") == old, name);
      CHILD_CHECK(saving.messages.size() == 1, name);
      const RuntimeMessage& m = saving.messages[0];
      CHILD_CHECK(m.text == "I/O error 28" && m.file == "disk/old" && m.reason == "No space left on device",
                  m.text + " / " + m.file + " / " + m.reason);
    } else {
      WriteBytes("disk/old", old);
    }
    CHILD_CHECK(OtherNames("disk", {"old", "filler"}).empty(), name);
  }

  // Not a byte free: even a task's one line fails, and the file stays.
  {
    std::ofstream more("disk/more", std::ios::binary);
    const std::string byte(1, 'm');
    while (more.write(byte.data(), 1) && more.flush()) {
    }
  }
  for (auto& [name, save] : saving.Saves()) {
    CHILD_CHECK(!save("disk/old"), name);
    CHILD_CHECK(ReadBytes("disk/old") == old, name);
    CHILD_CHECK(OtherNames("disk", {"old", "filler", "more"}).empty(), name);
  }
  std::_Exit(0);
}

TEST(Saves, AFullDiskNeverCostsTheOldFile) {
  if (!testing_disk::PrivateDisksAvailable()) SKIP_OUTSIDE_CI("no mount namespaces here");
  ScratchDir dir;
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(SavesOnAFullDisk(), ::testing::ExitedWithCode(0), "");
}

// The same with the file-size limit a quota gives: a list that crosses it
// leaves the old file and no temporary.
TEST(Saves, ALimitCrossedMidwayKeepsTheOldFile) {
  ScratchDir dir;
  SavingCalculator saving(400);
  const std::string old = OldFile(330 * 1024);
  WriteBytes("old", old);
  {
    FileSizeLimit limit(64 * 1024);
    EXPECT_FALSE(saving.calc.SaveList(saving.calc.Lists().All(), "old"));
    EXPECT_FALSE(saving.calc.ExportList(saving.calc.Lists().All(), "old"));
  }
  EXPECT_EQ(ReadBytes("old"), old);
  EXPECT_TRUE(OtherNames(".", {"old", "results.log", "resultsf.log", "variants"}).empty());
  ASSERT_EQ(saving.messages.size(), 2u);
  EXPECT_EQ(saving.messages[0].text, "I/O error " + std::to_string(EFBIG));
  EXPECT_EQ(saving.messages[0].reason, "File too large");
  // Without the limit the same save goes through.
  EXPECT_TRUE(saving.calc.SaveList(saving.calc.Lists().All(), "old"));
  EXPECT_EQ(ReadBytes("old").substr(0, 3), saving.calc.Lists().All().Line(0).substr(0, 3));
}

// A save killed at any moment leaves the old file or the new one, whole;
// the temporaries of killed saves go at the next save of that file.
TEST(Saves, AKillAtAnyMomentLeavesTheOldOrTheNewFile) {
  ScratchDir dir;
  std::vector<std::string> lines;
  for (int i = 0; i < 120000; ++i) lines.push_back("line " + std::to_string(i) + std::string(150, 'n'));
  std::string written;
  for (const std::string& line : lines) written += line + "\r\n";
  const std::string old = OldFile(2 * 1024 * 1024);
  WriteBytes("list", old);

  std::mt19937 random(5);
  int killedMidway = 0;
  for (int round = 0; round < 12; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const IoResult failed =
          WriteTextFile("list", lines.size(), [&lines](std::size_t i) -> std::string_view { return lines[i]; });
      std::_Exit(failed ? 1 : 0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const std::string now = ReadBytes("list");
    if (WIFSIGNALED(status)) ++killedMidway;
    ASSERT_TRUE(now == old || now == written) << "round " << round << ": " << now.size() << " bytes";
    if (now == written) WriteBytes("list", old);  // again from the old one
  }
  EXPECT_GT(killedMidway, 0);
  ASSERT_TRUE(WriteTextFile("list", 1, [](std::size_t) { return std::string_view("new"); }) == std::nullopt);
  EXPECT_EQ(ReadBytes("list"), "new\r\n");
  EXPECT_TRUE(OtherNames(".", {"list"}).empty());
}

// A FIFO would block the window for as long as nobody reads it; a device
// would take the bytes and keep nothing. Each is refused at once, and so is
// a folder; nothing is created or changed.
TEST(Saves, WhatIsNoFileIsRefusedAtOnce) {
  ScratchDir dir;
  SavingCalculator saving(3);
  ASSERT_EQ(::mkfifo("fifo", 0644), 0);
  ASSERT_EQ(::symlink("/dev/full", "full"), 0);
  fs::create_directory("folder");
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", "socket");
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  const struct {
    const char* name;
    int code;
    const char* reason;
  } kTargets[] = {{"fifo", EINVAL, "Not a regular file: a FIFO"},
                  {"full", EINVAL, "Not a regular file: a device"},
                  {"socket", EINVAL, "Not a regular file: a socket"},
                  {"folder", EISDIR, "Is a directory"}};
  ::alarm(20);  // a save that blocks ends the test here
  for (const auto& target : kTargets) {
    for (auto& [what, save] : saving.Saves()) {
      saving.messages.clear();
      EXPECT_FALSE(save(target.name)) << what << " to " << target.name;
      ASSERT_EQ(saving.messages.size(), 1u);
      EXPECT_EQ(saving.messages[0].text, "I/O error " + std::to_string(target.code));
      EXPECT_EQ(saving.messages[0].file, target.name);
      EXPECT_EQ(saving.messages[0].reason, target.reason);
    }
  }
  ::alarm(0);
  ::close(sock);
  EXPECT_TRUE(fs::is_fifo("fifo"));
  EXPECT_TRUE(fs::is_symlink("full"));
  EXPECT_TRUE(fs::is_empty("folder"));
}

// In a folder others may write to, another user's link is never written
// through, whether it leads to a file of ours or nowhere; the user's own
// link is followed and stays a link.
TEST(Saves, OnlyTheUsersOwnLinksAreFollowed) {
  if (::geteuid() != 0) SKIP_OUTSIDE_CI("only root can plant another user's link");
  ScratchDir dir;
  SavingCalculator saving(3);
  ASSERT_EQ(::mkdir("shared", 01777), 0);
  ASSERT_EQ(::chmod("shared", 01777), 0);
  WriteBytes("mine", "my file\r\n");
  constexpr uid_t kOther = 4242;
  ASSERT_EQ(::symlink("../mine", "shared/planted"), 0);
  ASSERT_EQ(::lchown("shared/planted", kOther, kOther), 0);
  ASSERT_EQ(::symlink("../made-for-them", "shared/dangling"), 0);
  ASSERT_EQ(::lchown("shared/dangling", kOther, kOther), 0);
  ASSERT_EQ(::symlink("../own-target", "shared/own"), 0);

  for (auto& [what, save] : saving.Saves()) {
    saving.messages.clear();
    EXPECT_FALSE(save("shared/planted")) << what;
    EXPECT_FALSE(save("shared/dangling")) << what;
    ASSERT_EQ(saving.messages.size(), 2u);
    for (const RuntimeMessage& m : saving.messages) {
      EXPECT_EQ(m.text, "I/O error " + std::to_string(EACCES));
      EXPECT_EQ(m.reason, "A link of another user, not followed");
    }
    EXPECT_EQ(ReadBytes("mine"), "my file\r\n");
    EXPECT_FALSE(fs::exists("made-for-them"));

    EXPECT_TRUE(save("shared/own")) << what;
    EXPECT_TRUE(fs::is_symlink("shared/own"));
    EXPECT_FALSE(ReadBytes("own-target").empty());
  }
}

// What a user reads: the runtime's words, the file (or the folder that is
// missing) and the reason.
TEST(Saves, MessagesSayWhichFileAndWhy) {
  ScratchDir dir;
  SavingCalculator saving(2);
  WriteBytes("plain", "x");
  fs::create_directory("here");
  const struct {
    const char* path;
    const char* text;
    const char* file;
    const char* reason;
  } kCases[] = {
      {"plain/task.zlt", "I/O error 20", "plain/task.zlt", "Not a directory"},
      {"here/no/such/task.zlt", "I/O error 2", "here/no", "No such folder"},
      {"nowhere/task.zlt", "I/O error 2", "nowhere", "No such folder"},
  };
  for (const auto& c : kCases) {
    saving.messages.clear();
    EXPECT_FALSE(saving.calc.SaveTaskFile(c.path)) << c.path;
    ASSERT_EQ(saving.messages.size(), 1u) << c.path;
    EXPECT_EQ(saving.messages[0].text, c.text) << c.path;
    EXPECT_EQ(saving.messages[0].file, c.file) << c.path;
    EXPECT_EQ(saving.messages[0].reason, c.reason) << c.path;
  }
  // Reading a missing file is still "File not found", with its name.
  saving.messages.clear();
  EXPECT_FALSE(saving.calc.OpenTaskFile("absent.zlt"));
  ASSERT_EQ(saving.messages.size(), 1u);
  EXPECT_EQ(saving.messages[0].text, "File not found");
  EXPECT_EQ(saving.messages[0].file, "absent.zlt");
}

void SaveOnAReadOnlyDisk() {
  CHILD_CHECK(testing_disk::MountPrivateDisk("disk", 64 * 1024), "no private disk");
  WriteBytes("disk/task.zlt", "Ad \r\n");
  CHILD_CHECK(testing_disk::RemountReadOnly("disk"), "no read-only remount");
  SavingCalculator saving(1);
  for (const char* path : {"disk/task.zlt", "disk/new.zlt"}) {
    saving.messages.clear();
    CHILD_CHECK(!saving.calc.SaveTaskFile(path), path);
    CHILD_CHECK(saving.messages.size() == 1, path);
    CHILD_CHECK(saving.messages[0].text == "I/O error 30", saving.messages[0].text);
    CHILD_CHECK(saving.messages[0].reason == "Read-only file system", saving.messages[0].reason);
  }
  CHILD_CHECK(ReadBytes("disk/task.zlt") == "Ad \r\n", "changed");
  std::_Exit(0);
}

TEST(Saves, AReadOnlyFileSystemIsToldAsSuch) {
  if (!testing_disk::PrivateDisksAvailable()) SKIP_OUTSIDE_CI("no mount namespaces here");
  ScratchDir dir;
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(SaveOnAReadOnlyDisk(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zlc
