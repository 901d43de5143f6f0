#include "cli/run_report.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "cli/messages.h"
#include "persist/atomic_replace.h"
#include "persist/fd_io.h"
#include "persist/safe_open.h"
#include "persist/statistics_report.h"

namespace zlc::cli {
namespace {

// The final write puts "<name>.tmp<pid>-<n>" beside the file.
constexpr std::size_t kTemporarySuffix = sizeof ".tmp4194304-999" - 1;

// Which of standard output and error is the file `file`; only a regular
// file can be replaced by the statistics (a closed descriptor is held by
// /dev/null, a pipe or a terminal is refused as no file).
const char* StandardStreamOf(const struct stat& file) {
  for (const auto& [fd, name] : {std::pair{STDOUT_FILENO, "standard output"},
                                 std::pair{STDERR_FILENO, "standard error"}}) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_dev == file.st_dev &&
        st.st_ino == file.st_ino) {
      return name;
    }
  }
  return nullptr;
}

// What the file a name stands for must be: a regular file, and not
// standard output or error.
std::optional<std::string> ExistingFileProblem(const struct stat& st) {
  if (const char* stream = StandardStreamOf(st)) {
    return std::string{"is the file that "} + stream + " goes to: the statistics would replace it";
  }
  if (S_ISDIR(st.st_mode)) return "is a folder";
  if (!S_ISREG(st.st_mode)) return "is no regular file";
  return std::nullopt;
}

std::string ReasonOf(int code) { return FailureText(IoError{code}); }

// The file the final write replaces, followed as it follows it: the name,
// or where the user's own links lead. `found` tells whether it is there.
std::optional<std::string> ResolveTarget(const std::string& path, std::string& target, bool& found) {
  if (IoResult refused = FollowOwnLinks(path, target)) {
    switch (refused->code) {
      case EACCES:
        return "leads through another user's link " + target;
      case ELOOP:
        return "leads through too many links";
      case ENOTDIR:
        return "is in no folder: " + DirectoryOf(target) + " is no folder";
      case EISDIR:
        return "is a folder";
      case EINVAL:
        return "is no regular file";
      default:
        return "cannot be looked up: " + ReasonOf(refused->code);
    }
  }
  struct stat st {};
  found = ::lstat(target.c_str(), &st) == 0;
  return std::nullopt;
}

std::optional<std::string> StatsJsonReason(const std::string& path) {
  // What the name stands for, as the system follows it (a link of /proc to
  // a pipe among them).
  struct stat named {};
  if (::stat(path.c_str(), &named) == 0) {
    if (auto problem = ExistingFileProblem(named)) return problem;
  }
  std::string target;
  bool found = false;
  if (auto problem = ResolveTarget(path, target, found)) return problem;
  if (found) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return "cannot be looked up: " + ReasonOf(errno);
    if (auto problem = ExistingFileProblem(st)) return problem;
    if ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) return "is read-only";
  }
  // The new contents are made beside the file and renamed over it.
  const std::string folder = DirectoryOf(target);
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) {
    if (errno == ENOENT) return "is in a folder that does not exist: " + folder;
    return "is in a folder that cannot be looked up: " + folder + ": " + ReasonOf(errno);
  }
  if (!S_ISDIR(st.st_mode)) return "is in no folder: " + folder + " is no folder";
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    return "is in a folder where no file can be made: " + folder;
  }
  const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  const auto slash = target.rfind('/');
  const std::size_t base = slash == std::string::npos ? target.size() : target.size() - slash - 1;
  if (base + kTemporarySuffix > static_cast<std::size_t>(nameMax > 0 ? nameMax : NAME_MAX)) {
    return "is too long a name";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> StatsJsonProblem(const std::string& path) {
  if (path.empty()) return "--stats-json takes a file name, not ''";
  if (auto reason = StatsJsonReason(path)) return "--stats-json '" + path + "' " + *reason;
  return std::nullopt;
}

void PaceSampler::Sample(const Calculator& calc, bool force) {
  if (!on_) return;
  const auto now = Clock::now();
  if (!force && now - last_ < std::chrono::milliseconds(250)) return;
  last_ = now;
  rates_.Sample(std::chrono::duration<double>(now - start_).count(), calc.Statistics().Counts());
}

bool ReportStatistics(const Calculator& calc, const Options& options, const PaceSampler& pace,
                      std::uint32_t seed) {
  if (!options.stats && !options.statsJson) return true;
  const RunFigures figures = FiguresOfRun(calc.Statistics().Counts(), pace.Rates());
  // The seed given, also when a limit of 0 let no batch start the counts.
  const RunReport report{calc.Statistics().Counts(), figures, calc.notation, seed, pace.Seconds()};
  bool delivered = true;
  if (options.stats) {
    // A table asked for and not delivered (stderr full or closed) is a failure.
    if (IoResult failed = WriteAll(STDERR_FILENO, StatisticsTable(report))) {
      Say("cannot write the statistics table: " + FailureText(*failed));
      delivered = false;
    }
  }
  if (options.statsJson) {
    if (IoResult failed = ReplaceFileContents(*options.statsJson, StatisticsJson(report))) {
      Say("cannot write " + *options.statsJson + ": " + FailureText(*failed));
      delivered = false;
    }
  }
  return delivered;
}

}  // namespace zlc::cli
