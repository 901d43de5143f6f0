// Consecutive try blocks from one starting generator state. Helper threads
// build chunks of blocks ahead on the other cores while the caller uses the
// current block; the caller takes a chunk that is ready without a lock, and
// builds any block that is not ready itself rather than wait for it, so the
// sequence is exactly the one a single thread builds, whoever built each
// block.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/try_block.h"
#include "engine/try_block_ring.h"

namespace zlc {

// Threads a search uses, the caller's included: one per processor this
// process may run on, unless set otherwise (zlc-search --jobs) before the
// search's engine is made.
inline constexpr int kMaxSearchThreads = 64;
int SearchThreads();
void SetSearchThreads(int threads);  // 1..kMaxSearchThreads; 0: one per processor
int ProcessorsOfThisProcess();

// Where the caller's blocks came from (for measurements).
struct CallerBlockStats {
  std::uint64_t fromHelpers = 0;  // handed over ready
  std::uint64_t built = 0;        // built by the caller, ahead or when it needed them
};

class BlockSource {
 public:
  BlockSource(BlockBuilder build, int helpers);
  ~BlockSource();
  BlockSource(const BlockSource&) = delete;
  BlockSource& operator=(const BlockSource&) = delete;

  // A new sequence: block 0 starts at `seed`.
  void Restart(const TryShape& shape, std::uint32_t seed);

  // The next block of the sequence, handed over by swapping it into `block`,
  // which must hold the block the last call handed over (any block after a
  // restart). Never waits for a helper thread.
  void Next(std::unique_ptr<TryBlock>& block);

  int Helpers() const { return static_cast<int>(helpers_.size()); }
  // Off, the helpers sleep and the caller builds every block (the blocks are
  // the same). On by default where there are helpers. Caller's thread only.
  void SetHelpersOn(bool on);
  bool HelpersOn() const { return on_; }

  // While held, no helper starts a block (one being built is finished),
  // leaving the cores to other work of the process that must not wait: the
  // window draws large areas on worker threads of its own and waits for
  // them. The caller then builds every block it takes that is not ready.
  void HoldHelper(bool hold);
  // Blocks the helper threads have built since they started.
  std::uint64_t HelperBuilt() const { return helperBuilt_.load(std::memory_order_relaxed); }

  const CallerBlockStats& CallerStats() const { return stats_; }

 private:
  enum class From { Pending, Ring, Own };

  // Builds block `index` into `block`: from the start state known after the
  // block before, or worked out.
  void BuildDirect(TryBlock& block, std::uint64_t index);
  void BuildAt(TryBlock& block, std::uint32_t start);  // and counts it
  void Enter(std::uint64_t ticket);
  void Leave();
  // Block `index` (at `k` in chunk `ticket`) when its chunk is not known to
  // be at hand yet.
  void TakePending(std::unique_ptr<TryBlock>& block, std::uint64_t ticket, int k,
                   std::uint64_t index);
  // Builds one more block of a chunk the caller claimed ahead; false when
  // there is none to build.
  bool BuildOwnAhead(std::uint64_t ticket);
  void TakeFrom(TryChunk& chunk, int count, int k, std::unique_ptr<TryBlock>& block,
                std::uint64_t index);

  // Helper threads.
  void HelperLoop();
  bool WaitForClaim(std::uint64_t& ticket, SequenceKey& sequence);
  bool MayWork() const;
  void WakeHelpers();
  void WakeIfSleeping();

  BlockBuilder build_;
  ChunkRing ring_;

  // The caller's.
  TryShape shape_{};
  std::uint32_t seed_ = 0;
  std::uint64_t base_ = 0;          // ticket of block 0's chunk
  std::uint64_t nextIndex_ = 0;     // the block the caller takes next
  std::uint64_t startIndex_ = 0;    // block whose start state is known:
  std::uint32_t knownStart_ = 0;    // this one
  // The block handed out last came from the ring or a chunk built ahead:
  // the next one starts where it ends, read when needed (the tries read it
  // meanwhile; just taken, it may still be in another core's cache).
  bool startAtHandedEnd_ = false;
  std::uint64_t ticket_ = ~std::uint64_t{0};  // chunk the caller is in
  From from_ = From::Pending;
  TryChunk* opened_ = nullptr;      // From::Ring: the chunk the caller holds
  int openedCount_ = 0;
  std::unique_ptr<TryChunk> own_;   // a chunk the caller claimed
  std::uint64_t ownTicket_ = 0;
  int ownBuilt_ = 0;
  bool on_ = false;
  CallerBlockStats stats_;

  // Shared with the helpers, on lines of their own: the caller writes its
  // fields above at every block, the helpers read these at every block.
  alignas(64) std::atomic<bool> started_{false};
  std::atomic<bool> helpersOn_{false};
  std::atomic<bool> held_{false};
  std::atomic<bool> stopping_{false};
  alignas(64) std::atomic<std::uint64_t> helperBuilt_{0};
  // Sleeping helpers: the caller wakes them only when one sleeps, and for
  // room in the ring only once half of it is free.
  alignas(64) std::atomic<std::uint64_t> wakeAtUsed_{~std::uint64_t{0}};
  std::atomic<int> sleepers_{0};
  std::mutex sleepMutex_;
  std::condition_variable wake_;
  std::vector<std::thread> helpers_;
};

}  // namespace zlc
