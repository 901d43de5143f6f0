#include "calculator/repeat_command.h"

#include <string_view>

#include "persist/config_file.h"

namespace zlc {
namespace {

// In single quotes, which a POSIX shell takes as they stand.
std::string ShellQuoted(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

bool Plain(std::string_view text) {
  for (char c : text) {
    const bool safe = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                      c == '_' || c == '=' || c == '-' || c == '.';
    if (!safe) return false;
  }
  return !text.empty();
}

// The keys that change nothing in the tool's output: the window's autosave
// boxes, and the one generation mode there is.
bool Matters(std::string_view key) { return key != "rq_asa" && key != "rq_asf" && key != "GM"; }

}  // namespace

RepeatCommand RepeatCommandOf(const Calculator& calc) {
  if (calc.Statistics().Counts().Tries() == 0) return {{}, WhyNoRepeat::NothingSearched};
  if (!calc.Statistics().Repeatable()) return {{}, WhyNoRepeat::ContinuedRun};
  if (calc.Statistics().LinesChanged() != SetupChange::None) {
    return {{}, WhyNoRepeat::LinesChanged, calc.Statistics().LinesChanged()};
  }
  const RunSetup& setup = calc.Statistics().Setup();
  // The notation by its letters: a name typed into the selector that is
  // neither "Ru" nor "En" leaves the letters as they were, and the tool
  // takes only those two names.
  NotationSet notation = setup.notation;
  notation.notationName = notation.rankLetters == kEnRanks ? "En" : "Ru";
  std::string command = "zlc-search --task " + ShellQuoted(setup.task);
  const std::string config = ConfigText(notation, setup.settings, setup.filter);
  for (std::size_t at = 0; at < config.size();) {
    std::size_t end = config.find("\r\n", at);
    if (end == std::string::npos) end = config.size();
    const std::string_view line(config.data() + at, end - at);
    at = end + 2;
    const std::size_t eq = line.find(" = ");
    if (eq == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, eq);
    if (!Matters(key)) continue;
    const std::string set = std::string(key) + "=" + std::string(line.substr(eq + 3));
    command += " --set " + (Plain(set) ? set : ShellQuoted(set));
  }
  command += " --seed " + std::to_string(calc.Statistics().Seed());
  return {command, WhyNoRepeat::None};
}

}  // namespace zlc
