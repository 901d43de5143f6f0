// zlc-search: the calculator's search without a window, for long searches on
// a terminal and for reproducible checks. It drives the same core as the
// window, batch by batch, from the same generator calls in the same order.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "cards/cp1251.h"
#include "cli/bench.h"
#include "cli/block_writer.h"
#include "cli/options.h"
#include "cli/scratch_dir.h"
#include "cli/stop_signals.h"
#include "engine/calculator.h"
#include "filter/filter_description.h"
#include "persist/config_file.h"
#include "persist/task_file.h"

namespace {

using zlc::cli::BlockWriter;

// Text in the chosen encoding, into whole blocks of standard output.
struct Output {
  BlockWriter& writer;
  bool cp1251 = false;
  void Text(const std::string& text) const {
    if (cp1251) {
      writer.Write(text);
    } else {
      zlc::AppendCp1251AsUtf8(writer.Gathered(), text);
    }
  }
  void Line(const std::string& text) const {
    Text(text);
    writer.Write("\n");
  }
};

void Error(const std::string& message) {
  std::fprintf(stderr, "zlc-search: %s\n", zlc::Cp1251ToUtf8(message).c_str());
}

// The exit status of a failed write of standard output, reported.
int WriteFailed(const BlockWriter& writer) {
  Error(std::string("cannot write the results: ") + writer.Reason());
  return 1;
}

// The exit status once everything gathered is written.
int Finish(BlockWriter& writer) {
  writer.EndBlock();
  return writer.Flush() ? 0 : WriteFailed(writer);
}

// A descriptor 0, 1 or 2 that the caller closed is taken by /dev/null read
// only: else the first file the tool opens would become its standard output
// and receive the results. Writes to it fail with EBADF, as to a closed one.
void HoldStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF) ::open("/dev/null", O_RDONLY);  // the lowest: fd
  }
}

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

bool AtLimit(const zlc::cli::Options& options, const zlc::RunTotals& totals) {
  return (options.results && totals.results >= *options.results) ||
         (options.filtered && totals.filtered >= *options.filtered) ||
         (options.tries && totals.tries >= *options.tries);
}

int Bench(zlc::Calculator& calc, double secondsEach, const Output& out) {
  calc.random.SetSeed(1);
  if (calc.RunBatch() == zlc::BatchOutcome::Failed) return 1;  // variants ready, targets drawn
  const auto report = zlc::cli::RunBench(calc, secondsEach);
  if (!report) {
    Error("the measurement was interrupted");
    return 1;
  }
  out.Text(*report);
  return Finish(out.writer);
}

// The search until a limit, a signal or a failure. It owns the scratch
// folder, so that every way out of here removes it.
int Search(zlc::Calculator& calc, const zlc::cli::Options& options, const Output& out) {
  using namespace zlc;
  cli::InstallStopSignals(&cli::ScratchDir::RemoveNow);
  cli::ScratchDir scratch;
  if (!scratch.Make()) {
    Error("cannot make a scratch folder: " + LastIoError().Message());
    return 1;
  }
  calc.variantsPath = scratch.VariantsPath();
  calc.keepResultLists = false;  // nothing shows the lists here
  calc.random.SetSeed(options.seed.value_or(TimeOfDaySeed()));
  if (options.bench) return Bench(calc, *options.bench, out);

  ProgressLine progress(options.progress.value_or(::isatty(STDERR_FILENO) != 0));
  int status = 0;
  for (bool stop = AtLimit(options, calc.totals); !stop;) {
    const BatchOutcome outcome = calc.RunBatch();
    if (outcome == BatchOutcome::Failed) {
      status = 1;
      break;
    }
    if (outcome == BatchOutcome::Result && (!options.onlyFiltered || calc.lastPassed)) {
      for (const std::string& line : calc.lastBlock.lines) out.Line(line);
      if (!out.writer.EndBlock()) break;
    }
    stop = AtLimit(options, calc.totals) || cli::StopRequested();
    if (!stop) progress.Update(calc);
  }
  const bool written = out.writer.Flush();
  progress.Update(calc, true);
  progress.Finish();
  if (!written) return WriteFailed(out.writer);
  std::fprintf(stderr, "%s\n%s\n", calc.ResultsCaption().c_str(), calc.FilteredCaption().c_str());
  return status;
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace zlc;
  HoldStandardDescriptors();
  BlockWriter writer(STDOUT_FILENO);
  std::string error;
  auto options = cli::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    Error(error + " (see --help)");
    return 2;
  }
  if (options->help) {
    writer.Write(cli::kUsage);
    return Finish(writer);
  }
  if (options->version) {
    writer.Write("zlc-search 3.1.12\n");
    return Finish(writer);
  }

  if (options->jobs) SetSearchThreads(*options->jobs);  // before the engine is made
  Calculator calc;
  calc.SetReporter([](const std::string& m) { Error(m); });
  calc.ResetSettings();
  ConfigTarget target{calc.notation, calc.settings, calc.filter};
  auto report = [](const std::string& m) { Error(m); };
  // A settings file asked for must be there; what else is wrong with it
  // (a folder, a FIFO) the reading says.
  struct stat configStat {};
  if (options->config && ::stat(options->config->c_str(), &configStat) != 0 && errno == ENOENT) {
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

  const Output out{writer, options->cp1251};
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
    return Finish(writer);
  }
  if (options->bench && !options->task && !options->taskFile) calc.editor.LoadTaskText("**");
  if (!calc.editor.TaskComplete()) {
    std::fprintf(stderr, "task incomplete: L=%d/36\n", calc.editor.TaskLength());
    return 2;
  }

  return Search(calc, *options, out);
}
