#include "calculator/calculator.h"

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
  StopRun();
  editor.SetVariantsReady(false);
  counters_ = RunCounters{};
  ResetFilterSettings(filter);
  settings = Settings{};
}

void Calculator::InitSettings() {
  ResetSettings();
  for (const std::string* log : {&paths_.resultsLog, &paths_.filteredLog}) {
    Failed(CreateIfMissing(*log), *log, FileUse::Writing);
  }
  Failed(LoadConfig(paths_.config, ConfigTarget{notation, settings, filter},
                    [this](const RuntimeMessage& message) { Report(message); }),
         paths_.config, FileUse::Reading);
  editor.BuildCardGrid();
}

void Calculator::Close() {
  Failed(SaveConfig(paths_.config, notation, settings, filter), paths_.config, FileUse::Writing);
  CloseLogs();
  Failed(DeleteIfExists(paths_.variants), paths_.variants, FileUse::Writing);
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
  if ((settings.autosaveAll && Failed(resultsLog_.Open(paths_.resultsLog), paths_.resultsLog, FileUse::Writing)) ||
      (settings.autosaveFiltered &&
       Failed(filteredLog_.Open(paths_.filteredLog), paths_.filteredLog, FileUse::Writing))) {
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
  if (flushed && !Failed(results, paths_.resultsLog, FileUse::Writing)) {
    Failed(filtered, paths_.filteredLog, FileUse::Writing);
  }
}

bool Calculator::FlushLogs() {
  // The filtered log first, as each block goes to it first; one failure is
  // told once.
  const IoResult filtered = filteredLog_.Flush();
  const IoResult results = resultsLog_.Flush();
  return filtered ? !Failed(filtered, paths_.filteredLog, FileUse::Writing)
                  : !Failed(results, paths_.resultsLog, FileUse::Writing);
}

void Calculator::ClearResults() {
  lists_.Clear();
  counters_ = RunCounters{};
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

bool Calculator::SaveResult(const ResultBlock& block, const std::string& path) {
  return !Failed(WriteTextFile(path, 3, [&block](std::size_t i) -> std::string_view {
    return block.lines[i];
  }), path, FileUse::Writing);
}

bool Calculator::SaveList(const ResultList& list, const std::string& path) {
  return !Failed(WriteTextFile(path, list.Size(), [&list](std::size_t i) { return list.Line(i); }), path,
                 FileUse::Writing);
}

bool Calculator::ExportList(const ResultList& list, const std::string& path) {
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

std::string ResultsCaption(const RunCounters& counters) {
  return "Results: ( RN / CN = " + std::to_string(counters.rn) + " / " +
         std::to_string(counters.cn) + " )";
}

std::string Calculator::FilteredCaption() const {
  return "Filtered: " + std::to_string(counters_.filtered);
}

std::string Calculator::VariantsCaption() const {
  return "Variants : " + std::to_string(search_.VariantCount());
}

}  // namespace zlc
