// A long run of the calculator's window with "Clear at RN >" unticked: how
// memory grows per listed line, and the longest time the window went without
// answering (a probe timer that should fire every 5 ms).
//   zlc_soak [MINUTES] [TASK] [DEPTH]     (see bench/soak.sh)
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

  QTemporaryDir dir;
  QDir::setCurrent(dir.path());
  zlc::Calculator calc;
  zlc::ui::TForm1 form(calc);
  form.show();
  form.findChild<QCheckBox*>("CheckBox4")->setChecked(false);  // never clear the lists
  calc.settings.shuffleDepth = depth;
  calc.editor.LoadTaskText(task);
  form.SyncTask();

  const double baseline = ResidentMegabytes();
  QElapsedTimer clock;
  QElapsedTimer sinceProbe;
  qint64 longestGap = 0;
  QTimer probe;
  probe.setInterval(5);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    longestGap = std::max(longestGap, sinceProbe.restart());
  });
  auto report = [&](const char* what) {
    const double lines = static_cast<double>(calc.allList.Size() + calc.filteredList.Size());
    const double megabytes = ResidentMegabytes();
    std::printf("%s %6.1f min  RN %lld  CN %lld  lines %.0f  RSS %.1f MB  %.1f bytes/line  "
                "longest unanswered %lld ms\n",
                what, clock.elapsed() / 60000.0, static_cast<long long>(calc.counters.rn),
                static_cast<long long>(calc.counters.cn), lines, megabytes,
                lines > 0 ? (megabytes - baseline) * 1048576.0 / lines : 0.0,
                static_cast<long long>(longestGap));
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
