// The calculator's whole program-wide state in one place: notation, settings,
// filter, task, generator, counters and run flags. The window, the headless
// tool and the tests all drive this object; none of them keeps a copy.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "cards/notation.h"
#include "cards/task_editor.h"
#include "engine/random.h"
#include "filter/filter_settings.h"

namespace zlc {

struct Settings {
  int markTransits = 0;
  int staticMarkMode = 0;  // 0 none, 1 "!", 2 "[...]"
  int deleteSpaces = 0;
  std::int32_t clearThreshold = 5000;
  std::int32_t shuffleDepth = 1000;
  bool autosaveAll = false;       // the "all" box
  bool autosaveFiltered = true;   // the "filtered" box
  bool clearAtRn = true;          // the "Clear at RN >" box
};

struct RunCounters {
  std::int32_t rn = 0;
  std::int32_t cn = 0;
  std::int32_t filtered = 0;
};

inline constexpr std::string_view kResultsLogName = "results.log";
inline constexpr std::string_view kFilteredLogName = "resultsf.log";
inline constexpr std::string_view kVariantsFileName = "variants";

class Calculator {
 public:
  // Receives the runtime's messages (I/O errors, conversion errors). The
  // operation that failed stops; the program goes on.
  using Reporter = std::function<void(const std::string& message)>;

  Calculator();

  void SetReporter(Reporter reporter) { reporter_ = std::move(reporter); }

  // Everything to its start-up value, then the two result logs created empty
  // where they are missing. A log that cannot be created is reported and
  // start-up goes on.
  void InitSettings();

  // Closing: the scratch file of variants goes.
  void Close();

  void SeedFromClock() { random.SetSeed(TimeOfDaySeed()); }

  std::string ResultsCaption() const;   // "Results: ( RN / CN = r / c )"
  std::string FilteredCaption() const;  // "Filtered: f"

  NotationSet notation;
  Settings settings;
  FilterSettings filter;
  TaskEditor editor{notation};
  Random random;
  RunCounters counters;
  bool running = false;
  bool batchBusy = false;

  std::string resultsLogPath{kResultsLogName};
  std::string filteredLogPath{kFilteredLogName};
  std::string variantsPath{kVariantsFileName};

 private:
  void Report(const std::string& message) const;

  Reporter reporter_;
};

}  // namespace zlc
