// What the search has found since the statistics started: every batch and
// every result, across the clearings of "Clear at RN >". "Clear Results"
// and a change of what is searched start them again at once; the seed and
// the setup they count are taken at the next batch. A change of how the
// lines read keeps them, but makes them unrepeatable once a printed line
// read otherwise.
#pragma once

#include <cstdint>
#include <string_view>

#include "analysis/result_record.h"
#include "analysis/run_figures.h"
#include "analysis/run_statistics.h"
#include "calculator/run_setup.h"

namespace zlc {

// The settings in force, as they are compared with those counted.
struct SetupInForce {
  std::string_view task;
  const NotationSet& notation;
  const Settings& settings;
  const FilterSettings& filter;
};

class StatisticsFollower {
 public:
  const RunStatistics& Counts() const { return counts_; }
  const RateWindow& Pace() const { return pace_; }  // over the last minute of batches
  std::uint32_t Seed() const { return seed_; }      // the generator's before their first batch
  std::uint64_t Starts() const { return starts_; }  // how often they started, for a view to notice
  // What started them again; None for "Clear Results" (and the first start).
  SetupChange RestartedBy() const { return restartedBy_; }
  // Whether the tool, given the seed, repeats what they count: only when
  // their first batch drew the task's variant itself and RN started at 0,
  bool Repeatable() const { return repeatable_; }
  // and while no change of how the lines read has touched a line printed
  // since: the change that did, else None.
  SetupChange LinesChanged() const { return linesChanged_; }
  // What they count under, as the tool is to be told it.
  const RunSetup& Setup() const { return setup_; }

  // "Clear Results": they start again (nothing to do before they started).
  void Reset();
  // Before a batch: the settings in force compared with those counted; a
  // change of what is searched starts them again. `rn` is RN now.
  void Follow(const SetupInForce& now, std::int64_t rn);
  // A batch starts: the first since they started takes the seed and the
  // setup. `repeatable`: the batch draws the variant itself and RN is 0.
  void Begin(const SetupInForce& now, std::uint32_t seed, bool repeatable);
  bool Begun() const { return begun_; }
  void NoteLinesChanged(SetupChange change);  // the first one stays

  void AddTries(std::uint64_t tries) { counts_.AddTries(tries); }
  void AddResult(const ResultRecord& record, const ResultFigures& figures) {
    counts_.AddResult(record, figures);
  }
  void FollowPace(double seconds) { pace_.Follow(seconds, counts_); }

 private:
  void Restart(SetupChange why);

  RunStatistics counts_;
  RateWindow pace_;
  std::uint32_t seed_ = 0;
  std::uint64_t starts_ = 0;
  SetupChange restartedBy_ = SetupChange::None;
  bool repeatable_ = false;
  SetupChange linesChanged_ = SetupChange::None;
  bool begun_ = false;  // their first batch since they started was run
  RunSetup setup_;
};

}  // namespace zlc
