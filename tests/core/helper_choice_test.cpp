// The measured choice of helpers on a simulated machine whose speed with and
// without them is known: it must settle on the faster setting, spend little
// time on the slower one, and follow the machine when it changes.
#include <gtest/gtest.h>

#include <functional>

#include "engine/try_block_helper_choice.h"

namespace zlc {
namespace {

constexpr std::int64_t kBatchNs = 200'000;  // one batch of tries, as timed

struct Simulation {
  HelperChoice choice;
  std::int64_t onNs = 0, offNs = 0;
  // The whole machine stands still for `stallNs` in every `stallEveryNs`
  // (another guest of the host, say), whatever the setting.
  std::int64_t stallEveryNs = 0, stallNs = 0;
  std::int64_t clock = 0;
  // Runs `ns` of batches at `perNsOn` / `perNsOff` tries per nanosecond.
  void Run(std::int64_t ns, double perNsOn, double perNsOff) {
    for (std::int64_t t = 0; t < ns; t += kBatchNs, clock += kBatchNs) {
      const bool on = choice.On();
      (on ? onNs : offNs) += kBatchNs;
      double rate = on ? perNsOn : perNsOff;
      if (stallEveryNs > 0 && clock % stallEveryNs < stallNs) rate /= 10;
      choice.Record(kBatchNs, static_cast<std::int64_t>(rate * kBatchNs));
    }
  }
};

TEST(HelperChoice, KeepsHelpersThatMakeTheSearchFaster) {
  Simulation sim;
  sim.Run(50'000'000, 0.002, 0.001);
  EXPECT_TRUE(sim.choice.On());
  // The slower setting is measured less and less often.
  sim.onNs = sim.offNs = 0;
  sim.Run(20'000'000'000, 0.002, 0.001);
  EXPECT_TRUE(sim.choice.On());
  EXPECT_LT(sim.offNs * 100, sim.onNs) << "more than 1 % of the time without the helpers";
}

TEST(HelperChoice, DropsHelpersThatDoNotPayTheirWay) {
  for (double onRate : {0.0005, 0.001, 0.00102}) {  // slower, equal, within the margin
    Simulation sim;
    sim.Run(50'000'000, onRate, 0.001);
    EXPECT_FALSE(sim.choice.On()) << onRate;
    sim.onNs = sim.offNs = 0;
    sim.Run(20'000'000'000, onRate, 0.001);
    EXPECT_LT(sim.onNs * 100, sim.offNs) << "more than 1 % of the time with the helpers " << onRate;
  }
}

TEST(HelperChoice, AStallOfTheMachineDoesNotDecide) {
  for (double onRate : {0.0015, 0.0008}) {
    Simulation sim;
    sim.stallEveryNs = 30'000'000;
    sim.stallNs = 3'000'000;
    sim.Run(20'000'000'000, onRate, 0.001);
    const bool helpersPay = onRate > 0.001;
    EXPECT_EQ(sim.choice.On(), helpersPay) << onRate;
    EXPECT_LT((helpersPay ? sim.offNs : sim.onNs) * 20, sim.onNs + sim.offNs)
        << "more than 5 % of the time with the slower setting " << onRate;
  }
}

TEST(HelperChoice, FollowsTheMachineWhenItChanges) {
  Simulation sim;
  sim.Run(60'000'000'000, 0.002, 0.001);
  ASSERT_TRUE(sim.choice.On());
  // Another program takes the other cores: the helpers now slow the search.
  sim.Run(2 * HelperChoice::kLongestKeepNs, 0.0008, 0.001);
  EXPECT_FALSE(sim.choice.On());
  // And leaves them again.
  sim.Run(2 * HelperChoice::kLongestKeepNs, 0.002, 0.001);
  EXPECT_TRUE(sim.choice.On());
}

TEST(HelperChoice, MeasuresAnewWhenTheWorkChanges) {
  Simulation sim;
  sim.Run(60'000'000'000, 0.0005, 0.001);
  ASSERT_FALSE(sim.choice.On());
  // Another depth: the helpers pay now, and that is found within a round
  // rather than after the long keep of the old verdict.
  sim.choice.Reset();
  sim.Run(50'000'000, 0.002, 0.001);
  EXPECT_TRUE(sim.choice.On());
}

}  // namespace
}  // namespace zlc
