#include "engine/try_block_ring.h"

#include <utility>

namespace zlc {

TryChunk::TryChunk() {
  for (auto& block : blocks) block = std::make_unique<TryBlock>();
}

std::uint32_t BlockStart(const TryShape& shape, std::uint32_t seed, std::uint64_t index) {
  LcgJump block;
  for (int i = 0; i < kBlockTries; ++i) block = block.Then(shape.perTry);
  // The block map applied `index` times, by squaring.
  LcgJump jump;
  for (std::uint64_t n = index; n != 0; n >>= 1) {
    if (n & 1) jump = jump.Then(block);
    block = block.Then(block);
  }
  return jump.Apply(seed);
}

ChunkRing::ChunkRing(int slots) : slots_(static_cast<std::size_t>(slots)) {}

std::uint64_t ChunkRing::StartSequence(SequenceKey sequence) {
  // The older of the two descriptions is rewritten: a helper still reading
  // it read the claim counter before the last restart, so its claim fails.
  SpecSlot& slot = specs_[nextSpec_];
  nextSpec_ ^= 1;
  slot.seed.store(sequence.seed, std::memory_order_relaxed);
  slot.depth.store(sequence.depth, std::memory_order_relaxed);
  slot.positions.store(sequence.positions, std::memory_order_relaxed);
  slot.wildcards.store(sequence.wildcards, std::memory_order_relaxed);
  std::uint64_t frontier = claim_.load(std::memory_order_relaxed);
  for (;;) {
    // Above every ticket claimed, and not the counter's present value, so
    // that a helper's claim read before this cannot succeed.
    const std::uint64_t base = frontier + 1;
    slot.base.store(base, std::memory_order_release);
    if (claim_.compare_exchange_weak(frontier, base, std::memory_order_acq_rel)) {
      // (A helper may have taken `base` itself for a claim meanwhile, built
      // with this description; the chunk is below "used" at once.)
      SetUsed(base);
      return base;
    }
  }
}

bool ChunkRing::ClaimThrough(std::uint64_t frontier, std::uint64_t ticket) {
  return claim_.compare_exchange_strong(frontier, ticket + 1, std::memory_order_acq_rel);
}

TryChunk* ChunkRing::Open(std::uint64_t ticket, int& count) {
  Slot& slot = slots_[ticket % slots_.size()];
  if (slot.state.load(std::memory_order_acquire) != State(ticket, kReady)) return nullptr;
  count = slot.count;
  return slot.chunk.get();
}

void ChunkRing::Release(std::uint64_t ticket) {
  slots_[ticket % slots_.size()].state.store(kFree, std::memory_order_release);
}

ChunkRing::Claim ChunkRing::ClaimNext(std::uint64_t& ticket, SequenceKey& sequence,
                                      std::uint64_t& frontier) {
  const std::uint64_t used = used_.load(std::memory_order_acquire);
  std::uint64_t next = claim_.load(std::memory_order_acquire);
  if (next < used) {
    // The caller passed chunks nobody claimed: they are not wanted any more.
    claim_.compare_exchange_strong(next, used, std::memory_order_acq_rel);
    return Claim::Retry;
  }
  frontier = next;
  if (next >= used + slots_.size()) return Claim::Full;
  // The newer description that covers `next`.
  const std::uint64_t b0 = specs_[0].base.load(std::memory_order_acquire);
  const std::uint64_t b1 = specs_[1].base.load(std::memory_order_acquire);
  const bool valid0 = b0 <= next, valid1 = b1 <= next;
  if (!valid0 && !valid1) return Claim::Full;
  const SpecSlot& slot = valid0 && (!valid1 || b0 > b1) ? specs_[0] : specs_[1];
  sequence.base = valid0 && (!valid1 || b0 > b1) ? b0 : b1;
  sequence.seed = slot.seed.load(std::memory_order_relaxed);
  sequence.depth = slot.depth.load(std::memory_order_relaxed);
  sequence.positions = slot.positions.load(std::memory_order_relaxed);
  sequence.wildcards = slot.wildcards.load(std::memory_order_relaxed);
  // Succeeds only if no restart came between the loads and here, so the
  // description read is the one `next` belongs to.
  if (!claim_.compare_exchange_strong(next, next + 1, std::memory_order_acq_rel)) {
    return Claim::Retry;
  }
  ticket = next;
  return Claim::Got;
}

bool ChunkRing::Install(std::uint64_t ticket, std::unique_ptr<TryChunk>& chunk, int count) {
  Slot& slot = slots_[ticket % slots_.size()];
  // "used" first: a chunk the caller opened is released before it moves on,
  // so a ready slot below the "used" read here was never opened.
  const std::uint64_t used = used_.load(std::memory_order_acquire);
  if (ticket < used) return false;
  std::uint64_t state = slot.state.load(std::memory_order_acquire);
  const std::uint64_t phase = state & 3;
  if (phase != kFree && !(phase == kReady && (state >> 2) < used)) return false;
  if (!slot.state.compare_exchange_strong(state, State(ticket, kWriting),
                                          std::memory_order_acquire)) {
    return false;
  }
  std::swap(slot.chunk, chunk);
  slot.count = count;
  slot.state.store(State(ticket, kReady), std::memory_order_release);
  return true;
}

}  // namespace zlc
