#include "cli/options.h"

#include <charconv>
#include <cmath>

#include "engine/block_source.h"

namespace zlc::cli {

const char* const kUsage =
    "usage: zlc-search [--task TEXT | --task-file PATH] [--config PATH] [--set KEY=VALUE]...\n"
    "                  [--seed N] [--results N] [--tries N] [--filtered N] [--only-filtered]\n"
    "                  [--dry-run] [--encoding utf-8|cp1251] [--progress] [--bench [SECONDS]]\n"
    "                  [--jobs N] [--help] [--version]\n"
    "\n"
    "Searches layouts that satisfy the task and collapse to two cards, as the\n"
    "calculator's \"Run\" does, and prints each result's three lines.\n"
    "\n"
    "  --task TEXT        the task, in either notation (e.g. \"Ad ** 7s\" or \"**\")\n"
    "  --task-file PATH   the task from the first line of a task file\n"
    "  --config PATH      settings file (default: zlc.cfg here, when it exists)\n"
    "  --set KEY=VALUE    a setting, as the line \"KEY = VALUE\" of the settings file\n"
    "  --seed N           seed of the generator, 0..4294967295 (default: the clock)\n"
    "  --results N        stop after N results in total\n"
    "  --tries N          stop after N tries in total\n"
    "  --filtered N       stop after N results that pass the filter\n"
    "                     (a limit of 0 searches nothing)\n"
    "  --only-filtered    print only the results that pass the filter\n"
    "  --dry-run          print the task, its length, its variants and the filter\n"
    "  --encoding E       output text as utf-8 (default) or cp1251\n"
    "  --progress         show tries per second on stderr (default on a terminal)\n"
    "  --bench [SECONDS]  tries per second of the plain tries and of the engine, side\n"
    "                     by side (the task, default \"**\", and its shuffle depth)\n"
    "  --jobs N           threads of the search, 1..64: 1 builds everything on one\n"
    "                     thread (default: one per processor; the results are the same)\n"
    "  --help, --version\n";

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size();
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = "option " + arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    auto number = [&](auto& target) {
      std::string text;
      if (!value(text)) return false;
      typename std::remove_reference_t<decltype(target)>::value_type n{};
      if (!ParseNumber(text, n)) {
        error = "option " + arg + " takes a whole number, not '" + text + "'";
        return false;
      }
      target = n;
      return true;
    };
    std::string text;
    if (arg == "--task") {
      if (!value(text)) return std::nullopt;
      o.task = text;
    } else if (arg == "--task-file") {
      if (!value(text)) return std::nullopt;
      o.taskFile = text;
    } else if (arg == "--config") {
      if (!value(text)) return std::nullopt;
      o.config = text;
    } else if (arg == "--set") {
      if (!value(text)) return std::nullopt;
      if (text.find('=') == std::string::npos) {
        error = "--set takes KEY=VALUE, not '" + text + "'";
        return std::nullopt;
      }
      o.sets.push_back(text);
    } else if (arg == "--seed") {
      if (!number(o.seed)) return std::nullopt;
    } else if (arg == "--results") {
      if (!number(o.results)) return std::nullopt;
    } else if (arg == "--tries") {
      if (!number(o.tries)) return std::nullopt;
    } else if (arg == "--filtered") {
      if (!number(o.filtered)) return std::nullopt;
    } else if (arg == "--only-filtered") {
      o.onlyFiltered = true;
    } else if (arg == "--dry-run") {
      o.dryRun = true;
    } else if (arg == "--encoding") {
      if (!value(text)) return std::nullopt;
      if (text == "cp1251") {
        o.cp1251 = true;
      } else if (text == "utf-8") {
        o.cp1251 = false;
      } else {
        error = "--encoding takes utf-8 or cp1251, not '" + text + "'";
        return std::nullopt;
      }
    } else if (arg == "--bench") {
      o.bench = 2.0;
      if (i + 1 < args.size() && !args[i + 1].empty() && args[i + 1][0] != '-') {
        double seconds = 0;
        auto [end, ec] = std::from_chars(args[i + 1].data(), args[i + 1].data() + args[i + 1].size(), seconds);
        if (ec != std::errc{} || end != args[i + 1].data() + args[i + 1].size() ||
            !std::isfinite(seconds) || seconds <= 0) {
          error = "--bench takes a number of seconds, not '" + args[i + 1] + "'";
          return std::nullopt;
        }
        o.bench = seconds;
        ++i;
      }
    } else if (arg == "--jobs") {
      std::optional<std::uint32_t> jobs;
      if (!number(jobs)) return std::nullopt;
      if (*jobs < 1 || *jobs > static_cast<std::uint32_t>(kMaxSearchThreads)) {
        error = "--jobs takes 1 to " + std::to_string(kMaxSearchThreads) + " threads, not '" + args[i] + "'";
        return std::nullopt;
      }
      o.jobs = static_cast<int>(*jobs);
    } else if (arg == "--progress") {
      o.progress = true;
    } else if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else {
      error = "unknown argument '" + arg + "'";
      return std::nullopt;
    }
  }
  if (o.task && o.taskFile) {
    error = "give either --task or --task-file, not both";
    return std::nullopt;
  }
  return o;
}

}  // namespace zlc::cli
