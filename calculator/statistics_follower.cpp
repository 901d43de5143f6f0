#include "calculator/statistics_follower.h"

namespace zlc {

namespace {

RunSetup SetupOf(const SetupInForce& now) {
  return RunSetup{std::string(now.task), now.notation, now.settings, now.filter};
}

}  // namespace

void StatisticsFollower::Reset() {
  if (starts_ > 0) Restart(SetupChange::None);
}

void StatisticsFollower::Restart(SetupChange why) {
  counts_.Reset();
  pace_.Reset();
  restartedBy_ = why;
  linesChanged_ = SetupChange::None;
  begun_ = false;
  ++starts_;
}

void StatisticsFollower::Begin(const SetupInForce& now, std::uint32_t seed, bool repeatable) {
  if (begun_) return;
  begun_ = true;
  seed_ = seed;
  repeatable_ = repeatable;
  setup_ = SetupOf(now);
  if (starts_ == 0) starts_ = 1;
}

void StatisticsFollower::Follow(const SetupInForce& now, std::int64_t rn) {
  if (!begun_) return;  // the next batch takes the setup as it is then
  const SetupChange change = ChangeOf(setup_, now.task, now.notation, now.settings, now.filter);
  if (change == SetupChange::None) return;
  if (RestartsCounting(change)) {
    Restart(change);
    return;
  }
  // A change of how the lines read that no line printed since shows: none
  // was printed, or only the clearing changed and neither the old nor the
  // new setting has cleared the lists yet.
  const std::uint64_t printed = counts_.Results();
  const bool unseen =
      printed == 0 || (change == SetupChange::Clearing && static_cast<std::uint64_t>(rn) == printed &&
                       (!now.settings.clearAtRn || rn <= now.settings.clearThreshold));
  if (!unseen) NoteLinesChanged(change);
  setup_ = SetupOf(now);
}

void StatisticsFollower::NoteLinesChanged(SetupChange change) {
  if (linesChanged_ == SetupChange::None) linesChanged_ = change;
}

}  // namespace zlc
