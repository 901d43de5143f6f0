// The headless search tool's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/output_format.h"

namespace zlc::cli {

// The path that names standard input.
inline constexpr std::string_view kStandardInput = "-";

struct Options {
  std::optional<std::string> task;      // the command line's bytes, as typed
  std::optional<std::string> taskFile;  // kStandardInput: standard input
  std::optional<std::string> replay;    // a row of cards, as typed: its collapses instead of a search
  std::optional<std::string> config;    // kStandardInput: standard input
  std::vector<std::string> sets;        // "KEY=VALUE", as typed
  std::optional<std::uint32_t> seed;
  std::optional<std::uint64_t> results;
  std::optional<std::uint64_t> tries;
  std::optional<std::uint64_t> filtered;
  bool onlyFiltered = false;
  bool dryRun = false;
  std::optional<double> bench;  // seconds per measurement
  std::optional<int> jobs;      // threads of the search, the caller's included
  // --encoding: the terminal's. The task and the --set values are read,
  // and messages written, in Windows-1251 rather than UTF-8.
  bool terminalCp1251 = false;
  bool outputCp1251 = false;  // the results; --output-encoding alone sets it apart
  OutputFormat format = OutputFormat::Text;
  bool stats = false;                    // the statistics as a table on stderr
  std::optional<std::string> statsJson;  // and as JSON in this file
  std::optional<bool> progress;    // forced on or off
  bool quiet = false;
  bool strict = false;  // a task token that cannot be taken is an error
  bool help = false;
  bool version = false;
};

// Parses argv; on a usage error returns the one-line message in `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

}  // namespace zlc::cli
