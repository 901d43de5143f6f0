// The calculator started in a working directory it may not write to (a
// read-only mount, or a folder of another user). The folder is given by
// tests/readonly/run.sh, which makes it read-only for this process.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "calculator/calculator.h"
#include "ui/look.h"
#include "ui/runtime_dialogs.h"
#include "ui/unit1.h"

class ReadOnlyDirTest : public QObject {
  Q_OBJECT

  QStringList messages_;

 private slots:
  void initTestCase() {
    const QByteArray dir = qgetenv("ZLC_READONLY_DIR");
    if (dir.isEmpty()) QFAIL("run through tests/readonly/run.sh, which gives ZLC_READONLY_DIR");
    QVERIFY(QDir::setCurrent(QString::fromLocal8Bit(dir)));
    // The premise: nothing can be created here.
    QFile probe("probe");
    QVERIFY(!probe.open(QIODevice::WriteOnly));
    zlc::ui::ApplyClassicLook();
    zlc::ui::SetMessageSink([this](const QString& m) { messages_ << m; });
  }

  void everyFailureIsReportedOnceAndNothingHangs() {
    zlc::Calculator calc;
    auto form = std::make_unique<zlc::ui::TForm1>(calc);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    // Start-up: each missing log that cannot be created, once.
    QCOMPARE(messages_.size(), 2);
    for (const QString& m : messages_) QVERIFY2(m.startsWith("I/O error"), qPrintable(m));

    calc.editor.LoadTaskText("** ");
    form->SyncTask();
    auto* step = form->findChild<QPushButton*>("Button3");
    auto* run = form->findChild<QPushButton*>("Button5");

    // The filtered log is on by default: the step stops before any batch.
    messages_.clear();
    step->click();
    QCOMPARE(messages_.size(), 1);
    QVERIFY(!calc.BatchBusy());
    QCOMPARE(calc.Counters().cn, 0);

    // Without logs, the scratch file of the variants is what cannot be written.
    form->findChild<QCheckBox*>("CheckBox3")->setChecked(false);
    messages_.clear();
    step->click();
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_[0].startsWith("I/O error"));
    QCOMPARE(calc.Counters().cn, 0);
    QVERIFY(!calc.BatchBusy());
    QVERIFY(step->isEnabled() && run->isEnabled());

    // "Run" meets the same wall once and is off again, the window usable.
    messages_.clear();
    run->click();
    QTest::qWait(100);
    QCOMPARE(messages_.size(), 1);
    QVERIFY(!calc.Running() && !calc.BatchBusy());
    QCOMPARE(run->text(), QString("Run"));

    // Closing: the configuration cannot be saved; said once, and the window goes.
    messages_.clear();
    QVERIFY(form->close());
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_[0].startsWith("I/O error"));
  }
};

QTEST_MAIN(ReadOnlyDirTest)
#include "readonly_dir_test.moc"
