#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "file_size_limit.h"
#include "persist/config_file.h"
#include "support/config_settings.h"
#include "support/files.h"

namespace zlc {
namespace {

using Loaded = test::LoadedSettings;
using test::ReadBytes;
using test::WriteBytes;

const char* const kDefaultText =
    "Defs = Ru\r\n"
    "rq_mt = 0\r\n"
    "rq_ms = 0\r\n"
    "rq_ds = 0\r\n"
    "rn_t = 5000\r\n"
    "sd_t = 1000\r\n"
    "GM = Random\r\n"
    "RV = One\r\n"
    "rq_lf = 0\r\n"
    "lf_t = 8\r\n"
    "rq_sm = 1\r\n"
    "sm1 = 000000000\r\n"
    "sm2 = 000000000\r\n"
    "sm3 = 000000000\r\n"
    "sm4 = 000000000\r\n"
    "rq_asa = 0\r\n"
    "rq_asf = 1\r\n"
    "rq_rnc = 1\r\n"
    "rq_hb = 0\r\n"
    "hb = 000000\r\n";

// The defaults' text with whole lines, "key = value", in place of their
// keys' lines.
std::string DefaultTextWith(const std::vector<std::string>& changed) {
  std::string text = kDefaultText;
  for (const std::string& line : changed) {
    const std::string key = line.substr(0, line.find(" = ") + 3);
    const std::size_t found = text.starts_with(key) ? 0 : text.find("\r\n" + key);
    if (found == std::string::npos) {
      ADD_FAILURE() << "no line for " << line;
      continue;
    }
    const std::size_t at = found == 0 ? 0 : found + 2;
    text.replace(at, text.find("\r\n", at) - at, line);
  }
  return text;
}

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zlc_config_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    path_ = pattern;
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::string path_;
};

TEST(ConfigText, DefaultsGiveTheTwentyLines) {
  Loaded fresh;
  EXPECT_EQ(fresh.Text(), kDefaultText);
}

TEST(ConfigFile, RoundTripKeepsEverySetting) {
  TempDir dir;
  Loaded saved;
  SetNotation(saved.notation, 2);
  saved.settings = {1, StaticMarks::Brackets, 1, 12345, 77, true, false, false};
  saved.filter.resultVariants = ResultVariants::Many;
  saved.filter.lfEnabled = 1;
  saved.filter.lfThreshold = 200;
  saved.filter.smEnabled = 0;
  saved.filter.elementGrid[0][3] = ElementState::Static;
  saved.filter.elementGrid[0][4] = ElementState::Mobile;
  saved.filter.elementGrid[3][8] = ElementState::Mobile;
  saved.filter.elementGrid[2][0] = ElementState::Static;
  saved.filter.hbEnabled = 1;
  saved.filter.hbRequired = {0, 1, 1, 0, 0, 1};
  const std::string path = dir / "zlc.cfg";
  ASSERT_FALSE(SaveConfig(path, saved.notation, saved.settings, saved.filter));

  const std::string bytes = ReadBytes(path);
  EXPECT_NE(bytes.find("Defs = En\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("sm1 = 000120000\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("sm3 = 100000000\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("hb = 011001\r\n"), std::string::npos);

  Loaded read;
  ASSERT_FALSE(LoadConfig(path, read.Target(), read.Reporter()));
  EXPECT_TRUE(read.messages.empty());
  EXPECT_EQ(read.notation.notationName, "En");
  EXPECT_EQ(read.notation.baseDeck, kEnBaseDeck);
  EXPECT_EQ(read.settings.markTransits, 1);
  EXPECT_EQ(read.settings.staticMarkMode, zlc::StaticMarks::Brackets);
  EXPECT_EQ(read.settings.deleteSpaces, 1);
  EXPECT_EQ(read.settings.clearThreshold, 12345);
  EXPECT_EQ(read.settings.shuffleDepth, 77);
  EXPECT_TRUE(read.settings.autosaveAll);
  EXPECT_FALSE(read.settings.autosaveFiltered);
  EXPECT_FALSE(read.settings.clearAtRn);
  EXPECT_EQ(read.filter.resultVariants, ResultVariants::Many);
  EXPECT_EQ(read.filter.lfEnabled, 1);
  EXPECT_EQ(read.filter.lfThreshold, 200);
  EXPECT_EQ(read.filter.smEnabled, 0);
  EXPECT_EQ(read.filter.elementGrid, saved.filter.elementGrid);
  EXPECT_EQ(read.filter.hbEnabled, 1);
  EXPECT_EQ(read.filter.hbRequired, saved.filter.hbRequired);
}

// Lines read in this order, and the lines of the settings written
// afterwards that differ from the defaults: a line changes what it names or
// nothing, and silently.
TEST(ConfigRead, EachLineChangesOnlyWhatItNames) {
  const struct {
    std::vector<std::string_view> lines;
    std::vector<std::string> changed;
  } cases[] = {
      {{"Defs = En"}, {"Defs = En"}},
      {{"defs=en"}, {}},
      {{"defs= en"}, {}},
      {{"defs = en"}, {"Defs = En"}},
      {{"DEFS EN"}, {"Defs = En"}},
      {{"Defs = En", "Defs = Ru"}, {}},
      {{"Defs = En", "Defs = Fr"}, {"Defs = En"}},  // an unknown name keeps the notation
      // Choices outside their list are ignored.
      {{"RV = many"}, {"RV = Many"}},
      {{"RV = many", "RV = several"}, {"RV = Many"}},
      {{"RV = MaNy", "rv = one"}, {}},
      {{"rq_ms = 2", "rq_ms = 3"}, {"rq_ms = 2"}},
      {{"rq_ms = 2", "rq_ms = -1"}, {"rq_ms = 2"}},
      {{"rq_ms = 1"}, {"rq_ms = 1"}},
      {{"GM = Sequential"}, {}},
      // Flags are on only for 1.
      {{"rq_mt = 1", "rq_mt = yes"}, {}},
      {{"rq_mt 1"}, {"rq_mt = 1"}},  // "=" may be left out
      {{"rq_sm = 01"}, {"rq_sm = 0"}},
      {{"rq_asf = 0", "RQ_ASA = 1", "rq_rnc = true"}, {"rq_asa = 1", "rq_asf = 0", "rq_rnc = 0"}},
      {{"rq_asa = 1"}, {"rq_asa = 1"}},
      {{"hb = 111111", "hb = 1x1111"}, {"hb = 101111"}},  // and so are a line's
      // Spacing and order.
      {{"   rq_ds  =   1   "}, {"rq_ds = 1"}},
      {{"rq_lf = 1", "      ", "", "rq_hb = 1"}, {"rq_lf = 1", "rq_hb = 1"}},
      {{"\trq_ds = 1"}, {}},  // only 0x20 is a space: a tab belongs to the key
      {{"rq_ds = 1", "rq_ds = 1\t"}, {}},  // or to the value
      {{"rq_ds = 1", "rq_ds =   "}, {"rq_ds = 1"}},  // an empty value changes nothing
      {{"rn_t = 10", "sd_t = 3", "rn_t = 20"}, {"rn_t = 20", "sd_t = 3"}},
      // Whole numbers at their limits. A negative clear threshold clears
      // after every result; a depth of 0 or less shuffles nothing.
      {{"rn_t = -1", "sd_t = -1"}, {"rn_t = -1", "sd_t = -1"}},
      {{"rn_t = -1", "sd_t = -1", "rn_t = -2147483648", "sd_t = -2147483648"},
       {"rn_t = -2147483648", "sd_t = -2147483648"}},
      {{"rn_t = 2147483647", "sd_t = +0", "lf_t = 255"}, {"rn_t = 2147483647", "sd_t = 0", "lf_t = 255"}},
      {{"rn_t = 2147483647", "sd_t = +0", "lf_t = 255", "lf_t = 0", "sd_t = 007"},
       {"rn_t = 2147483647", "sd_t = 7", "lf_t = 0"}},
  };
  for (const auto& c : cases) {
    std::string read;
    for (std::string_view line : c.lines) read += "[" + std::string(line) + "] ";
    SCOPED_TRACE(read);
    Loaded l;
    EXPECT_EQ(l.Apply(c.lines).Text(), DefaultTextWith(c.changed));
    EXPECT_TRUE(l.messages.empty());
  }
  // The unknown name keeps the letters of the notation too.
  EXPECT_EQ(Loaded().Apply({"Defs = En", "Defs = Fr"}).notation.suitLetters, "sdch");
}

TEST(ConfigRead, NumbersThatCannotBeReadAreReportedAndKept) {
  struct Case {
    const char* line;
    const char* shown;
  };
  for (Case c : {Case{"rn_t = 12x", "12x"}, Case{"rn_t = abc", "abc"}, Case{"rn_t = 0x10", "0x10"},
                 Case{"rn_t = 1 000", "1 000"}, Case{"rn_t = -", "-"}, Case{"rn_t = +-5", "+-5"},
                 Case{"rn_t = 2147483648", "2147483648"},
                 Case{"rn_t = -2147483649", "-2147483649"},
                 Case{"rn_t = 99999999999999999999", "99999999999999999999"}}) {
    Loaded l;
    l.Apply({"rn_t = 42", c.line});
    EXPECT_EQ(l.settings.clearThreshold, 42) << c.line;
    ASSERT_EQ(l.messages.size(), 1u) << c.line;
    EXPECT_EQ(l.messages[0], std::string("'") + c.shown + "' is not a valid integer value");
  }
  Loaded l;
  l.Apply({"sd_t = 7", "sd_t = 100001", "lf_t = 9", "lf_t = 256", "lf_t = -1"});
  EXPECT_EQ(l.settings.shuffleDepth, 7);
  EXPECT_EQ(l.filter.lfThreshold, 9);
  EXPECT_EQ(l.messages.size(), 3u);
}

// Negative thresholds and depths are whole numbers the file keeps.
TEST(ConfigFile, NegativeThresholdAndDepth) {
  TempDir dir;
  Loaded saved;
  saved.settings.clearThreshold = -1;
  saved.settings.shuffleDepth = -5;
  const std::string path = dir / "zlc.cfg";
  ASSERT_FALSE(SaveConfig(path, saved.notation, saved.settings, saved.filter));
  EXPECT_NE(ReadBytes(path).find("\r\nrn_t = -1\r\nsd_t = -5\r\n"), std::string::npos);
  Loaded read;
  ASSERT_FALSE(LoadConfig(path, read.Target(), read.Reporter()));
  EXPECT_TRUE(read.messages.empty());
  EXPECT_EQ(read.settings.clearThreshold, -1);
  EXPECT_EQ(read.settings.shuffleDepth, -5);
}

TEST(ConfigRead, GridRowsAndLineFlagsNeedTheirExactLength) {
  Loaded l;
  l.Apply({"sm2 = 012012012"});
  const auto afterValid = l.filter.elementGrid;
  EXPECT_EQ(afterValid[1][1], ElementState::Static);
  EXPECT_EQ(afterValid[1][8], ElementState::Mobile);
  EXPECT_EQ(afterValid[0][0], ElementState::Any);
  l.Apply({"sm2 = 11111111", "sm2 = 1111111111", "sm2 = 111131111", "sm2 = 11111111A",
           "sm4 = 2222222222222", "sm0 = 111111111", "sm5 = 111111111", "sm12 = 111111111"});
  EXPECT_EQ(l.filter.elementGrid, afterValid);
  EXPECT_TRUE(l.messages.empty());

  l.Apply({"hb = 111111", "hb = 10101", "hb = 1010101"});
  EXPECT_EQ(l.filter.hbRequired, (std::array<std::uint8_t, 6>{1, 1, 1, 1, 1, 1}));
  l.Apply({"HB = 1x1y21"});
  EXPECT_EQ(l.filter.hbRequired, (std::array<std::uint8_t, 6>{1, 0, 1, 0, 0, 1}));
}

// How each line was taken: a command line refuses every outcome but the
// first, so each must be told apart exactly.
TEST(ConfigRead, EachLineTellsHowItWasTaken) {
  using O = ConfigLineOutcome;
  const struct {
    const char* line;
    O outcome;
  } cases[] = {
      {"Defs = en", O::Applied},         {"Defs = Xx", O::Refused},
      {"rq_mt = 1", O::Applied},         {"RQ_MT = 0", O::Applied},
      {"rq_mt = yes", O::ReadAsOff},     {"rq_asf = 2", O::ReadAsOff},
      {"rq_ms = 2", O::Applied},         {"rq_ms = 3", O::Refused},
      {"rn_t = -1", O::Applied},         {"rn_t = 1x", O::Refused},
      {"sd_t = 100000", O::Applied},     {"sd_t = 100001", O::Refused},
      {"sd_t = abc", O::Refused},        {"lf_t = 255", O::Applied},
      {"lf_t = 256", O::Refused},        {"GM = random", O::Applied},
      {"GM = Sequential", O::Refused},   {"RV = many", O::Applied},
      {"RV = several", O::Refused},      {"sm3 = 012012012", O::Applied},
      {"sm3 = 01201201", O::Refused},    {"sm3 = 012012013", O::Refused},
      {"hb = 010101", O::Applied},       {"hb = 01x101", O::ReadAsOff},
      {"hb = 0101", O::Refused},         {"rq_mt =", O::NoValue},
      {"foo = bar", O::UnknownKey},      {"defs=en", O::UnknownKey},
      {"sm5 = 000000000", O::UnknownKey}, {"   ", O::Blank},
      {"", O::Blank},
  };
  for (const auto& c : cases) {
    Loaded l;
    EXPECT_EQ(ApplyConfigLine(l.Target(), c.line, nullptr), c.outcome) << c.line;
  }
}

TEST(ConfigKeys, FoundInAnyCaseAndNamedAsWritten) {
  ASSERT_NE(FindConfigKey("DEFS"), nullptr);
  EXPECT_EQ(FindConfigKey("DEFS")->name, "Defs");
  EXPECT_EQ(FindConfigKey("Rq_Rnc")->name, "rq_rnc");
  EXPECT_EQ(FindConfigKey("sd_t")->accepts, "a whole number up to 100000");
  EXPECT_EQ(FindConfigKey("sm"), nullptr);
  EXPECT_EQ(FindConfigKey("rq mt"), nullptr);
  // Every key the file is written with is found again, in the file's order.
  std::string written = kDefaultText;
  for (const ConfigKey& key : ConfigKeys()) {
    const std::string head = std::string{key.name} + " = ";
    ASSERT_EQ(written.compare(0, head.size(), head), 0) << key.name;
    written.erase(0, written.find("\r\n") + 2);
    EXPECT_EQ(FindConfigKey(key.name), &key);
  }
  EXPECT_TRUE(written.empty());
}

TEST(ConfigLoad, MissingFileKeepsDefaultsSilently) {
  TempDir dir;
  Loaded l;
  EXPECT_FALSE(LoadConfig(dir / "zlc.cfg", l.Target(), l.Reporter()));
  EXPECT_EQ(l.Text(), kDefaultText);
  EXPECT_TRUE(l.messages.empty());
}

TEST(ConfigLoad, UnreadableFileReturnsItsError) {
  TempDir dir;
  ASSERT_EQ(::mkdir((dir / "zlc.cfg").c_str(), 0755), 0);
  Loaded l;
  IoResult error = LoadConfig(dir / "zlc.cfg", l.Target(), l.Reporter());
  ASSERT_TRUE(error);
  EXPECT_EQ(error->code, EISDIR);
  EXPECT_EQ(l.Text(), kDefaultText);
}

// Two thousand lines of random bytes, then lines that a NUL or a byte of
// no value spoils, then one good line.
std::string JunkLines() {
  std::string bytes = "Defs = En\r\n";
  unsigned seed = 12345;
  for (int line = 0; line < 2000; ++line) {
    for (int k = 0; k < 40; ++k) {
      seed = seed * 1103515245u + 12345u;
      char c = static_cast<char>(seed >> 16);
      bytes += c == '\n' ? ' ' : c;
    }
    bytes += "\r\n";
  }
  bytes += std::string("rq_mt = 1\0\r\n", 12);  // NUL ends nothing
  bytes += std::string("rq_ds\0 = 1\r\n", 12);
  bytes += std::string("\0\0\0\r\n", 5);
  bytes += "sm1 = 2\xFF" "2222222\r\n";
  bytes += "rq_lf = 1\r\n";
  return bytes;
}

// Files that other editors, systems or hands wrote: the lines that can be
// read apply, the rest are skipped.
TEST(ConfigLoad, OddFilesApplyTheLinesThatCanBeRead) {
  TempDir dir;
  const struct {
    const char* what;
    std::string bytes;
    std::vector<std::string> changed;
  } cases[] = {
      {"line ends of any kind", "rq_mt = 1\nrq_ds = 1\r\n\r\n\nrq_lf = 1\r\nrq_hb = 1",
       {"rq_mt = 1", "rq_ds = 1", "rq_lf = 1", "rq_hb = 1"}},
      // A lone CR ends a line too (an old editor's line end), and a
      // byte-order mark that an editor put in front is no part of the first
      // key.
      {"lone CRs after a byte-order mark", "\xEF\xBB\xBF" "rq_mt = 1\rRV = Many\rrq_lf = 1\r\nrq_asa = 1\r",
       {"rq_mt = 1", "RV = Many", "rq_lf = 1", "rq_asa = 1"}},
      {"junk bytes", JunkLines(), {"Defs = En", "rq_lf = 1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(dir / "zlc.cfg", c.bytes);
    Loaded l;
    ASSERT_FALSE(LoadConfig(dir / "zlc.cfg", l.Target(), l.Reporter()));
    EXPECT_EQ(l.Text(), DefaultTextWith(c.changed));
  }
}

// Whatever the file holds, reading takes bounded time and memory: a line
// is read up to 64 KB, the file up to its first megabyte, and a long bad
// value is quoted by its start.
TEST(ConfigLoad, HugeFilesAreReadInBoundedTimeAndMemory) {
  TempDir dir;
  const std::size_t tenMb = 10u << 20;
  std::string bytes = "rq_mt = 1\r\nrn_t = " + std::string(tenMb, '7') + "\r\nsd_t = 5\r\n";
  WriteBytes(dir / "zlc.cfg", bytes);
  Loaded l;
  ASSERT_FALSE(LoadConfig(dir / "zlc.cfg", l.Target(), l.Reporter()));
  EXPECT_EQ(l.settings.markTransits, 1);
  EXPECT_EQ(l.settings.clearThreshold, 5000);
  ASSERT_EQ(l.messages.size(), 1u);
  EXPECT_EQ(l.messages[0], "'" + std::string(80, '7') + "...' is not a valid integer value");
  EXPECT_EQ(l.settings.shuffleDepth, 1000);  // past the first megabyte

  // Many short lines within the megabyte are all read; the last one counts.
  std::string many;
  for (int k = 0; k < 20000; ++k) many += "sd_t = " + std::to_string(k) + "\r\n";
  WriteBytes(dir / "many.cfg", many);
  Loaded m;
  ASSERT_FALSE(LoadConfig(dir / "many.cfg", m.Target(), m.Reporter()));
  EXPECT_EQ(m.settings.shuffleDepth, 19999);
}

// Thirty bad values: three are told one by one, the rest in one message.
TEST(ConfigLoad, ManyBadValuesAreToldAsOne) {
  TempDir dir;
  std::string bytes = "rq_mt = 1\r\n";
  for (int k = 0; k < 30; ++k) bytes += "sd_t = x" + std::to_string(k) + "\r\n";
  WriteBytes(dir / "zlc.cfg", bytes);
  Loaded l;
  ASSERT_FALSE(LoadConfig(dir / "zlc.cfg", l.Target(), l.Reporter()));
  ASSERT_EQ(l.messages.size(), 4u);
  EXPECT_EQ(l.messages[0], "'x0' is not a valid integer value");
  EXPECT_EQ(l.messages[2], "'x2' is not a valid integer value");
  EXPECT_EQ(l.messages[3], "27 more bad values in " + (dir / "zlc.cfg") + " were skipped");
  EXPECT_EQ(l.settings.markTransits, 1);

  // An out-of-range number keeps the message it has always had.
  Loaded n;
  n.Apply({"sd_t = 2147483647", "lf_t = 300"});
  EXPECT_EQ(n.messages, (std::vector<std::string>{"'2147483647' is not a valid integer value",
                                                  "'300' is not a valid integer value"}));
}

TEST(ConfigSave, ReplacesAnExistingFileAndLeavesNothingElse) {
  TempDir dir;
  const std::string path = dir / "zlc.cfg";
  WriteBytes(path, "old contents that are longer than nothing\r\n");
  Loaded fresh;
  ASSERT_FALSE(SaveConfig(path, fresh.notation, fresh.settings, fresh.filter));
  EXPECT_EQ(ReadBytes(path), kDefaultText);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"zlc.cfg"});
}

TEST(ConfigSave, MissingDirectoryCreatesNothing) {
  TempDir dir;
  Loaded fresh;
  IoResult error = SaveConfig(dir / "missing/zlc.cfg", fresh.notation, fresh.settings, fresh.filter);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->code, ENOENT);
  EXPECT_TRUE(dir.Names().empty());
}

TEST(ConfigSave, FailedRenameKeepsTheOldAndRemovesTheTemporary) {
  TempDir dir;
  const std::string path = dir / "zlc.cfg";
  ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
  WriteBytes(path + "/inside", "keep me");
  Loaded fresh;
  IoResult error = SaveConfig(path, fresh.notation, fresh.settings, fresh.filter);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->code, EISDIR);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"zlc.cfg"});
  EXPECT_EQ(ReadBytes(path + "/inside"), "keep me");
}

// A file size limit makes the write itself fail halfway, as a full disk would.
TEST(ConfigSave, FailedWriteKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir / "zlc.cfg";
  const std::string old = std::string(kDefaultText) + "old";
  WriteBytes(path, old);

  Loaded changed;
  changed.settings.markTransits = 1;
  IoResult error;
  {
    FileSizeLimit full(40);
    error = SaveConfig(path, changed.notation, changed.settings, changed.filter);
  }

  ASSERT_TRUE(error);
  EXPECT_EQ(error->code, EFBIG);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"zlc.cfg"});
}

}  // namespace
}  // namespace zlc
