// What the caller and the helper threads share, without a lock: the sequence
// being built, the claims on its chunks of blocks and the slots that hand
// finished chunks over.
//
// Chunks are numbered by tickets that only grow, over every sequence: a new
// sequence starts at a ticket no chunk had before, so a chunk of an old
// sequence can never pass for one of the new. The caller publishes the ticket
// it is at ("used"); a chunk below it is stale, and no helper claims further
// ahead than the ring has slots.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/try_block.h"

namespace zlc {

inline constexpr int kChunkBlocks = 4;  // blocks per claim and per hand-over

struct TryChunk {
  TryChunk();
  std::unique_ptr<TryBlock> blocks[kChunkBlocks];
};

// One sequence: what a helper needs to build any of its blocks.
struct SequenceKey {
  std::uint64_t base = 0;  // ticket of the chunk holding block 0
  std::uint32_t seed = 0;  // generator state before block 0
  std::int32_t depth = 0;
  std::uint32_t positions = 0;
  std::int32_t wildcards = 0;
};

// The generator state before block `index` of a sequence.
std::uint32_t BlockStart(const TryShape& shape, std::uint32_t seed, std::uint64_t index);

class ChunkRing {
 public:
  explicit ChunkRing(int slots);
  ChunkRing(const ChunkRing&) = delete;
  ChunkRing& operator=(const ChunkRing&) = delete;

  int Slots() const { return static_cast<int>(slots_.size()); }

  // --- the caller's side ---
  // A new sequence from a ticket above every one handed out so far; returns
  // that ticket. The caller must have released the chunk it had open.
  std::uint64_t StartSequence(SequenceKey sequence);
  // The caller is at `ticket` now (it only ever moves up). Sequentially
  // consistent, so that a helper going to sleep for room sees it or is woken.
  void SetUsed(std::uint64_t ticket) { used_.store(ticket, std::memory_order_seq_cst); }
  std::uint64_t Frontier() const { return claim_.load(std::memory_order_acquire); }
  // Claims every chunk from `frontier` up to `ticket` (those below are
  // passed); false when someone claimed meanwhile.
  bool ClaimThrough(std::uint64_t frontier, std::uint64_t ticket);
  // The chunk of `ticket` when a helper has handed it over: the caller owns
  // it, with `count` leading blocks built, until Release.
  TryChunk* Open(std::uint64_t ticket, int& count);
  void Release(std::uint64_t ticket);

  // --- a helper's side ---
  enum class Claim { Got, Full, Retry };
  // The first unclaimed chunk and its sequence. Full: no room in the ring
  // (`frontier` is then the first unclaimed ticket) or no sequence yet;
  // Retry: the state moved meanwhile.
  Claim ClaimNext(std::uint64_t& ticket, SequenceKey& sequence, std::uint64_t& frontier);
  bool Stale(std::uint64_t ticket) const { return ticket < used_.load(std::memory_order_acquire); }
  std::uint64_t Used() const { return used_.load(std::memory_order_seq_cst); }
  // Hands the first `count` blocks of `chunk` over as `ticket`, taking the
  // slot's old storage in exchange; false when it is stale or the slot is
  // busy (the caller then builds those blocks itself).
  bool Install(std::uint64_t ticket, std::unique_ptr<TryChunk>& chunk, int count);

 private:
  // Fields of a sequence are atomics: a helper may read one that the caller
  // is rewriting, and then its claim fails (the claim counter moved).
  struct SpecSlot {
    std::atomic<std::uint64_t> base{~std::uint64_t{0}};
    std::atomic<std::uint32_t> seed{0};
    std::atomic<std::int32_t> depth{0};
    std::atomic<std::uint32_t> positions{0};
    std::atomic<std::int32_t> wildcards{0};
  };
  struct alignas(64) Slot {
    // ticket << 2 | phase
    std::atomic<std::uint64_t> state{0};
    std::unique_ptr<TryChunk> chunk = std::make_unique<TryChunk>();
    int count = 0;
  };
  static constexpr std::uint64_t kFree = 0, kWriting = 1, kReady = 2;
  static std::uint64_t State(std::uint64_t ticket, std::uint64_t phase) { return ticket << 2 | phase; }

  alignas(64) std::atomic<std::uint64_t> claim_{0};  // the first unclaimed ticket
  alignas(64) std::atomic<std::uint64_t> used_{0};
  alignas(64) SpecSlot specs_[2];  // the current sequence and the one before
  int nextSpec_ = 0;
  std::vector<Slot> slots_;
};

}  // namespace zlc
