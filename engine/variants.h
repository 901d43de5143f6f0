// The task's variants: the task split into runs of tokens between its gaps,
// every placement of those runs along the 36 positions in order, and one
// placement drawn to give every token its target.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/layout.h"

namespace zlc {

class Random;

inline constexpr int kMaxRuns = kMaxTaskItems + 1;

struct TaskPlan {
  std::array<TaskItem, kMaxTaskItems> items{};
  std::int32_t itemCount = 0;
  std::int32_t gapCount = 0;  // also the index of the last run
  std::array<std::int32_t, kMaxRuns> runLength{};
};

// Cuts a task without spaces into tokens; tokens beyond the room for
// items or runs are dropped.
void SplitTask(std::string_view normalized, TaskPlan& plan);

// The number of variants, counted without enumerating them: the ways to
// share the free positions among the gaps, C(F + g - 1, g - 1); 1 without a
// gap, 0 when the runs do not fit.
std::int64_t CountVariants(const TaskPlan& plan);

// Told how the enumeration advances; the window shows it as a progress bar.
class EnumerationProgress {
 public:
  virtual ~EnumerationProgress() = default;
  virtual void Show() = 0;
  virtual void SetRange(std::int32_t maximum) = 0;
  virtual void Step() = 0;
  virtual void Close() = 0;
};

// The variants one after the other, in the order of the scratch file: the
// first run stays at the start, the later runs slide right, the last one
// first. Only the current variant is held.
struct VariantRun {
  std::int32_t start;
  std::int32_t length;
  bool movable;
};

class VariantWalk {
 public:
  explicit VariantWalk(const TaskPlan& plan);  // at the first variant

  std::int32_t RunCount() const { return last_ + 1; }
  const VariantRun& Run(std::int32_t run) const { return runs_[run]; }
  // How far the second run moves in the whole walk: a progress bar's range.
  std::int32_t ProgressRange() const { return progressRange_; }
  // On to the next variant; false after the last. `movedRun` is the run
  // that moved.
  bool Advance(std::int32_t& movedRun);

 private:
  std::array<VariantRun, kMaxRuns> runs_{};
  std::int32_t last_ = 0;
  bool lastPinned_ = false;
  std::int32_t progressRange_ = 0;
};

// The largest count one generator call can draw from; the file of variants
// is written only up to kMaxFileVariants lines (see the calculator).
inline constexpr std::uint32_t kOneDrawVariants = 0xFFFFFFFFu;

// The number, 0-based, of a variant drawn from `count`: one generator call
// while the count fits its range, which is the line the file would give;
// two calls past that.
std::int64_t DrawVariant(std::int64_t count, Random& random);

// Draws variant n = Random(count) + 1 of the order and sets every item's
// target. The variant is worked out from its number, so the scratch file is
// not read: the same variant, without the cost of reading up to it.
void PickVariant(TaskPlan& plan, std::int64_t count, Random& random);

// The start of every run in variant `index` (0-based) of the enumeration
// order. `index` must be below CountVariants(plan).
void VariantStarts(const TaskPlan& plan, std::int64_t index, std::int32_t* starts);

}  // namespace zlc
