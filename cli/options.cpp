#include "cli/options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

#include "engine/block_source.h"

namespace zlc::cli {

const char* const kUsage =
    "usage: zlc-search [--task TEXT | --task-file PATH] [--config PATH] [--set KEY=VALUE]...\n"
    "                  [--seed N] [--results N] [--tries N] [--filtered N] [--only-filtered]\n"
    "                  [--dry-run] [--strict] [--encoding E] [--output-encoding E]\n"
    "                  [--format text|csv|jsonl] [--stats] [--stats-json PATH]\n"
    "                  [--quiet] [--progress | --no-progress] [--bench [SECONDS]]\n"
    "                  [--jobs N] [--help] [--version]\n"
    "       zlc-search --replay CARDS [--config PATH] [--set KEY=VALUE]... [--format text|jsonl]\n"
    "                  [--encoding E] [--output-encoding E]\n"
    "\n"
    "Searches layouts that satisfy the task and collapse to two cards, as the\n"
    "calculator's \"Run\" does, and prints each result.\n"
    "\n"
    "  --task TEXT        the task, in either notation (e.g. \"Ad ** 7s\" or \"**\")\n"
    "  --task-file PATH   the task from the first line of a task file (- : stdin)\n"
    "  --config PATH      settings file (default: zlc.cfg here, when it exists;\n"
    "                     - : stdin)\n"
    "  --set KEY=VALUE    a setting, as the line \"KEY = VALUE\" of the settings file;\n"
    "                     an unknown key or a value the key does not take is an error\n"
    "  --seed N           seed of the generator, 0..4294967295 (default: the clock\n"
    "                     and the process; stderr tells it as \"zlc-search: Seed: N\")\n"
    "  --results N        stop after N results in total\n"
    "  --tries N          stop after N tries in total\n"
    "  --filtered N       stop after N results that pass the filter\n"
    "                     (a limit of 0 searches nothing)\n"
    "  --only-filtered    print only the results that pass the filter\n"
    "  --dry-run          print the task, its length, its variants and the filter\n"
    "  --strict           a task token that the task cannot take is an error, not\n"
    "                     a warning\n"
    "  --encoding E       the terminal's encoding, utf-8 (default) or cp1251: of the\n"
    "                     task and --set text, of the results and of the messages\n"
    "  --output-encoding E  the results' encoding alone (e.g. cp1251 for a file)\n"
    "  --format F         text (default: each result's three lines), csv (a header\n"
    "                     row, then a row per result) or jsonl (an object per line);\n"
    "                     csv and jsonl are UTF-8 (see RECORDS in the manual page)\n"
    "  --stats            at the end, the search's statistics as a table on stderr:\n"
    "                     rates with 95 % intervals, pace, the wait for the next\n"
    "                     filtered result, the seed\n"
    "  --stats-json PATH  the same figures and every count (hexagrams per suit,\n"
    "                     L(F), hex balance, P values, ...) as JSON in a file\n"
    "  --quiet            no seed, progress or summary on stderr; errors and\n"
    "                     warnings still\n"
    "  --progress, --no-progress\n"
    "                     tries per second on stderr (default: on a terminal)\n"
    "  --bench [SECONDS]  tries per second of the plain tries and of the engine, side\n"
    "                     by side (the task, default \"**\", and its shuffle depth)\n"
    "  --jobs N           threads of the search, 1..64: 1 builds everything on one\n"
    "                     thread (default: one per processor; the results are the same)\n"
    "  --replay CARDS     no search: the collapses of a row of cards one by one, then\n"
    "                     the cards left (CARDS in either notation, or a result's\n"
    "                     line 1 with its marks; printed in the notation of Defs)\n"
    "  --help, --version\n"
    "\n"
    "--OPTION=VALUE works for every option that takes a value; a value that begins\n"
    "with \"-\" must be given so (--task=-6?). \"--\" ends the options.\n"
    "Exit status: 0 done, 1 failure, 2 usage, 128+N stopped by signal N (130: Ctrl-C).\n";

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size();
}

enum class Takes { Nothing, Value, OptionalValue };

// One option: its name, whether it takes a value, and what it does with it.
// `apply` gets the name as typed and the value; it fills `error` and returns
// false on a wrong value.
struct OptionRule {
  std::string_view name;
  Takes takes;
  std::function<bool(Options&, const std::string& name, const std::string& value,
                     std::string& error)>
      apply;
  std::string_view absent = {};  // the value of an optional one left out
};

template <typename T>
bool ReadNumber(const std::string& name, const std::string& value, T& n, std::string& error) {
  if (ParseNumber(value, n)) return true;
  error = "option " + name + " takes a whole number, not '" + value + "'";
  return false;
}

template <typename T>
auto Number(std::optional<T> Options::*field) {
  return [field](Options& o, const std::string& name, const std::string& value, std::string& error) {
    T n{};
    if (!ReadNumber(name, value, n, error)) return false;
    o.*field = n;
    return true;
  };
}

auto Text(std::optional<std::string> Options::*field) {
  return [field](Options& o, const std::string&, const std::string& value, std::string&) {
    o.*field = value;
    return true;
  };
}

auto Flag(bool Options::*field) {
  return [field](Options& o, const std::string&, const std::string&, std::string&) {
    o.*field = true;
    return true;
  };
}

// "utf-8" or "cp1251" into `cp1251`.
bool Encoding(const std::string& name, const std::string& value, bool& cp1251, std::string& error) {
  if (value != "utf-8" && value != "cp1251") {
    error = name + " takes utf-8 or cp1251, not '" + value + "'";
    return false;
  }
  cp1251 = value == "cp1251";
  return true;
}

// --output-encoding overrides the results' side of --encoding, wherever
// each stands; it is kept apart until the end.
struct Parse {
  Options options;
  std::optional<bool> outputCp1251;
  std::vector<std::string> given;  // the options' names, as given
};

// The options of a search, which a replay has no use for.
constexpr std::string_view kSearchOnly[] = {"--task",   "--task-file", "--seed",          "--results",
                                            "--tries",  "--filtered",  "--only-filtered", "--dry-run",
                                            "--strict", "--stats",     "--stats-json",    "--bench",
                                            "--jobs",   "--progress",  "--no-progress"};

// A replay goes with the settings, the encodings and a text or JSON form;
// false, with the message, for anything else.
bool ReplayAlone(const Parse& parse, std::string& error) {
  for (const std::string& name : parse.given) {
    if (std::find(std::begin(kSearchOnly), std::end(kSearchOnly), name) == std::end(kSearchOnly)) continue;
    error = "--replay searches nothing: " + name + " does not go with it";
    return false;
  }
  if (parse.options.format == OutputFormat::Csv) {
    error = "--replay prints text or jsonl, not csv";
    return false;
  }
  return true;
}

std::vector<OptionRule> Rules(Parse& parse) {
  return {
      {"--task", Takes::Value, Text(&Options::task)},
      {"--task-file", Takes::Value, Text(&Options::taskFile)},
      {"--replay", Takes::Value, Text(&Options::replay)},
      {"--config", Takes::Value, Text(&Options::config)},
      {"--set", Takes::Value,
       [](Options& o, const std::string&, const std::string& value, std::string& error) {
         if (value.find('=') == std::string::npos) {
           error = "--set takes KEY=VALUE, not '" + value + "'";
           return false;
         }
         o.sets.push_back(value);
         return true;
       }},
      {"--seed", Takes::Value, Number(&Options::seed)},
      {"--results", Takes::Value, Number(&Options::results)},
      {"--tries", Takes::Value, Number(&Options::tries)},
      {"--filtered", Takes::Value, Number(&Options::filtered)},
      {"--only-filtered", Takes::Nothing, Flag(&Options::onlyFiltered)},
      {"--dry-run", Takes::Nothing, Flag(&Options::dryRun)},
      {"--strict", Takes::Nothing, Flag(&Options::strict)},
      {"--encoding", Takes::Value,
       [](Options& o, const std::string& name, const std::string& value, std::string& error) {
         if (!Encoding(name, value, o.terminalCp1251, error)) return false;
         o.outputCp1251 = o.terminalCp1251;
         return true;
       }},
      {"--output-encoding", Takes::Value,
       [&parse](Options&, const std::string& name, const std::string& value, std::string& error) {
         bool cp1251 = false;
         if (!Encoding(name, value, cp1251, error)) return false;
         parse.outputCp1251 = cp1251;
         return true;
       }},
      {"--format", Takes::Value,
       [](Options& o, const std::string& name, const std::string& value, std::string& error) {
         const auto format = OutputFormatNamed(value);
         if (!format) {
           error = name + " takes text, csv or jsonl, not '" + value + "'";
           return false;
         }
         o.format = *format;
         return true;
       }},
      {"--stats", Takes::Nothing, Flag(&Options::stats)},
      {"--stats-json", Takes::Value, Text(&Options::statsJson)},
      {"--bench", Takes::OptionalValue,
       [](Options& o, const std::string&, const std::string& value, std::string& error) {
         double seconds = 0;
         auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
         if (ec != std::errc{} || end != value.data() + value.size() || !std::isfinite(seconds) ||
             seconds <= 0) {
           error = "--bench takes a number of seconds, not '" + value + "'";
           return false;
         }
         o.bench = seconds;
         return true;
       },
       "2"},
      {"--jobs", Takes::Value,
       [](Options& o, const std::string& name, const std::string& value, std::string& error) {
         std::uint32_t jobs = 0;
         if (!ReadNumber(name, value, jobs, error)) return false;
         if (jobs < 1 || jobs > static_cast<std::uint32_t>(kMaxSearchThreads)) {
           error = "--jobs takes 1 to " + std::to_string(kMaxSearchThreads) + " threads, not '" + value + "'";
           return false;
         }
         o.jobs = static_cast<int>(jobs);
         return true;
       }},
      {"--progress", Takes::Nothing,
       [](Options& o, const std::string&, const std::string&, std::string&) {
         o.progress = true;
         return true;
       }},
      {"--no-progress", Takes::Nothing,
       [](Options& o, const std::string&, const std::string&, std::string&) {
         o.progress = false;
         return true;
       }},
      {"--quiet", Takes::Nothing, Flag(&Options::quiet)},
      {"--help", Takes::Nothing, Flag(&Options::help)},
      {"-h", Takes::Nothing, Flag(&Options::help)},
      {"--version", Takes::Nothing, Flag(&Options::version)},
  };
}

// A word that begins with "-" is an option, never an option's value; "-"
// alone is a value (standard input).
bool LooksLikeOption(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Parse parse;
  const std::vector<OptionRule> rules = Rules(parse);
  Options& o = parse.options;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded) {
      // The tool takes no operands; a word after "--" is a mistake, told.
      error = "unexpected argument '" + arg + "' after --";
      return std::nullopt;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    // "--name=value" carries its value; only a long option can.
    const auto equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
    const std::string name = arg.substr(0, equals);
    const OptionRule* rule = nullptr;
    for (const OptionRule& r : rules) {
      if (r.name == name) rule = &r;
    }
    if (!rule) {
      error = "unknown argument '" + (equals == std::string::npos ? arg : name) + "'";
      return std::nullopt;
    }
    std::string value{rule->absent};
    if (equals != std::string::npos) {
      if (rule->takes == Takes::Nothing) {
        error = "option " + name + " takes no value";
        return std::nullopt;
      }
      value = arg.substr(equals + 1);
    } else if (rule->takes == Takes::Value) {
      if (i + 1 >= args.size() || LooksLikeOption(args[i + 1])) {
        error = "option " + name + " needs a value; one that begins with '-' is given as " + name +
                "=VALUE";
        return std::nullopt;
      }
      value = args[++i];
    } else if (rule->takes == Takes::OptionalValue && i + 1 < args.size() &&
               !args[i + 1].empty() && args[i + 1][0] != '-') {
      value = args[++i];
    }
    if (!rule->apply(o, name, value, error)) return std::nullopt;
    parse.given.push_back(name);
  }
  if (parse.outputCp1251) o.outputCp1251 = *parse.outputCp1251;
  if (o.replay && !ReplayAlone(parse, error)) return std::nullopt;
  if (o.task && o.taskFile) {
    error = "give either --task or --task-file, not both";
    return std::nullopt;
  }
  if (o.taskFile == kStandardInput && o.config == kStandardInput) {
    error = "--task-file and --config cannot both read standard input";
    return std::nullopt;
  }
  return o;
}

}  // namespace zlc::cli
