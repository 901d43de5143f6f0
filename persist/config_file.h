// The settings file: one "key = value" line per setting, read once at
// start-up and written completely at exit.
#pragma once

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
using MessageReporter = std::function<void(const std::string&)>;

// Reads one line and applies it. Unknown keys, empty values and values the
// key does not accept change nothing; only a bad number is reported.
void ApplyConfigLine(ConfigTarget t, std::string_view line, const MessageReporter& report);

// A missing file changes nothing and is no error. A file that cannot be read
// (or is no regular file) returns its error; the lines before the failure
// stay applied. Of the bad values, the first few are reported one by one and
// the rest in one message with their count. Only the file's first megabyte,
// and of each line its first 64 KB, is read.
inline constexpr int kConfigMessagesShown = 3;
IoResult LoadConfig(const std::string& path, ConfigTarget t, const MessageReporter& report);

// The whole file: 20 lines, CR LF each.
std::string ConfigText(const NotationSet& notation, const Settings& settings,
                       const FilterSettings& filter);

// Replaces the file as a whole: the old one stays untouched unless the new
// one was completely written.
IoResult SaveConfig(const std::string& path, const NotationSet& notation,
                    const Settings& settings, const FilterSettings& filter);

}  // namespace zlc
