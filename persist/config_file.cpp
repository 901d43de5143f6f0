#include "persist/config_file.h"

#include <cerrno>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

#include "cards/cp1251.h"
#include "persist/atomic_replace.h"
#include "persist/line_reader.h"
#include "cards/number_text.h"

namespace zlc {
namespace {

// Only the space character counts; a tab is part of the text.
std::string_view TrimSpaces(std::string_view text) {
  auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string UpperAscii(std::string_view text) {
  std::string out{text};
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// The value as read; `shown` is the same text in the file's own letter case.
struct Value {
  std::string_view upper;
  std::string_view shown;
};

std::optional<std::int32_t> ReadInteger(const Value& value, std::int32_t min, std::int32_t max,
                                        const MessageReporter& report) {
  auto number = ParseWholeNumber(value.upper);
  if (number && *number >= min && *number <= max) return number;
  if (report) report(InvalidIntegerMessage(std::string{value.shown}));
  return std::nullopt;
}

ConfigLineOutcome ReadGridRow(std::array<ElementState, 9>& row, const Value& value) {
  if (value.upper.size() != row.size()) return ConfigLineOutcome::Refused;
  for (char c : value.upper) {
    if (c < '0' || c > '2') return ConfigLineOutcome::Refused;
  }
  for (std::size_t k = 0; k < row.size(); ++k) {
    row[k] = static_cast<ElementState>(value.upper[k] - '0');
  }
  return ConfigLineOutcome::Applied;
}

// Of six characters, each "1" sets its flag and any other clears it.
ConfigLineOutcome ReadLineFlags(std::array<std::uint8_t, 6>& flags, const Value& value) {
  if (value.upper.size() != flags.size()) return ConfigLineOutcome::Refused;
  bool asWritten = true;
  for (std::size_t k = 0; k < flags.size(); ++k) {
    const char c = value.upper[k];
    flags[k] = c == '1' ? 1 : 0;
    asWritten = asWritten && (c == '0' || c == '1');
  }
  return asWritten ? ConfigLineOutcome::Applied : ConfigLineOutcome::ReadAsOff;
}

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// The table's order is the file's; Key names a row of it.
enum Key : std::size_t {
  kDefs, kRqMt, kRqMs, kRqDs, kRnT, kSdT, kGm, kRv, kRqLf, kLfT, kRqSm,
  kSm1, kSm2, kSm3, kSm4, kRqAsa, kRqAsf, kRqRnc, kRqHb, kHb,
};

static_assert(kMaxShuffleDepth == 100000, "the words for sd_t below name the bound");
constexpr std::array<ConfigKey, kConfigKeyCount> kKeys = {{
    {"Defs", "Ru or En"},
    {"rq_mt", "0 or 1"},
    {"rq_ms", "0, 1 or 2"},
    {"rq_ds", "0 or 1"},
    {"rn_t", "a whole number"},
    {"sd_t", "a whole number up to 100000"},
    {"GM", "Random"},
    {"RV", "One or Many"},
    {"rq_lf", "0 or 1"},
    {"lf_t", "a whole number from 0 to 255"},
    {"rq_sm", "0 or 1"},
    {"sm1", "nine digits 0, 1 or 2"},
    {"sm2", "nine digits 0, 1 or 2"},
    {"sm3", "nine digits 0, 1 or 2"},
    {"sm4", "nine digits 0, 1 or 2"},
    {"rq_asa", "0 or 1"},
    {"rq_asf", "0 or 1"},
    {"rq_rnc", "0 or 1"},
    {"rq_hb", "0 or 1"},
    {"hb", "six digits 0 or 1"},
}};
static_assert(kKeys[kHb].name == "hb", "Key follows the table");

std::optional<Key> FindKey(std::string_view name) {
  const std::string upper = UpperAscii(name);
  for (std::size_t k = 0; k < kKeys.size(); ++k) {
    if (UpperAscii(kKeys[k].name) == upper) return static_cast<Key>(k);
  }
  return std::nullopt;
}

using Outcome = ConfigLineOutcome;

// "1" gives 1; any other value gives 0, but only "0" says so.
template <typename T>
Outcome SetFlag(T& flag, std::string_view v) {
  flag = static_cast<T>(v == "1" ? 1 : 0);
  return v == "1" || v == "0" ? Outcome::Applied : Outcome::ReadAsOff;
}

template <typename T>
Outcome SetNumber(T& setting, const Value& value, std::int32_t min, std::int32_t max,
                  const MessageReporter& report) {
  auto n = ReadInteger(value, min, max, report);
  if (!n) return Outcome::Refused;
  setting = static_cast<T>(*n);
  return Outcome::Applied;
}

Outcome ApplyValue(ConfigTarget& t, Key key, const Value& value, const MessageReporter& report) {
  const std::string_view v = value.upper;
  Settings& s = t.settings;
  FilterSettings& f = t.filter;
  switch (key) {
    case kDefs:
      if (v != "RU" && v != "EN") return Outcome::Refused;
      SetNotation(t.notation, static_cast<int>(v == "RU" ? Notation::Ru : Notation::En));
      return Outcome::Applied;
    case kRqMt:
      return SetFlag(s.markTransits, v);
    case kRqMs:
      if (v != "0" && v != "1" && v != "2") return Outcome::Refused;
      s.staticMarkMode = static_cast<StaticMarks>(v[0] - '0');
      return Outcome::Applied;
    case kRqDs:
      return SetFlag(s.deleteSpaces, v);
    case kRnT:
      // A negative threshold clears after every result.
      return SetNumber(s.clearThreshold, value, kInt32Min, kInt32Max, report);
    case kSdT:
      // A depth of 0 or less makes no transpositions at all.
      return SetNumber(s.shuffleDepth, value, kInt32Min, kMaxShuffleDepth, report);
    case kGm:
      // The generation mode has one value only.
      return v == "RANDOM" ? Outcome::Applied : Outcome::Refused;
    case kRv:
      if (v != "ONE" && v != "MANY") return Outcome::Refused;
      f.resultVariants = v == "ONE" ? ResultVariants::One : ResultVariants::Many;
      return Outcome::Applied;
    case kRqLf:
      return SetFlag(f.lfEnabled, v);
    case kLfT:
      return SetNumber(f.lfThreshold, value, 0, 255, report);
    case kRqSm:
      return SetFlag(f.smEnabled, v);
    case kSm1:
    case kSm2:
    case kSm3:
    case kSm4:
      return ReadGridRow(f.elementGrid[key - kSm1], value);
    case kRqAsa:
      return SetFlag(s.autosaveAll, v);
    case kRqAsf:
      return SetFlag(s.autosaveFiltered, v);
    case kRqRnc:
      return SetFlag(s.clearAtRn, v);
    case kRqHb:
      return SetFlag(f.hbEnabled, v);
    case kHb:
      return ReadLineFlags(f.hbRequired, value);
  }
  return Outcome::UnknownKey;
}

// A free text setting must not break the file into extra lines.
std::string OneLine(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != '\r' && c != '\n') out += c;
  }
  return out;
}

}  // namespace

ConfigLineOutcome ApplyConfigLine(ConfigTarget t, std::string_view line,
                                  const MessageReporter& report) {
  const std::string_view trimmed = TrimSpaces(line);
  if (trimmed.empty()) return ConfigLineOutcome::Blank;
  // Upper-casing keeps every position, so spans found in `upper` also mark
  // the original text.
  const std::string upper = UpperAscii(trimmed);
  const auto space = upper.find(' ');
  if (space == std::string::npos) return ConfigLineOutcome::UnknownKey;  // no key
  const std::optional<Key> key = FindKey(std::string_view{upper}.substr(0, space));
  if (!key) return ConfigLineOutcome::UnknownKey;
  std::size_t restStart = space + 1;
  const auto equals = upper.find('=', restStart);
  if (equals != std::string::npos) restStart = equals + 1;
  const std::string_view rest = TrimSpaces(std::string_view{upper}.substr(restStart));
  if (rest.empty()) return ConfigLineOutcome::NoValue;
  const auto valueStart = static_cast<std::size_t>(rest.data() - upper.data());
  const Value value{rest, trimmed.substr(valueStart, rest.size())};
  return ApplyValue(t, *key, value, report);
}

const std::array<ConfigKey, kConfigKeyCount>& ConfigKeys() { return kKeys; }

const ConfigKey* FindConfigKey(std::string_view name) {
  const std::optional<Key> key = FindKey(name);
  return key ? &kKeys[*key] : nullptr;
}

namespace {

// The whole file is read first: whether it is UTF-8 is a question about all
// of it, not about one line.
IoResult LoadLines(const std::function<IoResult(const std::function<void(std::string_view)>&,
                                                const LineLimits&)>& read,
                   const std::string& name, ConfigTarget t, const MessageReporter& report) {
  // The file has twenty short lines; a megabyte is more than any such file,
  // and what a huge or endless one holds past it is not read.
  std::string text;
  IoResult error = read(
      [&text](std::string_view line) {
        text.append(line);
        text.push_back('\n');
      },
      LineLimits{64 * 1024, 1 << 20});
  text = FileTextToCp1251(text);

  // A few messages say what is wrong; a file full of bad values must not
  // bury the start under boxes, so the rest are counted and told as one.
  int told = 0;
  std::uint64_t untold = 0;
  const MessageReporter capped = [&](const RuntimeMessage& message) {
    if (told < kConfigMessagesShown) {
      ++told;
      if (report) report(message);
    } else {
      ++untold;
    }
  };
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    ApplyConfigLine(t, std::string_view{text}.substr(start, end - start), capped);
    start = end + 1;
  }
  if (untold > 0 && report) {
    report(BadValuesSkippedMessage(untold, name));
  }
  if (error && error->code == ENOENT) return std::nullopt;  // defaults stand
  return error;
}

}  // namespace

IoResult LoadConfig(const std::string& path, ConfigTarget t, const MessageReporter& report) {
  return LoadLines([&path](const auto& onLine, const LineLimits& limits) {
    return ReadLines(path, onLine, limits);
  }, path, t, report);
}

IoResult LoadConfigFrom(int fd, const std::string& name, ConfigTarget t,
                        const MessageReporter& report) {
  return LoadLines([fd](const auto& onLine, const LineLimits& limits) {
    return ReadLinesFrom(fd, onLine, limits);
  }, name, t, report);
}

std::string ConfigText(const NotationSet& notation, const Settings& settings,
                       const FilterSettings& filter) {
  std::string out;
  auto line = [&out](Key key, std::string_view value) {
    out.append(kKeys[key].name).append(" = ").append(value).append("\r\n");
  };
  auto bit = [](bool on) { return on ? "1" : "0"; };
  line(kDefs, OneLine(notation.notationName));
  line(kRqMt, std::to_string(settings.markTransits));
  line(kRqMs, std::to_string(static_cast<int>(settings.staticMarkMode)));
  line(kRqDs, std::to_string(settings.deleteSpaces));
  line(kRnT, std::to_string(settings.clearThreshold));
  line(kSdT, std::to_string(settings.shuffleDepth));
  line(kGm, std::string(NameOf(filter.generationMode)));
  line(kRv, std::string(NameOf(filter.resultVariants)));
  line(kRqLf, std::to_string(filter.lfEnabled));
  line(kLfT, std::to_string(filter.lfThreshold));
  line(kRqSm, std::to_string(filter.smEnabled));
  for (std::size_t row = 0; row < filter.elementGrid.size(); ++row) {
    std::string cells;
    for (ElementState cell : filter.elementGrid[row]) cells += std::to_string(static_cast<int>(cell));
    line(static_cast<Key>(kSm1 + row), cells);
  }
  line(kRqAsa, bit(settings.autosaveAll));
  line(kRqAsf, bit(settings.autosaveFiltered));
  line(kRqRnc, bit(settings.clearAtRn));
  line(kRqHb, std::to_string(filter.hbEnabled));
  std::string lines;
  for (std::uint8_t flag : filter.hbRequired) lines += bit(flag != 0);
  line(kHb, lines);
  return out;
}

IoResult SaveConfig(const std::string& path, const NotationSet& notation,
                    const Settings& settings, const FilterSettings& filter) {
  return ReplaceFileContents(path, ConfigText(notation, settings, filter));
}

}  // namespace zlc
