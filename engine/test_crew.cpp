#include "engine/test_crew.h"

#include <algorithm>
#include <climits>

#include "engine/spin_pause.h"

namespace zlc {
namespace {

// How long an idle helper keeps looking for work before it sleeps: the gap
// between two batches (a result being written out) is a few microseconds,
// and waking a sleeping thread takes longer than that.
constexpr int kSpinsBeforeSleep = 1 << 15;

constexpr std::uint64_t kEpochMask = (std::uint64_t{1} << 24) - 1;

}  // namespace

TestCrew::TestCrew(GroupTest test, int helpers) : test_(test) {
  firstHit_.store(INT_MAX, std::memory_order_relaxed);
  for (int i = 0; i < helpers; ++i) helpers_.emplace_back([this] { HelperLoop(); });
}

TestCrew::~TestCrew() {
  stopping_.store(true);
  {
    std::lock_guard<std::mutex> lock(sleepMutex_);
    wake_.notify_all();
  }
  for (std::thread& t : helpers_) t.join();
}

void TestCrew::Hold(bool hold) {
  held_.store(hold, std::memory_order_seq_cst);
  if (!hold && sleepers_.load(std::memory_order_seq_cst) > 0) {
    std::lock_guard<std::mutex> lock(sleepMutex_);
    wake_.notify_all();
  }
}

void TestCrew::Begin() {
  // The runs of the batch before: those nobody took are taken back, those
  // being tested are waited for.
  const int ending = published_;
  for (int run = std::max(0, ending - kSlots); run < ending; ++run) {
    std::atomic<std::uint64_t>& state = Slot(run).state;
    std::uint64_t published = Word(epoch_, run, kPublished);
    if (state.compare_exchange_strong(published, Word(epoch_, run, kFree), std::memory_order_acq_rel)) continue;
    while ((state.load(std::memory_order_acquire) >> 16 & 3) == kClaimed) SpinPause();
  }
  epoch_ = (epoch_ + 1) & kEpochMask;
  published_ = 0;
  firstHit_.store(INT_MAX, std::memory_order_relaxed);
  posted_.store(epoch_ << 32, std::memory_order_release);
  if (!active_.load(std::memory_order_relaxed)) {
    active_.store(true, std::memory_order_seq_cst);
    if (sleepers_.load(std::memory_order_seq_cst) > 0 && !held_.load(std::memory_order_relaxed)) {
      std::lock_guard<std::mutex> lock(sleepMutex_);
      wake_.notify_all();
    }
  }
}

void TestCrew::Idle() { active_.store(false, std::memory_order_relaxed); }

void TestCrew::Publish(int run) {
  Slot(run).state.store(Word(epoch_, run, kPublished), std::memory_order_release);
  published_ = run + 1;
  posted_.store(epoch_ << 32 | static_cast<std::uint64_t>(published_), std::memory_order_release);
}

bool TestCrew::Verdict(int run, unsigned& mask) const {
  const std::uint64_t word = slots_[run % kSlots].state.load(std::memory_order_acquire);
  if ((word & ~std::uint64_t{0xFFFF}) != Word(epoch_, run, kDone)) return false;
  mask = static_cast<unsigned>(word & 0xFFFF);
  return true;
}

bool TestCrew::Claim(int run, std::uint64_t epoch) {
  std::uint64_t published = Word(epoch, run, kPublished);
  // Looked at first: a run another core holds is not pulled over for nothing.
  if (Slot(run).state.load(std::memory_order_relaxed) != published) return false;
  return Slot(run).state.compare_exchange_strong(published, Word(epoch, run, kClaimed),
                                                 std::memory_order_acquire, std::memory_order_relaxed);
}

void TestCrew::Test(int run, std::uint64_t epoch) {
  Run& slot = Slot(run);
  unsigned mask = test_(slot.layouts, std::min(slot.members, kGroupTries));
  if (slot.members > kGroupTries && mask == 0) {
    mask = test_(slot.layouts + kGroupTries, slot.members - kGroupTries) << kGroupTries;
  }
  if (mask != 0) {
    int hit = firstHit_.load(std::memory_order_relaxed);
    while (run < hit && !firstHit_.compare_exchange_weak(hit, run, std::memory_order_relaxed)) {
    }
  }
  slot.state.store(Word(epoch, run, kDone, mask), std::memory_order_release);
}

void TestCrew::Help(int from) {
  for (int run = from; run < published_; ++run) {
    if (Claim(run, epoch_)) {
      Test(run, epoch_);
      return;
    }
  }
  SpinPause();
}

void TestCrew::HelperLoop() {
  int idle = 0;
  std::uint64_t seenEpoch = ~std::uint64_t{0};
  int next = 0;  // the first run of the batch this helper has not looked at
  while (!stopping_.load(std::memory_order_relaxed)) {
    const std::uint64_t posted = posted_.load(std::memory_order_acquire);
    const std::uint64_t epoch = posted >> 32;
    const int count = static_cast<int>(posted & 0xFFFF'FFFF);
    if (epoch != seenEpoch) {
      seenEpoch = epoch;
      next = 0;
    }
    // Runs that slipped out of the slots are the caller's.
    if (next < count - kSlots) next = count - kSlots;
    if (next < count && !held_.load(std::memory_order_relaxed)) {
      const int run = next++;
      if (Claim(run, epoch)) {
        Test(run, epoch);
        helperTested_.fetch_add(1, std::memory_order_relaxed);
        idle = 0;
      }
      continue;
    }
    if (++idle < kSpinsBeforeSleep && !held_.load(std::memory_order_relaxed)) {
      // Now and then the core goes to whoever else waits for it: with more
      // helpers than cores, the caller among them.
      if (idle % 64 == 0) {
        std::this_thread::yield();
      } else {
        SpinPause();
      }
      continue;
    }
    std::unique_lock<std::mutex> lock(sleepMutex_);
    sleepers_.fetch_add(1, std::memory_order_seq_cst);
    wake_.wait(lock, [this] { return stopping_.load() || (active_.load() && !held_.load()); });
    sleepers_.fetch_sub(1, std::memory_order_seq_cst);
    idle = 0;
  }
}

}  // namespace zlc
