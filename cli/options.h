// The headless search tool's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zlc::cli {

struct Options {
  std::optional<std::string> task;      // UTF-8 text from the command line
  std::optional<std::string> taskFile;
  std::optional<std::string> config;
  std::vector<std::string> sets;        // "KEY=VALUE"
  std::optional<std::uint32_t> seed;
  std::optional<std::uint64_t> results;
  std::optional<std::uint64_t> tries;
  std::optional<std::uint64_t> filtered;
  bool onlyFiltered = false;
  bool dryRun = false;
  std::optional<double> bench;  // seconds per measurement
  std::optional<int> jobs;      // threads of the search, the caller's included
  bool cp1251 = false;
  std::optional<bool> progress;
  bool help = false;
  bool version = false;
};

// Parses argv; on a usage error returns the one-line message in `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

}  // namespace zlc::cli
