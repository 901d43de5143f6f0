// The options dialog on the offscreen platform: the controls follow the
// settings in force, every change lands in the settings at once, and typed
// numbers are checked when the user has finished with them.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "cards/notation.h"
#include "calculator/calculator.h"
#include "persist/config_file.h"
#include "real_input.h"
#include "support/widgets.h"
#include "ui/look.h"
#include "ui/runtime_dialogs.h"
#include "ui/unit6.h"

using zlc::Calculator;
using zlc::ui::TForm6;

namespace {

using zlc::test::U;

const char* const kRuLabel = "{6,7,8,9,X,В,Д,К,Т} & {п,б,к,ч}";
const char* const kEnLabel = "{6,7,8,9,X,J,Q,K,A} & {s,d,c,h}";

}  // namespace

class OptionsDialogTest : public QObject {
  Q_OBJECT

 private:
  QStringList messages_;
  std::unique_ptr<Calculator> calc_;
  std::unique_ptr<TForm6> form_;

  void Open() {
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  template <typename W>
  W* Find(const char* name) {
    return zlc::test::FindIn<W>(form_.get(), name);
  }
  QComboBox* Combo(const char* name) { return Find<QComboBox>(name); }
  // Replaces the box's text as typing would, without finishing the edit.
  void Type(const char* name, const QString& text) {
    QLineEdit* edit = Combo(name)->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }
  void TypeAndEnter(const char* name, const QString& text) {
    Type(name, text);
    QTest::keyClick(Combo(name)->lineEdit(), Qt::Key_Return);
  }
  // Opens the box's list and picks the item as the user does.
  void Pick(const char* name, const QString& item) {
    QComboBox* box = Combo(name);
    const int index = box->findText(item);
    QVERIFY(index >= 0);
    box->showPopup();
    QAbstractItemView* view = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    view->setCurrentIndex(box->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
  }
  bool Enabled(const char* radio) { return Find<QRadioButton>(radio)->isEnabled(); }
  bool Checked(const char* radio) { return Find<QRadioButton>(radio)->isChecked(); }

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }

  void init() {
    messages_.clear();
    zlc::ui::SetMessageSink([this](const QString& m) { messages_ << m; });
    calc_ = std::make_unique<Calculator>();
    form_ = std::make_unique<TForm6>(*calc_);
  }

  void cleanup() {
    form_.reset();
    calc_.reset();
    zlc::ui::SetMessageSink(nullptr);
  }

  void layoutAndStartUpValues() {
    Open();
    QCOMPARE(form_->windowTitle(), U("Options"));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QCOMPARE(form_->height(), 216);
    QVERIFY(form_->width() >= 306);
    // Each row starts where it was drawn. A caption wider in this face than
    // drawn pushes what follows it over, never under it, and the window
    // grows around the row; "Ok" stays in the middle.
    const QList<QList<const char*>> rows{{"Label1", "ComboBox1", "Label3"},
                                         {"CheckBox2", "RadioButton1", "RadioButton2"},
                                         {"Label6", "ComboBox3"},
                                         {"Label4", "ComboBox2"}};
    const QList<QPoint> drawn{{24, 19}, {40, 80}, {40, 120}, {24, 152}};
    for (qsizetype r = 0; r < rows.size(); ++r) {
      QCOMPARE(Find<QWidget>(rows[r].first())->pos(), drawn[r]);
      for (qsizetype k = 1; k < rows[r].size(); ++k) {
        const QRect before = Find<QWidget>(rows[r][k - 1])->geometry();
        const QRect after = Find<QWidget>(rows[r][k])->geometry();
        QVERIFY2(before.right() < after.left(), rows[r][k]);
        QVERIFY2(form_->rect().contains(after), rows[r][k]);
      }
    }
    QVERIFY(Combo("ComboBox1")->x() >= 72 && Combo("ComboBox1")->width() >= 41);
    QVERIFY(Find<QRadioButton>("RadioButton1")->x() >= 176);
    QVERIFY(Combo("ComboBox3")->x() >= 112 && Combo("ComboBox3")->width() >= 57);
    QVERIFY(Combo("ComboBox2")->x() >= 120 && Combo("ComboBox2")->width() >= 49);
    const QRect ok = Find<QPushButton>("Button1")->geometry();
    QCOMPARE(ok.size(), QSize(81, 25));
    QCOMPARE(ok.top(), 184);
    QVERIFY(qAbs(ok.left() - (form_->width() - ok.right() - 1)) <= 1);

    QCOMPARE(Combo("ComboBox1")->currentText(), U("Ru"));
    QCOMPARE(Find<QLabel>("Label3")->text(), U(kRuLabel));
    QVERIFY(!Find<QCheckBox>("CheckBox1")->isChecked());
    QVERIFY(!Find<QCheckBox>("CheckBox2")->isChecked());
    QVERIFY(!Enabled("RadioButton1") && !Enabled("RadioButton2"));
    QVERIFY(!Find<QCheckBox>("CheckBox4")->isChecked());
    QCOMPARE(Combo("ComboBox3")->currentText(), U("5000"));
    QCOMPARE(Combo("ComboBox2")->currentText(), U("1000"));
    QCOMPARE(Combo("ComboBox3")->count(), 10);
    QCOMPARE(Combo("ComboBox3")->itemText(9), U("10000"));
    QCOMPARE(form_->ClearAtRnCaption(), U("Clear at RN > 5000"));
  }

  void staticMarkChoice() {
    Open();
    auto* box = Find<QCheckBox>("CheckBox2");
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(Enabled("RadioButton1") && Enabled("RadioButton2"));
    QVERIFY(!Checked("RadioButton1") && !Checked("RadioButton2"));
    QCOMPARE(calc_->settings.staticMarkMode, zlc::StaticMarks::None);

    QTest::mouseClick(Find<QRadioButton>("RadioButton1"), Qt::LeftButton);
    QCOMPARE(calc_->settings.staticMarkMode, zlc::StaticMarks::Exclaim);
    QTest::mouseClick(Find<QRadioButton>("RadioButton2"), Qt::LeftButton);
    QCOMPARE(calc_->settings.staticMarkMode, zlc::StaticMarks::Brackets);
    QVERIFY(!Checked("RadioButton1") && Checked("RadioButton2"));

    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(calc_->settings.staticMarkMode, zlc::StaticMarks::None);
    QVERIFY(!Checked("RadioButton1") && !Checked("RadioButton2"));
    QVERIFY(!Enabled("RadioButton1") && !Enabled("RadioButton2"));

    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(Enabled("RadioButton1") && Enabled("RadioButton2"));
    QVERIFY(!Checked("RadioButton1") && !Checked("RadioButton2"));
    QCOMPARE(calc_->settings.staticMarkMode, zlc::StaticMarks::None);

    // The other two marks are plain switches.
    QTest::mouseClick(Find<QCheckBox>("CheckBox1"), Qt::LeftButton);
    QTest::mouseClick(Find<QCheckBox>("CheckBox4"), Qt::LeftButton);
    QCOMPARE(calc_->settings.markTransits, 1);
    QCOMPARE(calc_->settings.deleteSpaces, 1);
    QTest::mouseClick(Find<QCheckBox>("CheckBox4"), Qt::LeftButton);
    QCOMPARE(calc_->settings.deleteSpaces, 0);
  }

  void notationChoice() {
    calc_->editor.CardButtonClick(1);
    calc_->editor.CardButtonClick(36);
    const std::string task = calc_->editor.Text();
    Open();

    Pick("ComboBox1", "En");
    QCOMPARE(Find<QLabel>("Label3")->text(), U(kEnLabel));
    QCOMPARE(calc_->notation.notationName, std::string("En"));
    QCOMPARE(calc_->notation.baseDeck, std::string(zlc::kEnBaseDeck));
    // The task changes letters with the deck, at once: a run going on meets
    // both in the same notation. The other settings stay.
    QCOMPARE(task, std::string("6\xEF \xD2\xF7 "));
    QCOMPARE(calc_->editor.Text(), std::string("6s Ah "));
    QCOMPARE(calc_->editor.Caption(1), std::string("6s"));
    QVERIFY(!calc_->editor.Enabled(1) && !calc_->editor.Enabled(36));
    QCOMPARE(calc_->settings.clearThreshold, 5000);
    QCOMPARE(calc_->settings.shuffleDepth, 1000);
    QCOMPARE(calc_->settings.staticMarkMode, zlc::StaticMarks::None);
    QVERIFY(messages_.isEmpty());

    // A name of neither notation changes nothing.
    Type("ComboBox1", "Fr");
    QCOMPARE(calc_->notation.notationName, std::string("En"));
    QCOMPARE(calc_->notation.rankLetters, std::string(zlc::kEnRanks));
    QCOMPARE(Find<QLabel>("Label3")->text(), U(kEnLabel));
    QCOMPARE(calc_->editor.Text(), std::string("6s Ah "));

    Type("ComboBox1", "Ru");
    QCOMPARE(Find<QLabel>("Label3")->text(), U(kRuLabel));
    QCOMPARE(calc_->notation.suitLetters, std::string(zlc::kRuSuits));
    QCOMPARE(calc_->editor.Text(), task);
  }

  void reopeningShowsSettingsInForce() {
    calc_->settings.markTransits = 1;
    calc_->settings.staticMarkMode = zlc::StaticMarks::Brackets;
    calc_->settings.deleteSpaces = 1;
    calc_->settings.clearThreshold = 7000;
    calc_->settings.shuffleDepth = 333;
    zlc::SetNotation(calc_->notation, 2);
    Open();
    QCOMPARE(Combo("ComboBox1")->currentText(), U("En"));
    QCOMPARE(Find<QLabel>("Label3")->text(), U(kEnLabel));
    QVERIFY(Find<QCheckBox>("CheckBox1")->isChecked());
    QVERIFY(Find<QCheckBox>("CheckBox2")->isChecked());
    QVERIFY(Enabled("RadioButton1") && Enabled("RadioButton2"));
    QVERIFY(!Checked("RadioButton1") && Checked("RadioButton2"));
    QVERIFY(Find<QCheckBox>("CheckBox4")->isChecked());
    QCOMPARE(Combo("ComboBox3")->currentText(), U("7000"));
    QCOMPARE(Combo("ComboBox2")->currentText(), U("333"));
    QCOMPARE(form_->ClearAtRnCaption(), U("Clear at RN > 7000"));
    form_->hide();

    // Changed behind the dialog's back, as opening a task file does.
    calc_->settings.staticMarkMode = zlc::StaticMarks::Exclaim;
    calc_->settings.clearThreshold = 12345;
    zlc::SetNotation(calc_->notation, 1);
    Open();
    QCOMPARE(Combo("ComboBox1")->currentText(), U("Ru"));
    QCOMPARE(Find<QLabel>("Label3")->text(), U(kRuLabel));
    QVERIFY(Checked("RadioButton1") && !Checked("RadioButton2"));
    QCOMPARE(Combo("ComboBox3")->currentText(), U("12345"));
    form_->hide();

    calc_->settings.staticMarkMode = zlc::StaticMarks::None;
    calc_->settings.markTransits = 0;
    Open();
    QVERIFY(!Find<QCheckBox>("CheckBox2")->isChecked());
    QVERIFY(!Enabled("RadioButton1") && !Enabled("RadioButton2"));
    QVERIFY(!Checked("RadioButton1") && !Checked("RadioButton2"));
    QVERIFY(!Find<QCheckBox>("CheckBox1")->isChecked());
    QVERIFY(messages_.isEmpty());
  }

  void clearThresholdCaption() {
    QSignalSpy spy(form_.get(), &TForm6::clearThresholdCaptionChanged);
    Open();
    QCOMPARE(spy.count(), 0);  // showing changes nothing

    Pick("ComboBox3", "1000");
    QCOMPARE(calc_->settings.clearThreshold, 1000);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), U("Clear at RN > 1000"));

    // Typing is read only when finished; the caption shows the number read.
    Type("ComboBox3", "+0750");
    QCOMPARE(calc_->settings.clearThreshold, 1000);
    QTest::keyClick(Combo("ComboBox3")->lineEdit(), Qt::Key_Return);
    QCOMPARE(calc_->settings.clearThreshold, 750);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), U("Clear at RN > 750"));
    QCOMPARE(Combo("ComboBox3")->currentText(), U("750"));

    // A negative threshold clears after every result.
    Open();
    TypeAndEnter("ComboBox3", "-1");
    QCOMPARE(calc_->settings.clearThreshold, -1);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(2).at(0).toString(), U("Clear at RN > -1"));

    Open();
    TypeAndEnter("ComboBox3", "lots");
    QVERIFY(form_->isVisible());
    QTRY_COMPARE(messages_, QStringList{U("'lots' is not a valid integer value")});
    QCOMPARE(calc_->settings.clearThreshold, -1);
    QCOMPARE(spy.count(), 3);
  }

  // A number longer than the list's widens its box, and the window around
  // it, as soon as it is taken.
  void aLongNumberWidensItsBox() {
    Open();
    Type("ComboBox3", "123456789");
    Find<QPushButton>("Button1")->setFocus();  // leaving the box
    QCOMPARE(calc_->settings.clearThreshold, 123456789);
    QComboBox* box = Combo("ComboBox3");
    QVERIFY(box->lineEdit()->width() > box->fontMetrics().horizontalAdvance("123456789"));
    QVERIFY(form_->rect().contains(box->geometry()));
    const QRect ok = Find<QPushButton>("Button1")->geometry();
    QVERIFY(qAbs(ok.left() - (form_->width() - ok.right() - 1)) <= 1);
  }

  void shuffleDepthTyped() {
    Open();
    TypeAndEnter("ComboBox2", "abc");
    QVERIFY(form_->isVisible());  // a refused number keeps the dialog open
    QTRY_COMPARE(messages_, QStringList{U("'abc' is not a valid integer value")});
    QCOMPARE(calc_->settings.shuffleDepth, 1000);
    QCOMPARE(Combo("ComboBox2")->currentText(), U("1000"));
    // Finishing again, by leaving the box or by Enter, reports nothing more.
    Find<QPushButton>("Button1")->setFocus();
    QTest::keyClick(Combo("ComboBox2")->lineEdit(), Qt::Key_Return);
    QVERIFY(!form_->isVisible());
    QCOMPARE(messages_.size(), 1);
    Open();

    // A depth of 0 or less is a whole number: no transpositions at all.
    messages_.clear();
    TypeAndEnter("ComboBox2", "-5");
    QVERIFY(!form_->isVisible());
    QCOMPARE(calc_->settings.shuffleDepth, -5);
    Open();
    QCOMPARE(Combo("ComboBox2")->currentText(), U("-5"));
    for (const char* text : {"-", "", "1e3"}) TypeAndEnter("ComboBox2", text);
    QTRY_COMPARE(messages_, (QStringList{U("'-' is not a valid integer value"), U("'' is not a valid integer value"),
                                         U("'1e3' is not a valid integer value")}));
    QCOMPARE(calc_->settings.shuffleDepth, -5);

    // A whole number the depth does not take is told by its range; one that
    // would hold a batch for hours is refused as well as one past 32 bits.
    messages_.clear();
    for (const char* text : {"100001", "99999999999", "-99999999999"}) TypeAndEnter("ComboBox2", text);
    QTRY_COMPARE(messages_, (QStringList{
                                U("'100001' is out of range: the shuffling depth takes at most 100000"),
                                U("'99999999999' is out of range: the shuffling depth takes at most 100000"),
                                U("'-99999999999' is out of range: the shuffling depth takes "
                                  "-2147483648 to 100000")}));
    QCOMPARE(calc_->settings.shuffleDepth, -5);
    TypeAndEnter("ComboBox2", "100000");
    QCOMPARE(calc_->settings.shuffleDepth, 100000);
    QVERIFY(!form_->isVisible());  // Enter settles the number, then closes

    // Leaving the box settles what was typed.
    Open();
    Type("ComboBox2", "500");
    QCOMPARE(calc_->settings.shuffleDepth, 100000);
    Find<QPushButton>("Button1")->setFocus();
    QCOMPARE(calc_->settings.shuffleDepth, 500);
  }

  void closingSettlesTypedNumbers() {
    Open();
    Type("ComboBox2", "42");
    Type("ComboBox3", "3000");
    QSignalSpy spy(form_.get(), &TForm6::clearThresholdCaptionChanged);
    // The close box, not "Ok": the focus stays in the box being typed in.
    QVERIFY(form_->close());
    QVERIFY(!form_->isVisible());
    QCOMPARE(calc_->settings.shuffleDepth, 42);
    QCOMPARE(calc_->settings.clearThreshold, 3000);
    QCOMPARE(spy.count(), 1);
    QVERIFY(messages_.isEmpty());

    Open();
    QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton);
    QVERIFY(!form_->isVisible());
  }

  // "En" chosen, then End and a letter more, and Enter: the name in force
  // stays En, and so does what the configuration file keeps of it.
  void aNameTypedOnFromTheChoiceKeepsTheNotation() {
    Open();
    real_input::Click(Combo("ComboBox1")->lineEdit());
    real_input::Key(Qt::Key_Down);  // the next item, En
    QCOMPARE(Combo("ComboBox1")->currentText(), U("En"));
    real_input::Key(Qt::Key_End);
    real_input::Type("g");
    QCOMPARE(Combo("ComboBox1")->currentText(), U("Eng"));
    QCOMPARE(Find<QLabel>("Label3")->text(), U(kEnLabel));
    real_input::Key(Qt::Key_Return);
    QVERIFY(!form_->isVisible());
    QCOMPARE(calc_->notation.notationName, std::string("En"));
    QCOMPARE(calc_->notation.baseDeck, std::string(zlc::kEnBaseDeck));

    // The next start reads the file back into En.
    const std::string saved = zlc::ConfigText(calc_->notation, calc_->settings, calc_->filter);
    QVERIFY(saved.rfind("Defs = En\r\n", 0) == 0);
    Calculator next;
    for (const QString& line : QString::fromStdString(saved).split("\r\n", Qt::SkipEmptyParts)) {
      zlc::ApplyConfigLine({next.notation, next.settings, next.filter}, line.toStdString(), nullptr);
    }
    QCOMPARE(next.notation.notationName, std::string("En"));
    QCOMPARE(next.notation.suitLetters, std::string(zlc::kEnSuits));

    // A name of neither notation, left with Tab: the box names the one in
    // force again, and the focus goes on.
    Open();
    real_input::Click(Combo("ComboBox1")->lineEdit());
    real_input::Key(Qt::Key_A, Qt::ControlModifier);
    real_input::Type("Fr");
    QCOMPARE(Combo("ComboBox1")->currentText(), U("Fr"));
    real_input::Key(Qt::Key_Tab);
    QCOMPARE(Combo("ComboBox1")->currentText(), U("En"));
    QVERIFY(!Combo("ComboBox1")->hasFocus());
    QCOMPARE(calc_->notation.notationName, std::string("En"));
    QCOMPARE(Find<QLabel>("Label3")->text(), U(kEnLabel));
  }

  // With the real message box: a refused number leaves the dialog open under
  // the message, whichever way the user finished with the box, and the focus
  // comes back to the box with its text selected, to type the correction.
  void aRefusedNumberWaitsForItsCorrection() {
    zlc::ui::SetMessageSink(nullptr);
    real_input::MessageBoxes boxes;
    QComboBox* depth = Combo("ComboBox2");
    auto expectCorrection = [&](QComboBox* box, const QString& shown) {
      QTRY_VERIFY(box->hasFocus());
      QVERIFY(form_->isVisible());
      QCOMPARE(box->currentText(), shown);
      QCOMPARE(box->lineEdit()->selectedText(), shown);
    };

    // Enter.
    Open();
    real_input::Click(depth->lineEdit());
    real_input::Key(Qt::Key_A, Qt::ControlModifier);
    real_input::Type("100001");
    real_input::Key(Qt::Key_Return);
    QTRY_COMPARE(boxes.texts, QStringList{U("'100001' is out of range: the shuffling depth takes at most 100000")});
    QCOMPARE(boxes.overShownWindow, QList<bool>{true});
    expectCorrection(depth, U("1000"));
    QCOMPARE(calc_->settings.shuffleDepth, 1000);
    real_input::Type("500");  // over the selection
    real_input::Key(Qt::Key_Return);
    QVERIFY(!form_->isVisible());
    QCOMPARE(calc_->settings.shuffleDepth, 500);

    // Tab, out of the threshold's box.
    Open();
    QComboBox* threshold = Combo("ComboBox3");
    real_input::Click(threshold->lineEdit());
    real_input::Key(Qt::Key_A, Qt::ControlModifier);
    real_input::Type("lots");
    real_input::Key(Qt::Key_Tab);
    QTRY_COMPARE(boxes.texts.size(), 2);
    QCOMPARE(boxes.texts.last(), U("'lots' is not a valid integer value"));
    expectCorrection(threshold, U("5000"));

    // A click on "Ok", and the window's close box: the message comes instead
    // of the close. The box then holds the value in force, so a second close
    // goes through.
    real_input::Key(Qt::Key_Backspace);
    real_input::Type("x");
    real_input::Click(Find<QPushButton>("Button1"));
    QTRY_COMPARE(boxes.texts.size(), 3);
    QCOMPARE(boxes.texts.last(), U("'x' is not a valid integer value"));
    expectCorrection(threshold, U("5000"));
    real_input::Type("-");
    QVERIFY(!form_->close());
    QTRY_COMPARE(boxes.texts.size(), 4);
    expectCorrection(threshold, U("5000"));
    QCOMPARE(boxes.overShownWindow, QList<bool>(4, true));
    QVERIFY(form_->close());
    QCOMPARE(calc_->settings.clearThreshold, 5000);
  }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
