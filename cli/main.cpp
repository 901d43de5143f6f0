// zlc-search: the calculator's search without a window, for long searches on
// a terminal and for reproducible checks. It drives the same core as the
// window, batch by batch, from the same generator calls in the same order.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "cli/block_writer.h"
#include "cli/dry_run.h"
#include "cli/exit_status.h"
#include "cli/load_settings.h"
#include "cli/load_task.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/replay.h"
#include "cli/run_report.h"
#include "cli/search.h"
#include "calculator/calculator.h"
#include "zlc_version.h"

namespace {

// A descriptor 0, 1 or 2 that the caller closed is taken by /dev/null read
// only: else the first file the tool opens would become its standard output
// and receive the results. Writes to it fail with EBADF, as to a closed one.
void HoldStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF) ::open("/dev/null", O_RDONLY);  // the lowest: fd
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace zlc;
  using namespace zlc::cli;
  HoldStandardDescriptors();
  BlockWriter writer(STDOUT_FILENO);
  std::string error;
  const auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    Say(error + " (see --help)");
    return kExitUsage;
  }
  SetMessagesCp1251(options->terminalCp1251);
  if (options->help) {
    writer.Write(kUsage);
    return Finish(writer);
  }
  if (options->version) {
    writer.Write(std::string("zlc-search ") + kVersion + "\n");
    return Finish(writer);
  }

  // The statistics' file is written at the end of a search that may last
  // hours: one that cannot take them, or that would take the results' place,
  // is refused before anything is read or searched.
  if (options->statsJson) {
    if (const auto problem = StatsJsonProblem(*options->statsJson)) {
      Say(*problem);
      return kExitUsage;
    }
  }
  if (options->jobs) SetSearchThreads(*options->jobs);  // before the engine is made
  Calculator calc;
  calc.SetReporter([](const RuntimeMessage& message) {
    std::string line = Shown(message.text);
    if (!message.file.empty()) line += ": " + message.file;
    if (!message.reason.empty()) line += ": " + message.reason;
    Say(line);
  });
  if (!LoadSettings(calc, *options)) return kExitUsage;
  const Output out{writer, options->outputCp1251};
  if (options->replay) return Replay(*options, calc.notation, out);
  if (!LoadTask(calc, *options)) return kExitUsage;
  if (options->dryRun) return DryRun(calc, out);
  if (!TaskComplete(calc)) return kExitUsage;
  return RunSearchCommand(calc, *options, out);
}
