#include "engine/variants.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <vector>

#include "engine/random.h"
#include "persist/atomic_replace.h"
#include "persist/fd_io.h"
#include "persist/safe_open.h"

namespace zlc {
namespace {

// Buffered writer over a file descriptor; every failure keeps its errno.
// Small numbers with their trailing space, ready to copy: every number of a
// variant line (run index, start, length) is below 128.
struct NumberTexts {
  char text[128][4] = {};
  std::uint8_t length[128] = {};
  constexpr NumberTexts() {
    for (int v = 0; v < 128; ++v) {
      int n = 0;
      if (v >= 100) text[v][n++] = static_cast<char>('0' + v / 100);
      if (v >= 10) text[v][n++] = static_cast<char>('0' + v / 10 % 10);
      text[v][n++] = static_cast<char>('0' + v % 10);
      text[v][n++] = ' ';
      length[v] = static_cast<std::uint8_t>(n);
    }
  }
};
constexpr NumberTexts kNumberTexts;

// Buffered writer into the file that is to replace the scratch file; the
// first failure is kept.
class LineWriter {
 public:
  explicit LineWriter(FileReplacement& file) : file_(file) {}

  void Number(std::int32_t value) {
    if (value >= 0 && value < 128) {
      std::memcpy(buffer_ + used_, kNumberTexts.text[value], 4);
      used_ += kNumberTexts.length[value];
      return;
    }
    auto [end, ec] = std::to_chars(buffer_ + used_, buffer_ + used_ + 12, value);
    used_ = static_cast<std::size_t>(end - buffer_);
    buffer_[used_++] = ' ';
  }
  bool EndLine() {
    buffer_[used_++] = '\r';
    buffer_[used_++] = '\n';
    // Room for one more line of up to 101 runs is always kept.
    return used_ < kCapacity - kLineRoom || Flush();
  }
  bool Flush() {
    error_ = file_.Write({buffer_, used_});
    used_ = 0;
    return !error_;
  }
  const IoResult& Error() const { return error_; }

 private:
  static constexpr std::size_t kLineRoom = 3 * 13 * 128 + 2;
  static constexpr std::size_t kCapacity = (1 << 16) + kLineRoom;
  FileReplacement& file_;
  IoResult error_;
  std::size_t used_ = 0;
  char buffer_[kCapacity];
};

struct RunState {
  std::int32_t start;
  std::int32_t length;
  bool movable;
};

bool WriteVariant(LineWriter& out, const RunState* runs, std::int32_t runCount) {
  for (std::int32_t r = 0; r < runCount; ++r) {
    out.Number(r);
    out.Number(runs[r].start);
    out.Number(runs[r].length);
  }
  return out.EndLine();
}

}  // namespace

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

IoResult EnumerateVariants(const TaskPlan& plan, const std::string& path, std::int64_t& count,
                           EnumerationProgress* progress) {
  struct Closer {
    EnumerationProgress* p;
    ~Closer() {
      if (p) p->Close();
    }
  } closer{progress};
  if (progress) progress->Show();

  // Written beside it and put in its place whole: a search never reads a
  // list of variants cut short.
  FileReplacement file;
  if (IoResult failed = file.BeginScratch(path)) return failed;
  LineWriter out(file);

  const std::int32_t last = plan.gapCount;
  const std::int32_t runCount = last + 1;
  RunState runs[kMaxRuns];
  std::int32_t sum = 0;
  for (std::int32_t r = 0; r < runCount; ++r) {
    runs[r] = {sum, plan.runLength[r], plan.runLength[r] > 0 && r != 0};
    sum += plan.runLength[r];
  }
  const bool lastPinned = runs[last].length > 0;
  if (lastPinned) runs[last].start = kDeckSize - runs[last].length;
  count = 1;
  if (progress) progress->SetRange(kDeckSize - runs[last].start);

  for (;;) {
    std::int32_t j = last;
    while (j >= 0 && !runs[j].movable) --j;
    if (j < 0) break;
    const std::int32_t end = runs[j].start + runs[j].length;
    const bool nextEmptyOrNone = j == last || runs[j + 1].length == 0;
    const bool canMove = nextEmptyOrNone ? end <= kDeckSize - 1 : end < runs[j + 1].start;
    if (!canMove) {
      runs[j].movable = false;
      continue;
    }
    if (j == 1 && progress) progress->Step();
    ++count;
    if (!WriteVariant(out, runs, runCount)) return out.Error();
    ++runs[j].start;
    for (std::int32_t k = j + 1; k <= last; ++k) {
      if (runs[k].length == 0 || (k == last && lastPinned)) continue;
      runs[k].start = runs[k - 1].start + runs[k - 1].length;
      runs[k].movable = true;
    }
  }
  if (!WriteVariant(out, runs, runCount) || !out.Flush()) return out.Error();
  return file.Commit();
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

IoResult PickVariant(TaskPlan& plan, const std::string& path, std::int64_t count, Random& random) {
  (void)path;  // the file holds the same lines; see ReadVariantStarts
  const std::int64_t index = DrawVariant(count, random);
  std::int32_t starts[kMaxRuns] = {};
  VariantStarts(plan, index, starts);
  for (std::int32_t i = 0; i < plan.itemCount; ++i) {
    TaskItem& item = plan.items[i];
    item.target = starts[item.run] + item.offset;
  }
  return std::nullopt;
}

IoResult ReadVariantStarts(const TaskPlan& plan, const std::string& path, std::int64_t index,
                           std::int32_t* starts) {
  const std::int64_t n = index + 1;
  // Whatever another hand put under the name since it was written, nothing
  // but a file is read (a FIFO would block).
  int fd = -1;
  if (IoResult refused = OpenRegularForReading(path, fd)) return refused;

  // Skip n - 1 lines, then collect line n.
  std::vector<char> buffer(1 << 16);
  std::int64_t linesToSkip = n - 1;
  std::string line;
  bool inLine = linesToSkip == 0;
  for (;;) {
    std::size_t size = 0;
    if (IoResult failed = ReadSome(fd, buffer.data(), buffer.size(), size)) {
      ::close(fd);
      return failed;
    }
    if (size == 0) break;
    std::size_t i = 0;
    while (!inLine && i < size) {
      const void* nl = std::memchr(buffer.data() + i, '\n', size - i);
      if (!nl) {
        i = size;
        break;
      }
      i = static_cast<std::size_t>(static_cast<const char*>(nl) - buffer.data()) + 1;
      if (--linesToSkip == 0) inLine = true;
    }
    if (!inLine) continue;
    const void* nl = std::memchr(buffer.data() + i, '\n', size - i);
    std::size_t stop = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - buffer.data()) : size;
    line.append(buffer.data() + i, stop - i);
    if (nl) break;
  }
  ::close(fd);

  // index, start and length of every run, in run order.
  const char* p = line.data();
  const char* end = p + line.size();
  const std::int32_t values = 3 * (plan.gapCount + 1);
  std::int32_t runIndex = 0;
  for (std::int32_t v = 0; v < values; ++v) {
    while (p < end && (*p == ' ' || *p == '\r' || *p == '\t')) ++p;
    std::int32_t value = 0;
    auto [next, ec] = std::from_chars(p, end, value);
    if (ec != std::errc{}) return IoError{EIO};
    p = next;
    if (v % 3 == 0) runIndex = value;
    if (v % 3 == 1 && runIndex >= 0 && runIndex < kMaxRuns) starts[runIndex] = value;
  }
  // A damaged line must never place a run outside the layout.
  for (std::int32_t r = 0; r <= plan.gapCount; ++r) {
    if (starts[r] < 0 || starts[r] + plan.runLength[r] > kDeckSize) return IoError{EIO};
  }
  return std::nullopt;
}

}  // namespace zlc
