#include "calculator/calculator.h"

#include <unistd.h>

#include <algorithm>

#include "persist/config_file.h"
#include "persist/record_formats.h"
#include "persist/task_file.h"
#include "persist/text_files.h"

namespace zlc {

Calculator::Calculator() = default;

void Calculator::Report(const RuntimeMessage& message) const {
  if (reporter_) reporter_(message);
}

bool Calculator::Failed(const IoResult& result, const std::string& path, FileUse use) const {
  if (!result) return false;
  Report(DescribeFailure(*result, path, use));
  return true;
}

void Calculator::ResetSettings() {
  SetNotation(notation, static_cast<int>(Notation::Ru));
  editor.BuildCardGrid();
  batchBusy = false;
  editor.SetVariantsReady(false);
  counters = RunCounters{};
  running = false;
  ResetFilterSettings(filter);
  settings = Settings{};
}

void Calculator::InitSettings() {
  ResetSettings();
  for (const std::string* log : {&resultsLogPath, &filteredLogPath}) {
    Failed(CreateIfMissing(*log), *log, FileUse::Writing);
  }
  Failed(LoadConfig(configPath, ConfigTarget{notation, settings, filter},
                    [this](const std::string& message) { Report(RuntimeMessage{message, {}, {}}); }),
         configPath, FileUse::Reading);
  editor.BuildCardGrid();
}

void Calculator::Close() {
  Failed(SaveConfig(configPath, notation, settings, filter), configPath, FileUse::Writing);
  CloseLogs();
  Failed(DeleteIfExists(variantsPath), variantsPath, FileUse::Writing);
}

std::size_t Calculator::DefaultListBudget() {
  constexpr std::size_t kMost = std::size_t{2} << 30;
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return kMost;
  return std::min(kMost, static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize) / 4);
}

void Calculator::KeepWithinBudget(ResultList& list, LineStore& store, std::uint64_t& droppedAhead) {
  const std::size_t share = listBudget / 2;
  while (store.Bytes() + list.Bytes() > share && store.Chunks() > 1) {
    std::uint64_t lines = store.DropOldestChunk();
    const std::uint64_t gone = std::min(lines, droppedAhead);
    droppedAhead -= gone;
    lines -= gone;
    if (lines == 0) continue;
    const std::uint64_t dropped = list.DropOldest(lines);
    droppedAhead += dropped - lines;
    droppedLines += dropped;
  }
}

bool Calculator::SelectNotation(std::string_view name) {
  const std::string lettersBefore = notation.rankLetters;
  SelectNotationName(notation, name);
  if (notation.rankLetters == lettersBefore) return false;
  editor.BuildCardGrid();
  editor.ConvertTaskNotation();  // a changed text is a changed task
  return true;
}

bool Calculator::OpenLogs() {
  if ((settings.autosaveAll && Failed(resultsLog_.Open(resultsLogPath), resultsLogPath, FileUse::Writing)) ||
      (settings.autosaveFiltered &&
       Failed(filteredLog_.Open(filteredLogPath), filteredLogPath, FileUse::Writing))) {
    resultsLog_.Close();
    filteredLog_.Close();
    return false;
  }
  return true;
}

void Calculator::CloseLogs() {
  const bool flushed = FlushLogs();
  const IoResult results = resultsLog_.Close();
  const IoResult filtered = filteredLog_.Close();
  if (flushed && !Failed(results, resultsLogPath, FileUse::Writing)) {
    Failed(filtered, filteredLogPath, FileUse::Writing);
  }
}

bool Calculator::FlushLogs() {
  // The filtered log first, as each block goes to it first; one failure is
  // told once.
  const IoResult filtered = filteredLog_.Flush();
  const IoResult results = resultsLog_.Flush();
  return filtered ? !Failed(filtered, filteredLogPath, FileUse::Writing)
                  : !Failed(results, resultsLogPath, FileUse::Writing);
}

void Calculator::ClearResults() {
  allList.Clear();
  filteredList.Clear();
  allText.Clear();
  filteredText.Clear();
  allDroppedAhead_ = 0;
  filteredDroppedAhead_ = 0;
  counters = RunCounters{};
}

bool Calculator::OpenTaskFile(const std::string& path) {
  std::string line;
  if (Failed(ReadFirstLine(path, line), path, FileUse::Reading)) return false;
  editor.LoadTaskText(line);
  return true;
}

bool Calculator::SaveTaskFile(const std::string& path) {
  return !Failed(WriteTaskFile(path, editor.Text()), path, FileUse::Writing);
}

bool Calculator::BlockOf(int source, std::size_t lineIndex, ResultBlock& block) const {
  const ResultList& list = ListOf(source);
  if (lineIndex >= list.Size()) return false;
  const std::ptrdiff_t start = list.BlockStart(lineIndex);
  if (start < 0) return false;
  const auto first = static_cast<std::size_t>(start);
  for (std::size_t j = 0; j < 3; ++j) {
    block.lines[j] = first + j < list.Size() ? std::string(list.Line(first + j)) : std::string();
  }
  return true;
}

bool Calculator::RecordRightClick(int source, std::size_t lineIndex) {
  if (!BlockOf(source, lineIndex, recordedBlock)) return false;
  resultSource = source;
  resultLineIndex = lineIndex;
  const std::string& head = recordedBlock.lines[0];
  resultNumberText = head.substr(0, head.find('.'));
  return true;
}

bool Calculator::SaveRecordedBlock(const std::string& path) {
  return !Failed(WriteTextFile(path, 3, [this](std::size_t i) -> std::string_view {
    return recordedBlock.lines[i];
  }), path, FileUse::Writing);
}

bool Calculator::SaveRecordedList(const std::string& path) {
  static const ResultList kNone;
  const ResultList& list = resultSource == 0 ? kNone : ListOf(resultSource);
  return !Failed(WriteTextFile(path, list.Size(), [&list](std::size_t i) { return list.Line(i); }), path,
                 FileUse::Writing);
}

bool Calculator::ExportRecordedList(const std::string& path) {
  static const ResultList kNone;
  const ResultList& list = resultSource == 0 ? kNone : ListOf(resultSource);
  // Oldest first, the order the results were found in: a table of them
  // reads top to bottom as the search went.
  const std::size_t blocks = list.Size() / 3;
  std::string row;
  return !Failed(WriteTextFile(path, blocks + 1, [&](std::size_t i) -> std::string_view {
    if (i == 0) return row = CsvHeader();
    row.clear();
    AppendCsvRecord(row, list.RecordOfLine(list.Size() - 1 - 3 * (i - 1)));
    return row;
  }), path, FileUse::Writing);
}

std::string Calculator::ResultsCaption() const {
  return "Results: ( RN / CN = " + std::to_string(counters.rn) + " / " +
         std::to_string(counters.cn) + " )";
}

std::string Calculator::FilteredCaption() const {
  return "Filtered: " + std::to_string(counters.filtered);
}

std::string Calculator::VariantsCaption() const {
  return "Variants : " + std::to_string(variantCount);
}

}  // namespace zlc
