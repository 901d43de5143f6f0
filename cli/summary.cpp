#include "cli/summary.h"

#include <cinttypes>
#include <cstdio>
#include <string>

namespace zlc::cli {
namespace {

std::string TotalsLine(const RunTotals& totals, double seconds) {
  const double rate = seconds > 0 ? static_cast<double>(totals.tries) / seconds : 0;
  char line[200];
  std::snprintf(line, sizeof line,
                "Totals: results %" PRIu64 ", tries %" PRIu64 ", filtered %" PRIu64
                ", seconds %.3f, tries per second %.0f",
                totals.results, totals.tries, totals.filtered, seconds, rate);
  return line;
}

}  // namespace

void PrintSummary(const Calculator& calc, double seconds) {
  const std::string text = calc.ResultsCaption() + "\n" + calc.FilteredCaption() + "\n" +
                           TotalsLine(calc.Totals(), seconds) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace zlc::cli
