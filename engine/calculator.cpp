#include "engine/calculator.h"

#include "persist/text_files.h"

namespace zlc {

Calculator::Calculator() = default;

void Calculator::Report(const std::string& message) const {
  if (reporter_) reporter_(message);
}

bool Calculator::Failed(const IoResult& result) const {
  if (!result) return false;
  Report(result->Message());
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
    Failed(CreateIfMissing(*log));
  }
}

void Calculator::Close() {
  CloseLogs();
  Failed(DeleteIfExists(variantsPath));
}

bool Calculator::OpenLogs() {
  if ((settings.autosaveAll && Failed(resultsLog_.Open(resultsLogPath))) ||
      (settings.autosaveFiltered && Failed(filteredLog_.Open(filteredLogPath)))) {
    resultsLog_.Close();
    filteredLog_.Close();
    return false;
  }
  return true;
}

void Calculator::CloseLogs() {
  Failed(resultsLog_.Close());
  Failed(filteredLog_.Close());
}

void Calculator::ClearResults() {
  allList.Clear();
  filteredList.Clear();
  counters = RunCounters{};
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
