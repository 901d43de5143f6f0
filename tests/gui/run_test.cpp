// Running the search from the main window: step, Run/Stop with the timer,
// the run lock, the result lists and their pop-up menu, the logs.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QProcess>
#include <QtTest>
#include <memory>

#include "calculator/calculator.h"
#include "ui/line_list.h"
#include "ui/look.h"
#include "main_window_fixture.h"
#include "tests/core/file_size_limit.h"
#include "ui/unit1.h"
#include "ui/unit4.h"

using zlc::Calculator;
using zlc::ui::TForm1;

namespace {

// The same cards reversed never converge.
const char* const kNeverConverging =
    "9d Ac 6d Qc 8d Qd Qh Kd 9h 8h Xd Kh Jd Xc Xs 9s 7h 7d Jc Qs As Jh 6c 6h "
    "Js 8c 7c Xh 8s 6s Ks 9c Ah Kc 7s Ad ";

}  // namespace

class RunTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

 private:

  void Open(const char* task) {
    OpenWindow();
    LoadTask(task);
  }
  QString Title(const char* box) { return Find<QGroupBox>(box)->title(); }
  using List = zlc::ui::LineListView;
  int Rows(const char* list) { return static_cast<int>(Find<List>(list)->LineCount()); }
  QString Row(const char* list, int row) { return Find<List>(list)->LineText(row); }
  QPoint RowPoint(const char* list, int row) { return Find<List>(list)->LineRect(row).center(); }

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }

  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void stepFindsAResultAndListsIt() {
    Open(kConverging);
    QVERIFY(Find<QPushButton>("Button3")->isEnabled());
    QCOMPARE(Find<QLabel>("Label2")->text(), QString());  // nothing counted yet
    Find<QPushButton>("Button3")->click();
    QCOMPARE(Title("GroupBox6"), QString("Results: ( RN / CN = 1 / 1 )"));
    QCOMPARE(Title("GroupBox5"), QString("Filtered: 1"));
    QCOMPARE(Find<QLabel>("Label2")->text(), QString("Variants : 1"));
    QCOMPARE(Rows("ListBox1"), 3);
    QCOMPARE(Rows("ListBox2"), 3);
    QVERIFY(Row("ListBox1", 0).startsWith("1. Ad 7s Kc "));
    QVERIFY(Row("ListBox1", 1).startsWith("   HB:("));
    QVERIFY(Row("ListBox1", 2).startsWith("   P(s,d,c,h) = {"));

    Find<QPushButton>("Button3")->click();
    QCOMPARE(Title("GroupBox6"), QString("Results: ( RN / CN = 2 / 2 )"));
    QCOMPARE(Rows("ListBox1"), 6);
    QVERIFY(Row("ListBox1", 0).startsWith("2. "));  // newest on top
    QVERIFY(Row("ListBox1", 3).startsWith("1. "));

    // Only the filtered log is on by default; it gets both blocks, CR LF.
    const QByteArray log = ReadAll("resultsf.log");
    QCOMPARE(log.count("\r\n"), 6);
    QVERIFY(log.startsWith("1. Ad 7s Kc "));
    QCOMPARE(ReadAll("results.log"), QByteArray());

    Find<QPushButton>("Button6")->click();  // Clear Results
    QCOMPARE(Rows("ListBox1"), 0);
    QCOMPARE(Rows("ListBox2"), 0);
    QCOMPARE(Title("GroupBox6"), QString("Results: ( RN / CN = 0 / 0 )"));
    QCOMPARE(Title("GroupBox5"), QString("Filtered: 0"));
    QCOMPARE(ReadAll("resultsf.log").count("\r\n"), 6);  // logs untouched
  }

  void stepWithoutConvergence() {
    Open(kNeverConverging);
    Find<QPushButton>("Button3")->click();
    QCOMPARE(Title("GroupBox6"), QString("Results: ( RN / CN = 0 / 1000 )"));
    QCOMPARE(Rows("ListBox1"), 0);
  }

  void runLocksTheEditorAndStopRestoresIt() {
    Open("Ad ** ");
    auto* run = Find<QPushButton>("Button5");
    auto* del = Find<QPushButton>("Button2");
    auto* clearTask = Find<QPushButton>("Button4");
    QVERIFY(!del->isEnabled());
    QVERIFY(form_->cardButton(1)->isEnabled());
    QVERIFY(!form_->cardButton(34)->isEnabled());  // Ad is used

    run->click();
    QCOMPARE(run->text(), QString("Stop"));
    QVERIFY(run->isEnabled());
    QVERIFY(!form_->cardButton(1)->isEnabled());
    QVERIFY(!clearTask->isEnabled());
    QVERIFY(!Find<QCheckBox>("CheckBox3")->isEnabled());
    QVERIFY(!Find<QPushButton>("Button6")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(calc_->Counters().rn >= 3 || calc_->Counters().cn > 5000, 5000);

    run->click();
    QCOMPARE(run->text(), QString("Run"));
    QVERIFY(!calc_->Running());
    QVERIFY(form_->cardButton(1)->isEnabled());
    QVERIFY(!form_->cardButton(34)->isEnabled());
    QVERIFY(clearTask->isEnabled());
    QVERIFY(!del->isEnabled());  // was disabled before the run
    QVERIFY(Find<QCheckBox>("CheckBox3")->isEnabled());
    // Captions show the state after the last complete batch.
    QCOMPARE(Title("GroupBox6"), QString::fromStdString(calc_->ResultsCaption()));
    QCOMPARE(Rows("ListBox1"), static_cast<int>(calc_->Lists().All().Size()));
    const int cn = calc_->Counters().cn;
    QTest::qWait(20);
    QCOMPARE(calc_->Counters().cn, cn);  // stopped means stopped
  }

  void rightClickSavesTheWholeBlock() {
    Open(kConverging);
    for (int i = 0; i < 3; ++i) Find<QPushButton>("Button3")->click();
    auto* all = Find<List>("ListBox1");
    // The third line of the middle block (result 2).
    form_->ListMouseUp(1, RowPoint("ListBox1", 5), Qt::RightButton);
    QVERIFY(form_->resultsMenu()->isVisible());
    form_->resultsMenu()->hide();
    QCOMPARE(form_->menuResultNumber(), 2);

    nextFileName_ = "one.txt";
    form_->Save2Click();
    QCOMPARE(dialogTitles_.last(), QString("Save result #2"));
    const QByteArray saved = ReadAll("one.txt");
    QCOMPARE(saved.count("\r\n"), 3);
    QVERIFY(saved.startsWith("2. Ad "));

    nextFileName_ = "all.txt";
    form_->Saveallresults1Click();
    QCOMPARE(dialogTitles_.last(), QString("Save all results"));
    const QByteArray allSaved = ReadAll("all.txt");
    QCOMPARE(allSaved.count("\r\n"), 9);
    QVERIFY(allSaved.startsWith("3. "));

    // A cancelled dialog writes nothing.
    nextFileName_.clear();
    form_->Save2Click();
    QVERIFY(!QFile::exists(".txt"));

    // Below the last line: nothing recorded, "Save result..." off.
    const QPoint below(5, all->viewport()->height() - 2);
    if (all->LineAt(below) < 0) {
      form_->ListMouseUp(1, below, Qt::RightButton);
      form_->resultsMenu()->hide();
      QCOMPARE(form_->menuResultNumber(), 2);
      form_->ListMouseMove(1, below);
      QVERIFY(!form_->resultsMenu()->actions()[0]->isEnabled());
      QVERIFY(form_->resultsMenu()->actions()[1]->isEnabled());
    }
    // The menu opened below the lines of "Filtered" saves "Filtered", not
    // the list whose line was clicked before: blocks that did not pass go
    // to "All" alone, so "All" has three blocks and "Filtered" one.
    zlc::ResultBlock block;
    QVERIFY(calc_->Lists().All().BlockAt(0, block));
    const zlc::ResultRecord record = calc_->Lists().All().RecordOfLine(0);
    calc_->Lists().Clear();
    for (bool passed : {true, false, false}) calc_->Lists().Add(block, record, passed);
    QCOMPARE(calc_->Lists().Filtered().Size(), std::size_t{3});
    form_->SyncResults();
    auto* filtered = Find<List>("ListBox2");
    const QPoint belowFiltered(5, filtered->viewport()->height() - 2);
    QVERIFY(filtered->LineAt(belowFiltered) < 0);
    QTest::mouseClick(filtered->viewport(), Qt::RightButton, {}, belowFiltered);
    QTRY_VERIFY(form_->resultsMenu()->isVisible());
    form_->resultsMenu()->hide();
    nextFileName_ = "filtered.txt";
    form_->Saveallresults1Click();
    QCOMPARE(ReadAll("filtered.txt").count("\r\n"), 3);
    // The left button opens nothing.
    form_->ListMouseUp(1, RowPoint("ListBox1", 0), Qt::LeftButton);
    QVERIFY(!form_->resultsMenu()->isVisible());
  }

  void logThatCannotBeOpenedStopsNothingElse() {
    Open(kConverging);
    QFile::remove("resultsf.log");
    QVERIFY(QDir().mkdir("resultsf.log"));
    Find<QPushButton>("Button5")->click();
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_[0].startsWith("I/O error "));
    QVERIFY(!calc_->Running());
    QCOMPARE(Find<QPushButton>("Button5")->text(), QString("Run"));
    QVERIFY(form_->cardButton(0)->isEnabled() == calc_->editor.Enabled(0));
    QVERIFY(Find<QPushButton>("Button4")->isEnabled());
  }

  void fullDiskDuringARunIsReportedOnceAndStops() {
    Open(kConverging);
    {
      // The filtered log may grow by a few blocks more, then the disk is full.
      FileSizeLimit full(2000);
      Find<QPushButton>("Button5")->click();
      QTRY_VERIFY_WITH_TIMEOUT(!calc_->Running(), 5000);
    }
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0], QString("I/O error %1\nresultsf.log: File too large").arg(EFBIG));
    // What the log holds is whole blocks only.
    const QByteArray log = ReadAll("resultsf.log");
    QVERIFY(log.size() > 0 && log.size() <= 2000);
    QVERIFY(log.endsWith("\r\n"));
    QCOMPARE(log.count("\r\n") % 3, 0);
    QVERIFY(!calc_->BatchBusy());
    QCOMPARE(Find<QPushButton>("Button5")->text(), QString("Run"));
    QVERIFY(Find<QPushButton>("Button4")->isEnabled());
  }

  // The logs are written as the run goes, a slice at a time, not at "Stop".
  void logsGrowDuringARun() {
    Open("Ad 7s ** Kc ");
    // A rare filter: a few results a second reach the filtered log, far too
    // few to fill a write buffer.
    calc_->filter.hbEnabled = 1;
    calc_->filter.hbRequired = {1, 1, 1, 1, 1, 1};
    auto* run = Find<QPushButton>("Button5");
    run->click();
    QTRY_VERIFY_WITH_TIMEOUT(calc_->Totals().filtered > 0, 20000);
    // A slice lasts about ten milliseconds; its results follow at its end.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo("resultsf.log").size() > 0, 500);
    QVERIFY(calc_->Running());
    run->click();
    const QByteArray log = ReadAll("resultsf.log");
    QCOMPARE(log.count("\r\n") % 3, 0);
    QCOMPARE(static_cast<std::uint64_t>(log.count("\r\n") / 3), calc_->Totals().filtered);
  }

  // A long run with clearing off: past the memory budget the lists forget
  // their oldest lines, the window says so once, and what it shows stays
  // whole blocks that can be picked.
  void listsPastTheirBudgetForgetTheOldestAndSaySoOnce() {
    Open(kConverging);
    QTest::mouseClick(Find<QCheckBox>("CheckBox4"), Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(!calc_->settings.clearAtRn);
    calc_->Lists().SetBudget(6u << 20);
    auto* run = Find<QPushButton>("Button5");
    run->click();
    QTRY_VERIFY_WITH_TIMEOUT(calc_->Lists().DroppedLines() > 30000, 20000);
    QTest::qWait(100);  // more slices after the notice
    run->click();
    QVERIFY(!calc_->Running());

    const auto notices = form_->findChildren<QMessageBox*>("DroppedNotice");
    QCOMPARE(notices.size(), 1);
    QVERIFY(notices[0]->text().contains("resultsf.log"));
    QVERIFY(!notices[0]->isModal());
    QVERIFY(calc_->Lists().AllBytes() <= calc_->Lists().Budget() / 2);

    auto* list = Find<List>("ListBox1");
    QCOMPARE(list->LineCount(), calc_->Lists().All().Size());
    QCOMPARE(list->LineCount() % 3, std::size_t{0});
    // The oldest block shown is whole and saves as any other.
    const std::size_t bottom = list->LineCount() - 1;
    QVERIFY(list->LineText(bottom).trimmed().startsWith("P("));
    zlc::ResultBlock block;
    QVERIFY(calc_->Lists().All().BlockAt(list->ListLine(bottom), block));
    const std::int64_t rn = calc_->Lists().All().RecordOfLine(list->ListLine(bottom)).rn;
    QVERIFY(QString::fromStdString(block.lines[0]).startsWith(QString::number(rn) + ". "));
  }

  void aSeedGivesTheSameBlocksAsTheHeadlessTool() {
    Open("Ad ** ?h ");
    calc_->SetSeed(4242);
    while (calc_->Counters().rn < 4) Find<QPushButton>("Button3")->click();

    QProcess tool;
    tool.setWorkingDirectory(dir_->path());
    tool.start(ZLC_SEARCH_PATH, {"--task", "Ad ** ?h ", "--seed", "4242", "--results", "4"});
    QVERIFY(tool.waitForFinished(20000));
    QCOMPARE(tool.exitCode(), 0);
    const QStringList printed = QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(printed.size(), 12);
    // The window lists the newest block first; the tool prints as found.
    for (int block = 0; block < 4; ++block) {
      for (int j = 0; j < 3; ++j) {
        QCOMPARE(Row("ListBox1", (3 - block) * 3 + j), printed[block * 3 + j]);
      }
    }
  }

  void enumerationShowsAndHidesTheProgressWindow() {
    Open("Ad ** 7s ** Kc ** 9d ");
    Find<QPushButton>("Button3")->click();
    QCOMPARE(Find<QLabel>("Label2")->text(), QString("Variants : 561"));
    QVERIFY(!form_->progressWindow()->isVisible());
    QVERIFY(QFile::exists("variants"));
    form_->close();
    QVERIFY(!QFile::exists("variants"));
  }
};

QTEST_MAIN(RunTest)
#include "run_test.moc"
