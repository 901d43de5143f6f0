// Settings changed between two batches: the shuffle depth, the task's count
// of wildcards and the seed. Blocks built ahead for the old settings, by the
// caller or a helper, must never serve the new ones, also where the old and
// new tries make the same number of generator calls.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "plain_tries.h"

namespace zlc {
namespace {

using testing_support::SideBySide;
using testing_support::TaskSetup;

// Tasks with 0 to 4 rank and suit wildcards.
const char* const kTasks[] = {"** ", "6? ** ", "6? ** ?h ** ", "A? ** ?s 7? ** ?d ?? ** Kc ",
                              "6? ** ?h ** 7? ** ?s ** "};
const std::int32_t kDepths[] = {0, 1, 10, 11, 100, 1000};

class SettingsBetweenBatches : public ::testing::TestWithParam<std::tuple<int, HelperUse>> {};

TEST_P(SettingsBetweenBatches, MatchThePlainTries) {
  const int helpers = std::get<0>(GetParam());
  const HelperUse use = std::get<1>(GetParam());
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed * 7919);
    SideBySide run(true, helpers, seed * 2654435761u, use);
    int task = 0;
    std::int32_t depth = 10;
    for (int b = 0; b < 80; ++b) {
      TaskSetup setup(kTasks[task], 2, seed);
      // Mostly short batches, so that most end inside a block.
      const int maxTries = rng() % 8 == 0 ? 1000 : 1 + static_cast<int>(rng() % 40);
      const int draws = static_cast<int>(rng() % 3);  // told to the engine: a "Many" draw
      const std::string where = "seed " + std::to_string(seed) + " batch " + std::to_string(b) +
                                " task " + kTasks[task] + " depth " + std::to_string(depth) +
                                " helpers " + std::to_string(helpers);
      run.Batch(setup, depth, maxTries, draws, draws, where);
      if (HasFatalFailure()) return;
      switch (rng() % 5) {
        case 0:
          depth = kDepths[rng() % std::size(kDepths)];
          break;
        case 1:
          task = static_cast<int>(rng() % std::size(kTasks));
          break;
        case 2:
          run.Reseed(static_cast<std::uint32_t>(rng()));
          break;
        case 3:
          // The same generator calls per try: 2 x 10 + 2 = 2 x 11 + 0.
          if (depth == 10 && task == 2) {
            depth = 11;
            task = 0;
          } else {
            depth = 10;
            task = 2;
          }
          break;
        default:
          break;  // nothing changes
      }
    }
    EXPECT_GT(run.results, 0) << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Helpers, SettingsBetweenBatches,
                         ::testing::Combine(::testing::Values(0, 1, 3),
                                            ::testing::Values(HelperUse::Always, HelperUse::Testing)),
                         [](const auto& info) {
                           return "Helpers" + std::to_string(std::get<0>(info.param)) +
                                  (std::get<1>(info.param) == HelperUse::Testing ? "Testing" : "Building");
                         });

}  // namespace
}  // namespace zlc
