#include "cli/load_settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "cli/command_text.h"
#include "cli/messages.h"
#include "persist/config_file.h"

namespace zlc::cli {
namespace {

// The key as the file's reader takes it: its spaces aside, in any case.
const ConfigKey* FindKey(std::string_view typed) {
  const auto first = typed.find_first_not_of(' ');
  if (first == std::string_view::npos) return nullptr;
  return FindConfigKey(typed.substr(first, typed.find_last_not_of(' ') - first + 1));
}

std::string KnownKeys() {
  std::string known;
  for (const ConfigKey& key : ConfigKeys()) {
    if (!known.empty()) known += ", ";
    known += key.name;
  }
  return known;
}

// The file's tolerance is the window's; only a file that is not there when
// it was named, or that cannot be read, stops the tool.
bool ReadSettingsFile(ConfigTarget target, const Options& options) {
  const auto report = [](const RuntimeMessage& m) { Say(Shown(m.text)); };
  if (options.config == kStandardInput) {
    if (IoResult failed = LoadConfigFrom(STDIN_FILENO, "standard input", target, report)) {
      Say("cannot read standard input: " + FailureText(*failed));
      return false;
    }
    return true;
  }
  // A settings file asked for must be there; what else is wrong with it
  // (a folder, a FIFO) the reading says.
  struct stat configStat {};
  if (options.config && ::stat(options.config->c_str(), &configStat) != 0 && errno == ENOENT) {
    Say("cannot read " + *options.config + ": " + FailureText(IoError{ENOENT}));
    return false;
  }
  const std::string path = options.config.value_or(std::string{kConfigFileName});
  if (IoResult failed = LoadConfig(path, target, report)) {
    Say("cannot read " + path + ": " + FailureText(*failed));
    return false;
  }
  return true;
}

// One --set KEY=VALUE, read by the file's own reader as the line
// "KEY = VALUE"; what that reader would skip or read otherwise than written
// is an error here.
bool ApplySet(ConfigTarget target, const std::string& typed, bool terminalCp1251) {
  const auto eq = typed.find('=');
  const std::string key = typed.substr(0, eq);
  const std::string value = typed.substr(eq + 1);
  const ConfigKey* known = FindKey(key);
  if (!known) {
    Say("unknown key '" + key + "' (known: " + KnownKeys() + ")");
    return false;
  }
  const auto bytes = CoreTextOf(value, "--set " + std::string{known->name}, terminalCp1251);
  if (!bytes) return false;
  const std::string line = std::string{known->name} + " = " + *bytes;
  if (ApplyConfigLine(target, line, nullptr) != ConfigLineOutcome::Applied) {
    Say("bad value '" + value + "' for " + std::string{known->name} + " (" +
        std::string{known->accepts} + ")");
    return false;
  }
  return true;
}

}  // namespace

bool LoadSettings(Calculator& calc, const Options& options) {
  calc.ResetSettings();
  const ConfigTarget target{calc.notation, calc.settings, calc.filter};
  if (!ReadSettingsFile(target, options)) return false;
  for (const std::string& set : options.sets) {
    if (!ApplySet(target, set, options.terminalCp1251)) return false;
  }
  calc.editor.BuildCardGrid();
  return true;
}

}  // namespace zlc::cli
