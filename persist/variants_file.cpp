#include "persist/variants_file.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <vector>

#include "persist/atomic_replace.h"
#include "persist/fd_io.h"
#include "persist/safe_open.h"

namespace zlc {
namespace {

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

bool WriteVariant(LineWriter& out, const VariantWalk& walk) {
  for (std::int32_t r = 0; r < walk.RunCount(); ++r) {
    out.Number(r);
    out.Number(walk.Run(r).start);
    out.Number(walk.Run(r).length);
  }
  return out.EndLine();
}

}  // namespace

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

  VariantWalk walk(plan);
  count = 1;
  if (progress) progress->SetRange(walk.ProgressRange());
  for (std::int32_t moved = 0;;) {
    if (!WriteVariant(out, walk)) return out.Error();
    if (!walk.Advance(moved)) break;
    // The second run's moves measure the way through.
    if (moved == 1 && progress) progress->Step();
    ++count;
  }
  if (!out.Flush()) return out.Error();
  return file.Commit();
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
