// The block source against blocks built one after another on this thread:
// with any number of helpers, across restarts, switched on and off, held
// while the window draws, and with a helper the system sets aside.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "engine/block_source.h"
#include "engine/try_block.h"

namespace zlc {
namespace {

// The sequence built plainly: each block starts where the one before ended.
class LoneSequence {
 public:
  void Restart(const TryShape& shape, std::uint32_t seed) {
    shape_ = shape;
    next_ = seed;
  }
  const TryBlock& Next() {
    BuildTryBlockPortable(*block_, shape_, next_);
    next_ = block_->end;
    return *block_;
  }

 private:
  TryShape shape_{};
  std::uint32_t next_ = 0;
  std::unique_ptr<TryBlock> block_ = std::make_unique<TryBlock>();
};

// The whole block: start states, permutations and wildcard draws.
::testing::AssertionResult SameBlock(const TryBlock& want, const TryBlock& got, std::int32_t wildcards) {
  if (std::memcmp(want.start, got.start, sizeof want.start) != 0 || want.end != got.end) {
    return ::testing::AssertionFailure() << "start states differ";
  }
  for (int i = 0; i < kBlockTries; ++i) {
    if (std::memcmp(want.Perm(i), got.Perm(i), kDeckSize) != 0) {
      return ::testing::AssertionFailure() << "try " << i << " permutation differs";
    }
    if (std::memcmp(want.wild[i], got.wild[i], sizeof(std::uint32_t) * static_cast<std::size_t>(wildcards)) != 0) {
      return ::testing::AssertionFailure() << "try " << i << " wildcard draws differ";
    }
  }
  return ::testing::AssertionSuccess();
}

class BlockSourceHelpers : public ::testing::TestWithParam<int> {};

TEST_P(BlockSourceHelpers, GiveTheLoneSequenceAcrossRestartsAndSwitches) {
  const int helpers = GetParam();
  BlockSource source(&BuildTryBlockPortable, helpers);
  ASSERT_EQ(source.Helpers(), helpers);
  LoneSequence lone;
  auto block = std::make_unique<TryBlock>();
  std::mt19937 rng(static_cast<unsigned>(helpers) * 101 + 5);
  TryShape shape = MakeTryShape(100, kDeckSize, 1);
  std::uint32_t seed = 99;
  for (int run = 0; run < 120; ++run) {
    // A new seed, a new shape, or both; now and then the same seed with
    // another shape, or the same shape and seed again.
    switch (rng() % 4) {
      case 0:
        seed = static_cast<std::uint32_t>(rng());
        break;
      case 1:
        shape = MakeTryShape(static_cast<std::int32_t>(rng() % 300), kDeckSize,
                             static_cast<std::int32_t>(rng() % 4));
        break;
      case 2:
        seed = static_cast<std::uint32_t>(rng());
        shape = MakeTryShape(static_cast<std::int32_t>(rng() % 300), kDeckSize, 0);
        break;
      default:
        break;
    }
    source.Restart(shape, seed);
    lone.Restart(shape, seed);
    const int blocks = static_cast<int>(rng() % 40);
    for (int b = 0; b < blocks; ++b) {
      // Switched off and on now and then, as the measured choice does.
      if (rng() % 16 == 0) source.SetHelpersOn(!source.HelpersOn());
      // Now and then the caller is slow: the helpers get ahead.
      if (rng() % 8 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
      source.Next(block);
      ASSERT_TRUE(SameBlock(lone.Next(), *block, shape.wildcards))
          << "run " << run << " block " << b << " depth " << shape.depth << " wildcards "
          << shape.wildcards;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, BlockSourceHelpers, ::testing::Values(0, 1, 2, 3, 7),
                         [](const auto& info) { return "Helpers" + std::to_string(info.param); });

TEST(BlockSource, HelpersBuildForTheCaller) {
  BlockSource source(&BuildTryBlockPortable, 2);
  source.Restart(MakeTryShape(500, kDeckSize, 0), 3);
  // Idle, the caller leaves time to build a ring's worth ahead.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (source.HelperBuilt() < 8 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_GE(source.HelperBuilt(), 8u);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  auto block = std::make_unique<TryBlock>();
  for (int i = 0; i < 8; ++i) source.Next(block);
  EXPECT_GE(source.CallerStats().fromHelpers, 4u) << "the blocks built ahead were not taken";
}

class HeldSource {
 public:
  explicit HeldSource(BlockBuilder sharedBuilder = &BuildTryBlockPortable)
      : shared(sharedBuilder, 1) {
    // Deep enough for a block to take a while.
    const TryShape shape = MakeTryShape(200, kDeckSize, 1);
    lone_.Restart(shape, 20261208);
    shared.HoldHelper(true);
    shared.Restart(shape, 20261208);
  }
  ::testing::AssertionResult NextAgree() {
    shared.Next(block_);
    return SameBlock(lone_.Next(), *block_, 1);
  }
  BlockSource shared;

 private:
  LoneSequence lone_;
  std::unique_ptr<TryBlock> block_ = std::make_unique<TryBlock>();
};

TEST(BlockSource, HoldingTheHelperKeepsTheSequenceAndStopsItsWork) {
  HeldSource sources;
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(sources.NextAgree()) << "held, block " << i;
  EXPECT_EQ(0u, sources.shared.HelperBuilt());

  // Released, it builds ahead again while the caller is idle.
  sources.shared.HoldHelper(false);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (sources.shared.HelperBuilt() == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_GT(sources.shared.HelperBuilt(), 0u);
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(sources.NextAgree()) << "released, block " << i;

  // Held again mid-sequence: at most the block in hand is finished.
  sources.shared.HoldHelper(true);
  const std::uint64_t built = sources.shared.HelperBuilt();
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(sources.NextAgree()) << "held again, block " << i;
  EXPECT_LE(sources.shared.HelperBuilt(), built + 1);
}

// A builder whose calls on any thread but the test's own hang until let go:
// a helper the system has set aside in the middle of a block.
std::atomic<bool> helperSetAside{false};
std::atomic<int> helperCalls{0};
std::thread::id testThread;

void BuildUnlessSetAside(TryBlock& block, const TryShape& shape, std::uint32_t seed) {
  if (std::this_thread::get_id() != testThread) {
    ++helperCalls;
    while (helperSetAside) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  BuildTryBlockPortable(block, shape, seed);
}

TEST(BlockSource, AHelperSetAsideNeverStallsTheCaller) {
  testThread = std::this_thread::get_id();
  helperSetAside = true;
  HeldSource sources(&BuildUnlessSetAside);
  sources.shared.HoldHelper(false);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (helperCalls == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_GT(helperCalls, 0) << "the helper never started a block";
  // The caller passes the block the helper holds instead of waiting for it.
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(sources.NextAgree()) << "set aside, block " << i;
  // The helper's late copy is dropped, not taken in place of a later block.
  helperSetAside = false;
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(sources.NextAgree()) << "back, block " << i;
}

}  // namespace
}  // namespace zlc
