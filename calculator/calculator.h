// The calculator's whole program-wide state in one place: notation, settings,
// filter, task, generator, layout, counters, result lists and logs. The
// window, the headless tool and the tests all drive this object; none of
// them keeps a copy.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "analysis/result_record.h"
#include "analysis/run_figures.h"
#include "analysis/run_statistics.h"
#include "cards/notation.h"
#include "cards/task_editor.h"
#include "engine/chain.h"
#include "engine/fast_tries.h"
#include "engine/layout.h"
#include "engine/random.h"
#include "calculator/result_list.h"
#include "calculator/result_lists.h"
#include "calculator/run_setup.h"
#include "engine/settings.h"
#include "engine/variants.h"
#include "filter/filter_settings.h"
#include "persist/log_file.h"

namespace zlc {

// 64 bits: with "Clear at RN >" unticked a search passes two thousand
// million tries within an hour, where a 32-bit count would overflow.
struct RunCounters {
  std::int64_t rn = 0;
  std::int64_t cn = 0;
  std::int64_t filtered = 0;
};

// Totals since the calculator was made; never reset by clearing.
struct RunTotals {
  std::uint64_t results = 0;
  std::uint64_t filtered = 0;
  std::uint64_t tries = 0;
};

inline constexpr std::string_view kResultsLogName = "results.log";
inline constexpr std::string_view kFilteredLogName = "resultsf.log";
inline constexpr std::string_view kVariantsFileName = "variants";
inline constexpr std::string_view kConfigFileName = "zlc.cfg";
inline constexpr int kMaxTries = 1000;
// Tasks with more variants than this are not written to the scratch file:
// a million lines of a task that large take about a hundred megabytes and
// a second or two to write, and past that the file grows with the binomial
// count into thousands of millions of lines that no disk takes. The draw
// never needs the file.
inline constexpr std::int64_t kMaxFileVariants = 1000000;

enum class BatchOutcome {
  Busy,      // a batch was already in progress; nothing done
  NoResult,  // kMaxTries tries without convergence
  Result,    // a result was found (see LastBlock, LastRecord, LastPassed)
  Failed,    // a file operation failed and was reported
};

class Calculator {
 public:
  // Receives the runtime's messages (I/O errors, conversion errors). The
  // operation that failed stops; the program goes on.
  using Reporter = std::function<void(const RuntimeMessage& message)>;

  Calculator();

  void SetReporter(Reporter reporter) { reporter_ = std::move(reporter); }

  // Every setting, the notation, the filter and the counters to their
  // start-up values.
  void ResetSettings();

  // ResetSettings, then the two result logs created empty
  // where they are missing, then the configuration file read. A file that
  // cannot be created or read is reported and start-up goes on.
  void InitSettings();

  // Closing: the settings are written to the configuration file, and the
  // scratch file of variants goes.
  void Close();

  // "Open": the task replaced by the first line of a file (any text; what
  // is no card is dropped). False when the file could not be read (reported;
  // the task is unchanged).
  bool OpenTaskFile(const std::string& path);
  // "Save": the task text as one line.
  bool SaveTaskFile(const std::string& path);

  void SeedFromClock() { random.SetSeed(TimeOfDaySeed()); }

  // The options dialog's notation selector. When the letters change, the
  // grid's captions and the task's tokens change with them at this one
  // moment, and the task's variants are drawn again in the new letters, so
  // no batch ever pairs the deck of one notation with a task of the other.
  // True when the letters changed.
  bool SelectNotation(std::string_view name);

  // One batch: tries until a layout converges or kMaxTries are spent, and a
  // converged layout made into a result (lists, filter, logs, clearing).
  // Outside a slice, a result goes to the open logs at once.
  BatchOutcome RunBatch();
  // The search's helper thread leaves its core while held (the window holds
  // it while it draws); the batches stay exactly the same.
  void HoldSearchHelper(bool hold) { fastTries_.HoldHelper(hold); }

  // A run: the logs whose autosave box is ticked open from StartRun to
  // StopRun, and slices of batches in between. False when a log could not
  // be opened (reported; no run).
  bool StartRun();
  void StopRun();  // writes what is gathered, closes the logs; nothing when no run
  bool Running() const { return running_; }
  bool BatchBusy() const { return batchBusy_; }
  // One batch with the logs opened and closed around it (the step button).
  BatchOutcome Step();

  using SliceClock = std::chrono::steady_clock;
  // Called after each batch of a slice that did not fail; false ends the slice.
  using BatchFollower = std::function<bool(BatchOutcome outcome)>;
  struct SliceReport {
    int batches = 0;
    bool failed = false;  // a file failed (reported once); a run was stopped
  };
  // Whole batches until `deadline` has passed (at least one), until a batch
  // fails or `afterBatch` says no. A slice's blocks go to the logs together
  // at its end (one write per log), or as they reach a megabyte.
  SliceReport RunSlice(SliceClock::time_point deadline, const BatchFollower& afterBatch = {});

  // The logs whose autosave box is ticked are opened for appending. False
  // when one could not be opened (reported; none is left open).
  bool OpenLogs();
  void CloseLogs();  // writes what is gathered first
  // Writes the blocks gathered in the logs, each log in one write. False
  // when a write failed (reported once; the log keeps whole blocks).
  bool FlushLogs();

  void ClearResults();  // both lists and the three counters

  // "Save result...": a block as three lines. False when reported.
  bool SaveResult(const ResultBlock& block, const std::string& path);
  // "Save all results...": every line of a list, top to bottom.
  bool SaveList(const ResultList& list, const std::string& path);
  // "Export list as CSV...": every block of a list as a CSV row (UTF-8,
  // CR LF), oldest first, under a header row.
  bool ExportList(const ResultList& list, const std::string& path);

  std::string ResultsCaption() const;   // "Results: ( RN / CN = r / c )"
  std::string FilteredCaption() const;  // "Filtered: f"
  std::string VariantsCaption() const;  // "Variants : n"

  NotationSet notation;
  Settings settings;
  FilterSettings filter;
  TaskEditor editor{notation};
  Random random;
  RunCounters counters;
  RunTotals totals;

  // The search's own state, to look at: the layout of the last try, the
  // collapse of the last converged one, the task's plan and its variants.
  const Layout& SearchLayout() const { return layout_; }
  const Chain& SearchChain() const { return workChain_; }
  const TaskPlan& SearchPlan() const { return plan_; }
  std::int64_t VariantCount() const { return variantCount_; }

  // "All" and "Filtered", newest block on top.
  const ResultLists& Lists() const { return lists_; }
  ResultLists& Lists() { return lists_; }
  // The latest result, kept past any clearing: its lines, its facts and
  // whether it passed the filter.
  const ResultBlock& LastBlock() const { return lastBlock_; }
  const ResultRecord& LastRecord() const { return lastRecord_; }
  bool LastPassed() const { return lastPassed_; }

  // What the search has found since the statistics started: every batch
  // and every result, across the clearings of "Clear at RN >". "Clear
  // Results" and a change of what is searched start them again at once;
  // the seed and the setup they count are taken at the next batch.
  RunStatistics statistics;
  RateWindow statisticsPace;             // their pace over the last minute of batches
  std::uint32_t statisticsSeed = 0;      // the generator's seed before their first batch
  std::uint64_t statisticsStarts = 0;    // how often they started, for a view to notice
  // What started them again; None for "Clear Results" (and the first start).
  SetupChange statisticsRestartedBy = SetupChange::None;
  // Whether the tool, given that seed, repeats what they count: only when
  // their first batch drew the task's variant itself and RN started at 0,
  bool statisticsRepeatable = false;
  // and while no change of how the lines read has touched a line printed
  // since: the change that did, else None.
  SetupChange statisticsLinesChanged = SetupChange::None;
  // What they count under, as the tool is to be told it.
  const RunSetup& StatisticsSetup() const { return statisticsSetup_; }
  void ResetStatistics();  // "Clear Results"
  // Compares the settings in force with those counted and acts on a change,
  // as every batch does before it starts; a view calls it to show a change
  // at once. Nothing while a batch is on: the next one looks.
  void FollowStatistics() {
    if (!batchBusy_) FollowSetup();
  }

  EnumerationProgress* progress = nullptr;

  std::string resultsLogPath{kResultsLogName};
  std::string filteredLogPath{kFilteredLogName};
  std::string variantsPath{kVariantsFileName};
  std::string configPath{kConfigFileName};

 private:
  void Report(const RuntimeMessage& message) const;
  // Reports a failure of an operation on `path`.
  bool Failed(const IoResult& result, const std::string& path, FileUse use) const;
  bool EnumerateVariants();
  bool MakeResult(std::int32_t tries);  // false when a log write failed

  void FollowSetup();
  void RestartStatistics(SetupChange why);
  void BeginStatistics();
  void NoteLinesChanged(SetupChange change);  // the first one stays
  BatchOutcome SearchBatch();

  Reporter reporter_;
  FastTries fastTries_;
  Layout layout_;
  Chain workChain_;
  TaskPlan plan_;
  std::int64_t variantCount_ = 0;
  bool running_ = false;
  bool batchBusy_ = false;
  bool inSlice_ = false;  // results' log writes wait for the slice's end
  bool statisticsBegun_ = false;  // their first batch since they started was run
  RunSetup statisticsSetup_;
  std::string deckText_;    // the base deck without spaces
  std::string deckSource_;  // the base deck it was made from
  LogFile resultsLog_;
  LogFile filteredLog_;
  ResultLists lists_;
  ResultBlock lastBlock_;
  ResultRecord lastRecord_;
  bool lastPassed_ = false;
};

}  // namespace zlc
