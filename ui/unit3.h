// The hexagram table: all 64 hexagrams in an 8 x 8 grid (column = upper
// trigram, row = lower trigram) from which the user picks one with the mouse,
// or with the arrow keys and Enter.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QRect>

namespace zlc::ui {

class TForm3 : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 492;
  static constexpr int kClientHeight = 473;

  explicit TForm3(QWidget* owner = nullptr);

  // The King Wen number picked at the last opening, -1 when none was.
  int selectedHexagram() const { return selectedHexagram_; }
  QWidget* paintBox() const { return PaintBox1; }

  // Pointer handlers in PaintBox1 coordinates, public so that tests can
  // drive them as the mouse would.
  void PaintBox1MouseMove(QPoint pos);
  void PaintBox1MouseUp(QPoint pos);

  // King Wen number of the grid cell at column (upper trigram) and row
  // (lower trigram), each 0..7.
  static int CellNumber(int column, int row);
  // A cell's area under the pointer, in PaintBox1 coordinates.
  QRect CellRect(int column, int row) const;
  // The cell the arrow keys chose (row * 8 + column), -1 when none.
  int KeyboardCell() const;
  // Picks a cell as a click on it would (a screen reader's "press").
  void PickCell(int column, int row);

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void FormActivate();
  void PaintBox1Paint();
  void HoverCell(int column, int row);
  void MoveKeyboardCell(int dColumn, int dRow);

  QWidget* PaintBox1;
  int hoveredColumn_ = -1;
  int hoveredRow_ = -1;
  int selectedHexagram_ = -1;
  bool keyboardCell_ = false;  // the hovered cell was chosen with the keys: frame it
};

}  // namespace zlc::ui
