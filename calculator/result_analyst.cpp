#include "calculator/result_analyst.h"

#include <chrono>

#include "analysis/classify.h"
#include "analysis/hexagrams.h"
#include "analysis/layout_line.h"
#include "engine/spin_pause.h"
#include "filter/filter_test.h"

namespace zlc {
namespace {

// An idle helper looks for a job this long before it sleeps: results come
// every few microseconds when the helper pays at all, and waking a sleeping
// thread costs the caller more than the analysis it hands over.
constexpr std::chrono::microseconds kSpinBeforeSleep{200};

}  // namespace

void AnalyseResult(ResultJob& job, const AnalysisSettings& in) {
  ClassifyElements(job.layout, job.chain);
  ResultRecord& record = job.record;
  RecordLayout(record, job.layout, *in.notation);
  record.number = job.number;
  record.rn = job.rn;
  record.tries = job.tries;
  job.figures = FiguresOf(record);
  AppendLayoutLine(job.block.lines[0], record, *in.settings);
  AppendAnalysisLines(job.block.lines[1], job.block.lines[2], record, job.figures);
  job.passed = PassesFilter(*in.filter, record, job.figures.balancedLines);
  record.passed = job.passed;
}

ResultAnalyst::ResultAnalyst(bool withHelper) {
  if (withHelper) helper_ = std::thread([this] { HelperLoop(); });
}

ResultAnalyst::~ResultAnalyst() {
  if (!helper_.joinable()) return;
  if (posted_) Take();
  state_.store(kStopping, std::memory_order_seq_cst);
  state_.notify_one();
  helper_.join();
}

void ResultAnalyst::Post(const AnalysisSettings& in, bool handOver) {
  in_ = in;
  posted_ = true;
  handedOver_ = handOver && HasHelper();
  if (!handedOver_) return;
  // Stored before the helper's note that it sleeps is read, and the helper
  // reads the state after writing that note: one of the two sees the other.
  state_.store(kPosted, std::memory_order_seq_cst);
  if (sleeping_.load(std::memory_order_seq_cst)) state_.notify_one();
}

ResultJob& ResultAnalyst::Take() {
  posted_ = false;
  if (!handedOver_) {
    AnalyseResult(job_, in_);
    return job_;
  }
  handedOver_ = false;
  std::uint32_t expected = kPosted;
  if (state_.compare_exchange_strong(expected, kWorking, std::memory_order_acquire)) {
    AnalyseResult(job_, in_);
    state_.store(kIdle, std::memory_order_relaxed);
    return job_;
  }
  // The helper has it: it finishes in about a microsecond unless its core
  // was taken away, and then the caller gives its own core away meanwhile.
  for (int spins = 1; state_.load(std::memory_order_acquire) != kDone; ++spins) {
    if (spins % 256 == 0) {
      std::this_thread::yield();
    } else {
      SpinPause();
    }
  }
  // What the helper wrote is in its core's cache: all of it asked for at
  // once, the transfers overlap instead of following one another.
  const auto fetch = [](const void* from, std::size_t bytes) {
    const char* p = static_cast<const char*>(from);
    for (std::size_t at = 0; at < bytes; at += 64) __builtin_prefetch(p + at);
  };
  fetch(&job_.record, sizeof job_.record);
  fetch(&job_.figures, sizeof job_.figures);
  fetch(&job_.chain, sizeof job_.chain);
  fetch(&job_.layout, sizeof job_.layout);
  for (const std::string& line : job_.block.lines) fetch(line.data(), line.size());
  state_.store(kIdle, std::memory_order_relaxed);
  return job_;
}

bool ResultAnalyst::WaitForPost() {
  using Clock = std::chrono::steady_clock;
  for (;;) {
    const auto until = Clock::now() + kSpinBeforeSleep;
    for (int spins = 1;; ++spins) {
      const std::uint32_t state = state_.load(std::memory_order_acquire);
      if (state == kPosted) return true;
      if (state == kStopping) return false;
      if (spins % 64 == 0) {
        if (Clock::now() >= until) break;
        // Beside the caller on one core, or with more threads than cores.
        std::this_thread::yield();
      } else {
        SpinPause();
      }
    }
    sleeping_.store(true, std::memory_order_seq_cst);
    const std::uint32_t state = state_.load(std::memory_order_seq_cst);
    // Woken, it looks out for jobs again, even when the caller took the one
    // that woke it: the next follows soon.
    if (state == kIdle || state == kDone) state_.wait(state, std::memory_order_seq_cst);
    sleeping_.store(false, std::memory_order_relaxed);
  }
}

void ResultAnalyst::HelperLoop() {
  while (WaitForPost()) {
    std::uint32_t expected = kPosted;
    if (!state_.compare_exchange_strong(expected, kWorking, std::memory_order_acquire)) continue;
    AnalyseResult(job_, in_);
    helperDone_.fetch_add(1, std::memory_order_relaxed);
    state_.store(kDone, std::memory_order_release);
  }
}

}  // namespace zlc
