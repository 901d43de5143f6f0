#include "engine/variants.h"

#include "engine/random.h"

namespace zlc {

void SplitTask(std::string_view normalized, TaskPlan& plan) {
  plan.itemCount = 0;
  plan.gapCount = 0;
  plan.runLength.fill(0);
  std::int32_t offset = 0;
  for (std::size_t i = 0; i + 1 < normalized.size(); i += 2) {
    if (normalized[i] == '*' && normalized[i + 1] == '*') {
      if (plan.gapCount + 1 >= kMaxRuns) break;
      ++plan.gapCount;
      offset = 0;
      continue;
    }
    if (plan.itemCount >= kMaxTaskItems) break;
    TaskItem& item = plan.items[plan.itemCount++];
    item.text[0] = normalized[i];
    item.text[1] = normalized[i + 1];
    item.run = plan.gapCount;
    item.offset = offset++;
    item.target = 0;
    plan.runLength[plan.gapCount] = offset;
  }
}

std::int64_t CountVariants(const TaskPlan& plan) {
  std::int64_t free = kDeckSize;
  for (std::int32_t r = 0; r <= plan.gapCount; ++r) free -= plan.runLength[r];
  if (free < 0) return 0;
  if (plan.gapCount == 0) return 1;
  // C(n, k) built up one factor at a time; every partial product is itself
  // a binomial coefficient, so each division is exact.
  const std::int64_t n = free + plan.gapCount - 1;
  const std::int64_t k = plan.gapCount - 1;
  std::int64_t c = 1;
  for (std::int64_t i = 1; i <= k; ++i) c = c * (n - k + i) / i;
  return c;
}

namespace {

// Binomial coefficients up to C(36, k): every count of ways to spread the
// free positions that a task of at most 36 cards can ask for.
struct Binomials {
  std::uint64_t c[kDeckSize + 1][kDeckSize + 1] = {};
  constexpr Binomials() {
    for (int n = 0; n <= kDeckSize; ++n) {
      c[n][0] = 1;
      for (int k = 1; k <= n; ++k) c[n][k] = c[n - 1][k - 1] + (k <= n - 1 ? c[n - 1][k] : 0);
    }
  }
};
constexpr Binomials kBinomials;

// Ways to share `free` positions among `gaps` gaps, each taking zero or more.
std::uint64_t Shares(std::int64_t free, std::int64_t gaps) {
  if (gaps == 0) return free == 0 ? 1 : 0;
  const std::int64_t n = free + gaps - 1;
  if (n < 0 || n > kDeckSize) return 0;
  return kBinomials.c[n][gaps - 1];
}

}  // namespace

void VariantStarts(const TaskPlan& plan, std::int64_t index, std::int32_t* starts) {
  const std::int32_t last = plan.gapCount;
  std::int32_t total = 0;
  for (std::int32_t r = 0; r <= last; ++r) total += plan.runLength[r];
  // The runs between the first and the last slide; the variants go in the
  // order of their starts, run 1 first. Gap j (before run j) takes d_j free
  // positions; the last gap takes what is left.
  std::int64_t free = kDeckSize - total;
  auto rest = static_cast<std::uint64_t>(index);
  std::int32_t start = 0;
  starts[0] = 0;
  for (std::int32_t r = 1; r < last; ++r) {
    start += plan.runLength[r - 1];
    // Gaps after this one that still share: r + 1 .. last.
    const std::int64_t later = last - r;
    std::int64_t d = 0;
    for (; d < free; ++d) {
      const std::uint64_t with = Shares(free - d, later);
      if (rest < with) break;
      rest -= with;
    }
    start += static_cast<std::int32_t>(d);
    free -= d;
    starts[r] = start;
  }
  if (last > 0) {
    const std::int32_t lastLength = plan.runLength[last];
    starts[last] = lastLength > 0 ? kDeckSize - lastLength : total;
  } else {
    starts[0] = kDeckSize - plan.runLength[0];
  }
}

std::int64_t DrawVariant(std::int64_t count, Random& random) {
  if (count <= static_cast<std::int64_t>(kOneDrawVariants)) {
    return static_cast<std::int64_t>(random.Next(static_cast<std::uint32_t>(count)));
  }
  // Past one draw's range: 64 random bits from two draws, reduced. The
  // leftover bias is below count / 2^64, far under one in a thousand million.
  const std::uint64_t high = random.Next(kOneDrawVariants);
  const std::uint64_t low = random.Next(kOneDrawVariants);
  return static_cast<std::int64_t>(((high << 32) | low) % static_cast<std::uint64_t>(count));
}

void PickVariant(TaskPlan& plan, std::int64_t count, Random& random) {
  const std::int64_t index = DrawVariant(count, random);
  std::int32_t starts[kMaxRuns] = {};
  VariantStarts(plan, index, starts);
  for (std::int32_t i = 0; i < plan.itemCount; ++i) {
    TaskItem& item = plan.items[i];
    item.target = starts[item.run] + item.offset;
  }
}

VariantWalk::VariantWalk(const TaskPlan& plan) : last_(plan.gapCount) {
  std::int32_t sum = 0;
  for (std::int32_t r = 0; r <= last_; ++r) {
    runs_[r] = {sum, plan.runLength[r], plan.runLength[r] > 0 && r != 0};
    sum += plan.runLength[r];
  }
  lastPinned_ = runs_[last_].length > 0;
  if (lastPinned_) runs_[last_].start = kDeckSize - runs_[last_].length;
  progressRange_ = kDeckSize - runs_[last_].start;
}

bool VariantWalk::Advance(std::int32_t& movedRun) {
  for (;;) {
    std::int32_t j = last_;
    while (j >= 0 && !runs_[j].movable) --j;
    if (j < 0) return false;
    const std::int32_t end = runs_[j].start + runs_[j].length;
    const bool nextEmptyOrNone = j == last_ || runs_[j + 1].length == 0;
    const bool canMove = nextEmptyOrNone ? end <= kDeckSize - 1 : end < runs_[j + 1].start;
    if (!canMove) {
      runs_[j].movable = false;
      continue;
    }
    ++runs_[j].start;
    for (std::int32_t k = j + 1; k <= last_; ++k) {
      if (runs_[k].length == 0 || (k == last_ && lastPinned_)) continue;
      runs_[k].start = runs_[k - 1].start + runs_[k - 1].length;
      runs_[k].movable = true;
    }
    movedRun = j;
    return true;
  }
}

}  // namespace zlc
