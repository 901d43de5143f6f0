// Writes the CSV files of the calculator's windows after a real search,
// through the calls the windows make: the results list's export and the
// statistics window's figures and chart counts; and rows of results with
// the fewest transits. The spreadsheet round trip opens them.
//   write_csv_files DIR
#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "analysis/run_figures.h"
#include "calculator/calculator.h"
#include "persist/atomic_replace.h"
#include "persist/record_formats.h"
#include "persist/statistics_report.h"
#include "tests/core/short_search.h"

namespace {

bool Write(const std::string& path, const std::string& text) {
  if (zlc::IoResult failed = zlc::ReplaceFileContents(path, text)) {
    std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), failed->Message().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_csv_files DIR\n");
    return 2;
  }
  // The calculator's logs and settings stay in the folder too.
  std::filesystem::current_path(argv[1]);

  zlc::Calculator calc;
  bool reported = false;
  calc.SetReporter([&reported](const zlc::RuntimeMessage& message) {
    std::fprintf(stderr, "%s %s %s\n", message.text.c_str(), message.file.c_str(), message.reason.c_str());
    reported = true;
  });
  // Some results pass the filter and some do not: "passed" takes both values.
  zlc::test::SetShortSearch(calc, 2024);

  // Enough results for every balance symbol to lead a balance, every P bin
  // to fill and lines with leading yin.
  zlc::RateWindow rates;
  rates.Sample(0, calc.Statistics().Counts());
  while (calc.Statistics().Counts().Results() < 400) {
    if (calc.RunBatch() == zlc::BatchOutcome::Failed) return 1;
  }
  rates.Sample(3, calc.Statistics().Counts());
  const zlc::RunFigures figures = zlc::FiguresOfRun(calc.Statistics().Counts(), rates);
  const zlc::RunReport report{calc.Statistics().Counts(), figures, calc.notation, calc.Statistics().Seed(), 3.0};

  // "Export list as CSV..." of "All".
  if (!calc.ExportList(calc.Lists().All(), "list.csv")) return 1;
  const bool written = Write("figures.csv", zlc::FiguresCsv(report)) &&
                       Write("hexagrams.csv", zlc::HexagramsCsv(report)) &&
                       Write("lf.csv", zlc::TransitCountsCsv(report)) &&
                       Write("balance.csv", zlc::BalanceCsv(report)) &&
                       Write("p_values.csv", zlc::PValuesCsv(report));
  // An L(F) of 1 to 3 comes up too rarely for a short search, and an F list
  // such as "12:24" or "5:5:26" is where a sheet sees a time: the last result
  // again, its transits moved there, as the tool's and the export's rows.
  std::string rows = zlc::CsvHeader() + "\r\n";
  for (std::uint64_t transits : {1ull << 35, (1ull << 11) | (1ull << 35), (1ull << 4) | (1ull << 9) | (1ull << 35)}) {
    zlc::ResultRecord record = calc.LastRecord();
    record.transitMask = transits;
    record.transitCount = static_cast<std::uint8_t>(std::popcount(transits));
    zlc::AppendCsvRecord(rows, record);
    rows += "\r\n";
  }
  return written && Write("few_transits.csv", rows) && !reported ? 0 : 1;
}
