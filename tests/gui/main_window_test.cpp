// The main window on the offscreen platform: start-up state, the card grid,
// composing and editing a task with the mouse, closing.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTimer>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "cards/cp1251.h"
#include "calculator/calculator.h"
#include "ui/look.h"
#include "main_window_fixture.h"
#include "ui/unit1.h"
#include "ui/unit2.h"
#include "ui/unit6.h"
#include "zlc_version.h"

using zlc::Calculator;
using zlc::ui::TForm1;

class MainWindowTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

 private:

  void Open() { OpenWindow(); }
  void Click(int button) { QTest::mouseClick(form_->cardButton(button), Qt::LeftButton); }
  int EnabledCardButtons() {
    int n = 0;
    for (int i = 0; i <= zlc::kLastCardButton; ++i) n += form_->cardButton(i)->isEnabled() ? 1 : 0;
    return n;
  }

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }

  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void startUpState() {
    WriteFile("results.log", "kept\r\n");
    Open();

    QCOMPARE(form_->windowTitle(), U("Zelt calculator v") + zlc::kVersion);
    // The drawn width; taller than drawn by what each list needs to show a
    // whole result.
    QCOMPARE(form_->centralWidget()->width(), 618);
    QVERIFY(form_->centralWidget()->height() > 358 && form_->centralWidget()->height() <= 358 + 40);
    QCOMPARE(Find<QGroupBox>("GroupBox2")->title(), U("Task (L=0/36)"));
    QCOMPARE(Find<QGroupBox>("GroupBox6")->title(), U("Results: ( RN / CN = 0 / 0 )"));
    QCOMPARE(Find<QGroupBox>("GroupBox5")->title(), U("Filtered: 0"));
    QVERIFY(!Find<QPushButton>("Button2")->isEnabled());
    QVERIFY(!Find<QPushButton>("Button3")->isEnabled());
    QVERIFY(!Find<QPushButton>("Button5")->isEnabled());
    QVERIFY(Find<QPushButton>("Button4")->isEnabled());
    QVERIFY(Find<QCheckBox>("CheckBox4")->isChecked());
    QVERIFY(!Find<QCheckBox>("CheckBox2")->isChecked());
    QVERIFY(Find<QCheckBox>("CheckBox3")->isChecked());
    QVERIFY(calc_->settings.autosaveFiltered && !calc_->settings.autosaveAll);
    QCOMPARE(EnabledCardButtons(), 51);
    QVERIFY(messages_.isEmpty());

    // Missing logs are created empty; an existing log keeps its content.
    QVERIFY(QFile::exists("resultsf.log"));
    QCOMPARE(QFileInfo("resultsf.log").size(), 0);
    QCOMPARE(QFileInfo("results.log").size(), 6);
    QVERIFY(Find<QLineEdit>("Edit1")->hasFocus() || !form_->isActiveWindow());
  }

  void gridPlacesAndCaptions() {
    Open();
    // Card buttons live in the client area, over the "Cards" group box.
    QCOMPARE(form_->cardButton(1)->geometry(), QRect(8, 16, 24, 16));         // 6 of spades
    QCOMPARE(form_->cardButton(36)->geometry(), QRect(8 + 24 * 8, 76, 24, 16));  // ace of hearts
    QCOMPARE(form_->cardButton(37)->geometry(), QRect(8, 108, 24, 16));
    QCOMPARE(form_->cardButton(49)->geometry(), QRect(248, 76, 24, 16));
    QCOMPARE(form_->cardButton(50)->geometry(), QRect(232, 100, 24, 16));
    QCOMPARE(form_->cardButton(0)->geometry(), QRect(256, 100, 24, 16));
    QVERIFY(form_->cardButton(1)->font().bold());
    QVERIFY(!form_->cardButton(37)->font().bold());

    QCOMPARE(form_->cardButton(1)->text(), U("6п"));
    QCOMPARE(form_->cardButton(2)->text(), U("6б"));
    QCOMPARE(form_->cardButton(36)->text(), U("Тч"));
    QCOMPARE(form_->cardButton(45)->text(), U("Т?"));
    QCOMPARE(form_->cardButton(46)->text(), U("?п"));
    QCOMPARE(form_->cardButton(50)->text(), U("??"));
    QCOMPARE(form_->cardButton(0)->text(), U("**"));

    // A task written in En letters switches the notation and re-captions.
    calc_->editor.LoadTaskText("Ad ** ");
    form_->SyncTask();
    QStringList firstColumn, lastColumn;
    for (int s = 0; s < 4; ++s) {
      firstColumn << form_->cardButton(1 + s)->text();
      lastColumn << form_->cardButton(33 + s)->text();
    }
    QCOMPARE(firstColumn, (QStringList{"6s", "6d", "6c", "6h"}));
    QCOMPARE(lastColumn, (QStringList{"As", "Ad", "Ac", "Ah"}));
    QCOMPARE(form_->cardButton(37)->text(), U("6?"));
    QCOMPARE(form_->cardButton(45)->text(), U("A?"));
    QCOMPARE(form_->cardButton(49)->text(), U("?h"));
    QCOMPARE(TaskText(), U("Ad ** "));
    QVERIFY(!form_->cardButton(34)->isEnabled());  // Ad is used
  }

  void composingByClicking() {
    Open();
    Click(1);   // 6п
    Click(0);   // **
    Click(37);  // 6?
    QCOMPARE(TaskText(), U("6п ** 6? "));
    QCOMPARE(Find<QGroupBox>("GroupBox2")->title(), U("Task (L=36/36)"));
    QVERIFY(!form_->cardButton(1)->isEnabled());
    QVERIFY(form_->cardButton(0)->isEnabled());

    Find<QPushButton>("Button4")->click();  // Clear Task
    QCOMPARE(TaskText(), QString());
    QCOMPARE(Find<QGroupBox>("GroupBox2")->title(), U("Task (L=0/36)"));
    QCOMPARE(EnabledCardButtons(), 51);

    // Thirty-six cards complete the task and use up the whole grid.
    for (int i = 1; i <= 35; ++i) Click(i);
    QCOMPARE(Find<QGroupBox>("GroupBox2")->title(), U("Task (L=35/36)"));
    QVERIFY(!Find<QPushButton>("Button5")->isEnabled());
    Click(36);
    QCOMPARE(Find<QGroupBox>("GroupBox2")->title(), U("Task (L=36/36)"));
    QVERIFY(Find<QPushButton>("Button5")->isEnabled());
    QVERIFY(Find<QPushButton>("Button3")->isEnabled());
    QCOMPARE(EnabledCardButtons(), 0);
    QVERIFY(calc_->editor.TaskComplete());
    // A disabled button adds nothing when clicked.
    Click(1);
    QCOMPARE(TaskText().size(), 36 * 3);
  }

  void deleteSelected() {
    Open();
    for (int b : {1, 0, 2, 0, 3}) Click(b);  // 6п ** 6б ** 6к
    auto* edit = Find<QLineEdit>("Edit1");
    auto* del = Find<QPushButton>("Button2");
    QCOMPARE(edit->text(), U("6п ** 6б ** 6к "));

    edit->setSelection(7, 1);  // inside 6б, the only card between two gaps
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(2, 2));
    edit->setSelection(7, 1);
    QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(del->isEnabled());
    del->click();
    QCOMPARE(edit->text(), U("6п ** 6к "));
    QVERIFY(form_->cardButton(2)->isEnabled());  // 6б is free again

    // After a deletion nothing is selected: pressing again changes nothing.
    del->click();
    QCOMPARE(edit->text(), U("6п ** 6к "));

    // An empty selection disables the button at the next release.
    edit->deselect();
    QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(!del->isEnabled());
  }

  void checkBoxesDriveSettings() {
    Open();
    Find<QCheckBox>("CheckBox2")->setChecked(true);  // from code, like a click
    Find<QCheckBox>("CheckBox3")->click();
    Find<QCheckBox>("CheckBox4")->click();
    QVERIFY(calc_->settings.autosaveAll);
    QVERIFY(!calc_->settings.autosaveFiltered);
    QVERIFY(!calc_->settings.clearAtRn);
  }

  void optionsNotationChangeRecaptionsAndConvertsTheTask() {
    Open();
    Click(1);   // 6п
    Click(0);   // **
    Click(49);  // ?ч
    QVERIFY(!form_->cardButton(1)->isEnabled());
    auto answer = [this](const QString& name) {
      QTimer::singleShot(0, this, [this, name] {
        auto* dialog = form_->optionsWindow();
        dialog->findChild<QComboBox*>("ComboBox1")->setEditText(name);
        dialog->accept();
      });
      Find<QAction>("Options1")->trigger();
    };
    answer("En");
    QCOMPARE(TaskText(), U("6s ** ?h "));
    QCOMPARE(form_->cardButton(1)->text(), U("6s"));
    QVERIFY(!form_->cardButton(1)->isEnabled());  // same card, same state
    QVERIFY(form_->cardButton(2)->isEnabled());
    QVERIFY(!calc_->editor.VariantsReady());

    calc_->editor.SetVariantsReady(true);
    answer("En");  // no change: nothing happens
    QVERIFY(calc_->editor.VariantsReady());
    QCOMPARE(TaskText(), U("6s ** ?h "));
  }

  void changeOpensTheFilterDialogAndRefreshesTheDescription() {
    Open();
    QTimer::singleShot(0, this, [this] {
      auto* box = form_->filterDialog()->findChild<QComboBox*>("ComboBox2");
      box->setCurrentText("Many");
      form_->filterDialog()->accept();
    });
    Find<QPushButton>("Button1")->click();
    QCOMPARE(calc_->filter.resultVariants, zlc::ResultVariants::Many);
    QCOMPARE(Find<QListWidget>("ListBox3")->item(0)->text(), U("GM:Random, RV:Many"));
  }

  void clearThresholdCaptionFollowsTheSetting() {
    WriteFile("zlc.cfg", "rn_t = 7000\r\n");
    Open();
    QCOMPARE(Find<QCheckBox>("CheckBox4")->text(), U("Clear at RN > 7000"));
  }

  void logThatCannotBeCreated() {
    // A directory where the log should be: creating the file fails even for
    // root, and start-up still completes with a working grid.
    QVERIFY(QDir().mkdir("results.log"));
    Open();
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].startsWith("I/O error "), qPrintable(messages_[0]));
    QVERIFY(QFile::exists("resultsf.log"));
    QCOMPARE(EnabledCardButtons(), 51);
    Click(5);
    QCOMPARE(TaskText(), U("7п "));
  }

  void quitDeletesVariantsAndClosesGrid() {
    Open();
    WriteFile("variants", {});
    Find<QAction>("Quit1")->trigger();
    QVERIFY(!QFile::exists("variants"));
    QVERIFY(!form_->isVisible());
    QVERIFY(form_->cardButton(0) == nullptr);
    QVERIFY(messages_.isEmpty());
  }

  void resizeKeepsGridAndWidensFields() {
    Open();
    auto* edit = Find<QLineEdit>("Edit1");
    auto* list = Find<QWidget>("ListBox1");
    const int editWidth = edit->width();
    const int listWidth = list->width();
    const QRect gridButton = form_->cardButton(20)->geometry();
    form_->resize(form_->width() + 100, form_->height() + 60);
    QCoreApplication::processEvents();
    QCOMPARE(edit->width(), editWidth + 100);
    QCOMPARE(list->width(), listWidth + 100);
    QCOMPARE(form_->cardButton(20)->geometry(), gridButton);
    QCOMPARE(Find<QPushButton>("Button4")->x() + Find<QPushButton>("Button4")->width(),
             Find<QGroupBox>("GroupBox2")->width() - 5);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
