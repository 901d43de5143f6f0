#include "app/command_line.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "zlc_version.h"

namespace zlc::app {
namespace {

constexpr std::string_view kUsage =
    "Usage: zlc [--data-folder] [Qt options]\n"
    "       zlc --help | --version\n"
    "\n"
    "Opens the window of the Zelt calculator, a calculator for a chain patience\n"
    "played with a 36-card deck. It keeps its files (zlc.cfg, results.log,\n"
    "resultsf.log, variants) in the working directory.\n"
    "\n"
    "  --data-folder  work in $XDG_DATA_HOME/zlc (~/.local/share/zlc) instead\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Searches without a window: zlc-search --help.\n";

bool Write(std::FILE* out, std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
}

}  // namespace

std::optional<int> AnswerInfoOptions(int argc, const char* const* argv, std::FILE* out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    std::string answer;
    if (arg == "--help" || arg == "-h") {
      answer = kUsage;
    } else if (arg == "--version") {
      answer = std::string("zlc ") + kVersion + "\n";
    } else {
      continue;
    }
    // An answer that could not be written is not a success.
    if (Write(out, answer)) return 0;
    std::fprintf(stderr, "zlc: cannot write the answer: %s\n", std::strerror(errno));
    return 1;
  }
  return std::nullopt;
}

}  // namespace zlc::app
