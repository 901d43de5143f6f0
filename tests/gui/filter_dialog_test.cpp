// The filter dialog and the hexagram table on the offscreen platform: card
// labels, line bars, suit buttons, balance boxes, the generation and
// threshold controls, and picking from the table with the mouse.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <memory>

#include "analysis/hexagrams.h"
#include "calculator/calculator.h"
#include "filter/filter_description.h"
#include "filter/filter_editing.h"
#include "support/widgets.h"
#include "ui/look.h"
#include "ui/runtime_dialogs.h"
#include "ui/unit2.h"
#include "ui/unit3.h"
#include "real_input.h"

using zlc::Calculator;
using zlc::ElementState;
using zlc::ui::TForm2;
using zlc::ui::TForm3;

namespace {

constexpr int kSix = 0, kSeven = 1, kEight = 2, kNine = 3, kTen = 4, kJack = 5, kQueen = 6, kKing = 7,
              kAce = 8;

using zlc::test::U;
// Written apart so that no "??)" sequence appears.
const QString kNoFigure = "#?  (" + QString(6, '?') + ")";
// "#?  (" + the given line digits, the rest unknown, + ")".
QString PartFigure(const QString& digits) { return "#?  (" + digits.leftJustified(6, '?') + ")"; }

bool IsBlack(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(Qt::black); }

}  // namespace

class FilterDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Calculator> calc_;
  std::unique_ptr<TForm2> form_;
  QStringList messages_;
  int picks_ = 0;
  int nextPick_ = -1;

  // Unless `withTable`, "set" is answered by nextPick_ instead of the table.
  void Open(bool withTable = false) {
    form_ = std::make_unique<TForm2>(*calc_, "Filtering Settings");
    if (!withTable) {
      form_->hexagramPicker = [this] {
        ++picks_;
        return nextPick_;
      };
    }
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  template <typename W>
  W* Find(const char* name) {
    return zlc::test::FindIn<W>(form_.get(), name);
  }
  ElementState Cell(int suit, int rank) { return calc_->filter.elementGrid[suit][rank]; }
  void ClickLabel(int suit, int rank) { QTest::mouseClick(form_->cardLabel(suit, rank), Qt::LeftButton); }
  void ClickBar(int suit, int bar, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(form_->paintBox(), button, {}, form_->LineBarRect(suit, bar).center());
  }
  QImage Figures() { return form_->paintBox()->grab().toImage(); }
  QString Text(QLabel* label) { return label->text(); }
  void TypeThreshold(const QString& text) {
    QComboBox* box = Find<QComboBox>("ComboBox4");
    box->lineEdit()->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
  }

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }

  void init() {
    calc_ = std::make_unique<Calculator>();
    messages_.clear();
    picks_ = 0;
    nextPick_ = -1;
    zlc::ui::SetMessageSink([this](const QString& m) { messages_ << m; });
  }

  void cleanup() {
    form_.reset();
    calc_.reset();
    zlc::ui::SetMessageSink(nullptr);
  }

  void opensWithTheSettingsInTheNotationInForce() {
    calc_->filter.lfThreshold = 12;
    calc_->filter.elementGrid[1][kNine] = ElementState::Static;
    calc_->filter.hbEnabled = 1;
    calc_->filter.hbRequired[2] = 1;
    for (int suit = 0; suit < 3; ++suit) calc_->filter.elementGrid[suit][kQueen] = ElementState::Mobile;
    calc_->filter.hbRequired[3] = 1;  // a flag for a line that cannot balance
    Open();
    QCOMPARE(form_->windowTitle(), QString("Filtering Settings"));
    QVERIFY(form_->width() >= 543 && form_->height() >= 316);
    QCOMPARE(form_->minimumSize(), form_->maximumSize());

    QCOMPARE(Find<QComboBox>("ComboBox4")->currentText(), QString("12"));
    QVERIFY(Find<QCheckBox>("CheckBox3")->isChecked());
    QCOMPARE(Text(form_->cardLabel(0, kSix)), U("6п"));
    QCOMPARE(Text(form_->cardLabel(1, kNine)), U("[9б]"));
    QVERIFY(form_->cardLabel(1, kNine)->font().bold());
    QCOMPARE(Text(form_->hexagramLabel(1)), PartFigure("0??1"));
    QCOMPARE(Text(form_->hexagramLabel(0)), PartFigure("???1"));
    QVERIFY(form_->balanceBox(3)->isChecked());
    QVERIFY(form_->balanceBox(4)->isChecked());
    QVERIFY(!form_->balanceBox(4)->isEnabled());
    QCOMPARE(Text(Find<QLabel>("Label3")), QString("HB:(?/?/=/=/?/?)"));

    // Each opening shows the notation in force then.
    form_->hide();
    zlc::SetNotation(calc_->notation, 2);
    form_->show();
    QCOMPARE(Text(form_->cardLabel(0, kSix)), QString("6s"));
    QCOMPARE(Text(form_->cardLabel(1, kNine)), QString("[9d]"));
  }

  // Each suit block starts where drawn; its card rows and columns stand as
  // far apart as the labels need in this face, in either notation and with
  // every card bold in brackets. Each bar is level with its card's row and
  // right of both columns, the hexagram label clear above the bars, the
  // buttons below the cards, all inside the group.
  void suitBlocksKeepTheirCardsApart() {
    for (ElementState& cell : calc_->filter.elementGrid[0]) cell = ElementState::Static;
    const QFont design = QApplication::font();
    QFont large = design;
    large.setPixelSize(18);  // and in a face far larger than the layout's
    for (auto [kind, font] : {std::pair{1, design}, {2, design}, {1, large}}) {
      zlc::SetNotation(calc_->notation, kind);
      QApplication::setFont(font);
      Open();
      QApplication::setFont(design);
      const QWidget* group = form_->paintBox()->parentWidget();
      const QPoint paintBoxAt = form_->paintBox()->pos();
      int blockRight = -1;
      for (int suit = 0; suit < 4; ++suit) {
        const QPoint ace = form_->cardLabel(suit, kAce)->pos();
        QVERIFY(ace.x() >= 15 + 134 * suit && ace.y() >= 50);
        QVERIFY(ace.x() > blockRight);
        QList<QWidget*> block;
        for (int rank = 0; rank < 9; ++rank) block << form_->cardLabel(suit, rank);
        block << form_->hexagramLabel(suit) << form_->clearButton(suit) << form_->setButton(suit);
        for (QWidget* a : block) {
          QVERIFY2(group->rect().contains(a->geometry()), qPrintable(a->objectName()));
          for (QWidget* b : block) {
            QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                     qPrintable(a->objectName() + " on " + b->objectName()));
          }
        }
        const QRect rightColumn = form_->cardLabel(suit, kJack)->geometry();
        for (int bar = 0; bar < 6; ++bar) {
          const QRect r = form_->LineBarRect(suit, bar).translated(paintBoxAt);
          const QRect card = form_->cardLabel(suit, zlc::kBarRanks[bar])->geometry();
          QVERIFY(r.top() >= card.top() && r.bottom() <= card.bottom());
          QVERIFY(r.left() > rightColumn.right() && r.left() > form_->cardLabel(suit, kEight)->geometry().right());
          QVERIFY(form_->paintBox()->rect().contains(form_->LineBarRect(suit, bar)));
          if (bar == 0) QVERIFY(form_->hexagramLabel(suit)->geometry().bottom() + 3 < r.top());
        }
        QVERIFY(form_->clearButton(suit)->y() > form_->cardLabel(suit, kNine)->geometry().bottom());
        for (QWidget* w : block) blockRight = std::max(blockRight, w->geometry().right());
        blockRight = std::max(blockRight, form_->LineBarRect(suit, 0).translated(paintBoxAt).right());
      }
      QCOMPARE(form_->cardLabel(0, kAce)->x(), 15);
    }
  }

  void threeClicksCycleALabel() {
    Open();
    QLabel* label = form_->cardLabel(0, kSix);
    ClickLabel(0, kSix);
    QCOMPARE(Text(label), U("[6п]"));
    QVERIFY(label->font().bold());
    QCOMPARE(Cell(0, kSix), ElementState::Static);
    ClickLabel(0, kSix);
    QCOMPARE(Text(label), U("6п"));
    QVERIFY(label->font().bold());
    QCOMPARE(Cell(0, kSix), ElementState::Mobile);
    ClickLabel(0, kSix);
    QCOMPARE(Text(label), U("6п"));
    QVERIFY(!label->font().bold());
    QCOMPARE(Cell(0, kSix), ElementState::Any);
  }

  void barsAndLabelsStayInStep() {
    Open();
    const QRect ace = form_->LineBarRect(1, 0);
    QCOMPARE(ace.size(), QSize(50, 8));

    // A bar click is a label click; any button, only inside the bar.
    ClickBar(1, 0);
    QCOMPARE(Cell(1, kAce), ElementState::Static);
    QCOMPARE(Text(form_->cardLabel(1, kAce)), U("[Тб]"));
    QTest::mouseClick(form_->paintBox(), Qt::LeftButton, {}, ace.topLeft() + QPoint(50, 3));
    QTest::mouseClick(form_->paintBox(), Qt::LeftButton, {}, ace.topLeft() + QPoint(10, 8));
    QCOMPARE(Cell(1, kAce), ElementState::Static);
    ClickBar(3, 5, Qt::RightButton);
    QCOMPARE(Cell(3, kNine), ElementState::Static);
    QCOMPARE(Text(form_->hexagramLabel(3)), PartFigure("0"));

    // A broken bar: black one pixel inside each half, the middle open.
    QImage image = Figures();
    QVERIFY(IsBlack(image, ace.left() + 5, ace.top() + 4));
    QVERIFY(IsBlack(image, ace.left() + 40, ace.top() + 4));
    QVERIFY(IsBlack(image, ace.left() + 1, ace.top() + 1));
    QVERIFY(!IsBlack(image, ace.left() + 25, ace.top() + 4));
    QVERIFY(!IsBlack(image, ace.left() + 19, ace.top() + 4));
    QVERIFY(!IsBlack(image, ace.left(), ace.top()));

    // The label of a line rank moves its bar; 7, 8 and J move none.
    ClickLabel(1, kAce);
    image = Figures();
    QVERIFY(IsBlack(image, ace.left() + 25, ace.top() + 4));
    QVERIFY(!IsBlack(image, ace.right(), ace.top() + 4));
    ClickLabel(1, kJack);
    ClickLabel(1, kSeven);
    QCOMPARE(Cell(1, kJack), ElementState::Static);
    QCOMPARE(Figures(), image);

    // Back to Any: a grey outline around an empty bar.
    ClickLabel(1, kAce);
    image = Figures();
    QCOMPARE(image.pixelColor(ace.left(), ace.top() + 4), QColor(128, 128, 128));
    QCOMPARE(image.pixelColor(ace.right(), ace.bottom()), QColor(128, 128, 128));
    QVERIFY(image.pixelColor(ace.left() + 25, ace.top() + 4) != QColor(128, 128, 128));
    QVERIFY(!IsBlack(image, ace.left() + 25, ace.top() + 4));
  }

  void setWritesTheChosenHexagram() {
    calc_->filter.elementGrid[0][kJack] = ElementState::Static;
    Open();
    nextPick_ = 11;
    QTest::mouseClick(form_->setButton(0), Qt::LeftButton);
    QCOMPARE(picks_, 1);
    QCOMPARE(Cell(0, kAce), ElementState::Static);
    QCOMPARE(Cell(0, kNine), ElementState::Mobile);
    QCOMPARE(Cell(0, kJack), ElementState::Static);
    QCOMPARE(Text(form_->hexagramLabel(0)), QString("#11  (111000)"));
    QCOMPARE(Text(form_->cardLabel(0, kAce)), U("[Тп]"));
    QCOMPARE(Text(form_->hexagramLabel(1)), kNoFigure);

    nextPick_ = -1;  // closed without a pick: nothing changes
    const auto before = calc_->filter.elementGrid;
    QTest::mouseClick(form_->setButton(0), Qt::LeftButton);
    QCOMPARE(picks_, 2);
    QVERIFY(calc_->filter.elementGrid == before);
  }

  void setAsksTheHexagramTable() {
    Open(true);
    // Answers the table once its modal loop runs.
    TForm3* table = form_->hexTable();
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, table, [table, &poll] {
      if (!table->isVisible()) return;
      poll.stop();
      table->PaintBox1MouseMove({2 * 61 + 30, 5 * 59 + 30});
      table->PaintBox1MouseUp({2 * 61 + 30, 5 * 59 + 30});
    });
    poll.start();
    QTest::mouseClick(form_->setButton(2), Qt::LeftButton);
    QVERIFY(!table->isVisible());
    QCOMPARE(Text(form_->hexagramLabel(2)), QString("#64  (010101)"));
    QCOMPARE(Cell(2, kAce), ElementState::Mobile);
    QCOMPARE(Cell(2, kKing), ElementState::Static);
    QCOMPARE(Cell(2, kNine), ElementState::Static);
    QCOMPARE(Cell(2, kSix), ElementState::Mobile);
  }

  void clearResetsOneBlock() {
    Open();
    nextPick_ = 11;
    QTest::mouseClick(form_->setButton(0), Qt::LeftButton);
    QTest::mouseClick(form_->setButton(1), Qt::LeftButton);
    ClickLabel(0, kEight);
    QTest::mouseClick(form_->clearButton(0), Qt::LeftButton);
    for (int rank = 0; rank < 9; ++rank) {
      QCOMPARE(Cell(0, rank), ElementState::Any);
      QVERIFY(!form_->cardLabel(0, rank)->font().bold());
    }
    QCOMPARE(Text(form_->hexagramLabel(0)), kNoFigure);
    QCOMPARE(Text(form_->hexagramLabel(1)), QString("#11  (111000)"));
    const QImage image = Figures();
    for (int bar = 0; bar < 6; ++bar) {
      const QRect r = form_->LineBarRect(0, bar);
      QCOMPARE(image.pixelColor(r.left(), r.top() + 3), QColor(128, 128, 128));
      QVERIFY(!IsBlack(image, r.left() + 5, r.top() + 3));
      QVERIFY(IsBlack(image, form_->LineBarRect(1, bar).left() + 5, r.top() + 3));
    }
  }

  void balanceBoxesFollowTheGrid() {
    Open();
    QLabel* label3 = Find<QLabel>("Label3");
    QCheckBox* line1 = form_->balanceBox(1);
    QTest::mouseClick(line1, Qt::LeftButton);
    QTest::mouseClick(form_->balanceBox(6), Qt::LeftButton);
    QCOMPARE(calc_->filter.hbRequired[0], 1);
    QCOMPARE(Text(label3), QString("HB:(=/?/?/?/?/=)"));

    ClickLabel(0, kNine);
    ClickLabel(1, kNine);
    QVERIFY(line1->isEnabled());
    QVERIFY(line1->isChecked());
    ClickBar(2, 5);  // the third static 9
    QVERIFY(!line1->isEnabled());
    QVERIFY(!line1->isChecked());
    QCOMPARE(calc_->filter.hbRequired[0], 0);
    QCOMPARE(Text(label3), QString("HB:(?/?/?/?/?/=)"));

    ClickLabel(1, kNine);
    ClickLabel(1, kNine);  // Any again: two static left
    QVERIFY(line1->isEnabled());
    QVERIFY(!line1->isChecked());

    QTest::mouseClick(Find<QPushButton>("Button2"), Qt::LeftButton);
    QCOMPARE(Text(label3), QString("HB:(?/?/?/?/?/?)"));
    QVERIFY(calc_->filter.hbRequired == (std::array<std::uint8_t, 6>{}));

    // The switches write their flags, also when set from code.
    QTest::mouseClick(Find<QCheckBox>("CheckBox2"), Qt::LeftButton);
    QCOMPARE(calc_->filter.smEnabled, 0);
    Find<QCheckBox>("CheckBox1")->setChecked(true);
    QCOMPARE(calc_->filter.lfEnabled, 1);
  }

  void manyVariantsSurvivesClosing() {
    Open();
    QSignalSpy described(form_.get(), &TForm2::descriptionChanged);
    QComboBox* rv = Find<QComboBox>("ComboBox2");
    rv->lineEdit()->selectAll();
    QTest::keyClicks(rv->lineEdit(), "Man");
    QCOMPARE(calc_->filter.resultVariants, zlc::ResultVariants::One);
    QTest::keyClicks(rv->lineEdit(), "y");
    QCOMPARE(calc_->filter.resultVariants, zlc::ResultVariants::Many);
    rv->setCurrentIndex(0);
    QCOMPARE(calc_->filter.resultVariants, zlc::ResultVariants::One);
    rv->setCurrentIndex(1);
    QCOMPARE(described.count(), 0);

    QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton);
    QVERIFY(!form_->isVisible());
    QCOMPARE(described.count(), 1);
    QCOMPARE(rv->currentText(), QString("Many"));
    const auto lines = zlc::BuildFilterDescription(calc_->filter, calc_->notation);
    QCOMPARE(QString::fromStdString(lines.front()), QString("GM:Random, RV:Many"));
  }

  void thresholdIsTakenWhenTheEditEnds() {
    Open();
    QComboBox* box = Find<QComboBox>("ComboBox4");
    TypeThreshold("40");
    QCOMPARE(calc_->filter.lfThreshold, 8);  // not at every keystroke
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);  // takes it and closes
    QVERIFY(!form_->isVisible());
    QCOMPARE(calc_->filter.lfThreshold, 40);
    QVERIFY(messages_.isEmpty());

    Open();  // a new dialog over the same settings
    box = Find<QComboBox>("ComboBox4");
    TypeThreshold("abc");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QVERIFY(form_->isVisible());  // a refused number keeps the dialog open
    QTRY_COMPARE(messages_, QStringList{"'abc' is not a valid integer value"});
    QCOMPARE(calc_->filter.lfThreshold, 40);
    QCOMPARE(box->currentText(), QString("40"));

    // A whole number past the eight bits is told by the range.
    TypeThreshold("256");
    Find<QPushButton>("Button1")->setFocus();  // leaving the box
    QTRY_COMPARE(messages_.size(), 2);
    QCOMPARE(messages_.last(), QString("'256' is out of range: L(F) takes 0 to 255"));
    QCOMPARE(calc_->filter.lfThreshold, 40);

    box->setCurrentIndex(0);
    emit box->activated(0);  // picked from the list
    QCOMPARE(calc_->filter.lfThreshold, 2);

    // Typed and closed without leaving the box: still taken.
    TypeThreshold("17");
    form_->close();
    QCOMPARE(calc_->filter.lfThreshold, 17);
    QCOMPARE(messages_.size(), 2);
  }

  // With the real message box and the keys a person presses: 300 and Enter
  // in "L(F) <=". The dialog stays open under the message, which says the
  // range, and then the focus is back in the box with the threshold in force
  // selected, to type the correction over it.
  void aRefusedThresholdWaitsForItsCorrection() {
    zlc::ui::SetMessageSink(nullptr);
    real_input::MessageBoxes boxes;
    Open();
    QComboBox* box = Find<QComboBox>("ComboBox4");
    real_input::Click(box->lineEdit());
    real_input::Key(Qt::Key_A, Qt::ControlModifier);
    real_input::Type("300");
    real_input::Key(Qt::Key_Return);
    QTRY_COMPARE(boxes.texts, QStringList{"'300' is out of range: L(F) takes 0 to 255"});
    QCOMPARE(boxes.overShownWindow, QList<bool>{true});
    QTRY_VERIFY(box->hasFocus());
    QVERIFY(form_->isVisible());
    QCOMPARE(box->lineEdit()->selectedText(), QString("8"));
    QCOMPARE(calc_->filter.lfThreshold, 8);

    // Escape closes the message this time; Tab leaves the box with text.
    boxes.AnswerWith(Qt::Key_Escape);
    real_input::Type("9x");
    real_input::Key(Qt::Key_Tab);
    QTRY_COMPARE(boxes.texts.size(), 2);
    QCOMPARE(boxes.texts.last(), QString("'9x' is not a valid integer value"));
    QTRY_VERIFY(box->hasFocus());
    QCOMPARE(box->lineEdit()->selectedText(), QString("8"));

    // "Ok" clicked, and the close box, with a text still refused: the
    // message instead of the close.
    real_input::Type("x");
    real_input::Click(Find<QPushButton>("Button1"));
    QTRY_COMPARE(boxes.texts.size(), 3);
    QTRY_VERIFY(box->hasFocus());
    QVERIFY(form_->isVisible());
    real_input::Type("-");
    QVERIFY(!form_->close());
    QTRY_COMPARE(boxes.texts.size(), 4);
    QCOMPARE(boxes.texts.last(), QString("'-' is not a valid integer value"));
    QCOMPARE(boxes.overShownWindow, QList<bool>(4, true));
    QTRY_VERIFY(box->hasFocus());

    real_input::Type("30");
    real_input::Key(Qt::Key_Return);
    QVERIFY(!form_->isVisible());
    QCOMPARE(calc_->filter.lfThreshold, 30);
    QCOMPARE(boxes.texts.size(), 4);
  }
};

class HexTableTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TForm3> table_;

  void Open() {
    table_->show();
    QVERIFY(QTest::qWaitForWindowExposed(table_.get()));
  }
  static QPoint CellPoint(int column, int row) { return {61 * column + 30, 59 * row + 30}; }

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }
  void init() { table_ = std::make_unique<TForm3>(); }
  void cleanup() { table_.reset(); }

  void pointingAndReleasingPicks() {
    QCOMPARE(table_->size(), QSize(492, 473));
    Open();
    QCOMPARE(table_->windowTitle(), QString("Hex Table"));
    QWidget* box = table_->paintBox();
    QTest::mouseMove(box, CellPoint(2, 5));
    QCOMPARE(table_->windowTitle(), QString("Hex Table  (Hex #64)"));
    QTest::mouseClick(box, Qt::LeftButton, {}, CellPoint(2, 5));
    QCOMPARE(table_->selectedHexagram(), 64);
    QVERIFY(!table_->isVisible());

    // The caption stays; the pick does not.
    Open();
    QCOMPARE(table_->windowTitle(), QString("Hex Table  (Hex #64)"));
    QCOMPARE(table_->selectedHexagram(), -1);
    table_->PaintBox1MouseMove({7 * 61 + 5, 5});
    table_->PaintBox1MouseUp({0, 0});  // any button, the hovered cell counts
    QCOMPARE(table_->selectedHexagram(), 11);
  }

  void noPickWithoutAHoveredCell() {
    Open();
    table_->PaintBox1MouseUp(CellPoint(0, 0));
    QVERIFY(table_->isVisible());
    QCOMPARE(table_->selectedHexagram(), -1);

    // Beyond the eighth pointer cell (8 x 61 = 488) names no cell.
    table_->PaintBox1MouseMove({489, 10});
    QCOMPARE(table_->windowTitle(), QString("Hex Table"));
    table_->PaintBox1MouseUp({489, 10});
    QVERIFY(table_->isVisible());
    table_->PaintBox1MouseMove({-3, 10});
    table_->PaintBox1MouseUp({-3, 10});
    QVERIFY(table_->isVisible());

    table_->close();
    QCOMPARE(table_->selectedHexagram(), -1);
  }

  void drawsTheSixtyFourFigures() {
    Open();
    const QImage image = table_->paintBox()->grab().toImage();
    auto tops = [](int row) {
      QVector<int> t;
      for (int k = 0; k < 6; ++k) t << static_cast<int>(std::lround(58.8 * row + 16 + 7 * k));
      return t;
    };
    // #1, top left: six solid bars, 30 x 5 pixels.
    for (int top : tops(0)) {
      for (int x : {20, 32, 35, 37, 49}) QVERIFY2(IsBlack(image, x, top + 2), qPrintable(QString::number(top)));
      QVERIFY(IsBlack(image, 20, top));
      QVERIFY(IsBlack(image, 49, top + 4));
      QVERIFY(!IsBlack(image, 50, top + 2));
      QVERIFY(!IsBlack(image, 35, top + 5));
      QVERIFY(!IsBlack(image, 35, top - 1));
    }
    // #2, bottom right (x 440): six broken bars with a 6-pixel gap.
    QCOMPARE(tops(7).front(), 428);
    for (int top : tops(7)) {
      for (int x : {440, 451, 458, 469}) QVERIFY(IsBlack(image, x, top + 2));
      for (int x : {452, 455, 457}) QVERIFY(!IsBlack(image, x, top + 2));
    }
    // #11, column 7 row 0: earth above heaven.
    const QVector<int> t = tops(0);
    for (int k = 0; k < 6; ++k) QCOMPARE(IsBlack(image, 440 + 15, t[k] + 2), k >= 3);
    // Numbers are written above the bars.
    bool inked = false;
    for (int x = 20; x < 40; ++x) {
      for (int y = 4; y < 14; ++y) inked = inked || image.pixelColor(x, y).lightness() < 128;
    }
    QVERIFY(inked);
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int status = 0;
  {
    FilterDialogTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  {
    HexTableTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  return status;
}

#include "filter_dialog_test.moc"
