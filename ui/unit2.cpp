#include "ui/unit2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "filter/filter_editing.h"
#include "ui/arrow_focus.h"
#include "ui/caption_fit.h"
#include "ui/card_label.h"
#include "ui/card_words.h"
#include "ui/dialog_keys.h"
#include "ui/look.h"
#include "ui/text.h"
#include "ui/typed_numbers.h"
#include "ui/unit3.h"

namespace zlc::ui {
namespace {

template <typename W>
W* Named(W* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

// Where a suit block's card labels stand by rank 6 .. A: the six line ranks
// in the left column (A on top), 7, 8 and J on the right.
constexpr int kLabelColumn[9] = {0, 1, 1, 0, 0, 1, 0, 0, 0};
constexpr int kLabelRow[9] = {4, 5, 4, 5, 3, 2, 2, 1, 0};
// As drawn: rows 12 pixels apart, columns 25, the bars 52 right of the block's
// left (its labels' column 0), the hexagram label at the top.
constexpr int kBlockTop = 50;
constexpr int kDrawnRowPitch = 12;
constexpr int kDrawnColumn = 25;
constexpr int kDrawnBarsLeft = 52;
constexpr int kHexagramTop = 35;
constexpr int kDrawnBlockStride = 134;
constexpr int kBlocksLeft = 15;
constexpr int kBarWidth = 50;
constexpr int kBarHeight = 8;

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, QRect rect) {
  auto* label = Named(new QLabel(text, parent), name);
  label->setGeometry(rect);
  label->adjustSize();  // labels size themselves to their text
  return label;
}

// Widens a control whose text would not fit the designed width in the font
// this machine substitutes; position and height stay as designed.
void FitWidth(QWidget* w, int needed) {
  if (w->width() < needed) w->resize(needed, w->height());
}

// A label over the figures' fixed face writes in black, whatever the palette.
void InkOnFace(QLabel* label) {
  QPalette pal = label->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) pal.setColor(group, QPalette::WindowText, Qt::black);
  pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
  label->setPalette(pal);
}

void ShowCardLabel(QLabel* label, ElementState state, const std::string& name) {
  QFont font = label->font();
  font.setBold(CardLabelBold(state));
  label->setFont(font);
  label->setText(ToQt(CardLabelText(state, name)));
  label->adjustSize();
}

}  // namespace

TForm2::TForm2(Calculator& calc, const QString& caption, QWidget* mainWindow, TForm3* hexTable)
    : QDialog(mainWindow), calc_(calc), form3_(hexTable ? hexTable : new TForm3(this)) {
  setObjectName("Form2");
  hexagramPicker = [this] {
    form3_->exec();
    return form3_->selectedHexagram();
  };
  FormCreate(caption);
}

QRect TForm2::LineBarRect(int suit, int bar) const {
  return {BlockLeft(suit) + barsLeft_ - PaintBox1->x(), RowTop(bar) + barDrop_ - PaintBox1->y(), kBarWidth,
          kBarHeight};
}

int TForm2::RowTop(int row) const { return blockTop_ + rowPitch_ * row; }

int TForm2::BlockLeft(int suit) const { return kBlocksLeft + blockStride_ * suit; }

void TForm2::FormCreate(const QString& caption) {
  setWindowTitle(caption);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  CreateControls();
  for (int suit = 0; suit < kSuitCount; ++suit) BuildSuitBlock(suit);
  BuildBalanceBoxes();
  PlaceSuitBlocks();
  FitCaptions();
  ChainFocus();
  NameForReaders();
  ShowSuitBlocks();
  RefreshFilterDialog();
}

// The card labels' rows and columns stand as far apart as the tallest and
// the widest label needs in this face (any card of either notation, bold in
// brackets), never closer than drawn; the bars keep right of both columns,
// each level with its row, the hexagram label clear above the first, and
// the blocks clear of each other. The dialog grows by what they need more.
void TForm2::PlaceSuitBlocks() {
  QSize card(0, 0);
  QLabel* probe = blocks_[0].labels[0];
  for (int kind : {static_cast<int>(Notation::Ru), static_cast<int>(Notation::En)}) {
    NotationSet letters;
    SetNotation(letters, kind);
    for (int suit = 0; suit < kSuitCount; ++suit) {
      for (int rank = 0; rank < kRankCount; ++rank) {
        for (ElementState state : {ElementState::Any, ElementState::Static, ElementState::Mobile}) {
          ShowCardLabel(probe, state, CardCode(letters, rank, suit));
          card = card.expandedTo(probe->size());
        }
      }
    }
  }
  QSize figure(0, 0);
  for (const QString& text : {"#64  (" + QString(6, '1') + ")", "#?  (" + QString(6, '?') + ")"}) {
    blocks_[0].hexagramLabel->setText(text);
    blocks_[0].hexagramLabel->adjustSize();
    figure = figure.expandedTo(blocks_[0].hexagramLabel->size());
  }
  rowPitch_ = std::max(kDrawnRowPitch, card.height());
  const int column = std::max(kDrawnColumn, card.width() + 3);
  barsLeft_ = std::max(kDrawnBarsLeft, 2 * column + 2);
  barDrop_ = std::max(0, (card.height() - kBarHeight) / 2);
  const int blockWidth = std::max(barsLeft_ + kBarWidth, column + figure.width());
  blockStride_ = std::max(kDrawnBlockStride, blockWidth + 16);
  blockTop_ = std::max(kBlockTop, kHexagramTop + figure.height() + 4 - barDrop_);

  for (int suit = 0; suit < kSuitCount; ++suit) {
    const int x0 = BlockLeft(suit);
    const SuitBlock& block = blocks_[suit];
    for (int rank = 0; rank < kRankCount; ++rank) {
      block.labels[rank]->move(x0 + column * kLabelColumn[rank], RowTop(kLabelRow[rank]));
    }
    const int buttonTop = RowTop(6) + kDrawnRowPitch;
    block.clearButton->move(x0 + 12, buttonTop);
    block.setButton->move(x0 + 62, buttonTop);
    block.hexagramLabel->move(x0 + column, kHexagramTop);
  }

  const int taller = blockTop_ - kBlockTop + 6 * (rowPitch_ - kDrawnRowPitch);
  const int wider = std::max(0, BlockLeft(kSuitCount - 1) + blockWidth + 14 - GroupBox3->width());
  GroupBox3->resize(GroupBox3->width() + wider, GroupBox3->height() + taller);
  PaintBox1->resize(PaintBox1->width() + wider, PaintBox1->height() + taller);
  GroupBox2->move(GroupBox2->x(), GroupBox2->y() + taller);
  Bevel1->resize(Bevel1->width(), Bevel1->height() + taller);
  Button1->move(Button1->x(), Button1->y() + taller);
  setFixedHeight(height() + taller);
}

// Captions wider than drawn, a translation's or those of a wider face than
// the layout was drawn with, push their neighbours over; the boxes below one
// another keep one width, and the dialog grows around them.
void TForm2::FitCaptions() {
  FitRow({Label1, ComboBox1, Label2, ComboBox2});
  FitWidthToChildren(GroupBox1, 19);
  FitRow({CheckBox1, Label5, ComboBox4});
  FitWidthToChildren(GroupBox4, 8);
  FitRow({GroupBox1, GroupBox4});
  for (const SuitBlock& block : blocks_) FitRow({block.clearButton, block.setButton});
  QList<QWidget*> balance{Label3};
  for (QCheckBox* box : balanceBoxes_) balance << box;
  FitRow(balance << Button2);
  FitWidthToChildren(GroupBox2, 12);
  const int wide = std::max({GroupBox2->width(), GroupBox3->width(), GroupBox4->geometry().right() - 4});
  for (QGroupBox* box : {GroupBox2, GroupBox3}) box->resize(wide, box->height());
  PaintBox1->resize(wide - 2 * PaintBox1->x(), PaintBox1->height());
  FitWidthToChildren(this, 5);
  Bevel1->resize(width(), Bevel1->height());
  Button1->move(Button1->x() + (width() - kClientWidth) / 2, Button1->y());  // where drawn, from the middle
}

// Tab goes through the dialog as it reads, each block's cards from its top
// row down; the arrows walk the card labels of all four blocks.
void TForm2::ChainFocus() {
  // Ranks in a block's reading order: A; K; Q, J; 10; 6, 8; 9, 7.
  constexpr int kReadingOrder[9] = {8, 7, 6, 5, 4, 0, 2, 3, 1};
  QList<QWidget*> chain{ComboBox2, CheckBox1, ComboBox4, CheckBox2};
  QList<QWidget*> cards;
  for (const SuitBlock& block : blocks_) {
    for (int rank : kReadingOrder) {
      chain << block.labels[static_cast<std::size_t>(rank)];
      cards << block.labels[static_cast<std::size_t>(rank)];
    }
    chain << block.clearButton << block.setButton;
  }
  chain << CheckBox3;
  for (QCheckBox* box : balanceBoxes_) chain << box;
  chain << Button2 << Button1;
  ChainTabOrder(chain);
  WalkWithArrows(this, cards);
}

// Names for a screen reader where the caption does not say it: the boxes
// without text, the suits' buttons; the combo boxes are labelled.
void TForm2::NameForReaders() {
  CheckBox1->setAccessibleName(tr("Use the L(F) filtering threshold"));
  CheckBox2->setAccessibleName(tr("Use the static/mobile elements and hexagrams"));
  CheckBox3->setAccessibleName(tr("Use the hex balance"));
  // A combo box is named by the label it is the buddy of (on this desktop
  // its name is its text).
  Label1->setBuddy(ComboBox1);
  Label2->setBuddy(ComboBox2);
  Label5->setBuddy(ComboBox4);
  Button2->setAccessibleName(tr("clear the hex balance"));
  for (int suit = 0; suit < kSuitCount; ++suit) {
    blocks_[suit].clearButton->setAccessibleName(tr("clear %1").arg(SuitWords(suit)));
    blocks_[suit].setButton->setAccessibleName(tr("set %1 from a hexagram").arg(SuitWords(suit)));
  }
}

void TForm2::CreateControls() {
  Bevel1 = Named(new QFrame(this), "Bevel1");
  Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Bevel1->setGeometry(0, 0, kClientWidth, 281);
  Button1 = Named(new QPushButton(tr("Ok"), this), "Button1");
  Button1->setGeometry(232, 288, 75, 25);
  // Enter settles a threshold being typed, then closes (AcceptOnEnter).
  Button1->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, &TForm2::accept);

  GroupBox1 = Named(new QGroupBox(tr("Generation mode"), this), "GroupBox1");
  GroupBox1->setGeometry(5, 5, 196, 45);
  Label1 = PlaceLabel(GroupBox1, "Label1", "GM:", {8, 19, 20, 13});
  ComboBox1 = Named(new QComboBox(GroupBox1), "ComboBox1");
  ComboBox1->setEditable(true);
  ComboBox1->setEditText(tr("Random"));
  ComboBox1->setGeometry(32, 16, 65, 21);
  ComboBox1->setEnabled(false);
  FitWidth(ComboBox1, ComboBox1->minimumSizeHint().width());
  Label2 = PlaceLabel(GroupBox1, "Label2", "RV:", {104, 19, 18, 13});
  ComboBox2 = Named(new QComboBox(GroupBox1), "ComboBox2");
  ComboBox2->setEditable(true);
  ComboBox2->setInsertPolicy(QComboBox::NoInsert);
  ComboBox2->setCompleter(nullptr);
  ComboBox2->addItems({tr("One"), tr("Many")});
  ComboBox2->setGeometry(128, 16, 49, 21);
  FitWidth(ComboBox2, ComboBox2->minimumSizeHint().width());
  connect(ComboBox2, &QComboBox::currentTextChanged, this, &TForm2::ComboBox2Change);

  GroupBox4 = Named(new QGroupBox(tr("L(F) filtering threshold"), this), "GroupBox4");
  GroupBox4->setGeometry(208, 5, 121, 45);
  CheckBox1 = Named(new QCheckBox(GroupBox4), "CheckBox1");
  CheckBox1->setGeometry(8, 18, 17, 17);
  Label5 = PlaceLabel(GroupBox4, "Label5", "L(F) <=", {32, 19, 33, 13});
  ComboBox4 = Named(new QComboBox(GroupBox4), "ComboBox4");
  ComboBox4->setEditable(true);
  ComboBox4->setInsertPolicy(QComboBox::NoInsert);
  // What is typed is taken literally, never completed to a listed value.
  ComboBox4->setCompleter(nullptr);
  for (int n = 2; n <= 36; ++n) ComboBox4->addItem(QString::number(n));
  ComboBox4->setGeometry(72, 16, 41, 21);
  FitWidth(ComboBox4, ComboBox4->minimumSizeHint().width());
  // Taken when the user is done with it, not at every keystroke.
  numbers_ = new TypedNumbers(this);
  numbers_->Watch(ComboBox4, [this] { return ComboBox4Change(); });
  AcceptOnEnter(this, Button1, [this] { return numbers_->Settle(); });
  connect(CheckBox1, &QCheckBox::toggled, this,
          [this](bool on) { calc_.filter.lfEnabled = on ? 1 : 0; });

  GroupBox3 = Named(new QGroupBox(tr("Static/Mobile elements && Hexagramms"), this), "GroupBox3");
  GroupBox3->setGeometry(5, 55, 533, 169);
  PaintBox1 = Named(new QWidget(GroupBox3), "PaintBox1");
  PaintBox1->setGeometry(2, 15, 529, 152);
  PaintBox1->installEventFilter(this);
  CheckBox2 = Named(new QCheckBox(GroupBox3), "CheckBox2");
  CheckBox2->setGeometry(8, 18, 17, 17);
  connect(CheckBox2, &QCheckBox::toggled, this,
          [this](bool on) { calc_.filter.smEnabled = on ? 1 : 0; });

  GroupBox2 = Named(new QGroupBox(tr("Hex Balance"), this), "GroupBox2");
  GroupBox2->setGeometry(5, 230, 533, 43);
  Label3 = PlaceLabel(GroupBox2, "Label3", "HB:(?/?/?/?/?/?)", {40, 18, 85, 13});
  CheckBox3 = Named(new QCheckBox(GroupBox2), "CheckBox3");
  CheckBox3->setGeometry(8, 16, 17, 17);
  connect(CheckBox3, &QCheckBox::toggled, this,
          [this](bool on) { calc_.filter.hbEnabled = on ? 1 : 0; });
  Button2 = Named(new QPushButton(tr("clear"), GroupBox2), "Button2");
  Button2->setGeometry(488, 18, 33, 12);
  Button2->setAutoDefault(false);
  connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);

  Bevel1->lower();
}

// The block's controls; PlaceSuitBlocks puts them where this face needs.
void TForm2::BuildSuitBlock(int suit) {
  SuitBlock& block = blocks_[suit];
  for (int rank = 0; rank < kRankCount; ++rank) {
    auto* label = new CardLabel(
        GroupBox3, [this, suit, rank] { CycleCardLabel(suit, rank); }, [this] { PaintBox1->update(); });
    label->setObjectName(QString("CardLabel%1_%2").arg(suit + 1).arg(rank + 1));
    InkOnFace(label);
    block.labels[rank] = label;
  }
  auto makeButton = [&](const QString& caption, const char* name) {
    auto* button = Named(new QPushButton(caption, GroupBox3), QString("%1%2").arg(name).arg(suit + 1));
    button->resize(30, 12);
    button->setProperty("tag", suit + 1);
    // Enter in the threshold box must not press a suit button.
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, button] { SuitButtonClick(button); });
    return button;
  };
  block.clearButton = makeButton(tr("clear"), "ClearButton");
  block.setButton = makeButton(tr("set"), "SetButton");
  block.hexagramLabel = PlaceLabel(GroupBox3, "", QString(), {});
  block.hexagramLabel->setObjectName(QString("HexagramLabel%1").arg(suit + 1));
  InkOnFace(block.hexagramLabel);
}

void TForm2::BuildBalanceBoxes() {
  for (int line = 1; line <= 6; ++line) {
    auto* box = Named(new QCheckBox(tr("line%1").arg(line), GroupBox2),
                      QString("LineBox%1").arg(line));
    box->setGeometry(150 + 56 * (line - 1), 17, 40, 17);
    FitWidth(box, box->sizeHint().width());
    connect(box, &QCheckBox::toggled, this, [this, line](bool on) { BalanceBoxClick(line, on); });
    balanceBoxes_[static_cast<std::size_t>(line - 1)] = box;
  }
}

// Card labels in the current notation's letters and the hexagram labels,
// both from the grid.
void TForm2::ShowSuitBlocks() {
  for (int suit = 0; suit < kSuitCount; ++suit) {
    for (int rank = 0; rank < kRankCount; ++rank) {
      const ElementState state = calc_.filter.elementGrid[suit][rank];
      ShowCardLabel(blocks_[suit].labels[rank], state, CardCode(calc_.notation, rank, suit));
      blocks_[suit].labels[rank]->SetState(state);
      blocks_[suit].labels[rank]->setAccessibleName(
          QString("%1: %2").arg(CardWords(rank, suit), ElementStateWords(state)));
    }
    blocks_[suit].hexagramLabel->setText(ToQt(HexagramLabelText(calc_.filter, suit)));
    blocks_[suit].hexagramLabel->adjustSize();
  }
}

// A line that can no longer balance has its box disabled; a flag loaded for
// it stays shown until a card click drops it.
void TForm2::ShowBalanceBoxes() {
  for (int line = 1; line <= 6; ++line) {
    QCheckBox* box = balanceBox(line);
    box->setEnabled(BalanceLinePossible(calc_.filter, line - 1));
    box->setChecked(calc_.filter.hbRequired[static_cast<std::size_t>(line - 1)] == 1);
  }
  Label3->setText(ToQt(BalanceLabelText(calc_.filter)));
}

void TForm2::ShowThreshold() {
  shownThreshold_ = QString::number(calc_.filter.lfThreshold);
  ComboBox4->setEditText(shownThreshold_);
}

void TForm2::RefreshFilterDialog() {
  // Setting a box runs its handler, which writes back the same value.
  const FilterSettings f = calc_.filter;
  ComboBox2->setEditText(f.resultVariants == ResultVariants::Many ? tr("Many") : tr("One"));
  CheckBox1->setChecked(f.lfEnabled != 0);
  ShowThreshold();
  CheckBox2->setChecked(f.smEnabled != 0);
  CheckBox3->setChecked(f.hbEnabled != 0);
  ShowBalanceBoxes();
  emit descriptionChanged();
}

void TForm2::showEvent(QShowEvent* e) {
  FormActivate();
  QDialog::showEvent(e);
  // Each opening starts at the first control of the Tab order, however the
  // dialog was opened and wherever it was left.
  ComboBox2->setFocus(Qt::ActiveWindowFocusReason);
}

// Each opening: the letters of a notation changed since, and the controls.
void TForm2::FormActivate() {
  ShowSuitBlocks();
  RefreshFilterDialog();
}

// A threshold still being typed counts; a refused one keeps the dialog open
// for its correction.
void TForm2::done(int result) {
  if (!numbers_->Settle()) return;
  QDialog::done(result);
  FormClose();
}

void TForm2::FormClose() { RefreshFilterDialog(); }

void TForm2::CycleCardLabel(int suit, int rank) {
  CycleCard(calc_.filter, suit, rank);
  ShowSuitBlocks();
  ShowBalanceBoxes();
  PaintBox1->update();
}

void TForm2::SuitButtonClick(QPushButton* button) {
  const int suit = button->property("tag").toInt() - 1;
  if (button == blocks_[suit].clearButton) {
    ClearSuit(calc_.filter, suit);
  } else if (button == blocks_[suit].setButton) {
    const int pick = hexagramPicker ? hexagramPicker() : -1;
    SetSuitHexagram(calc_.filter, suit, pick);  // no pick: nothing changes
  }
  ShowSuitBlocks();
  ShowBalanceBoxes();
  PaintBox1->update();
}

void TForm2::BalanceBoxClick(int line, bool checked) {
  calc_.filter.hbRequired[static_cast<std::size_t>(line - 1)] = checked ? 1 : 0;
  Label3->setText(ToQt(BalanceLabelText(calc_.filter)));
}

void TForm2::Button2Click() {
  for (QCheckBox* box : balanceBoxes_) box->setChecked(false);
}

// Typed or picked, in the window's words; kept in the settings' own.
void TForm2::ComboBox2Change(const QString& text) {
  SetResultVariants(calc_.filter, text == tr("Many") ? "Many" : "One");
}

std::optional<QString> TForm2::ComboBox4Change() {
  const QString text = ComboBox4->currentText();
  if (text == shownThreshold_) return std::nullopt;
  const TypedNumber::Verdict verdict = SetThresholdText(calc_.filter, FromQt(text));
  ShowThreshold();
  if (verdict == TypedNumber::Verdict::Taken) return std::nullopt;
  return RefusalMessage(text, verdict, tr("'%1' is out of range: L(F) takes %2"), kLeastLfThreshold,
                        kMostLfThreshold);
}

bool TForm2::eventFilter(QObject* watched, QEvent* e) {
  if (watched == PaintBox1) {
    switch (e->type()) {
      case QEvent::Paint:
        PaintBox1Paint();
        return true;
      case QEvent::MouseButtonPress:
        return true;  // keeps the release for the bars
      case QEvent::MouseButtonRelease:
        PaintBox1MouseUp(static_cast<QMouseEvent*>(e)->position().toPoint());
        return true;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, e);
}

// Clicking a bar is clicking the card label of its rank; any button.
void TForm2::PaintBox1MouseUp(QPoint pos) {
  for (int suit = 0; suit < kSuitCount; ++suit) {
    for (int bar = 0; bar < 6; ++bar) {
      if (LineBarRect(suit, bar).contains(pos)) CycleCardLabel(suit, kBarRanks[bar]);
    }
  }
}

void TForm2::PaintBox1Paint() {
  QPainter p(PaintBox1);
  // Black bars on a face fixed with them (the card labels over it are black
  // too): readable under a dark palette.
  p.fillRect(PaintBox1->rect(), kFigureFace);
  for (int suit = 0; suit < kSuitCount; ++suit) {
    for (int bar = 0; bar < 6; ++bar) {
      DrawLineBar(p, LineBarRect(suit, bar), calc_.filter.elementGrid[suit][kBarRanks[bar]]);
      // The bar of the card label that has the focus: Space there changes it.
      if (cardLabel(suit, kBarRanks[bar])->hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(LineBarRect(suit, bar).adjusted(-2, -2, 1, 1));
      }
    }
  }
}

// The toolkit's rectangle draws its outline in the pen colour and fills the
// inside with the brush: the pen stays the background colour for the black
// bars, so they show one pixel inside their rectangles.
void TForm2::DrawLineBar(QPainter& p, QRect bar, ElementState state) const {
  p.fillRect(bar, kFigureFace);
  const QRect left(bar.left(), bar.top(), 20, bar.height());
  const QRect right(bar.left() + 30, bar.top(), 20, bar.height());
  switch (state) {
    case ElementState::Mobile:
      p.fillRect(bar.adjusted(1, 1, -1, -1), Qt::black);
      break;
    case ElementState::Static:
      p.fillRect(left.adjusted(1, 1, -1, -1), Qt::black);
      p.fillRect(right.adjusted(1, 1, -1, -1), Qt::black);
      break;
    case ElementState::Any: {
      const QColor grey(128, 128, 128);
      p.fillRect(bar.left(), bar.top(), bar.width(), 1, grey);
      p.fillRect(bar.left(), bar.bottom(), bar.width(), 1, grey);
      p.fillRect(bar.left(), bar.top(), 1, bar.height(), grey);
      p.fillRect(bar.right(), bar.top(), 1, bar.height(), grey);
      break;
    }
  }
}

}  // namespace zlc::ui
