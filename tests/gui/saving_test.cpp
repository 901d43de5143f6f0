// Saving from the windows as a person does it, onto what a hostile folder
// or a failing disk puts under the chosen name: the old file is kept, the
// window never blocks, and the message names the file and the reason.
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "../core/file_size_limit.h"
#include "calculator/calculator.h"
#include "main_window_fixture.h"
#include "ui/line_list.h"
#include "ui/statistics_window.h"
#include "ui/unit1.h"

class SavingTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

  using List = zlc::ui::LineListView;

  // Right-click on a line of "All", then the keys down the pop-up menu to
  // the entry and Return.
  void ChooseFromListMenu(int line, const char* entry) {
    auto* list = Find<List>("ListBox1");
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->LineRect(line).center());
    QMenu* menu = form_->resultsMenu();
    QTRY_VERIFY(menu->isVisible());
    for (int i = 0; i < 8 && menu->activeAction() != Find<QAction>(entry); ++i) {
      QTest::keyClick(menu, Qt::Key_Down);
    }
    QCOMPARE(menu->activeAction(), Find<QAction>(entry));
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(!menu->isVisible());
  }

 private slots:
  void init() {
    SetUp();
    ::alarm(60);  // a save that blocks ends the test here, not at ctest's limit
  }
  void cleanup() {
    ::alarm(0);
    TearDown();
  }

  // A FIFO under the chosen name: refused at once, left as it is.
  void aFifoIsRefusedAtOnce() {
    OpenWithResults(3);
    QVERIFY(::mkfifo("fifo", 0644) == 0);
    nextFileName_ = "fifo";
    QElapsedTimer clock;
    clock.start();
    ChooseFromListMenu(4, "Save2");
    QTRY_COMPARE(messages_.size(), 1);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(messages_[0], QString("I/O error 22\nfifo: Not a regular file: a FIFO"));
    QVERIFY(QFileInfo("fifo").isFile() == false && QFileInfo::exists("fifo"));

    // The chart's picture too.
    auto* stats = OpenStatistics();
    QVERIFY(stats);
    QTest::mouseClick(stats->findChild<QPushButton*>("SaveChartPng"), Qt::LeftButton);
    QTRY_COMPARE(messages_.size(), 2);
    QCOMPARE(messages_[1], QString("I/O error 22\nfifo: Not a regular file: a FIFO"));
  }

  // A disk that fills up under "Save all results...": the list the user
  // saved before stays whole, and nothing is left beside it.
  void aFullDiskKeepsTheOldList() {
    OpenWithResults(40);
    const QByteArray old(300 * 1024, 'o');
    WriteFile("list.txt", old);
    nextFileName_ = "list.txt";
    {
      FileSizeLimit limit(4 * 1024);
      ChooseFromListMenu(0, "Saveallresults1");
      QTRY_COMPARE(messages_.size(), 1);
    }
    QCOMPARE(messages_[0], QString("I/O error 27\nlist.txt: File too large"));
    QCOMPARE(ReadAll("list.txt"), old);
    QCOMPARE(QDir(".").entryList({"list.txt*"}, QDir::Files | QDir::Hidden), QStringList{"list.txt"});

    // Room again: the same save goes through.
    ChooseFromListMenu(0, "Saveallresults1");
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(ReadAll("list.txt").count("\r\n"), qsizetype(Find<List>("ListBox1")->LineCount()));
    QVERIFY(Find<List>("ListBox1")->LineCount() > 100);
  }

  // "Save chart as PNG..." said nothing when the picture did not go out:
  // onto a device (a link of the user's to /dev/full) and onto a full disk
  // over an old picture, which must stay.
  void aChartThatCannotBeSavedIsReported() {
    OpenWithResults(2);
    auto* stats = OpenStatistics();
    QVERIFY(stats);
    auto* png = stats->findChild<QPushButton*>("SaveChartPng");
    QVERIFY(QFile::link("/dev/full", "full.png"));
    nextFileName_ = "full.png";
    QTest::mouseClick(png, Qt::LeftButton);
    QTRY_COMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0], QString("I/O error 22\nfull.png: Not a regular file: a device"));

    const QByteArray old(64 * 1024, 'p');
    WriteFile("chart.png", old);
    nextFileName_ = "chart.png";
    {
      FileSizeLimit limit(1024);
      QTest::mouseClick(png, Qt::LeftButton);
      QTRY_COMPARE(messages_.size(), 2);
    }
    QCOMPARE(messages_[1], QString("I/O error 27\nchart.png: File too large"));
    QCOMPARE(ReadAll("chart.png"), old);

    QTest::mouseClick(png, Qt::LeftButton);
    QCOMPARE(messages_.size(), 2);
    QVERIFY(ReadAll("chart.png").startsWith("\x89PNG"));
  }

  // A name with control characters (from a script, a download) reaches the
  // message box escaped, not as a terminal's or a box's control.
  void controlCharactersInANameAreShownEscaped() {
    OpenWithResults(1);
    nextFileName_ = QString::fromUtf8("odd\x1b]0;X\x07\xC2\x9B/task.zlt");
    Press(Qt::CTRL | Qt::Key_S);
    QTRY_COMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0], QString("I/O error 2\nodd\\x1b]0;X\\x07\\u009b: No such folder"));
  }
};

QTEST_MAIN(SavingTest)
#include "saving_test.moc"
