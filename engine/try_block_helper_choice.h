// Whether the helper threads make the search faster here and now. Building
// ahead pays where a block takes long to build and a core is free; where
// blocks are cheap, or the machine is busy with other work, the hand-over and
// the helpers' share of the processors cost more than they bring. So the
// caller's own time per try is measured with the helpers on and off in short
// turns, and the faster setting is kept, for longer each time it wins again.
// The turns are compared pair by pair and the median pair decides: a stall
// of the whole machine in one turn does not.
#pragma once

#include <cstdint>

namespace zlc {

class HelperChoice {
 public:
  // A turn: time the setting runs after a switch before it is measured (the
  // helpers fill the ring first), then at least this time and these tries.
  static constexpr std::int64_t kSettleNs = 500'000;
  static constexpr std::int64_t kTurnNs = 2'000'000;
  static constexpr std::int64_t kTurnTries = 128;
  static constexpr int kPairs = 5;
  // Time the winner is kept before it is measured again: doubled while the
  // same setting keeps winning.
  static constexpr std::int64_t kFirstKeepNs = 400'000'000;
  static constexpr std::int64_t kLongestKeepNs = 3'200'000'000;
  // The helpers take processors from the rest of the machine: they must be
  // this much faster to be kept (per cent).
  static constexpr int kHelpersMargin = 4;

  bool On() const { return on_; }
  // `tries` made in `nanoseconds` of the caller's time with the helpers as
  // On() said.
  void Record(std::int64_t nanoseconds, std::int64_t tries);
  // The work changed (another depth or task): measured anew at once.
  void Reset();

 private:
  enum class Phase { Settle, Turn, Keep };
  void Begin(Phase phase, bool on);
  void EndTurn();

  bool on_ = true;
  Phase phase_ = Phase::Settle;
  std::int64_t ns_ = 0;  // of this phase
  std::int64_t tries_ = 0;
  // Rates (tries per nanosecond) of the round's turns, by pair and setting.
  double rates_[kPairs][2] = {};
  int turns_ = 0;  // of this round
  bool lastWinner_ = true;
  std::int64_t keepNs_ = kFirstKeepNs / 2;  // doubled by a first win
};

}  // namespace zlc
