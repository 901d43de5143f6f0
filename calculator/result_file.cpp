#include "calculator/result_file.h"

#include "analysis/classify.h"
#include "analysis/hexagrams.h"
#include "engine/layout.h"
#include "persist/line_reader.h"

namespace zlc {
namespace {

bool StartsWithDigit(std::string_view line) { return !line.empty() && line[0] >= '0' && line[0] <= '9'; }
bool StartsWithSpace(std::string_view line) { return !line.empty() && line[0] == ' '; }

}  // namespace

ResultFileReading ReadResultBlock(const std::vector<std::string>& lines, const NotationSet& notation) {
  ResultFileReading reading;
  std::size_t first = 0;
  while (first < lines.size() && !StartsWithDigit(lines[first])) ++first;
  if (first == lines.size()) {
    reading.fault = ResultFileFault::NoResultLine;
    return reading;
  }
  const std::string& line1 = lines[first];
  const std::optional<std::string> cards = ReadCardRow(line1, notation, reading.cards);
  if (!cards) {
    reading.fault = ResultFileFault::NotCards;
    return reading;
  }
  reading.cardCount = static_cast<int>(cards->size() / 2);
  if (reading.cardCount != kDeckSize) {
    reading.fault = ResultFileFault::NotFullDeck;
    return reading;
  }
  Layout layout;
  BindLayout(layout, cards->data(), cards->size());
  // The classification replays the collapse; what it leaves tells whether
  // the cards converge.
  Chain work;
  ClassifyElements(layout, work);
  if (work.lastIndex != 1) {
    reading.fault = ResultFileFault::NoCollapse;
    return reading;
  }
  RecordLayout(reading.record, layout, notation);
  // The number line 1 shows; a number too long for a count reads as 0.
  std::int64_t rn = 0;
  std::size_t digits = 0;
  while (digits < line1.size() && StartsWithDigit(std::string_view(line1).substr(digits))) ++digits;
  if (digits <= 18) {
    for (std::size_t i = 0; i < digits; ++i) rn = rn * 10 + (line1[i] - '0');
  }
  reading.record.rn = rn;

  reading.block.lines[0] = line1;
  if (first + 2 < lines.size() && StartsWithSpace(lines[first + 1]) && StartsWithSpace(lines[first + 2])) {
    reading.block.lines[1] = lines[first + 1];
    reading.block.lines[2] = lines[first + 2];
  } else {
    AppendAnalysisLines(reading.block.lines[1], reading.block.lines[2], reading.record, FiguresOf(reading.record));
  }
  return reading;
}

IoResult ReadResultFile(const std::string& path, const NotationSet& notation, ResultFileReading& reading) {
  // The first block only: what comes before it is skipped and what comes
  // after it is not kept, so a whole log costs no memory.
  std::vector<std::string> lines;
  LineLimits limits;
  limits.maxBytes = 64 << 20;
  const IoResult result = ReadLines(path, [&lines](std::string_view line) {
    if (lines.size() < 3 && (!lines.empty() || StartsWithDigit(line))) lines.emplace_back(line);
  }, limits);
  if (!result) reading = ReadResultBlock(lines, notation);
  return result;
}

}  // namespace zlc
