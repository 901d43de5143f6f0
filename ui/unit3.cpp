#include "ui/unit3.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/hexagrams.h"
#include "ui/accessibility.h"
#include "ui/look.h"

namespace zlc::ui {
namespace {

constexpr int kGrid = 8;

// Drawing coordinates are reals rounded half to even.
int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

// The toolkit's filled rectangle with a one-pixel pen of the same colour:
// columns left..right-1, rows top..bottom-1.
void FillBox(QPainter& p, int left, int top, int right, int bottom) {
  p.fillRect(QRect(left, top, right - left, bottom - top), Qt::black);
}

// Floor division, so that a pointer left of or above the box names no cell.
int CellIndex(int pos, int cellSize) {
  if (cellSize <= 0) return -1;
  return pos >= 0 ? pos / cellSize : -1;
}

bool OnGrid(int column, int row) { return column >= 0 && column < kGrid && row >= 0 && row < kGrid; }

}  // namespace

TForm3::TForm3(QWidget* owner) : QDialog(owner) {
  setObjectName("Form3");
  setWindowTitle(tr("Hex Table"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  PaintBox1 = new QWidget(this);
  PaintBox1->setObjectName("PaintBox1");
  PaintBox1->setGeometry(0, 0, kClientWidth, kClientHeight);
  PaintBox1->setMouseTracking(true);
  PaintBox1->installEventFilter(this);
  InstallAccessibility();
  FormActivate();
}

int TForm3::CellNumber(int column, int row) { return KingWenTable[row][column]; }

QRect TForm3::CellRect(int column, int row) const {
  const int w = PaintBox1->width() / kGrid;
  const int h = PaintBox1->height() / kGrid;
  return {column * w, row * h, w, h};
}

int TForm3::KeyboardCell() const {
  return keyboardCell_ && OnGrid(hoveredColumn_, hoveredRow_) ? hoveredRow_ * kGrid + hoveredColumn_ : -1;
}

void TForm3::PickCell(int column, int row) {
  if (!OnGrid(column, row)) return;
  HoverCell(column, row);
  PaintBox1MouseUp({});
}

void TForm3::showEvent(QShowEvent* e) {
  FormActivate();
  QDialog::showEvent(e);
}

// Each opening starts without a hovered cell or a pick; the caption keeps
// the last hovered cell's number until the pointer moves over a cell.
void TForm3::FormActivate() {
  hoveredColumn_ = -1;
  hoveredRow_ = -1;
  selectedHexagram_ = -1;
  keyboardCell_ = false;
}

bool TForm3::eventFilter(QObject* watched, QEvent* e) {
  if (watched == PaintBox1) {
    switch (e->type()) {
      case QEvent::Paint:
        PaintBox1Paint();
        return true;
      case QEvent::MouseMove:
        PaintBox1MouseMove(static_cast<QMouseEvent*>(e)->position().toPoint());
        return true;
      case QEvent::MouseButtonRelease:
        PaintBox1MouseUp(static_cast<QMouseEvent*>(e)->position().toPoint());
        return true;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, e);
}

void TForm3::PaintBox1Paint() {
  QPainter p(PaintBox1);
  // Black figures on a face fixed with them: readable under a dark palette.
  p.fillRect(PaintBox1->rect(), kFigureFace);
  p.setFont(PaintBox1->font());
  p.setPen(Qt::black);
  p.setBackground(kFigureFace);
  p.setBackgroundMode(Qt::OpaqueMode);
  for (int c = 0; c < kGrid; ++c) {
    for (int r = 0; r < kGrid; ++r) {
      const int x = 60 * c + 20;
      const double y = 58.8 * r + 16;
      p.drawText(QRect(x, Round(y - 12), 60, 20), Qt::AlignLeft | Qt::AlignTop,
                 QString("#%1").arg(CellNumber(c, r)));
      const int upper = TrigramCodeTable[c];
      const int lower = TrigramCodeTable[r];
      // Top to bottom: the upper trigram's top, middle, bottom line, then the
      // lower trigram's.
      const bool yang[6] = {(upper & 4) != 0, (upper & 2) != 0, (upper & 1) != 0,
                            (lower & 4) != 0, (lower & 2) != 0, (lower & 1) != 0};
      for (int k = 0; k < 6; ++k) {
        const int top = Round(y + 7 * k);
        if (yang[k]) {
          FillBox(p, x, top, x + 30, top + 5);
        } else {
          FillBox(p, x, top, x + 12, top + 5);
          FillBox(p, x + 18, top, x + 30, top + 5);
        }
      }
    }
  }
  if (KeyboardCell() >= 0) {
    p.setBackgroundMode(Qt::TransparentMode);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(CellRect(hoveredColumn_, hoveredRow_).adjusted(2, 2, -3, -3));
  }
}

void TForm3::PaintBox1MouseMove(QPoint pos) {
  if (keyboardCell_) {
    keyboardCell_ = false;
    PaintBox1->update();
  }
  HoverCell(CellIndex(pos.x(), PaintBox1->width() / kGrid),
            CellIndex(pos.y(), PaintBox1->height() / kGrid));
}

void TForm3::HoverCell(int column, int row) {
  hoveredColumn_ = column;
  hoveredRow_ = row;
  if (OnGrid(hoveredColumn_, hoveredRow_)) {
    setWindowTitle(tr("Hex Table  (Hex #%1)").arg(CellNumber(hoveredColumn_, hoveredRow_)));
  }
}

// The arrows walk the grid from the hovered cell (the top left one when the
// pointer names none) and stop at its edges.
void TForm3::MoveKeyboardCell(int dColumn, int dRow) {
  int column = 0;
  int row = 0;
  if (OnGrid(hoveredColumn_, hoveredRow_)) {
    column = std::clamp(hoveredColumn_ + dColumn, 0, kGrid - 1);
    row = std::clamp(hoveredRow_ + dRow, 0, kGrid - 1);
  }
  keyboardCell_ = true;
  HoverCell(column, row);
  PaintBox1->update();
  AnnounceHexagramCell(this, column, row);
}

void TForm3::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Left: MoveKeyboardCell(-1, 0); return;
    case Qt::Key_Right: MoveKeyboardCell(1, 0); return;
    case Qt::Key_Up: MoveKeyboardCell(0, -1); return;
    case Qt::Key_Down: MoveKeyboardCell(0, 1); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter picks the cell the keys or the pointer name; with none, it
      // closes without a pick, as Esc does.
      if (OnGrid(hoveredColumn_, hoveredRow_)) {
        PaintBox1MouseUp({});
      } else {
        reject();
      }
      return;
    default:
      QDialog::keyPressEvent(e);
  }
}

// Any button; the cell is the one named by the last pointer movement.
void TForm3::PaintBox1MouseUp(QPoint) {
  if (!OnGrid(hoveredColumn_, hoveredRow_)) return;
  selectedHexagram_ = CellNumber(hoveredColumn_, hoveredRow_);
  accept();
}

}  // namespace zlc::ui
