#include "engine/calculator.h"

#include "persist/text_files.h"

namespace zlc {

Calculator::Calculator() = default;

void Calculator::Report(const std::string& message) const {
  if (reporter_) reporter_(message);
}

void Calculator::InitSettings() {
  SetNotation(notation, static_cast<int>(Notation::Ru));
  editor.BuildCardGrid();
  batchBusy = false;
  editor.SetVariantsReady(false);
  counters = RunCounters{};
  running = false;
  ResetFilterSettings(filter);
  settings = Settings{};
  for (const std::string* log : {&resultsLogPath, &filteredLogPath}) {
    if (IoResult failed = CreateIfMissing(*log)) Report(failed->Message());
  }
}

void Calculator::Close() {
  if (IoResult failed = DeleteIfExists(variantsPath)) Report(failed->Message());
}

std::string Calculator::ResultsCaption() const {
  return "Results: ( RN / CN = " + std::to_string(counters.rn) + " / " +
         std::to_string(counters.cn) + " )";
}

std::string Calculator::FilteredCaption() const {
  return "Filtered: " + std::to_string(counters.filtered);
}

}  // namespace zlc
