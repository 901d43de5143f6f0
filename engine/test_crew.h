// Runs of walked layouts tested by helper threads while the caller walks
// on. The walk is serial (each try starts from the layout the one before
// left) and cheap; the collapse test is a pure function of a layout and
// costs several times more. So the caller walks runs ahead and hands each
// one over; whoever is free tests it (the caller too, rather than wait);
// the caller reads the verdicts in walking order, so the first converging
// try is the one a single thread finds. Layouts walked past it are thrown
// away.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/group_converge.h"

namespace zlc {

class TestCrew {
 public:
  // Tries in a run: one block's, so that a hand-over between cores (a few
  // hundred nanoseconds) is paid for by a run's tests (around a microsecond).
  static constexpr int kRunTries = 2 * kGroupTries;
  // Runs in flight at most.
  static constexpr int kSlots = 16;

  struct Run {
    alignas(64) std::uint8_t layouts[kRunTries][64];
    std::uint32_t seedAfter[kRunTries];  // the generator after each try
    int lane[kRunTries];                 // each try's place in its block
    int members = 0;
    int triesBefore = 0;      // tries of the batch before the run's first
    std::uint64_t block = 0;  // which block of the walk its tries came from
    // Who holds the run and what its test found; see Word().
    alignas(64) std::atomic<std::uint64_t> state{0};
  };

  TestCrew(GroupTest test, int helpers);
  ~TestCrew();
  TestCrew(const TestCrew&) = delete;
  TestCrew& operator=(const TestCrew&) = delete;

  int Helpers() const { return static_cast<int>(helpers_.size()); }
  // While held, the helpers take no run (one being tested is finished) and
  // sleep; the caller tests every run itself.
  void Hold(bool hold);
  // Runs the helper threads tested since they started (for measurements).
  std::uint64_t HelperTested() const { return helperTested_.load(std::memory_order_relaxed); }

  // The caller's side, for one batch. Begin() also ends the batch before:
  // when it returns no helper touches a run of that one any more.
  void Begin();
  Run& Slot(int run) { return slots_[run % kSlots]; }
  // Run `run` (the next one, counting from 0 in the batch) is filled.
  void Publish(int run);
  // Tests the first run from `from` on that nobody took, or waits a moment
  // when there is none.
  void Help(int from);
  // The converging members of `run`, once it was tested.
  bool Verdict(int run, unsigned& mask) const;
  // The first run known to hold a converging try (a bound, for the walk).
  int FirstHit() const { return firstHit_.load(std::memory_order_relaxed); }
  // The batch is over: the helpers may go back to sleep after a while.
  void Idle();

 private:
  enum Phase : std::uint64_t { kFree = 0, kPublished = 1, kClaimed = 2, kDone = 3 };
  // A run's state word: the batch's epoch, the run's number in the batch,
  // the phase and, once done, the mask of converging members.
  static std::uint64_t Word(std::uint64_t epoch, int run, Phase phase, unsigned mask = 0) {
    return epoch << 40 | static_cast<std::uint64_t>(run) << 20 | phase << 16 | mask;
  }
  bool Claim(int run, std::uint64_t epoch);
  void Test(int run, std::uint64_t epoch);
  void HelperLoop();

  GroupTest test_;
  Run slots_[kSlots];
  // The caller's.
  std::uint64_t epoch_ = 0;
  int published_ = 0;

  // Shared, on lines of their own.
  alignas(64) std::atomic<std::uint64_t> posted_{0};  // epoch << 32 | runs published
  alignas(64) std::atomic<int> firstHit_{0};
  alignas(64) std::atomic<bool> active_{false};
  std::atomic<bool> held_{false};
  std::atomic<bool> stopping_{false};
  std::atomic<int> sleepers_{0};
  alignas(64) std::atomic<std::uint64_t> helperTested_{0};
  std::mutex sleepMutex_;
  std::condition_variable wake_;
  std::vector<std::thread> helpers_;
};

}  // namespace zlc
