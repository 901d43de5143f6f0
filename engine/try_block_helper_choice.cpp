#include "engine/try_block_helper_choice.h"

#include <algorithm>

namespace zlc {

void HelperChoice::Begin(Phase phase, bool on) {
  phase_ = phase;
  on_ = on;
  ns_ = 0;
  tries_ = 0;
}

void HelperChoice::Reset() {
  turns_ = 0;
  Begin(Phase::Settle, on_);
}

void HelperChoice::Record(std::int64_t nanoseconds, std::int64_t tries) {
  ns_ += nanoseconds;
  tries_ += tries;
  switch (phase_) {
    case Phase::Settle:
      if (ns_ >= kSettleNs) Begin(Phase::Turn, on_);
      return;
    case Phase::Keep:
      // The kept setting runs already: its first turn needs no settling.
      if (ns_ >= keepNs_) {
        turns_ = 0;
        Begin(Phase::Turn, on_);
      }
      return;
    case Phase::Turn:
      if (ns_ >= kTurnNs && tries_ >= kTurnTries) EndTurn();
      return;
  }
}

void HelperChoice::EndTurn() {
  rates_[turns_ / 2][on_ ? 1 : 0] = static_cast<double>(tries_) / static_cast<double>(ns_);
  ++turns_;
  if (turns_ < 2 * kPairs) {
    Begin(Phase::Settle, !on_);
    return;
  }
  double ratios[kPairs];
  for (int p = 0; p < kPairs; ++p) ratios[p] = rates_[p][1] / rates_[p][0];
  std::nth_element(ratios, ratios + kPairs / 2, ratios + kPairs);
  const bool helpersWin = ratios[kPairs / 2] * 100 > 100 + kHelpersMargin;
  keepNs_ = helpersWin == lastWinner_ ? std::min(2 * keepNs_, kLongestKeepNs) : kFirstKeepNs;
  lastWinner_ = helpersWin;
  Begin(Phase::Keep, helpersWin);
}

}  // namespace zlc
