#include "engine/variants.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <vector>

#include "engine/random.h"

namespace zlc {
namespace {

// Buffered writer over a file descriptor; every failure keeps its errno.
class LineWriter {
 public:
  explicit LineWriter(int fd) : fd_(fd) { buffer_.reserve(kCapacity); }

  void Number(std::int32_t value) {
    char digits[16];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    buffer_.append(digits, end);
    buffer_.push_back(' ');
  }
  bool EndLine() {
    buffer_.append("\r\n");
    return buffer_.size() < kCapacity - 4096 || Flush();
  }
  bool Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
      ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return true;
  }

 private:
  static constexpr std::size_t kCapacity = 1 << 16;
  int fd_;
  std::string buffer_;
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

  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return LastIoError();
  LineWriter out(fd);
  auto fail = [&]() -> IoResult {
    IoError e = LastIoError();
    ::close(fd);
    return e;
  };

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
    if (!WriteVariant(out, runs, runCount)) return fail();
    ++runs[j].start;
    for (std::int32_t k = j + 1; k <= last; ++k) {
      if (runs[k].length == 0 || (k == last && lastPinned)) continue;
      runs[k].start = runs[k - 1].start + runs[k - 1].length;
      runs[k].movable = true;
    }
  }
  if (!WriteVariant(out, runs, runCount) || !out.Flush()) return fail();
  if (::close(fd) != 0) return LastIoError();
  return std::nullopt;
}

IoResult PickVariant(TaskPlan& plan, const std::string& path, std::int64_t count, Random& random) {
  const std::int64_t n = static_cast<std::int64_t>(random.Next(static_cast<std::uint32_t>(count))) + 1;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return LastIoError();

  // Skip n - 1 lines, then collect line n.
  std::vector<char> buffer(1 << 16);
  std::int64_t linesToSkip = n - 1;
  std::string line;
  bool inLine = linesToSkip == 0;
  for (;;) {
    ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) continue;
      IoError e = LastIoError();
      ::close(fd);
      return e;
    }
    if (got == 0) break;
    std::size_t i = 0;
    const auto size = static_cast<std::size_t>(got);
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
  std::int32_t starts[kMaxRuns] = {};
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
  // A damaged scratch file must never aim a token outside the layout.
  for (std::int32_t i = 0; i < plan.itemCount; ++i) {
    const TaskItem& item = plan.items[i];
    const std::int32_t target = starts[item.run] + item.offset;
    if (target < 0 || target >= kDeckSize) return IoError{EIO};
  }
  for (std::int32_t i = 0; i < plan.itemCount; ++i) {
    TaskItem& item = plan.items[i];
    item.target = starts[item.run] + item.offset;
  }
  return std::nullopt;
}

}  // namespace zlc
