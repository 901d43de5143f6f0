// The helper thread is held while the window draws: the blocks must stay the
// sequence one thread builds alone, and a held helper must start none.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include "engine/block_source.h"
#include "engine/try_block.h"

namespace zlc {
namespace {

class TwoSources {
 public:
  explicit TwoSources(BlockBuilder sharedBuilder = &BuildTryBlockPortable)
      : shared(sharedBuilder, true) {
    // Deep enough for the helper to share the building.
    const TryShape shape = MakeTryShape(200, kDeckSize, 1);
    alone_.Restart(shape, 20261208);
    shared.HoldHelper(true);
    shared.Restart(shape, 20261208);
  }
  bool NextAgree() {
    alone_.Next(a_);
    shared.Next(b_);
    return std::memcmp(a_->start, b_->start, sizeof a_->start) == 0 && a_->end == b_->end &&
           std::memcmp(a_->Perm(kBlockTries - 1), b_->Perm(kBlockTries - 1), kDeckSize) == 0;
  }
  BlockSource shared;

 private:
  BlockSource alone_{&BuildTryBlockPortable, false};
  std::unique_ptr<TryBlock> a_ = std::make_unique<TryBlock>();
  std::unique_ptr<TryBlock> b_ = std::make_unique<TryBlock>();
};

TEST(BlockSource, HoldingTheHelperKeepsTheSequenceAndStopsItsWork) {
  TwoSources sources;
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
  TwoSources sources(&BuildUnlessSetAside);
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
