#include "engine/block_source.h"

#include <sched.h>

#include <algorithm>
#include <utility>

namespace zlc {
namespace {

std::atomic<int> searchThreadsSet{0};

int HelperCount(int helpers) { return std::clamp(helpers, 0, kMaxSearchThreads - 1); }
// Room for every thread to have a chunk in hand and one ready, and no less
// than eight chunks ahead; none without helpers.
int RingSlots(int helpers) {
  return HelperCount(helpers) == 0 ? 0 : std::max(8, 2 * (HelperCount(helpers) + 1));
}

// A block another core wrote is in that core's cache: asking for all the
// lines the tries will read at once overlaps the transfers instead of
// waiting for them one try at a time.
void Prefetch(const TryBlock& block, std::int32_t wildcards) {
  for (int i = 0; i < kBlockTries; ++i) __builtin_prefetch(block.Perm(i));
  __builtin_prefetch(block.start);
  if (wildcards > 0) {
    for (int i = 0; i < kBlockTries; ++i) __builtin_prefetch(block.wild[i]);
  }
}

}  // namespace

int ProcessorsOfThisProcess() {
#if defined(__linux__)
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
#endif
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

int SearchThreads() {
  const int set = searchThreadsSet.load(std::memory_order_relaxed);
  return std::clamp(set > 0 ? set : ProcessorsOfThisProcess(), 1, kMaxSearchThreads);
}

void SetSearchThreads(int threads) {
  searchThreadsSet.store(std::clamp(threads, 0, kMaxSearchThreads), std::memory_order_relaxed);
}

BlockSource::BlockSource(BlockBuilder build, int helpers)
    : build_(build), ring_(RingSlots(helpers)) {
  on_ = HelperCount(helpers) > 0;
  if (on_) own_ = std::make_unique<TryChunk>();
  helpersOn_.store(on_);
  for (int i = 0; i < HelperCount(helpers); ++i) helpers_.emplace_back([this] { HelperLoop(); });
}

BlockSource::~BlockSource() {
  stopping_.store(true);
  WakeHelpers();
  for (std::thread& helper : helpers_) helper.join();
}

// --- the caller's side ---

void BlockSource::Restart(const TryShape& shape, std::uint32_t seed) {
  Leave();
  shape_ = shape;
  seed_ = seed;
  nextIndex_ = 0;
  startIndex_ = 0;
  knownStart_ = seed;
  startAtHandedEnd_ = false;
  ticket_ = ~std::uint64_t{0};
  from_ = From::Pending;
  ownTicket_ = 0;  // no ticket of any sequence
  ownBuilt_ = 0;
  if (helpers_.empty()) return;
  base_ = ring_.StartSequence({0, seed, shape.depth, shape.positions, shape.wildcards});
  started_.store(true);
  // Helpers that sleep for room in the ring have it now.
  if (on_ && !held_.load(std::memory_order_relaxed)) WakeIfSleeping();
}

void BlockSource::Next(std::unique_ptr<TryBlock>& block) {
  if (startAtHandedEnd_) {
    knownStart_ = block->end;
    startAtHandedEnd_ = false;
  }
  const std::uint64_t index = nextIndex_++;
  if (!on_) {
    BuildDirect(*block, index);
    return;
  }
  const std::uint64_t ticket = base_ + index / kChunkBlocks;
  const int k = static_cast<int>(index % kChunkBlocks);
  if (ticket != ticket_) Enter(ticket);
  switch (from_) {
    case From::Ring:
      TakeFrom(*opened_, openedCount_, k, block, index);
      stats_.fromHelpers += k < openedCount_;
      return;
    case From::Own:
      TakeFrom(*own_, ownBuilt_, k, block, index);
      return;
    case From::Pending:
      TakePending(block, ticket, k, index);
      return;
  }
}

void BlockSource::BuildAt(TryBlock& block, std::uint32_t start) {
  build_(block, shape_, start);
  ++stats_.built;
}

void BlockSource::BuildDirect(TryBlock& block, std::uint64_t index) {
  const std::uint32_t start = index == startIndex_ ? knownStart_ : BlockStart(shape_, seed_, index);
  BuildAt(block, start);
  startIndex_ = index + 1;
  knownStart_ = block.end;
}

void BlockSource::TakeFrom(TryChunk& chunk, int count, int k, std::unique_ptr<TryBlock>& block,
                           std::uint64_t index) {
  if (k >= count) {
    BuildDirect(*block, index);
    return;
  }
  std::swap(block, chunk.blocks[k]);
  startIndex_ = index + 1;
  startAtHandedEnd_ = true;
  if (k + 1 < count) Prefetch(*chunk.blocks[k + 1], shape_.wildcards);
}

void BlockSource::Enter(std::uint64_t ticket) {
  Leave();
  ticket_ = ticket;
  ring_.SetUsed(ticket);
  if (ticket >= wakeAtUsed_.load()) WakeHelpers();
  from_ = ownTicket_ == ticket ? From::Own : From::Pending;
}

void BlockSource::Leave() {
  if (from_ != From::Ring) return;
  ring_.Release(ticket_);
  from_ = From::Pending;
  opened_ = nullptr;
}

void BlockSource::TakePending(std::unique_ptr<TryBlock>& block, std::uint64_t ticket, int k,
                              std::uint64_t index) {
  for (;;) {
    int count = 0;
    if (TryChunk* chunk = ring_.Open(ticket, count)) {
      if (k < count) Prefetch(*chunk->blocks[k], shape_.wildcards);
      from_ = From::Ring;
      opened_ = chunk;
      openedCount_ = count;
      TakeFrom(*chunk, count, k, block, index);
      stats_.fromHelpers += k < count;
      return;
    }
    const std::uint64_t frontier = ring_.Frontier();
    if (frontier <= ticket) {
      // Nobody builds this chunk: the caller claims it and builds each of
      // its blocks when it takes it.
      if (!ring_.ClaimThrough(frontier, ticket)) continue;
      from_ = From::Own;
      ownTicket_ = ticket;
      ownBuilt_ = 0;
      BuildDirect(*block, index);
      return;
    }
    // A helper builds it: build a later chunk meanwhile, so that no core
    // waits, and look again.
    if (BuildOwnAhead(ticket)) continue;
    // Everything within reach is built or claimed and the helper has not
    // finished: the system has set it aside. Build the block here too rather
    // than wait for it (the window's thread must never wait).
    BuildDirect(*block, index);
    return;
  }
}

bool BlockSource::BuildOwnAhead(std::uint64_t ticket) {
  if (ownTicket_ < ticket) {
    const std::uint64_t frontier = ring_.Frontier();
    if (frontier >= ticket + static_cast<std::uint64_t>(ring_.Slots())) return false;
    if (!ring_.ClaimThrough(frontier, frontier)) return true;  // moved: look again
    ownTicket_ = frontier;
    ownBuilt_ = 0;
  }
  if (ownBuilt_ == kChunkBlocks) return false;
  const std::uint64_t index = (ownTicket_ - base_) * kChunkBlocks + static_cast<std::uint64_t>(ownBuilt_);
  const std::uint32_t start =
      ownBuilt_ > 0 ? own_->blocks[ownBuilt_ - 1]->end : BlockStart(shape_, seed_, index);
  BuildAt(*own_->blocks[ownBuilt_], start);
  ++ownBuilt_;
  return true;
}

void BlockSource::SetHelpersOn(bool on) {
  if (helpers_.empty() || on == on_) return;
  Leave();
  on_ = on;
  ticket_ = ~std::uint64_t{0};
  from_ = From::Pending;
  ownTicket_ = 0;
  ownBuilt_ = 0;
  // Helpers start from the caller's chunk, not from where they stopped.
  if (on) ring_.SetUsed(base_ + nextIndex_ / kChunkBlocks);
  helpersOn_.store(on);
  if (on) WakeIfSleeping();
}

void BlockSource::HoldHelper(bool hold) {
  held_.store(hold);
  if (!hold) WakeIfSleeping();
}

// --- the helpers' side ---

bool BlockSource::MayWork() const {
  return !stopping_.load() && !held_.load() && helpersOn_.load() && started_.load();
}

void BlockSource::HelperLoop() {
  auto chunk = std::make_unique<TryChunk>();
  std::uint64_t ticket = 0;
  SequenceKey sequence;
  while (WaitForClaim(ticket, sequence)) {
    const TryShape shape = MakeTryShape(sequence.depth, sequence.positions, sequence.wildcards);
    std::uint32_t start = BlockStart(shape, sequence.seed, (ticket - sequence.base) * kChunkBlocks);
    int built = 0;
    // Stops early when held, switched off or passed: what is built so far
    // is still handed over.
    while (built < kChunkBlocks && MayWork() && !ring_.Stale(ticket)) {
      TryBlock& block = *chunk->blocks[built];
      build_(block, shape, start);
      start = block.end;
      ++built;
      helperBuilt_.fetch_add(1, std::memory_order_relaxed);
    }
    if (built > 0) ring_.Install(ticket, chunk, built);
  }
}

bool BlockSource::WaitForClaim(std::uint64_t& ticket, SequenceKey& sequence) {
  for (;;) {
    std::uint64_t frontier = 0;
    bool full = false;
    if (MayWork()) {
      switch (ring_.ClaimNext(ticket, sequence, frontier)) {
        case ChunkRing::Claim::Got:
          return true;
        case ChunkRing::Claim::Retry:
          continue;
        case ChunkRing::Claim::Full:
          full = true;
          break;
      }
    }
    // Asleep until there is work again; for room in the ring, until half of
    // it is free, so that the caller wakes nobody for every chunk it takes.
    const std::uint64_t half = static_cast<std::uint64_t>(ring_.Slots() / 2);
    const std::uint64_t wakeAt = full && frontier >= half ? frontier - half : 0;
    std::unique_lock<std::mutex> lock(sleepMutex_);
    sleepers_.fetch_add(1);
    for (;;) {
      if (wakeAt > 0) wakeAtUsed_.store(std::min(wakeAtUsed_.load(), wakeAt));
      if (stopping_.load() || (MayWork() && ring_.Used() >= wakeAt)) break;
      wake_.wait(lock);
    }
    sleepers_.fetch_sub(1);
    if (stopping_.load()) return false;
  }
}

void BlockSource::WakeIfSleeping() {
  if (sleepers_.load() > 0) WakeHelpers();
}

void BlockSource::WakeHelpers() {
  {
    std::lock_guard<std::mutex> lock(sleepMutex_);
    wakeAtUsed_.store(~std::uint64_t{0});
  }
  wake_.notify_all();
}

}  // namespace zlc
