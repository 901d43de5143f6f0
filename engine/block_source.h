// Consecutive try blocks from one starting generator state. With a helper
// thread the blocks ahead are built on the other core while the caller uses
// the current one; either thread builds the block the caller needs next, so
// the exact sequence is kept whoever built it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/try_block.h"

namespace zlc {

class BlockSource {
 public:
  BlockSource(BlockBuilder build, bool useHelperThread);
  ~BlockSource();
  BlockSource(const BlockSource&) = delete;
  BlockSource& operator=(const BlockSource&) = delete;

  // A new sequence: block 0 starts at `seed`.
  void Restart(const TryShape& shape, std::uint32_t seed);

  // The next block of the sequence, handed over by swapping it into `block`.
  // Never waits for the helper thread.
  void Next(std::unique_ptr<TryBlock>& block);

  bool HasHelperThread() const { return helper_.joinable(); }

  // While held, the helper thread starts no block (one it is building is
  // finished), leaving its core to other work of the process that must not
  // wait: the window draws large areas on worker threads of its own and
  // waits for them. The caller then builds every block it takes.
  void HoldHelper(bool hold);
  // Blocks the helper thread has built since it started.
  std::uint64_t HelperBuilt() const { return helperBuilt_.load(std::memory_order_relaxed); }

  // Whether a helper thread is worth having on this machine.
  static bool MachineHasSpareCore();

 private:
  static constexpr int kAhead = 8;  // blocks the helper may build ahead
  static constexpr std::int32_t kSharedDepth = 100;

  struct Slot {
    std::unique_ptr<TryBlock> block;
    std::uint64_t generation = 0;
    std::uint64_t index = ~std::uint64_t{0};  // which block of the sequence it holds
  };

  std::uint32_t StartOf(std::uint64_t index) const;  // under lock
  // Builds block `index`, the one the caller takes now, into `block`.
  // Called with the lock held; returns with it released.
  void BuildForCaller(std::unique_lock<std::mutex>& lock, std::unique_ptr<TryBlock>& block,
                      std::uint64_t index);
  // Claims the first block nobody builds, builds it into `into` with the
  // lock released, and publishes it. Called and returns with the lock held.
  void BuildNextUnclaimed(std::unique_lock<std::mutex>& lock, std::unique_ptr<TryBlock>& into);
  void Publish(std::unique_ptr<TryBlock>& built, std::uint64_t generation, std::uint64_t index);
  void HelperLoop();

  BlockBuilder build_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  bool held_ = false;
  std::atomic<std::uint64_t> helperBuilt_{0};
  std::uint64_t generation_ = 0;
  bool sharing_ = false;  // this sequence is built by both threads
  TryShape shape_{};
  std::uint32_t seed_ = 0;
  LcgJump perBlock_{};
  std::uint64_t nextToUse_ = 0;    // the block the caller takes next
  std::uint64_t nextToClaim_ = 0;  // the first block nobody builds yet
  Slot slots_[kAhead];
  std::unique_ptr<TryBlock> spare_;  // the caller's block built ahead
  std::thread helper_;
};

}  // namespace zlc
