// A long run of the calculator's window with "Clear at RN >" unticked: how
// memory grows per listed line, and the longest time the window went without
// answering (a probe timer that should fire every 5 ms).
//   zlc_soak [MINUTES] [TASK] [DEPTH] [LOGS]     (see bench/soak.sh)
// LOGS "off" unticks both autosave boxes, to tell the window's own pauses
// from those of a disk that takes the logs slowly.
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string_view>

#include "engine/calculator.h"
#include "ui/look.h"
#include "ui/unit1.h"

namespace {

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  zlc::ui::ApplyClassicLook();
  const double minutes = argc > 1 ? std::atof(argv[1]) : 10;
  const char* task = argc > 2 ? argv[2] : "** ";
  const int depth = argc > 3 ? std::atoi(argv[3]) : 1000;
  const bool logs = !(argc > 4 && std::string_view(argv[4]) == "off");

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
  calc.editor.LoadTaskText(task);
  form.SyncTask();

  const double baseline = ResidentMegabytes();
  QElapsedTimer clock;
  QElapsedTimer sinceProbe;
  qint64 longestGap = 0;
  QTimer probe;
  probe.setInterval(5);
  // Every pause over 50 ms is told at once, with what the window's thread
  // went through meanwhile: page faults point at memory, involuntary
  // switches at other work taking the processor.
  rusage before{};
  ::getrusage(RUSAGE_THREAD, &before);
  int longGaps = 0;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 gap = sinceProbe.restart();
    longestGap = std::max(longestGap, gap);
    rusage now{};
    ::getrusage(RUSAGE_THREAD, &now);
    if (gap > 50) {
      ++longGaps;
      std::printf("gap %6.1f min  %lld ms  lines %zu  minor faults %ld  major faults %ld  "
                  "involuntary switches %ld\n",
                  clock.elapsed() / 60000.0, static_cast<long long>(gap),
                  calc.allList.Size() + calc.filteredList.Size(), now.ru_minflt - before.ru_minflt,
                  now.ru_majflt - before.ru_majflt, now.ru_nivcsw - before.ru_nivcsw);
      std::fflush(stdout);
    }
    before = now;
  });
  auto report = [&](const char* what) {
    const double lines = static_cast<double>(calc.allList.Size() + calc.filteredList.Size());
    const double megabytes = ResidentMegabytes();
    std::printf("%s %6.1f min  RN %lld  CN %lld  lines %.0f  RSS %.1f MB  %.1f bytes/line  "
                "longest unanswered %lld ms  pauses over 50 ms %d\n",
                what, clock.elapsed() / 60000.0, static_cast<long long>(calc.counters.rn),
                static_cast<long long>(calc.counters.cn), lines, megabytes,
                lines > 0 ? (megabytes - baseline) * 1048576.0 / lines : 0.0,
                static_cast<long long>(longestGap), longGaps);
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
