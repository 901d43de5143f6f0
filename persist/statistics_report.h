// A run's statistics as text a person or a program reads: an aligned table,
// one JSON document, and CSV tables of each chart's counts. Suit names are
// the letters in force; text is UTF-8.
#pragma once

#include <string>

#include "analysis/run_figures.h"
#include "analysis/run_statistics.h"
#include "cards/notation.h"

namespace zlc {

struct RunReport {
  const RunStatistics& stats;
  const RunFigures& figures;
  const NotationSet& notation;
  std::optional<std::uint32_t> seed;  // the generator's seed at the start, when known
  double seconds = 0;                 // since the start
};

// "name   value   ..." lines, the values in one column; LF ends each line.
std::string StatisticsTable(const RunReport& report);
// The counts and the figures as one JSON object (LF at the end).
std::string StatisticsJson(const RunReport& report);

// The charts' counts as CSV tables (RFC 4180, CR LF): a header row, then a
// row per bin.
std::string FiguresCsv(const RunReport& report);       // name,value,low,high
std::string HexagramsCsv(const RunReport& report);     // hexagram, then a column per suit
std::string TransitCountsCsv(const RunReport& report); // lf,results
std::string BalanceCsv(const RunReport& report);       // line, then yang0 .. yang4: results by yang suits
std::string PValuesCsv(const RunReport& report);       // bin's low edge, then a column per suit

}  // namespace zlc
