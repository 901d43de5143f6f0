// The main window's files: the configuration read at start-up and written at
// exit, and task files opened and saved from the "File" menu.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "calculator/calculator.h"
#include "ui/look.h"
#include "main_window_fixture.h"
#include "ui/unit1.h"

using zlc::Calculator;
using zlc::ui::TForm1;

class FilesTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

 private:

  void Open() { OpenWindow(); }

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }

  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void configurationIsReadAtStartUpAndWrittenAtExit() {
    WriteFile("zlc.cfg",
              "Defs = En\r\nrq_asa = 1\r\nrq_asf = 0\r\nrq_rnc = 0\r\nrv = many\r\nsd_t = abc\r\n");
    Open();
    // The grid is built in the configured notation.
    QCOMPARE(form_->cardButton(1)->text(), QString("6s"));
    QCOMPARE(form_->cardButton(36)->text(), QString("Ah"));
    QVERIFY(Find<QCheckBox>("CheckBox2")->isChecked());
    QVERIFY(!Find<QCheckBox>("CheckBox3")->isChecked());
    QVERIFY(!Find<QCheckBox>("CheckBox4")->isChecked());
    QVERIFY(calc_->settings.autosaveAll && !calc_->settings.autosaveFiltered);
    QCOMPARE(calc_->settings.shuffleDepth, 1000);  // the bad number keeps the default
    QCOMPARE(messages_, QStringList{"'abc' is not a valid integer value"});
    QCOMPARE(Find<QListWidget>("ListBox3")->item(0)->text(), QString("GM:Random, RV:Many"));

    Find<QCheckBox>("CheckBox3")->click();
    form_->close();
    const QByteArray saved = ReadAll("zlc.cfg");
    QCOMPARE(saved.count("\r\n"), 20);
    QVERIFY(saved.startsWith("Defs = En\r\nrq_mt = 0\r\n"));
    QVERIFY(saved.contains("\r\nRV = Many\r\n"));
    QVERIFY(saved.contains("\r\nsd_t = 1000\r\n"));
    QVERIFY(saved.contains("\r\nrq_asa = 1\r\nrq_asf = 1\r\nrq_rnc = 0\r\n"));
  }

  void configurationThatCannotBeReadOrWritten() {
    QVERIFY(QDir().mkdir("zlc.cfg"));
    Open();
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].startsWith("I/O error "), qPrintable(messages_[0]));
    QCOMPARE(form_->cardButton(1)->text(), QString::fromUtf8("6п"));  // defaults stand
    messages_.clear();
    form_->close();
    QCOMPARE(messages_.size(), 1);  // reported, and the window still closes
    QVERIFY(!form_->isVisible());
    QVERIFY(QFileInfo("zlc.cfg").isDir());
  }

  void taskFilesRoundTripAcrossNotations() {
    Open();
    calc_->editor.LoadTaskText("Ad ** 7s ?h 6? ");
    form_->SyncTask();
    nextFileName_ = "task.zlt";
    form_->findChild<QAction*>("Save1")->trigger();
    QCOMPARE(dialogTitles_.last(), QString("Save Task"));
    QCOMPARE(ReadAll("task.zlt"), QByteArray("Ad ** 7s ?h 6? \r\n"));

    // Back in Ru, opening the En file switches the program to En.
    calc_->editor.LoadTaskText("\xD2\xE1 ");  // a Ru card
    form_->SyncTask();
    QCOMPARE(calc_->notation.notationName, std::string("Ru"));
    form_->findChild<QAction*>("Open1")->trigger();
    QCOMPARE(TaskText(), QString("Ad ** 7s ?h 6? "));
    QCOMPARE(calc_->notation.notationName, std::string("En"));
    QCOMPARE(form_->cardButton(1)->text(), QString("6s"));
    QCOMPARE(Find<QGroupBox>("GroupBox2")->title(), QString("Task (L=36/36)"));
    QVERIFY(!form_->cardButton(34)->isEnabled());  // Ad

    // A saved result opens as its 36 cards.
    WriteFile("result.txt",
              "7. <[Ad] 7s Kc> <Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd "
              "Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac 9d>\r\n   HB:(...)\r\n   P(s,d,c,h) = {}\r\n");
    nextFileName_ = "result.txt";
    form_->findChild<QAction*>("Open1")->trigger();
    QCOMPARE(TaskText().size(), 36 * 3);
    QVERIFY(TaskText().startsWith("Ad 7s Kc Ah "));
    QCOMPARE(Find<QGroupBox>("GroupBox2")->title(), QString("Task (L=36/36)"));
  }

  void unreadableTaskFileKeepsTheTask() {
    Open();
    calc_->editor.LoadTaskText("Ad ** ");
    form_->SyncTask();
    nextFileName_ = "missing.zlt";
    form_->findChild<QAction*>("Open1")->trigger();
    QCOMPARE(messages_, QStringList{"File not found\nmissing.zlt: No such file or directory"});
    QCOMPARE(TaskText(), QString("Ad ** "));

    // A save names the folder that is missing, never "File not found".
    QVERIFY(QDir().mkdir("there"));
    nextFileName_ = "there/no/such/task.zlt";
    form_->findChild<QAction*>("Save1")->trigger();
    QCOMPARE(messages_.size(), 2);
    QCOMPARE(messages_[1], QString("I/O error 2\nthere/no: No such folder"));
  }

  void openIsUnavailableDuringARun() {
    Open();
    calc_->editor.LoadTaskText("** ");
    form_->SyncTask();
    auto* open = form_->findChild<QAction*>("Open1");
    Find<QPushButton>("Button5")->click();
    QVERIFY(!open->isEnabled());
    Find<QPushButton>("Button5")->click();
    QVERIFY(open->isEnabled());
  }
};

QTEST_MAIN(FilesTest)
#include "files_test.moc"
