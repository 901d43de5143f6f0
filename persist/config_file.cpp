#include "persist/config_file.h"

#include <cerrno>
#include <cstdint>
#include <limits>
#include <optional>

#include "persist/atomic_replace.h"
#include "persist/line_reader.h"
#include "persist/number_text.h"

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

std::uint8_t Flag(const Value& value) { return value.upper == "1" ? 1 : 0; }

void ReadGridRow(std::array<ElementState, 9>& row, const Value& value) {
  if (value.upper.size() != row.size()) return;
  for (char c : value.upper) {
    if (c < '0' || c > '2') return;
  }
  for (std::size_t k = 0; k < row.size(); ++k) {
    row[k] = static_cast<ElementState>(value.upper[k] - '0');
  }
}

void ReadLineFlags(std::array<std::uint8_t, 6>& flags, const Value& value) {
  if (value.upper.size() != flags.size()) return;
  for (std::size_t k = 0; k < flags.size(); ++k) flags[k] = value.upper[k] == '1' ? 1 : 0;
}

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

void ApplyValue(ConfigTarget& t, std::string_view key, const Value& value,
                const MessageReporter& report) {
  const std::string_view v = value.upper;
  Settings& s = t.settings;
  FilterSettings& f = t.filter;
  if (key == "DEFS") {
    if (v == "RU") SetNotation(t.notation, static_cast<int>(Notation::Ru));
    if (v == "EN") SetNotation(t.notation, static_cast<int>(Notation::En));
  } else if (key == "RQ_MT") {
    s.markTransits = Flag(value);
  } else if (key == "RQ_MS") {
    if (v == "0" || v == "1" || v == "2") s.staticMarkMode = v[0] - '0';
  } else if (key == "RQ_DS") {
    s.deleteSpaces = Flag(value);
  } else if (key == "RN_T") {
    if (auto n = ReadInteger(value, 0, kInt32Max, report)) s.clearThreshold = *n;
  } else if (key == "SD_T") {
    if (auto n = ReadInteger(value, 0, kMaxShuffleDepth, report)) s.shuffleDepth = *n;
  } else if (key == "GM") {
    // The generation mode has one value only.
  } else if (key == "RV") {
    if (v == "ONE") f.resultVariants = "One";
    if (v == "MANY") f.resultVariants = "Many";
  } else if (key == "RQ_LF") {
    f.lfEnabled = Flag(value);
  } else if (key == "LF_T") {
    if (auto n = ReadInteger(value, 0, 255, report)) f.lfThreshold = static_cast<std::uint8_t>(*n);
  } else if (key == "RQ_SM") {
    f.smEnabled = Flag(value);
  } else if (key.size() == 3 && key.substr(0, 2) == "SM" && key[2] >= '1' && key[2] <= '4') {
    ReadGridRow(f.elementGrid[static_cast<std::size_t>(key[2] - '1')], value);
  } else if (key == "RQ_ASA") {
    s.autosaveAll = Flag(value) == 1;
  } else if (key == "RQ_ASF") {
    s.autosaveFiltered = Flag(value) == 1;
  } else if (key == "RQ_RNC") {
    s.clearAtRn = Flag(value) == 1;
  } else if (key == "RQ_HB") {
    f.hbEnabled = Flag(value);
  } else if (key == "HB") {
    ReadLineFlags(f.hbRequired, value);
  }
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

void ApplyConfigLine(ConfigTarget t, std::string_view line, const MessageReporter& report) {
  const std::string_view trimmed = TrimSpaces(line);
  if (trimmed.empty()) return;
  // Upper-casing keeps every position, so spans found in `upper` also mark
  // the original text.
  const std::string upper = UpperAscii(trimmed);
  const auto space = upper.find(' ');
  if (space == std::string::npos) return;  // no key
  const std::string_view key = std::string_view{upper}.substr(0, space);
  std::size_t restStart = space + 1;
  const auto equals = upper.find('=', restStart);
  if (equals != std::string::npos) restStart = equals + 1;
  const std::string_view rest = TrimSpaces(std::string_view{upper}.substr(restStart));
  if (rest.empty()) return;
  const auto valueStart = static_cast<std::size_t>(rest.data() - upper.data());
  const Value value{rest, trimmed.substr(valueStart, rest.size())};
  ApplyValue(t, key, value, report);
}

IoResult LoadConfig(const std::string& path, ConfigTarget t, const MessageReporter& report) {
  // A few messages say what is wrong; a file full of bad values must not
  // bury the start under boxes, so the rest are counted and told as one.
  int told = 0;
  std::uint64_t untold = 0;
  const MessageReporter capped = [&](const std::string& message) {
    if (told < kConfigMessagesShown) {
      ++told;
      if (report) report(message);
    } else {
      ++untold;
    }
  };
  // The file has twenty short lines; a megabyte is more than any such file,
  // and what a huge or endless one holds past it is not read.
  IoResult error = ReadLines(path, [&](std::string_view line) { ApplyConfigLine(t, line, capped); },
                             LineLimits{64 * 1024, 1 << 20});
  if (untold > 0 && report) {
    report(std::to_string(untold) + " more bad values in " + path + " were skipped");
  }
  if (error && error->code == ENOENT) return std::nullopt;  // defaults stand
  return error;
}

std::string ConfigText(const NotationSet& notation, const Settings& settings,
                       const FilterSettings& filter) {
  std::string out;
  auto line = [&out](std::string_view key, std::string_view value) {
    out.append(key).append(" = ").append(value).append("\r\n");
  };
  auto bit = [](bool on) { return on ? "1" : "0"; };
  line("Defs", OneLine(notation.notationName));
  line("rq_mt", std::to_string(settings.markTransits));
  line("rq_ms", std::to_string(settings.staticMarkMode));
  line("rq_ds", std::to_string(settings.deleteSpaces));
  line("rn_t", std::to_string(settings.clearThreshold));
  line("sd_t", std::to_string(settings.shuffleDepth));
  line("GM", OneLine(filter.generationMode));
  line("RV", OneLine(filter.resultVariants));
  line("rq_lf", std::to_string(filter.lfEnabled));
  line("lf_t", std::to_string(filter.lfThreshold));
  line("rq_sm", std::to_string(filter.smEnabled));
  for (std::size_t row = 0; row < filter.elementGrid.size(); ++row) {
    std::string cells;
    for (ElementState cell : filter.elementGrid[row]) cells += std::to_string(static_cast<int>(cell));
    line("sm" + std::to_string(row + 1), cells);
  }
  line("rq_asa", bit(settings.autosaveAll));
  line("rq_asf", bit(settings.autosaveFiltered));
  line("rq_rnc", bit(settings.clearAtRn));
  line("rq_hb", std::to_string(filter.hbEnabled));
  std::string lines;
  for (std::uint8_t flag : filter.hbRequired) lines += bit(flag != 0);
  line("hb", lines);
  return out;
}

IoResult SaveConfig(const std::string& path, const NotationSet& notation,
                    const Settings& settings, const FilterSettings& filter) {
  return ReplaceFileContents(path, ConfigText(notation, settings, filter));
}

}  // namespace zlc
