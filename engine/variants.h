// The task's variants: the task split into runs of tokens between its gaps,
// every placement of those runs along the 36 positions written to a scratch
// file, and one placement drawn to give every token its target.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/layout.h"
#include "persist/io_error.h"

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

// Writes every variant of the plan to `path`, one line each, and counts
// them. Holds only the current variant in memory.
IoResult EnumerateVariants(const TaskPlan& plan, const std::string& path, std::int64_t& count,
                           EnumerationProgress* progress);

// The largest count one generator call can draw from; the file of variants
// is written only up to kMaxFileVariants lines (see the calculator).
inline constexpr std::uint32_t kOneDrawVariants = 0xFFFFFFFFu;

// The number, 0-based, of a variant drawn from `count`: one generator call
// while the count fits its range, which is the line the file would give;
// two calls past that.
std::int64_t DrawVariant(std::int64_t count, Random& random);

// Draws line n = Random(count) + 1 of the file and sets every item's target.
// The line is worked out from its number in the enumeration order, so the
// file is not read: the same variant, without the cost of reading up to it.
IoResult PickVariant(TaskPlan& plan, const std::string& path, std::int64_t count, Random& random);

// The start of every run in variant `index` (0-based) of the enumeration
// order. `index` must be below CountVariants(plan).
void VariantStarts(const TaskPlan& plan, std::int64_t index, std::int32_t* starts);

// The same from the file, line index + 1: kept to check the above against.
IoResult ReadVariantStarts(const TaskPlan& plan, const std::string& path, std::int64_t index,
                           std::int32_t* starts);

}  // namespace zlc
