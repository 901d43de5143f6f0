// A long run of the calculator's window with "Clear at RN >" unticked: how
// memory grows per listed line, and the longest time the window went without
// answering (a probe timer that should fire every 5 ms).
//   zlc_soak [MINUTES] [TASK] [DEPTH] [LOGS]     (see bench/soak.sh)
// LOGS "off" unticks both autosave boxes, to tell the window's own pauses
// from those of a disk that takes the logs slowly.
#include <execinfo.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <ctime>
#include <thread>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

#include "calculator/calculator.h"
#include "ui/look.h"
#include "ui/unit1.h"

namespace {

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// Time the host took from this virtual machine (all processors), in clock
// ticks: a pause that shows up here was nobody's work inside the machine.
long long StealTicks() {
  std::ifstream stat("/proc/stat");
  std::string cpu;
  long long field[8] = {};
  stat >> cpu;
  for (long long& f : field) stat >> f;
  return field[7];
}

double Milliseconds(const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; }

qint64 MonotonicNanoseconds() {
  timespec t{};
  ::clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<qint64>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// When the window's thread spends long in one event, a watcher thread asks it
// for its stack every 10 ms (a signal whose handler writes the return
// addresses), so the note can say where the time went, not only that it went.
// The watcher also wakes every 2 ms and keeps its own longest sleep and how
// long it then waited for a processor: a long sleep with no such wait means
// the whole machine stood still, which no thread inside it can cause.
std::atomic<qint64> outerEventStart{0};  // 0 outside the outermost event
int stackFile = -1;

void WriteStack(int) {
  void* frames[64];
  const int count = ::backtrace(frames, 64);
  ::backtrace_symbols_fd(frames, count, stackFile);
  const char end[] = "--\n";
  [[maybe_unused]] const auto written = ::write(stackFile, end, sizeof end - 1);
}

class Watcher {
 public:
  struct Sleep {
    qint64 nanoseconds = 0;
    qint64 runDelay = 0;  // of it, waiting for a processor
  };

  Watcher(const char* stacksPath, qint64 afterMilliseconds) : after_(afterMilliseconds * 1000000) {
    if (stacksPath != nullptr) {
      stackFile = ::open(stacksPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      void* warm[4];
      ::backtrace(warm, 4);  // loads the unwinder now, not inside the handler
      std::signal(SIGPROF, WriteStack);
    }
    window_ = ::pthread_self();
    watcher_ = std::thread([this] { Watch(); });
  }
  ~Watcher() {
    stop_ = true;
    if (watcher_.joinable()) watcher_.join();
    if (stackFile >= 0) ::close(stackFile);
  }
  // The longest sleep since the last call.
  Sleep TakeLongestSleep() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(longest_, Sleep{});
  }

 private:
  static qint64 RunDelay(int schedstat) {
    char text[96] = {};
    if (::pread(schedstat, text, sizeof text - 1, 0) <= 0) return 0;
    long long run = 0, delay = 0;
    return std::sscanf(text, "%lld %lld", &run, &delay) == 2 ? delay : 0;
  }

  void Watch() {
    const int schedstat = ::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
    qint64 sampledEvent = 0;
    qint64 lastSample = 0;
    qint64 before = MonotonicNanoseconds();
    qint64 delayBefore = RunDelay(schedstat);
    while (!stop_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      const qint64 now = MonotonicNanoseconds();
      const qint64 delay = RunDelay(schedstat);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (now - before > longest_.nanoseconds) longest_ = {now - before, delay - delayBefore};
      }
      before = now;
      delayBefore = delay;
      if (stackFile < 0) continue;
      const qint64 start = outerEventStart.load();
      if (start == 0 || now - start < after_) continue;
      if (start == sampledEvent && now - lastSample < 10000000) continue;
      if (start != sampledEvent) {
        dprintf(stackFile, "== event running %.1f ms\n", static_cast<double>(now - start) / 1e6);
      }
      sampledEvent = start;
      lastSample = now;
      ::pthread_kill(window_, SIGPROF);
    }
    ::close(schedstat);
  }

  const qint64 after_;
  pthread_t window_{};
  std::thread watcher_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  Sleep longest_;
};

// Times every event the window's thread handles, so a pause can be told with
// the event that took its time: the outermost one, and the longest one
// handled inside another (a child's paint within the window's repaint).
class TimedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  struct Slowest {
    qint64 nanoseconds = 0;
    QEvent::Type type = QEvent::None;
    const char* receiverClass = "";
    QString receiverName;
  };
  Slowest outer, nested;

  void Forget() { outer = nested = Slowest{}; }

  bool notify(QObject* receiver, QEvent* event) override {
    // Read before the event: it may delete its receiver.
    Slowest now{0, event->type(), receiver->metaObject()->className(), receiver->objectName()};
    const qint64 start = MonotonicNanoseconds();
    if (depth_++ == 0) outerEventStart = start;
    const bool handled = QApplication::notify(receiver, event);
    if (--depth_ == 0) outerEventStart = 0;
    now.nanoseconds = MonotonicNanoseconds() - start;
    Slowest& slot = depth_ == 0 ? outer : nested;
    if (now.nanoseconds > slot.nanoseconds) slot = now;
    return handled;
  }

 private:
  int depth_ = 0;
};

void PrintSlowest(const char* what, const TimedApplication::Slowest& s) {
  std::printf("    %s event %.1f ms: type %d to %s \"%s\"\n", what, static_cast<double>(s.nanoseconds) / 1e6,
              static_cast<int>(s.type), s.receiverClass, s.receiverName.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char* argv[]) {
  TimedApplication app(argc, argv);
  zlc::ui::ApplyClassicLook();
  const double minutes = argc > 1 ? std::atof(argv[1]) : 10;
  const char* task = argc > 2 ? argv[2] : "** ";
  const int depth = argc > 3 ? std::atoi(argv[3]) : 1000;
  const bool logs = !(argc > 4 && std::string_view(argv[4]) == "off");
  // A fifth argument names a file for stacks of events that run over 25 ms.
  Watcher watcher(argc > 5 && *argv[5] ? argv[5] : nullptr, 25);

  QTemporaryDir dir;
  QDir::setCurrent(dir.path());
  zlc::Calculator calc;
  zlc::ui::TForm1 form(calc);
  form.show();
  form.findChild<QCheckBox*>("CheckBox4")->setChecked(false);  // never clear the lists
  if (!logs) {
    form.findChild<QCheckBox*>("CheckBox2")->setChecked(false);
    form.findChild<QCheckBox*>("CheckBox3")->setChecked(false);
  }
  calc.settings.shuffleDepth = depth;
  // A smaller memory budget for the lists shows in minutes what a night's
  // run does with the default one.
  if (const char* megabytes = std::getenv("ZLC_SOAK_LIST_MB")) {
    calc.Lists().SetBudget(static_cast<std::size_t>(std::atoll(megabytes)) << 20);
  }
  calc.editor.LoadTaskText(task);
  form.SyncTask();

  const double baseline = ResidentMegabytes();
  QElapsedTimer clock;
  QElapsedTimer sinceProbe;
  qint64 longestGap = 0;
  QTimer probe;
  probe.setInterval(5);
  // Every pause of 40 ms or more is told at once, with what the window's thread
  // went through meanwhile: its own processor time says working from
  // waiting; page faults point at memory; voluntary switches at waiting for
  // something (the display server, a lock), involuntary ones at other work
  // taking the processor; steal at the host taking it from the machine.
  rusage before{};
  ::getrusage(RUSAGE_THREAD, &before);
  long long stealBefore = StealTicks();
  const double msPerTick = 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
  int longGaps = 0;
  constexpr qint64 kGapBounds[3] = {20, 30, 40};
  long long gapsAtLeast[3] = {};
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 gap = sinceProbe.restart();
    longestGap = std::max(longestGap, gap);
    rusage now{};
    ::getrusage(RUSAGE_THREAD, &now);
    const long long steal = StealTicks();
    const Watcher::Sleep sleep = watcher.TakeLongestSleep();
    if (gap > 50) ++longGaps;
    for (int b = 0; b < 3; ++b) gapsAtLeast[b] += gap >= kGapBounds[b];
    // Pauses near the limit are told too, to see what brings them close.
    if (gap >= 40) {
      std::printf("gap %6.1f min  %lld ms  lines %zu  thread user %.1f ms  system %.1f ms  "
                  "minor faults %ld  major faults %ld  voluntary switches %ld  involuntary %ld  "
                  "steal %.0f ms\n",
                  clock.elapsed() / 60000.0, static_cast<long long>(gap),
                  calc.Lists().All().Size() + calc.Lists().Filtered().Size(),
                  Milliseconds(now.ru_utime) - Milliseconds(before.ru_utime),
                  Milliseconds(now.ru_stime) - Milliseconds(before.ru_stime), now.ru_minflt - before.ru_minflt,
                  now.ru_majflt - before.ru_majflt, now.ru_nvcsw - before.ru_nvcsw,
                  now.ru_nivcsw - before.ru_nivcsw, (steal - stealBefore) * msPerTick);
      std::printf("    watcher's longest sleep (2 ms asked) %.1f ms, of which waiting for a processor "
                  "%.1f ms\n",
                  static_cast<double>(sleep.nanoseconds) / 1e6, static_cast<double>(sleep.runDelay) / 1e6);
      PrintSlowest("outermost", app.outer);
      PrintSlowest("nested", app.nested);
      std::fflush(stdout);
    }
    app.Forget();
    before = now;
    stealBefore = steal;
  });
  auto report = [&](const char* what) {
    const double lines = static_cast<double>(calc.Lists().All().Size() + calc.Lists().Filtered().Size());
    const double megabytes = ResidentMegabytes();
    std::printf("%s %6.1f min  RN %lld  CN %lld  lines %.0f (forgotten %llu)  RSS %.1f MB  %.1f bytes/line  "
                "longest unanswered %lld ms  pauses over 50 ms %d  (of 20, 30, 40 ms or more: %lld, %lld, %lld)\n",
                what, clock.elapsed() / 60000.0, static_cast<long long>(calc.Counters().rn),
                static_cast<long long>(calc.Counters().cn), lines,
                static_cast<unsigned long long>(calc.Lists().DroppedLines()), megabytes,
                lines > 0 ? (megabytes - baseline) * 1048576.0 / lines : 0.0,
                static_cast<long long>(longestGap), longGaps, gapsAtLeast[0], gapsAtLeast[1], gapsAtLeast[2]);
    std::fflush(stdout);
  };
  QTimer minute;
  minute.setInterval(60000);
  QObject::connect(&minute, &QTimer::timeout, [&] { report("   "); });

  QTimer::singleShot(300, [&] {
    clock.start();
    sinceProbe.start();
    probe.start();
    minute.start();
    form.findChild<QPushButton*>("Button5")->click();  // Run
  });
  QTimer::singleShot(300 + static_cast<int>(minutes * 60000), [&] {
    form.findChild<QPushButton*>("Button5")->click();  // Stop
    report("end");
    app.quit();
  });
  return QApplication::exec();
}
