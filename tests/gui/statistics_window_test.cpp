// The "Statistics" window driven as a person drives it: opened by its key,
// following "step" presses, started again by "Clear Results", a changed
// task or shuffling depth, its command line run to repeat the window's
// search without a window or taken away with the reason, and its charts
// and figures checked against the result lists.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTranslator>
#include <QValueAxis>
#include <QtTest>
#include <cmath>

#include "calculator/calculator.h"
#include "main_window_fixture.h"
#include "ui/hexagram_heat_map.h"
#include "ui/line_list.h"
#include "ui/statistics_window.h"
#include "ui/translation.h"
#include "ui/unit1.h"
#include "ui/unit6.h"

class StatisticsWindowTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

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
  // The main window over the task "** " at a depth that finds results in
  // most batches, `steps` presses of "step", and then the statistics
  // window opened by its key.
  zlc::ui::StatisticsWindow* AfterSteps(int steps) {
    OpenWindow();
    LoadTask("** ");
    calc_->settings.shuffleDepth = 20;
    Activate(form_.get());
    Steps(steps);
    return OpenStatistics();
  }
  // The options dialog opened by its key from the main window; `keys` are
  // pressed in it and close it.
  void InOptions(std::function<void(zlc::ui::TForm6*)> keys) {
    ActivateMain();
    zlc::ui::TForm6* dialog = form_->optionsWindow();
    WhenActive(dialog, [dialog, keys] { keys(dialog); });
    Press(Qt::CTRL | Qt::Key_Comma);
    QTRY_VERIFY(!dialog->isVisible());
  }
  // A number typed over what a box of the options dialog shows, and Enter,
  // which takes it and closes the dialog.
  static void TypeNumber(zlc::ui::TForm6* dialog, const char* box, const char* number) {
    QLineEdit* edit = dialog->findChild<QComboBox*>(box)->lineEdit();
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, number);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  QString NoCommandText(zlc::ui::StatisticsWindow* stats) {
    auto* why = FindIn<QLabel>(stats, "NoCommand");
    return why->isVisible() ? why->text() : QString();
  }
  // The blocks of a list, oldest first, as the tool prints them.
  QStringList Shown(const char* listName) {
    auto* list = Find<zlc::ui::LineListView>(listName);
    QStringList shown;
    for (std::size_t block = list->LineCount() / 3; block-- > 0;) {
      for (std::size_t j = 0; j < 3; ++j) shown << list->LineText(3 * block + j);
    }
    return shown;
  }
  // The window's command run by a shell for that many results: what it
  // printed, line by line.
  QStringList Repeated(zlc::ui::StatisticsWindow* stats, std::int64_t results) {
    auto* command = FindIn<QLineEdit>(stats, "RepeatCommand");
    if (!command->isEnabled()) return {"no command"};
    QString line = command->text();
    line.replace(0, QString("zlc-search").size(), QString("'%1'").arg(ZLC_SEARCH_PATH));
    QProcess tool;
    tool.start("/bin/sh", {"-c", line + QString(" --results %1").arg(results)});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) return {"the tool failed"};
    return QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  }
  void ShowTab(zlc::ui::StatisticsWindow* stats, int tab) {
    QTabBar* bar = stats->charts()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    QCOMPARE(stats->charts()->currentIndex(), tab);
  }
  static QList<QBarSet*> Bars(zlc::ui::StatisticsWindow* stats, const char* chart) {
    QChart* c = stats->findChild<QChartView*>(chart)->chart();
    return static_cast<QAbstractBarSeries*>(c->series().value(0))->barSets();
  }
  // Whether a chart's value axis marks whole numbers only: from 0 in whole
  // steps.
  static bool WholeTicks(zlc::ui::StatisticsWindow* stats, const char* chart, QString& axis) {
    QChart* c = stats->findChild<QChartView*>(chart)->chart();
    auto* y = static_cast<QValueAxis*>(c->axes(Qt::Vertical).value(0));
    const double step = (y->max() - y->min()) / (y->tickCount() - 1);
    axis = QString("%1: %2 to %3 in %4 ticks").arg(chart).arg(y->min()).arg(y->max()).arg(y->tickCount());
    return y->min() == 0 && y->tickCount() >= 2 && step >= 1 && step == std::floor(step);
  }

 private slots:
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void followsStepsAndRepeatsWithoutAWindow() {
    auto* stats = AfterSteps(0);
    QVERIFY(stats && stats->isVisible());
    QCOMPARE(stats->FigureText("Results"), QString("0"));
    Steps(12);
    const std::int64_t results = calc_->Counters().rn;
    QVERIFY(results >= 3);
    QTRY_COMPARE(stats->FigureText("Results"), QString::number(results));
    QCOMPARE(stats->FigureText("Tries"), QString::number(calc_->Counters().cn));
    QCOMPARE(stats->FigureText("Started from seed"), QString::number(calc_->Statistics().Seed()));

    // The command, run by a shell, prints what the window found, line by
    // line, oldest first.
    auto* command = FindIn<QLineEdit>(stats, "RepeatCommand");
    QVERIFY(command->isEnabled());
    QVERIFY(command->text().startsWith("zlc-search --task '** ' "));
    QCOMPARE(Repeated(stats, results), Shown("ListBox1"));

    // A chart's counts, saved by its button: they add up to the results.
    ShowTab(stats, 1);
    nextFileName_ = "lf.csv";
    QTest::mouseClick(FindIn<QPushButton>(stats, "SaveChartCsv"), Qt::LeftButton);
    const QStringList rows = QString::fromUtf8(ReadAll("lf.csv")).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(rows.value(0), QString("lf,results"));
    qint64 sum = 0;
    for (int r = 1; r < rows.size(); ++r) sum += rows[r].section(',', 1).toLongLong();
    QCOMPARE(sum, results);

    // The heat map names a cell's hexagram, suit and count.
    int suit = -1, number = 0;
    auto* map = stats->heatMap();
    ShowTab(stats, 0);
    QVERIFY(map->CellAt(QPoint(map->width() - 3, 3), suit, number));
    QCOMPARE(suit, 0);
    QCOMPARE(number, 64);
    QVERIFY(map->CellText(0, 64).startsWith(QString::fromUtf8("H(п)=#64: ")));
  }

  void clearResultsStartsTheCountAgain() {
    auto* stats = AfterSteps(4);
    QVERIFY(stats);
    QTRY_COMPARE(stats->FigureText("Tries"), QString::number(calc_->Totals().tries));
    ActivateMain();
    Press(Qt::CTRL | Qt::Key_L);  // "Clear Results"
    QCOMPARE(calc_->Counters().cn, 0);
    Steps(1);
    QTRY_COMPARE(stats->FigureText("Tries"), QString::number(calc_->Counters().cn));
    QVERIFY(calc_->Totals().tries > static_cast<std::uint64_t>(calc_->Counters().cn));
    QVERIFY(FindIn<QLabel>(stats, "Since")->text().contains("started again"));
    // The variant in use was drawn before: no command repeats this count,
    // and the window says why instead of showing one.
    QVERIFY(!FindIn<QLineEdit>(stats, "RepeatCommand")->isEnabled());
    QVERIFY(FindIn<QLineEdit>(stats, "RepeatCommand")->text().isEmpty());
    QVERIFY(FindIn<QLabel>(stats, "NoCommand")->isVisible());
    QVERIFY(FindIn<QLabel>(stats, "NoCommand")->text().contains("Load the task again"));
  }

  // A shuffling depth typed into the options dialog between two steps
  // starts the counting again as the dialog closes, with the reason; the
  // count that follows went on from the earlier one's variant, so no
  // command stands for it.
  void depthChangedInTheOptionsStartsTheCountAgainAtOnce() {
    auto* stats = AfterSteps(5);
    QVERIFY(stats);
    QVERIFY(FindIn<QLineEdit>(stats, "RepeatCommand")->text().contains("--set sd_t=20 "));
    InOptions([](zlc::ui::TForm6* dialog) { TypeNumber(dialog, "ComboBox2", "30"); });
    QCOMPARE(calc_->settings.shuffleDepth, 30);
    QTRY_VERIFY(FindIn<QLabel>(stats, "Since")->text().contains("because the shuffling depth changed"));
    QCOMPARE(stats->FigureText("Tries"), QString("0"));
    QCOMPARE(stats->FigureText("Results"), QString("0"));
    QCOMPARE(stats->FigureText("Started from seed"), QString("-"));
    QVERIFY(!FindIn<QLineEdit>(stats, "RepeatCommand")->isEnabled());
    QCOMPARE(NoCommandText(stats), QString("Nothing has been searched yet."));

    Steps(3);
    QTRY_COMPARE(stats->FigureText("Tries"), QString::number(calc_->Statistics().Counts().Tries()));
    QVERIFY(calc_->Statistics().Counts().Tries() < calc_->Totals().tries);
    QVERIFY(FindIn<QLineEdit>(stats, "RepeatCommand")->text().isEmpty());
    QVERIFY(NoCommandText(stats).contains("This run went on from an earlier one"));
  }

  // Marks ticked in the options dialog while a run is on keep the counts
  // going and take the command away, saying why; before any result is
  // found they change no line, and the command takes them in.
  void marksChangedWhileRunningTakeTheCommandAway() {
    OpenWindow();
    LoadTask("** ");
    calc_->settings.shuffleDepth = 0;
    // Before any result: the whole deck backwards never converges unshuffled.
    LoadTask("9d Ac 6d Qc 8d Qd Qh Kd 9h 8h Xd Kh Jd Xc Xs 9s 7h 7d Jc Qs As Jh 6c 6h Js 8c 7c Xh "
             "8s 6s Ks 9c Ah Kc 7s Ad ");
    Activate(form_.get());
    Steps(1);
    auto* stats = OpenStatistics();
    QVERIFY(stats);
    QCOMPARE(stats->FigureText("Results"), QString("0"));
    InOptions([](zlc::ui::TForm6* dialog) {
      QTest::mouseClick(dialog->findChild<QCheckBox*>("CheckBox4"), Qt::LeftButton, {}, QPoint(5, 8));
      QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    QCOMPARE(calc_->settings.deleteSpaces, 1);
    QTRY_VERIFY(FindIn<QLineEdit>(stats, "RepeatCommand")->text().contains("--set rq_ds=1 "));

    LoadTask("** ");
    calc_->settings.shuffleDepth = 20;
    Press(Qt::CTRL | Qt::Key_L);
    ActivateMain();
    Press(Qt::Key_F5);  // "Run"
    QTRY_VERIFY(calc_->Statistics().Counts().Results() > 0);
    QVERIFY(calc_->Running());
    InOptions([](zlc::ui::TForm6* dialog) {
      QTest::mouseClick(dialog->findChild<QCheckBox*>("CheckBox1"), Qt::LeftButton, {}, QPoint(5, 8));
      QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    QCOMPARE(calc_->settings.markTransits, 1);
    QTRY_VERIFY(NoCommandText(stats).contains("The marks or the spaces of line 1 were changed"));
    QVERIFY(FindIn<QLineEdit>(stats, "RepeatCommand")->text().isEmpty());
    const std::uint64_t tries = calc_->Statistics().Counts().Tries();
    QTRY_VERIFY(calc_->Statistics().Counts().Tries() > tries);  // counting on
    ActivateMain();
    Press(Qt::Key_F5);
    QVERIFY(!calc_->Running());
    QCOMPARE(calc_->Statistics().Starts(), 2u);
    QTRY_COMPARE(stats->FigureText("Tries"), QString::number(calc_->Statistics().Counts().Tries()));
  }

  // A box ticked in the options dialog and unticked again before it
  // closes changes nothing: the count and its command stand.
  void aChangeUndoneInTheDialogChangesNothing() {
    auto* stats = AfterSteps(5);
    QVERIFY(stats);
    const QString command = FindIn<QLineEdit>(stats, "RepeatCommand")->text();
    QVERIFY(!command.isEmpty());
    InOptions([](zlc::ui::TForm6* dialog) {
      auto* transits = dialog->findChild<QCheckBox*>("CheckBox1");
      QTest::mouseClick(transits, Qt::LeftButton, {}, QPoint(5, 8));
      QTest::qWait(3 * zlc::ui::StatisticsWindow::kRefreshMs);  // the window looks meanwhile
      QTest::mouseClick(transits, Qt::LeftButton, {}, QPoint(5, 8));
      QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    QTest::qWait(2 * zlc::ui::StatisticsWindow::kRefreshMs);
    QCOMPARE(FindIn<QLineEdit>(stats, "RepeatCommand")->text(), command);
    QCOMPARE(calc_->Statistics().Starts(), 1u);
  }

  // "Clear at RN >" unticked before it cleared anything changes no line:
  // the command takes it in and repeats the lists. A threshold typed below
  // RN then would have cleared them: no command numbers them so.
  void clearingChangedOnceItWouldHaveClearedTakesTheCommandAway() {
    auto* stats = AfterSteps(0);
    QVERIFY(stats);
    Steps(4);
    QVERIFY(calc_->Counters().rn >= 1);
    QTest::mouseClick(Find<QCheckBox>("CheckBox4"), Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(!calc_->settings.clearAtRn);
    Steps(4);
    QTRY_VERIFY(FindIn<QLineEdit>(stats, "RepeatCommand")->text().contains("--set rq_rnc=0 "));
    QCOMPARE(Repeated(stats, calc_->Counters().rn), Shown("ListBox1"));

    QTest::mouseClick(Find<QCheckBox>("CheckBox4"), Qt::LeftButton, {}, QPoint(5, 8));
    InOptions([](zlc::ui::TForm6* dialog) { TypeNumber(dialog, "ComboBox3", "1"); });
    QCOMPARE(calc_->settings.clearThreshold, 1);
    QTRY_VERIFY(NoCommandText(stats).contains("\"Clear at RN >\" was changed"));
    QVERIFY(!FindIn<QLineEdit>(stats, "RepeatCommand")->isEnabled());
    QCOMPARE(calc_->Statistics().Starts(), 1u);
  }

  // File, Open of another task shows at once: the counts start again,
  // with the reason, and no command pairs the new task with the old seed.
  // "Clear Results" then makes the count one that the command repeats.
  void openingAnotherTaskStartsTheCountAgainAtOnce() {
    auto* stats = AfterSteps(4);
    QVERIFY(stats);
    QVERIFY(FindIn<QLineEdit>(stats, "RepeatCommand")->isEnabled());
    WriteFile("other.zlt", "6\xEF ** \r\n");
    nextFileName_ = "other.zlt";
    ActivateMain();
    Press(Qt::CTRL | Qt::Key_O);
    QCOMPARE(calc_->editor.Text(), std::string("6\xEF ** "));
    QTRY_VERIFY(FindIn<QLabel>(stats, "Since")->text().contains("because the task changed"));
    QCOMPARE(stats->FigureText("Tries"), QString("0"));
    QCOMPARE(stats->FigureText("Started from seed"), QString("-"));
    QVERIFY(!FindIn<QLineEdit>(stats, "RepeatCommand")->isEnabled());
    QCOMPARE(NoCommandText(stats), QString("Nothing has been searched yet."));

    Press(Qt::CTRL | Qt::Key_L);
    Steps(10);
    QVERIFY(calc_->Counters().rn >= 2);
    QTRY_COMPARE(stats->FigureText("Results"), QString::number(calc_->Counters().rn));
    QVERIFY(FindIn<QLineEdit>(stats, "RepeatCommand")->text().startsWith(QString::fromUtf8("zlc-search --task '6п ** ' ")));
    QCOMPARE(Repeated(stats, calc_->Counters().rn), Shown("ListBox1"));
  }

  // The charts and figures say what the lists say: P by its value as line 3
  // prints it, L(F) by line 3's F(n); value axes in whole steps however few
  // the results.
  void chartsAndFiguresAgreeWithTheLists() {
    auto* stats = AfterSteps(0);
    QVERIFY(stats);
    calc_->filter.lfEnabled = 1;
    calc_->filter.lfThreshold = 9;
    // The first result: counts of one, marked 0 and 1 and nothing between.
    for (int step = 0; step < 50 && calc_->Statistics().Counts().Results() == 0; ++step) Steps(1);
    QCOMPARE(calc_->Statistics().Counts().Results(), 1u);
    QString axis;
    const struct {
      int tab;
      const char* chart;
    } charts[] = {{1, "TransitChart"}, {2, "BalanceChart"}, {3, "PChart"}};
    for (const auto& c : charts) {
      ShowTab(stats, c.tab);
      QVERIFY2(WholeTicks(stats, c.chart, axis), qPrintable(axis));
    }
    Steps(14);
    const QStringList lines = Shown("ListBox1");
    const qsizetype results = lines.size() / 3;
    QVERIFY(results >= 8);
    QList<QList<double>> pBins(4, QList<double>(20, 0));
    QList<double> lf(37, 0);
    const QRegularExpression pValues(R"(= \{([0-9., ]+)\})");
    const QRegularExpression transits(R"(F\((\d+)\))");
    for (qsizetype block = 0; block < results; ++block) {
      const QString& three = lines[3 * block + 2];
      const QStringList printed = pValues.match(three).captured(1).split(", ");
      QCOMPARE(printed.size(), 4);
      for (int suit = 0; suit < 4; ++suit) {
        const int hundredths = QString(printed[suit]).remove('.').toInt();
        pBins[suit][std::min(hundredths / 5, 19)] += 1;
      }
      lf[transits.match(three).captured(1).toInt()] += 1;
    }

    QTRY_COMPARE(stats->FigureText("Results"), QString::number(results));
    QCOMPARE(stats->FigureText("Filtered"), QString::number(Shown("ListBox2").size() / 3));
    QCOMPARE(stats->FigureText("Tries"), QString::number(calc_->Counters().cn));
    ShowTab(stats, 3);
    const QList<QBarSet*> p = Bars(stats, "PChart");
    QCOMPARE(p.size(), 4);
    for (int suit = 0; suit < 4; ++suit) {
      QList<double> shown;
      for (int bin = 0; bin < 20; ++bin) shown << p[suit]->at(bin);
      QCOMPARE(shown, pBins[suit]);
    }
    ShowTab(stats, 1);
    QList<double> shownLf;
    for (int n = 0; n <= 36; ++n) shownLf << Bars(stats, "TransitChart")[0]->at(n);
    QCOMPARE(shownLf, lf);
    // A screen reader gets the same counts in words, and each figure with
    // its name.
    const QString said = stats->findChild<QWidget*>("TransitChart")->accessibleDescription();
    for (int n = 0; n <= 36; ++n) {
      QCOMPARE(said.contains(QString("L(F) %1: %2;").arg(n).arg(lf[n])) ||
                   said.endsWith(QString("L(F) %1: %2").arg(n).arg(lf[n])),
               lf[n] > 0);
    }
    QCOMPARE(stats->findChild<QLabel*>("Results")->accessibleName(), QString("Results: %1").arg(results));
    for (const auto& c : charts) {
      ShowTab(stats, c.tab);
      QVERIFY2(WholeTicks(stats, c.chart, axis), qPrintable(axis));
    }
  }

  // Opened after a run, the window shows the pace of its last minute, and
  // keeps showing it while nothing runs.
  void paceOfARunShownWhenOpenedAfterIt() {
    OpenWindow();
    LoadTask("** ");
    calc_->settings.shuffleDepth = 20;
    Activate(form_.get());
    Press(Qt::Key_F5);
    QVERIFY(calc_->Running());
    QTest::qWait(1500);
    Press(Qt::Key_F5);
    QVERIFY(!calc_->Running());
    auto* stats = OpenStatistics();
    QVERIFY(stats);
    for (int look = 0; look < 2; ++look) {
      const double tries = stats->FigureText("Tries per second").toDouble();
      const double results = stats->FigureText("Results per second").toDouble();
      QVERIFY2(tries > 0, qPrintable(stats->FigureText("Tries per second")));
      QVERIFY2(results > 0, qPrintable(stats->FigureText("Results per second")));
      QVERIFY(tries >= results);
      QTest::qWait(3 * zlc::ui::StatisticsWindow::kRefreshMs);
    }
  }

  // Esc closes the window as it closes a dialog; Ctrl+Q quits from it.
  void escClosesItAndCtrlQQuits() {
    OpenWindow();
    Activate(form_.get());
    auto* stats = OpenStatistics();
    QVERIFY(stats);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!stats->isVisible());
    QVERIFY(form_->isVisible());
    ActivateMain();
    stats = OpenStatistics();
    QVERIFY(stats && stats->isVisible());
    QVERIFY(!QFile::exists("zlc.cfg"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!form_->isVisible());
    QVERIFY(QFile::exists("zlc.cfg"));  // closed as Quit closes it
  }

  // In Russian the window writes every decimal with the comma its texts
  // use: the P chart's title and bins, the figures, the heat map's shares.
  void oneDecimalSignInRussian() {
    QVERIFY(zlc::ui::InstallTranslation(QLocale("ru_RU")));
    auto* stats = AfterSteps(4);
    QVERIFY(stats);
    QChart* p = stats->findChild<QChartView*>("PChart")->chart();
    QVERIFY(p->title().contains("0,05"));
    auto* bins = static_cast<QBarCategoryAxis*>(p->axes(Qt::Horizontal).value(0));
    QCOMPARE(bins->categories().value(1), QString("0,05"));
    QCOMPARE(bins->categories().value(19), QString("0,95"));
    const QString share = stats->FigureText("Results per try");  // "0,0108   (95 %: 0,00706 .. 0,0158)"
    QVERIFY2(share.contains(QRegularExpression(R"(^\d,\d+ .*: \d,\d+ \.\. \d,\d+\)$)")), qPrintable(share));
    QVERIFY(stats->heatMap()->CellText(0, 1).contains(QRegularExpression(R"(\d,\d\d %)")));
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
  }
};

QTEST_MAIN(StatisticsWindowTest)
#include "statistics_window_test.moc"
