// The calculator from the keyboard: the main window's shortcuts obey the run
// lock like their buttons, Del deletes the selected tokens, and every dialog
// closes with Esc and accepts with Enter.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "calculator/calculator.h"
#include "main_window_fixture.h"
#include "ui/look.h"
#include "ui/unit1.h"
#include "ui/unit3.h"
#include "ui/unit5.h"
#include "ui/unit6.h"

class KeyboardTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void mainWindowShortcuts() {
    OpenWindow();
    Activate(form_.get());
    LoadTask(kConverging);

    QVERIFY(Find<QPushButton>("Button3")->isEnabled());
    Press(Qt::Key_F6);  // step: one batch, one result
    QCOMPARE(calc_->Counters().rn, 1);
    Press(Qt::Key_F6);  // the progress bar of the first step left the keys here
    QCOMPARE(calc_->Counters().rn, 2);
    QVERIFY(!calc_->Running());

    Press(Qt::Key_F5);
    QVERIFY(calc_->Running());
    // While the search runs, the task's keys are locked with their buttons.
    Press(Qt::CTRL | Qt::Key_N);
    QCOMPARE(calc_->editor.Text(), std::string(kConverging));
    Press(Qt::Key_F5);
    QVERIFY(!calc_->Running());

    Press(Qt::CTRL | Qt::Key_L);  // clear the results
    QCOMPARE(calc_->Counters().rn, 0);

    nextFileName_.clear();  // the file dialog is cancelled
    Press(Qt::CTRL | Qt::Key_O);
    QCOMPARE(dialogTitles_.size(), 1);

    Press(Qt::CTRL | Qt::Key_N);
    QCOMPARE(calc_->editor.Text(), std::string());
  }

  void deleteKeyInTheTaskBox() {
    OpenWindow();
    Activate(form_.get());
    LoadTask("6s ** 6d ** 6c ");
    auto* edit = Find<QLineEdit>("Edit1");
    const QString before = edit->text();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Delete);  // nothing selected: nothing happens
    QCOMPARE(edit->text(), before);

    edit->setSelection(7, 1);  // inside the middle card
    QTest::keyRelease(edit, Qt::Key_Shift);  // the button follows the selection
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), QString("6s ** 6c "));  // the gaps around it join
  }

  void hexTableByKeys() {
    zlc::ui::TForm3 table;
    Activate(&table);
    QTest::keyClick(&table, Qt::Key_Right);  // the first key lands on the top left cell
    QTest::keyClick(&table, Qt::Key_Right);
    QTest::keyClick(&table, Qt::Key_Down);
    QTest::keyClick(&table, Qt::Key_Up);
    QTest::keyClick(&table, Qt::Key_Up);  // stops at the edge
    QTest::keyClick(&table, Qt::Key_Down);
    QCOMPARE(table.windowTitle(),
             QString("Hex Table  (Hex #%1)").arg(zlc::ui::TForm3::CellNumber(1, 1)));
    QTest::keyClick(&table, Qt::Key_Return);
    QVERIFY(!table.isVisible());
    QCOMPARE(table.selectedHexagram(), zlc::ui::TForm3::CellNumber(1, 1));

    Activate(&table);  // each opening starts without a pick
    QTest::keyClick(&table, Qt::Key_Escape);
    QVERIFY(!table.isVisible());
    QCOMPARE(table.selectedHexagram(), -1);
  }

  void dialogsCloseWithEscAndEnter() {
    zlc::Calculator calc;
    zlc::ui::TForm6 options(calc);
    zlc::ui::TForm5 about;
    for (QDialog* dialog : {static_cast<QDialog*>(&options), static_cast<QDialog*>(&about)}) {
      Activate(dialog);
      QTest::keyClick(dialog, Qt::Key_Escape);
      QVERIFY(!dialog->isVisible());
      Activate(dialog);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QVERIFY2(!dialog->isVisible(), qPrintable(dialog->objectName()));
      QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
