// A result's analysis on a helper thread. Classification, record, figures,
// the three lines and the filter's verdict follow from the converged layout,
// its numbers and the settings in force alone, so a helper works them out
// while the caller goes on with the next batch's tries; the caller takes the
// finished job and hands it to the lists, logs and statistics in order.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "analysis/result_record.h"
#include "calculator/result_list.h"
#include "cards/notation.h"
#include "engine/chain.h"
#include "engine/layout.h"
#include "engine/settings.h"
#include "filter/filter_settings.h"

namespace zlc {

struct ResultJob {
  // Given: the converged layout and the result's numbers.
  Layout layout;  // its marks are set by the analysis
  std::uint64_t number = 0;
  std::int64_t rn = 0;
  std::int32_t tries = 0;
  // Worked out.
  Chain chain;  // the collapse the classification replayed
  ResultRecord record;
  ResultFigures figures;
  ResultBlock block;
  bool passed = false;
};

// The settings a result is read under; they stay as they are while a job
// is out (they change only between slices).
struct AnalysisSettings {
  const NotationSet* notation = nullptr;
  const Settings* settings = nullptr;
  const FilterSettings* filter = nullptr;
};

void AnalyseResult(ResultJob& job, const AnalysisSettings& in);

// When results go to the helper: where no helper builds blocks (their cores
// are free) and handing over was measured to pay; always; or never.
enum class AnalysisUse { Measured, Always, Never };

class ResultAnalyst {
 public:
  // Without a helper every job is worked out by the caller when taken.
  explicit ResultAnalyst(bool withHelper);
  ~ResultAnalyst();
  ResultAnalyst(const ResultAnalyst&) = delete;
  ResultAnalyst& operator=(const ResultAnalyst&) = delete;

  bool HasHelper() const { return helper_.joinable(); }
  // The caller fills the job's given fields, then posts it: to the helper
  // with `handOver`, otherwise to be worked out when taken.
  ResultJob& Job() { return job_; }
  void Post(const AnalysisSettings& in, bool handOver);
  // The posted job, finished: by the helper, or here when the helper has
  // not started it (a busy or sleeping helper is never waited for).
  ResultJob& Take();
  bool Posted() const { return posted_; }
  // Jobs the helper finished since it started.
  std::uint64_t HelperDone() const { return helperDone_.load(std::memory_order_relaxed); }

 private:
  enum State : std::uint32_t { kIdle, kPosted, kWorking, kDone, kStopping };
  void HelperLoop();
  bool WaitForPost();  // false when stopping

  ResultJob job_;
  AnalysisSettings in_;  // of the posted job
  bool posted_ = false;  // the caller's own notes
  bool handedOver_ = false;
  alignas(64) std::atomic<std::uint32_t> state_{kIdle};
  std::atomic<bool> sleeping_{false};
  alignas(64) std::atomic<std::uint64_t> helperDone_{0};
  std::thread helper_;
};

}  // namespace zlc
