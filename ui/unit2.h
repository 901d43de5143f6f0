// The filter dialog: generation settings, the L(F) threshold, one block per
// suit for the static/mobile grid and its hexagram, and the hex balance.
// Every control writes the calculator's filter settings at once; there is no
// cancel. A view: the editing rules live in filter/filter_editing.h.
#pragma once

#include <QDialog>
#include <QRect>
#include <array>
#include <functional>
#include <optional>

#include "calculator/calculator.h"
#include "ui/card_label.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPainter;
class QPushButton;

namespace zlc::ui {

class TForm3;
class TypedNumbers;

class TForm2 : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 543;
  static constexpr int kClientHeight = 316;

  // `caption` is the main window's "Filtering Settings" group caption. The
  // hexagram table is `hexTable` when given, else one the dialog owns.
  TForm2(Calculator& calc, const QString& caption, QWidget* mainWindow = nullptr,
         TForm3* hexTable = nullptr);

  // Asks for a hexagram for "set": a King Wen number 1..64, or -1 for none.
  // Runs the hexagram table modally unless replaced (tests answer here).
  std::function<int()> hexagramPicker;

  TForm3* hexTable() const { return form3_; }

  // Controls of suit block `suit` (0..3); rank 0..8 = 6 .. A, bar 0..5 = the
  // bars from the top (A, K, Q, 10, 6, 9), line 1..6 for the balance boxes.
  CardLabel* cardLabel(int suit, int rank) const { return blocks_[suit].labels[rank]; }
  QLabel* hexagramLabel(int suit) const { return blocks_[suit].hexagramLabel; }
  QPushButton* clearButton(int suit) const { return blocks_[suit].clearButton; }
  QPushButton* setButton(int suit) const { return blocks_[suit].setButton; }
  QCheckBox* balanceBox(int line) const { return balanceBoxes_[line - 1]; }
  QWidget* paintBox() const { return PaintBox1; }
  QRect LineBarRect(int suit, int bar) const;  // in PaintBox1 coordinates

  // Sets the controls from the settings and has the main window's
  // description rebuilt.
  void RefreshFilterDialog();
  void CycleCardLabel(int suit, int rank);
  void PaintBox1MouseUp(QPoint pos);

 signals:
  // The settings may have changed: rebuild the description lines.
  void descriptionChanged();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 public slots:
  void done(int result) override;

 private:
  struct SuitBlock {
    std::array<CardLabel*, 9> labels{};
    QPushButton* clearButton = nullptr;
    QPushButton* setButton = nullptr;
    QLabel* hexagramLabel = nullptr;
  };

  void FormCreate(const QString& caption);
  void FormActivate();
  void FormClose();
  void CreateControls();
  void BuildSuitBlock(int suit);
  void PlaceSuitBlocks();
  int RowTop(int row) const;     // of a block's card row 0..5, in GroupBox3
  int BlockLeft(int suit) const;  // its first column's left, in GroupBox3
  void BuildBalanceBoxes();
  void FitCaptions();
  void ChainFocus();
  void NameForReaders();
  void ShowSuitBlocks();
  void ShowBalanceBoxes();
  void ShowThreshold();
  void SuitButtonClick(QPushButton* button);
  void BalanceBoxClick(int line, bool checked);
  void Button2Click();
  void ComboBox2Change(const QString& text);
  std::optional<QString> ComboBox4Change();
  void PaintBox1Paint();
  void DrawLineBar(QPainter& p, QRect bar, ElementState state) const;

  Calculator& calc_;
  TForm3* form3_;
  std::array<SuitBlock, 4> blocks_{};
  std::array<QCheckBox*, 6> balanceBoxes_{};
  // The suit blocks as this face needs them (PlaceSuitBlocks).
  int blockTop_ = 50;  // of the first card row, in GroupBox3
  int rowPitch_ = 12;
  int blockStride_ = 134;
  int barsLeft_ = 52;  // from a block's left
  int barDrop_ = 5;    // a bar's top below its row's
  QString shownThreshold_;  // the threshold text last shown or taken
  TypedNumbers* numbers_ = nullptr;

  QFrame* Bevel1 = nullptr;
  QPushButton* Button1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QLabel* Label5 = nullptr;
  QComboBox* ComboBox4 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QWidget* PaintBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* Label3 = nullptr;
  QCheckBox* CheckBox3 = nullptr;
  QPushButton* Button2 = nullptr;
};

}  // namespace zlc::ui
