// The calculator's program-wide owner: the settings in force (notation,
// settings, filter, task), the search, and what each result feeds (counters,
// result lists, logs, statistics). The window, the headless tool and the
// tests all drive this object; none of them keeps a copy.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/result_record.h"
#include "analysis/run_figures.h"
#include "analysis/run_statistics.h"
#include "cards/notation.h"
#include "cards/task_editor.h"
#include "calculator/result_list.h"
#include "calculator/result_analyst.h"
#include "calculator/result_lists.h"
#include "calculator/run_setup.h"
#include "calculator/search.h"
#include "calculator/statistics_follower.h"
#include "engine/settings.h"
#include "engine/try_block_helper_choice.h"
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

// Where the calculator's own files are: in the working folder unless told.
struct FilePaths {
  std::string resultsLog{kResultsLogName};
  std::string filteredLog{kFilteredLogName};
  std::string variants{kVariantsFileName};
  std::string config{kConfigFileName};
};

std::string ResultsCaption(const RunCounters& counters);  // "Results: ( RN / CN = r / c )"

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

  void SeedFromClock() { search_.SetSeed(TimeOfDaySeed()); }
  void SetSeed(std::uint32_t seed) { search_.SetSeed(seed); }
  const Random& Generator() const { return search_.Generator(); }

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
  void HoldSearchHelper(bool hold) { search_.HoldHelper(hold); }
  // In a slice a result's analysis may go to a helper thread while the next
  // batch's tries are made; the results stay exactly the same.
  void SetAnalysisUse(AnalysisUse use) { analysisUse_ = use; }
  std::uint64_t ResultsAnalysedByHelper() const { return analyst_.HelperDone(); }

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
  // fails or `afterBatch` says no. (While the follower looks at a result,
  // the next batch's tries may have been made already; they count after it,
  // or are undone when it says no.) A slice's blocks go to the logs together
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

  std::string ResultsCaption() const { return zlc::ResultsCaption(counters_); }
  std::string FilteredCaption() const;  // "Filtered: f"
  std::string VariantsCaption() const;  // "Variants : n"

  NotationSet notation;
  Settings settings;
  FilterSettings filter;
  TaskEditor editor{notation};

  // RN, CN and the filtered count, cleared with the lists; the totals never.
  const RunCounters& Counters() const { return counters_; }
  const RunTotals& Totals() const { return totals_; }

  // The search's own state, to look at: the layout of the last try, the
  // collapse of the last converged one, the task's plan and its variants.
  const Layout& SearchLayout() const { return search_.LastLayout(); }
  const Chain& SearchChain() const { return search_.LastChain(); }
  const TaskPlan& SearchPlan() const { return search_.Plan(); }
  std::int64_t VariantCount() const { return search_.VariantCount(); }

  // "All" and "Filtered", newest block on top.
  const ResultLists& Lists() const { return lists_; }
  ResultLists& Lists() { return lists_; }
  // The latest result, kept past any clearing: its lines, its facts and
  // whether it passed the filter.
  const ResultBlock& LastBlock() const { return lastBlock_; }
  const ResultRecord& LastRecord() const { return lastRecord_; }
  bool LastPassed() const { return lastPassed_; }

  // What the search has found since the statistics started, and under
  // which setup and seed.
  const StatisticsFollower& Statistics() const { return statistics_; }
  void ResetStatistics();  // "Clear Results"
  // Compares the settings in force with those counted and acts on a change,
  // as every batch does before it starts; a view calls it to show a change
  // at once. Nothing while a batch is on: the next one looks.
  void FollowStatistics() {
    if (!batchBusy_) FollowSetup();
  }

  // Told how far writing the task's variants has come, when set.
  void SetProgress(EnumerationProgress* progress) { progress_ = progress; }
  EnumerationProgress* Progress() const { return progress_; }

  const FilePaths& Paths() const { return paths_; }
  void SetPaths(FilePaths paths) { paths_ = std::move(paths); }

 private:
  void Report(const RuntimeMessage& message) const;
  // Reports a failure of an operation on `path`.
  bool Failed(const IoResult& result, const std::string& path, FileUse use) const;
  bool EnumerateVariants();

  // A batch's parts, in the order they act. With `mayPost` a result may be
  // left with the analyst (nothing returned): FinishResult then hands it on.
  std::optional<BatchOutcome> Batch(bool mayPost);
  void BeginBatch(std::uint32_t seed);  // the statistics follow the setup
  void EndBatch();                      // and the pace
  std::optional<BatchOutcome> SearchBatch(bool mayPost);
  std::optional<BatchOutcome> CountBatch(const BatchFound& found, bool mayPost);
  void PostResult(std::int32_t tries, bool handOver);
  // The result to the lists, logs, statistics and counters; `putBack`
  // gives the search its marked layout and collapse. False when a log
  // write failed.
  bool FinishResult(bool putBack);
  // Slice batches until the follower says no or the deadline has passed.
  bool SliceBatches(SliceClock::time_point deadline, const BatchFollower& afterBatch,
                    SliceReport& report);

  void FollowSetup();
  SetupInForce InForce() const { return {editor.Text(), notation, settings, filter}; }

  Reporter reporter_;
  Search search_;
  ResultAnalyst analyst_{SearchThreads() > 1};  // a helper where there is a second thread
  AnalysisUse analysisUse_ = AnalysisUse::Measured;
  HelperChoice analysisChoice_;  // the caller's time per try with hand-over and without
  StatisticsFollower statistics_;
  RunCounters counters_;
  RunTotals totals_;
  FilePaths paths_;
  EnumerationProgress* progress_ = nullptr;
  bool running_ = false;
  bool batchBusy_ = false;
  bool inSlice_ = false;  // results' log writes wait for the slice's end
  LogFile resultsLog_;
  LogFile filteredLog_;
  ResultLists lists_;
  ResultBlock lastBlock_;
  ResultRecord lastRecord_;
  bool lastPassed_ = false;
};

}  // namespace zlc
