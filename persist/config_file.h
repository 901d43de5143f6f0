// The settings file: one "key = value" line per setting, read once at
// start-up and written completely at exit.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "cards/notation.h"
#include "engine/settings.h"
#include "filter/filter_settings.h"
#include "persist/io_error.h"

namespace zlc {

// Everything the file stores.
struct ConfigTarget {
  NotationSet& notation;
  Settings& settings;
  FilterSettings& filter;
};

// Receives the conversion messages of numbers that cannot be read.
using MessageReporter = std::function<void(const RuntimeMessage&)>;

// The keys in the order the file is written, each with what it takes.
struct ConfigKey {
  std::string_view name;     // as written; read in any letter case
  std::string_view accepts;  // the values it takes, in words
};
inline constexpr std::size_t kConfigKeyCount = 20;
const std::array<ConfigKey, kConfigKeyCount>& ConfigKeys();
// The key of that name in any letter case; null when there is none.
const ConfigKey* FindConfigKey(std::string_view name);

// What reading one line did. Only Applied took the value as written; the
// file is read tolerantly whatever a line gives, but a caller that wants
// every line to count (a command line) can refuse the others.
enum class ConfigLineOutcome {
  Applied,     // the setting took the value
  ReadAsOff,   // a value a flag does not name ("yes"), read as 0 by the rule
  Refused,     // a value the key does not take: nothing changed
  NoValue,     // an empty value: nothing changed
  UnknownKey,  // no such key, or no key at all: nothing changed
  Blank,       // an empty line, or one of spaces
};

// Reads one line and applies it. Unknown keys, empty values and values the
// key does not accept change nothing; only a bad number is reported.
ConfigLineOutcome ApplyConfigLine(ConfigTarget t, std::string_view line,
                                  const MessageReporter& report);

// A missing file changes nothing and is no error. A file that cannot be read
// (or is no regular file) returns its error; the lines before the failure
// stay applied. Of the bad values, the first few are reported one by one and
// the rest in one message with their count. Only the file's first megabyte,
// and of each line its first 64 KB, is read. A file written by a UTF-8 editor
// (valid UTF-8 with non-ASCII text) is read as UTF-8; any other as
// Windows-1251.
inline constexpr int kConfigMessagesShown = 3;
IoResult LoadConfig(const std::string& path, ConfigTarget t, const MessageReporter& report);
// The same from a descriptor the caller opened (standard input), which stays
// open; `name` stands for the file in messages.
IoResult LoadConfigFrom(int fd, const std::string& name, ConfigTarget t,
                        const MessageReporter& report);

// The whole file: 20 lines, CR LF each.
std::string ConfigText(const NotationSet& notation, const Settings& settings,
                       const FilterSettings& filter);

// Replaces the file as a whole: the old one stays untouched unless the new
// one was completely written.
IoResult SaveConfig(const std::string& path, const NotationSet& notation,
                    const Settings& settings, const FilterSettings& filter);

}  // namespace zlc
