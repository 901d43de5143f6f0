#include "cli/load_task.h"

#include <unistd.h>

#include "cli/command_text.h"
#include "cli/messages.h"
#include "cli/task_warnings.h"
#include "persist/task_file.h"

namespace zlc::cli {
namespace {

// The task's text in the core's Windows-1251; nothing when it cannot be had
// (told).
std::optional<std::string> TaskText(const Options& options) {
  if (options.task) return CoreTextOf(*options.task, "--task", options.terminalCp1251);
  if (!options.taskFile) return std::string{options.bench ? "**" : ""};  // the measurement's default
  std::string line;
  const bool standardInput = *options.taskFile == kStandardInput;
  IoResult failed =
      standardInput ? ReadFirstLineFrom(STDIN_FILENO, line) : ReadFirstLine(*options.taskFile, line);
  if (failed) {
    Say("cannot read " + (standardInput ? std::string{"standard input"} : *options.taskFile) + ": " +
        FailureText(*failed));
    return std::nullopt;
  }
  return line;
}

}  // namespace

bool LoadTask(Calculator& calc, const Options& options) {
  const std::optional<std::string> text = TaskText(options);
  if (!text) return false;
  // A task typed on the command line that names no letter of either
  // alphabet ("**", "6? ** X?") keeps the notation of the settings; a task
  // file is read as the window opens one.
  const SkippedTexts skipped = calc.editor.LoadTaskText(*text, options.task.has_value());

  // A long text of junk must not flood the terminal: the first few are
  // told, the rest counted.
  constexpr std::uint64_t kShown = 10;
  std::uint64_t warned = 0;
  for (const SkippedText& part : skipped.parts) {
    const std::optional<std::string> warning = TaskWarning(part, calc.notation);
    if (!warning) continue;
    if (++warned <= kShown) Say(*warning);
  }
  // Parts past the editor's list are not told apart; each may be one.
  warned += skipped.more;
  if (warned > kShown) Say(std::to_string(warned - kShown) + " more parts of the task were skipped");
  if (warned > 0 && options.strict) {
    Say("the task is not as written (--strict)");
    return false;
  }
  return true;
}

bool TaskComplete(const Calculator& calc) {
  if (calc.editor.TaskComplete()) return true;
  Say("task incomplete: L=" + std::to_string(calc.editor.TaskLength()) + "/36");
  return false;
}

}  // namespace zlc::cli
