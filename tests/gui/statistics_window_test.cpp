// The "Statistics" window driven as a person drives it: opened by its key,
// following "step" presses, started again by "Clear Results", and its
// command line run to repeat the window's search without a window.
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "engine/calculator.h"
#include "main_window_fixture.h"
#include "ui/hexagram_heat_map.h"
#include "ui/line_list.h"
#include "ui/statistics_window.h"
#include "ui/unit1.h"

class StatisticsWindowTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

  zlc::ui::StatisticsWindow* OpenStatistics() {
    Press(Qt::CTRL | Qt::Key_I);
    auto* stats = form_->statisticsWindow();
    // It takes the focus when it opens; the keys of the next steps must
    // not race that.
    if (stats && !QTest::qWaitForWindowActive(stats)) return nullptr;
    return stats;
  }
  // The main window active again. Its window handle counts as active while
  // the statistics window, its own, has the focus, so wait for the widget.
  void ActivateMain() {
    form_->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(form_.get()));
  }
  void Steps(int count) {
    ActivateMain();
    for (int i = 0; i < count; ++i) Press(Qt::Key_F6);
  }
  template <typename W>
  W* In(QWidget* window, const char* name) {
    auto* w = window->findChild<W*>(name);
    if (!w) qFatal("no control %s", name);
    return w;
  }

 private slots:
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void followsStepsAndRepeatsWithoutAWindow() {
    OpenWindow();
    Activate(form_.get());
    LoadTask("** ");
    calc_->settings.shuffleDepth = 20;  // results in most batches
    auto* stats = OpenStatistics();
    QVERIFY(stats && stats->isVisible());
    QCOMPARE(stats->FigureText("Results"), QString("0"));
    Steps(12);
    const std::int64_t results = calc_->counters.rn;
    QVERIFY(results >= 3);
    QTRY_COMPARE(stats->FigureText("Results"), QString::number(results));
    QCOMPARE(stats->FigureText("Tries"), QString::number(calc_->counters.cn));
    QCOMPARE(stats->FigureText("Started from seed"), QString::number(calc_->statisticsSeed));

    // The command, run by a shell, prints what the window found, line by
    // line, oldest first.
    auto* command = In<QLineEdit>(stats, "RepeatCommand");
    QVERIFY(command->isEnabled());
    QVERIFY(command->text().startsWith("zlc-search --task '** ' "));
    QString line = command->text();
    line.replace(0, QString("zlc-search").size(), QString("'%1'").arg(ZLC_SEARCH_PATH));
    QProcess tool;
    tool.start("/bin/sh", {"-c", line + QString(" --results %1").arg(results)});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    const QStringList printed = QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    auto* list = Find<zlc::ui::LineListView>("ListBox1");
    QStringList shown;
    for (std::size_t block = list->LineCount() / 3; block-- > 0;) {
      for (std::size_t j = 0; j < 3; ++j) shown << list->LineText(3 * block + j);
    }
    QCOMPARE(printed, shown);

    // A chart's counts, saved by its button: they add up to the results.
    QTabWidget* tabs = stats->charts();
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    QCOMPARE(tabs->currentIndex(), 1);
    nextFileName_ = "lf.csv";
    QTest::mouseClick(In<QPushButton>(stats, "SaveChartCsv"), Qt::LeftButton);
    QFile csv("lf.csv");
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(csv.readAll()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(rows.value(0), QString("lf,results"));
    qint64 sum = 0;
    for (int r = 1; r < rows.size(); ++r) sum += rows[r].section(',', 1).toLongLong();
    QCOMPARE(sum, results);

    // The heat map names a cell's hexagram, suit and count.
    int suit = -1, number = 0;
    auto* map = stats->heatMap();
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
    QVERIFY(map->CellAt(QPoint(map->width() - 3, 3), suit, number));
    QCOMPARE(suit, 0);
    QCOMPARE(number, 64);
    QVERIFY(map->CellText(0, 64).startsWith(QString::fromUtf8("H(п)=#64: ")));
  }

  void clearResultsStartsTheCountAgain() {
    OpenWindow();
    Activate(form_.get());
    LoadTask("** ");
    calc_->settings.shuffleDepth = 20;
    Steps(4);
    auto* stats = OpenStatistics();
    QTRY_COMPARE(stats->FigureText("Tries"), QString::number(calc_->totals.tries));
    ActivateMain();
    Press(Qt::CTRL | Qt::Key_L);  // "Clear Results"
    QCOMPARE(calc_->counters.cn, 0);
    Steps(1);
    QTRY_COMPARE(stats->FigureText("Tries"), QString::number(calc_->counters.cn));
    QVERIFY(calc_->totals.tries > static_cast<std::uint64_t>(calc_->counters.cn));
    QVERIFY(In<QLabel>(stats, "Since")->text().contains("started again"));
    // The variant in use was drawn before: no command repeats this count,
    // and the window says why instead of showing one.
    QVERIFY(!In<QLineEdit>(stats, "RepeatCommand")->isEnabled());
    QVERIFY(In<QLineEdit>(stats, "RepeatCommand")->text().isEmpty());
    QVERIFY(In<QLabel>(stats, "NoCommand")->isVisible());
    QVERIFY(In<QLabel>(stats, "NoCommand")->text().contains("Load the task again"));
  }
};

QTEST_MAIN(StatisticsWindowTest)
#include "statistics_window_test.moc"
