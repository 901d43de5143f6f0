// The statistics following the run: started again by "Clear Results" and by
// a change of what is searched, kept through a change of how the lines
// read, which only makes them unrepeatable once a line read otherwise.
#include "calculator/calculator.h"

namespace zlc {

void Calculator::ResetStatistics() {
  if (statisticsStarts > 0) RestartStatistics(SetupChange::None);
}

void Calculator::RestartStatistics(SetupChange why) {
  statistics.Reset();
  statisticsPace.Reset();
  statisticsRestartedBy = why;
  statisticsLinesChanged = SetupChange::None;
  statisticsBegun_ = false;
  ++statisticsStarts;
}

void Calculator::BeginStatistics() {
  if (statisticsBegun_) return;
  statisticsBegun_ = true;
  statisticsSeed = random.Seed();
  statisticsRepeatable = !editor.VariantsReady() && counters.rn == 0;
  statisticsSetup_ = RunSetup{editor.Text(), notation, settings, filter};
  if (statisticsStarts == 0) statisticsStarts = 1;
}

void Calculator::FollowSetup() {
  if (!statisticsBegun_) return;  // the next batch takes the setup as it is then
  const SetupChange change = ChangeOf(statisticsSetup_, editor.Text(), notation, settings, filter);
  if (change == SetupChange::None) return;
  if (RestartsCounting(change)) {
    RestartStatistics(change);
    return;
  }
  // A change of how the lines read that no line printed since shows: none
  // was printed, or only the clearing changed and neither the old nor the
  // new setting has cleared the lists yet.
  const std::uint64_t printed = statistics.Results();
  const auto rn = static_cast<std::uint64_t>(counters.rn);
  const bool unseen = printed == 0 || (change == SetupChange::Clearing && rn == printed &&
                                       (!settings.clearAtRn || counters.rn <= settings.clearThreshold));
  if (!unseen) NoteLinesChanged(change);
  statisticsSetup_ = RunSetup{editor.Text(), notation, settings, filter};
}

void Calculator::NoteLinesChanged(SetupChange change) {
  if (statisticsLinesChanged == SetupChange::None) statisticsLinesChanged = change;
}

}  // namespace zlc
