#include "persist/statistics_report.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "cards/cp1251.h"

namespace zlc {
namespace {

std::string Exact(double value) {
  char digits[32];
  return std::string(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// A proportion to four significant digits: rates of convergence run from
// a few per cent down to one in millions.
std::string Share(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

std::string Duration(double seconds) {
  if (seconds < 0.001) return "under a millisecond";
  if (seconds < 10) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2g s", seconds);
    return text;
  }
  if (seconds < 120) return Fixed(seconds, 1) + " s";
  if (seconds < 2 * 3600) return Fixed(seconds / 60, 1) + " min";
  if (seconds < 2 * 86400) return Fixed(seconds / 3600, 1) + " h";
  return Fixed(seconds / 86400, 1) + " days";
}

std::string Suit(const NotationSet& notation, int suit) {
  return Cp1251ToUtf8(notation.suitLetters.substr(static_cast<std::size_t>(suit), 1));
}

struct Row {
  std::string name, value, detail;
};

std::vector<Row> Rows(const RunReport& r) {
  const RunFigures& f = r.figures;
  std::vector<Row> rows;
  rows.push_back({"tries", std::to_string(f.tries), ""});
  rows.push_back({"results", std::to_string(f.results), ""});
  rows.push_back({"filtered", std::to_string(f.filtered), ""});
  const auto interval = [](const Interval& i) {
    return "95 % interval " + Share(i.low) + " .. " + Share(i.high);
  };
  rows.push_back({"results per try", Share(f.convergence), interval(f.convergenceInterval)});
  rows.push_back({"filtered per result", Share(f.passRate), interval(f.passInterval)});
  rows.push_back({"tries per second", f.triesPerSecond ? Fixed(*f.triesPerSecond, 0) : "-", "last minute"});
  rows.push_back({"results per second", f.resultsPerSecond ? Fixed(*f.resultsPerSecond, 2) : "-", "last minute"});
  std::string next = "-";
  if (f.secondsToNextFiltered) next = Duration(*f.secondsToNextFiltered);
  if (f.secondsToNextFilteredAtLeast) next = "at least " + Duration(*f.secondsToNextFilteredAtLeast);
  rows.push_back({"next filtered in", next, "at the current pace"});
  rows.push_back({"seconds", Fixed(r.seconds, 1), ""});
  if (r.seed) rows.push_back({"seed", std::to_string(*r.seed), "at the start"});
  return rows;
}

void AppendJsonCounts(std::string& out, const std::uint64_t* counts, std::size_t size) {
  out += '[';
  for (std::size_t i = 0; i < size; ++i) {
    if (i > 0) out += ',';
    out += std::to_string(counts[i]);
  }
  out += ']';
}

template <typename Rows>
void AppendJsonTable(std::string& out, const Rows& rows) {
  out += '[';
  bool first = true;
  for (const auto& row : rows) {
    if (!first) out += ',';
    first = false;
    AppendJsonCounts(out, row.data(), row.size());
  }
  out += ']';
}

std::string JsonOptional(const std::optional<double>& value) { return value ? Exact(*value) : "null"; }

}  // namespace

std::string StatisticsTable(const RunReport& report) {
  const std::vector<Row> rows = Rows(report);
  std::size_t nameWidth = 0, valueWidth = 0;
  for (const Row& row : rows) {
    nameWidth = std::max(nameWidth, row.name.size());
    valueWidth = std::max(valueWidth, row.value.size());
  }
  std::string out;
  for (const Row& row : rows) {
    out += row.name + std::string(nameWidth - row.name.size() + 2, ' ');
    out += std::string(valueWidth - row.value.size(), ' ') + row.value;
    if (!row.detail.empty()) out += "   " + row.detail;
    out += '\n';
  }
  return out;
}

std::string StatisticsJson(const RunReport& report) {
  const RunStatistics& s = report.stats;
  const RunFigures& f = report.figures;
  std::string out = "{\"tries\":" + std::to_string(f.tries) + ",\"results\":" + std::to_string(f.results) +
                    ",\"filtered\":" + std::to_string(f.filtered) + ",\"seconds\":" + Exact(report.seconds);
  out += ",\"seed\":" + (report.seed ? std::to_string(*report.seed) : std::string("null"));
  out += ",\"results_per_try\":{\"value\":" + Exact(f.convergence) + ",\"low\":" +
         Exact(f.convergenceInterval.low) + ",\"high\":" + Exact(f.convergenceInterval.high) + "}";
  out += ",\"filtered_per_result\":{\"value\":" + Exact(f.passRate) + ",\"low\":" +
         Exact(f.passInterval.low) + ",\"high\":" + Exact(f.passInterval.high) + "}";
  out += ",\"tries_per_second\":" + JsonOptional(f.triesPerSecond);
  out += ",\"results_per_second\":" + JsonOptional(f.resultsPerSecond);
  out += ",\"seconds_to_next_filtered\":" + JsonOptional(f.secondsToNextFiltered);
  out += ",\"seconds_to_next_filtered_at_least\":" + JsonOptional(f.secondsToNextFilteredAtLeast);
  out += ",\"suits\":[";
  for (int suit = 0; suit < kSuitCount; ++suit) {
    if (suit > 0) out += ',';
    out += "\"" + Suit(report.notation, suit) + "\"";
  }
  out += "],\"tries_per_result_log2\":";
  AppendJsonCounts(out, s.TriesPerResult().data(), s.TriesPerResult().size());
  out += ",\"hexagrams\":";
  AppendJsonTable(out, s.Hexagrams());
  out += ",\"yang_lines\":";
  AppendJsonTable(out, s.YangLines());
  out += ",\"lf\":";
  AppendJsonCounts(out, s.TransitCounts().data(), s.TransitCounts().size());
  out += ",\"balance\":";
  AppendJsonTable(out, s.Balance());
  out += ",\"p_bins\":";
  AppendJsonTable(out, s.PValues());
  out += ",\"segment_lengths\":";
  AppendJsonCounts(out, s.SegmentLengths().data(), s.SegmentLengths().size());
  out += "}\n";
  return out;
}

std::string FiguresCsv(const RunReport& report) {
  const RunFigures& f = report.figures;
  std::string out = "name,value,low,high\r\n";
  out += "tries," + std::to_string(f.tries) + ",,\r\n";
  out += "results," + std::to_string(f.results) + ",,\r\n";
  out += "filtered," + std::to_string(f.filtered) + ",,\r\n";
  out += "results_per_try," + Exact(f.convergence) + "," + Exact(f.convergenceInterval.low) + "," +
         Exact(f.convergenceInterval.high) + "\r\n";
  out += "filtered_per_result," + Exact(f.passRate) + "," + Exact(f.passInterval.low) + "," +
         Exact(f.passInterval.high) + "\r\n";
  const auto optional = [&out](const char* name, const std::optional<double>& value) {
    out += std::string(name) + "," + (value ? Exact(*value) : "") + ",,\r\n";
  };
  optional("tries_per_second", f.triesPerSecond);
  optional("results_per_second", f.resultsPerSecond);
  optional("seconds_to_next_filtered", f.secondsToNextFiltered);
  optional("seconds_to_next_filtered_at_least", f.secondsToNextFilteredAtLeast);
  out += "seconds," + Exact(report.seconds) + ",,\r\n";
  if (report.seed) out += "seed," + std::to_string(*report.seed) + ",,\r\n";
  return out;
}

std::string HexagramsCsv(const RunReport& report) {
  std::string out = "hexagram";
  for (int suit = 0; suit < kSuitCount; ++suit) out += "," + Suit(report.notation, suit);
  out += "\r\n";
  for (std::size_t number = 1; number <= 64; ++number) {
    out += std::to_string(number);
    for (const auto& suit : report.stats.Hexagrams()) out += "," + std::to_string(suit[number]);
    out += "\r\n";
  }
  return out;
}

std::string TransitCountsCsv(const RunReport& report) {
  std::string out = "lf,results\r\n";
  const auto& counts = report.stats.TransitCounts();
  for (std::size_t lf = 0; lf < counts.size(); ++lf) {
    out += std::to_string(lf) + "," + std::to_string(counts[lf]) + "\r\n";
  }
  return out;
}

std::string BalanceCsv(const RunReport& report) {
  // The columns by their counts of yang suits, not by the chart's symbols
  // "--" to "++": a spreadsheet takes those for formulas.
  std::string out = "line";
  for (int yang = 0; yang <= 4; ++yang) out += ",yang" + std::to_string(yang);
  out += "\r\n";
  for (std::size_t line = 0; line < 6; ++line) {
    out += std::to_string(line + 1);
    for (std::uint64_t count : report.stats.Balance()[line]) out += "," + std::to_string(count);
    out += "\r\n";
  }
  return out;
}

std::string PValuesCsv(const RunReport& report) {
  std::string out = "p_from";
  for (int suit = 0; suit < kSuitCount; ++suit) out += "," + Suit(report.notation, suit);
  out += "\r\n";
  for (std::size_t bin = 0; bin < RunStatistics::kPBins; ++bin) {
    out += Fixed(static_cast<double>(bin) / RunStatistics::kPBins, 2);
    for (const auto& suit : report.stats.PValues()) out += "," + std::to_string(suit[bin]);
    out += "\r\n";
  }
  return out;
}

}  // namespace zlc
