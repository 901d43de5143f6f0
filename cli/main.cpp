// zlc-search: the calculator's search without a window, for long searches on
// a terminal and for reproducible checks. It drives the same core as the
// window, batch by batch, from the same generator calls in the same order.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "cards/cp1251.h"
#include "cli/bench.h"
#include "cli/options.h"
#include "engine/calculator.h"
#include "filter/filter_description.h"
#include "persist/config_file.h"
#include "persist/task_file.h"
#include "persist/text_files.h"

namespace {

volatile sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) { g_interrupted = 1; }

struct Output {
  bool cp1251 = false;
  void Line(const std::string& text) const {
    const std::string out = cp1251 ? text : zlc::Cp1251ToUtf8(text);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputc('\n', stdout);
  }
};

void Error(const std::string& message) {
  std::fprintf(stderr, "zlc-search: %s\n", zlc::Cp1251ToUtf8(message).c_str());
}

// The private folder for the scratch file of variants, removed at exit.
class ScratchDir {
 public:
  bool Make() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zlc-search.XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!::mkdtemp(buf.data())) return false;
    path_ = buf.data();
    return true;
  }
  std::string File(const char* name) const { return path_ + "/" + name; }
  ~ScratchDir() {
    if (path_.empty()) return;
    ::unlink(File("variants").c_str());
    ::rmdir(path_.c_str());
  }

 private:
  std::string path_;
};

class ProgressLine {
 public:
  explicit ProgressLine(bool on) : on_(on), last_(Clock::now()) {}
  void Update(const zlc::Calculator& calc, bool force = false) {
    if (!on_) return;
    auto now = Clock::now();
    double seconds = std::chrono::duration<double>(now - last_).count();
    if (seconds < 0.5 && !force) return;
    double rate = seconds > 0 ? static_cast<double>(calc.totals.tries - lastTries_) / seconds : 0;
    std::fprintf(stderr, "\r%10.0f tries/s   RN %llu   filtered %llu   ", rate,
                 static_cast<unsigned long long>(calc.totals.results),
                 static_cast<unsigned long long>(calc.totals.filtered));
    last_ = now;
    lastTries_ = calc.totals.tries;
    shown_ = true;
  }
  void Finish() {
    if (shown_) std::fputc('\n', stderr);
  }

 private:
  using Clock = std::chrono::steady_clock;
  bool on_;
  Clock::time_point last_;
  std::uint64_t lastTries_ = 0;
  bool shown_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  using namespace zlc;
  std::string error;
  auto options = cli::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    Error(error + " (see --help)");
    return 2;
  }
  if (options->help) {
    std::fputs(cli::kUsage, stdout);
    return 0;
  }
  if (options->version) {
    std::puts("zlc-search 3.1.12");
    return 0;
  }

  Calculator calc;
  calc.SetReporter([](const std::string& m) { Error(m); });
  calc.ResetSettings();
  ConfigTarget target{calc.notation, calc.settings, calc.filter};
  auto report = [](const std::string& m) { Error(m); };
  if (options->config && !FileExists(*options->config)) {
    Error("cannot read " + *options->config + ": File not found");
    return 2;
  }
  const std::string configPath = options->config.value_or("zlc.cfg");
  if (IoResult failed = LoadConfig(configPath, target, report)) {
    Error("cannot read " + configPath + ": " + failed->Message());
    return 2;
  }
  for (const std::string& set : options->sets) {
    const std::string bytes = Utf8ToCp1251(set);
    const auto eq = bytes.find('=');
    ApplyConfigLine(target, bytes.substr(0, eq) + " = " + bytes.substr(eq + 1), report);
  }
  calc.editor.BuildCardGrid();

  std::string taskText;
  if (options->task) {
    taskText = Utf8ToCp1251(*options->task);
  } else if (options->taskFile) {
    if (IoResult failed = ReadFirstLine(*options->taskFile, taskText)) {
      Error("cannot read " + *options->taskFile + ": " + failed->Message());
      return 2;
    }
  }
  // A task typed on the command line that names no letter of either
  // alphabet ("**", "6? ** X?") keeps the notation of the settings; a task
  // file is read as the window opens one.
  calc.editor.LoadTaskText(taskText, options->task.has_value());

  const Output out{options->cp1251};
  if (options->dryRun) {
    out.Line(calc.editor.Text() + "|");
    out.Line(calc.editor.TaskCaption());
    const std::string normalized = StripSpaces(calc.editor.Text());
    std::string variants = "Variants : ";
    if (!normalized.empty()) {
      SplitTask(normalized, calc.plan);
      variants += std::to_string(CountVariants(calc.plan));
    }
    out.Line(variants);
    for (const std::string& line : BuildFilterDescription(calc.filter, calc.notation)) {
      out.Line(line + "|");
    }
    return 0;
  }
  if (options->bench && !options->task && !options->taskFile) calc.editor.LoadTaskText("**");
  if (!calc.editor.TaskComplete()) {
    std::fprintf(stderr, "task incomplete: L=%d/36\n", calc.editor.TaskLength());
    return 2;
  }

  ScratchDir scratch;
  if (!scratch.Make()) {
    Error("cannot make a scratch folder: " + LastIoError().Message());
    return 1;
  }
  calc.variantsPath = scratch.File("variants");
  calc.keepResultLists = false;  // nothing shows the lists here
  calc.random.SetSeed(options->seed.value_or(TimeOfDaySeed()));

  if (options->bench) {
    calc.random.SetSeed(1);
    if (calc.RunBatch() == BatchOutcome::Failed) return 1;  // variants ready, targets drawn
    cli::RunBench(calc, *options->bench);
    return 0;
  }

  struct sigaction sa {};
  sa.sa_handler = OnInterrupt;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);

  const bool interactive = ::isatty(STDOUT_FILENO);
  ProgressLine progress(options->progress.value_or(::isatty(STDERR_FILENO) != 0));
  int status = 0;
  for (;;) {
    BatchOutcome outcome = calc.RunBatch();
    if (outcome == BatchOutcome::Failed) {
      status = 1;
      break;
    }
    if (outcome == BatchOutcome::Result && (!options->onlyFiltered || calc.lastPassed)) {
      for (const std::string& line : calc.lastBlock.lines) out.Line(line);
      if (interactive) std::fflush(stdout);
    }
    if ((options->results && calc.totals.results >= *options->results) ||
        (options->filtered && calc.totals.filtered >= *options->filtered) ||
        (options->tries && calc.totals.tries >= *options->tries) || g_interrupted) {
      break;
    }
    progress.Update(calc);
  }
  std::fflush(stdout);
  progress.Update(calc, true);
  progress.Finish();
  std::fprintf(stderr, "%s\n%s\n", calc.ResultsCaption().c_str(), calc.FilteredCaption().c_str());
  return status;
}
