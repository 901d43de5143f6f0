#include "engine/block_source.h"

namespace zlc {

bool BlockSource::MachineHasSpareCore() { return std::thread::hardware_concurrency() >= 2; }

BlockSource::BlockSource(BlockBuilder build, bool useHelperThread) : build_(build) {
  for (Slot& slot : slots_) slot.block = std::make_unique<TryBlock>();
  spare_ = std::make_unique<TryBlock>();
  if (useHelperThread) helper_ = std::thread([this] { HelperLoop(); });
}

BlockSource::~BlockSource() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (helper_.joinable()) helper_.join();
}

std::uint32_t BlockSource::StartOf(std::uint64_t index) const {
  // The block map applied `index` times, by squaring.
  LcgJump jump;
  LcgJump power = perBlock_;
  for (std::uint64_t n = index; n != 0; n >>= 1) {
    if (n & 1) jump = jump.Then(power);
    power = power.Then(power);
  }
  return jump.Apply(seed_);
}

void BlockSource::Restart(const TryShape& shape, std::uint32_t seed) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    shape_ = shape;
    seed_ = seed;
    // One block is kBlockTries whole tries.
    LcgJump block;
    for (int i = 0; i < kBlockTries; ++i) block = block.Then(shape.perTry);
    perBlock_ = block;
    nextToUse_ = 0;
    nextToClaim_ = 0;
    // Sharing costs a lock and a wake-up per block: worth it only when a
    // block takes long to build.
    sharing_ = helper_.joinable() && shape.depth >= kSharedDepth;
  }
  wake_.notify_all();
}

void BlockSource::HoldHelper(bool hold) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (held_ == hold) return;
    held_ = hold;
  }
  if (!hold) wake_.notify_all();
}

void BlockSource::Next(std::unique_ptr<TryBlock>& block) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!sharing_) {
    // Blocks too cheap to share: built here, in order.
    const std::uint32_t start = StartOf(nextToUse_++);
    const TryShape shape = shape_;
    lock.unlock();
    build_(*block, shape, start);
    return;
  }
  const std::uint64_t index = nextToUse_;
  Slot& slot = slots_[index % kAhead];
  for (;;) {
    if (slot.generation == generation_ && slot.index == index) {
      // Built ahead: take it.
      std::swap(block, slot.block);
      slot.index = ~std::uint64_t{0};
      ++nextToUse_;
      lock.unlock();
      wake_.notify_all();
      return;
    }
    if (nextToClaim_ <= index) {
      // Nobody builds it yet: build it here, now.
      nextToClaim_ = index + 1;
      BuildForCaller(lock, block, index);
      return;
    }
    if (nextToClaim_ < nextToUse_ + kAhead) {
      // The helper builds this one; build a later one meanwhile, so that
      // both cores work.
      BuildNextUnclaimed(lock, spare_);
      continue;
    }
    // Every block ahead is built or claimed and the helper has not finished
    // this one: the system has set it aside. Build it here too rather than
    // wait for it (the window's thread must never wait); its copy is
    // dropped when it comes.
    BuildForCaller(lock, block, index);
    return;
  }
}

void BlockSource::BuildForCaller(std::unique_lock<std::mutex>& lock,
                                 std::unique_ptr<TryBlock>& block, std::uint64_t index) {
  const TryShape shape = shape_;
  const std::uint32_t start = StartOf(index);
  ++nextToUse_;
  lock.unlock();
  wake_.notify_all();
  build_(*block, shape, start);
}

void BlockSource::BuildNextUnclaimed(std::unique_lock<std::mutex>& lock,
                                     std::unique_ptr<TryBlock>& into) {
  const std::uint64_t index = nextToClaim_++;
  const std::uint64_t generation = generation_;
  const TryShape shape = shape_;
  const std::uint32_t start = StartOf(index);
  lock.unlock();
  build_(*into, shape, start);
  lock.lock();
  Publish(into, generation, index);
}

void BlockSource::Publish(std::unique_ptr<TryBlock>& built, std::uint64_t generation,
                          std::uint64_t index) {
  // A restart meanwhile makes the block worthless, and so does the caller
  // having built it itself (its slot may already hold a later block).
  if (generation != generation_ || index < nextToUse_) return;
  Slot& slot = slots_[index % kAhead];
  std::swap(built, slot.block);
  slot.generation = generation;
  slot.index = index;
  wake_.notify_all();
}

void BlockSource::HelperLoop() {
  auto own = std::make_unique<TryBlock>();
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] {
      return stopping_ || (!held_ && sharing_ && nextToClaim_ < nextToUse_ + kAhead);
    });
    if (stopping_) return;
    BuildNextUnclaimed(lock, own);
    helperBuilt_.fetch_add(1, std::memory_order_relaxed);
  }
}

}  // namespace zlc
