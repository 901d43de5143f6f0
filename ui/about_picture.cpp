#include "ui/about_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>

namespace zlc::ui {
namespace {

// Suit outlines in a box from -1 to 1, index order spades, diamonds, clubs,
// hearts. Overlapping parts are joined by the winding fill.
QPainterPath Heart() {
  QPainterPath p;
  p.moveTo(0, 0.95);
  p.cubicTo(-0.25, 0.6, -1, 0.2, -1, -0.3);
  p.cubicTo(-1, -0.95, -0.2, -1.05, 0, -0.5);
  p.cubicTo(0.2, -1.05, 1, -0.95, 1, -0.3);
  p.cubicTo(1, 0.2, 0.25, 0.6, 0, 0.95);
  return p;
}

QPainterPath Stem() {
  QPainterPath p;
  p.moveTo(0, 0.1);
  p.lineTo(0.32, 1);
  p.lineTo(-0.32, 1);
  p.closeSubpath();
  return p;
}

QPainterPath SuitPath(int suit) {
  QPainterPath p;
  p.setFillRule(Qt::WindingFill);
  switch (suit) {
    case 0:  // an upturned heart on a stem
      p.addPath(QTransform(1, 0, 0, -0.85, 0, -0.15).map(Heart()));
      p.addPath(Stem());
      break;
    case 1:
      p.moveTo(0, -1);
      p.lineTo(0.72, 0);
      p.lineTo(0, 1);
      p.lineTo(-0.72, 0);
      p.closeSubpath();
      break;
    case 2:
      p.addEllipse(QPointF(0, -0.52), 0.4, 0.4);
      p.addEllipse(QPointF(-0.5, 0.08), 0.4, 0.4);
      p.addEllipse(QPointF(0.5, 0.08), 0.4, 0.4);
      p.addPath(Stem());
      break;
    default:
      p.addPath(Heart());
      break;
  }
  return p;
}

QColor SuitColor(int suit) { return suit % 2 == 1 ? QColor(190, 30, 45) : QColor(25, 25, 30); }

void DrawSuit(QPainter& painter, int suit, QPointF centre, double radius) {
  painter.save();
  painter.translate(centre);
  painter.scale(radius, radius);
  painter.setPen(Qt::NoPen);
  painter.setBrush(SuitColor(suit));
  painter.drawPath(SuitPath(suit));
  painter.restore();
}

// One card, upright, its top-left corner at the origin. Only the front card
// of a fan shows its middle.
void DrawCard(QPainter& painter, const QString& rank, int suit, QSizeF size, bool front) {
  const QRectF face(QPointF(0, 0), size);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 70));
  painter.drawRoundedRect(face.translated(1.5, 1.5), 4, 4);
  painter.setPen(QPen(QColor(120, 120, 120), 0.8));
  painter.setBrush(QColor(252, 250, 242));
  painter.drawRoundedRect(face, 4, 4);

  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(10);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(SuitColor(suit));
  painter.drawText(QRectF(2.5, 1.5, 12, 11), Qt::AlignCenter, rank);
  DrawSuit(painter, suit, QPointF(8.5, 17), 3.2);
  if (front) DrawSuit(painter, suit, QPointF(size.width() / 2 + 2, size.height() / 2 + 5), 10);
}

void DrawFelt(QPainter& painter, QSize size) {
  QRadialGradient felt(QPointF(size.width() * 0.4, size.height() * 0.45), size.width() * 0.75);
  felt.setColorAt(0, QColor(40, 120, 70));
  felt.setColorAt(1, QColor(10, 55, 30));
  painter.fillRect(QRect(QPoint(0, 0), size), felt);
}

// Six lines from the bottom up, solid or broken: the figure whose lines
// alternate, every one in its proper place.
void DrawHexagram(QPainter& painter, QRectF box) {
  const std::array<bool, 6> solid{true, false, true, false, true, false};
  const double step = box.height() / 6;
  const double bar = step * 0.62;
  const double gap = box.width() * 0.22;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(226, 186, 80));
  for (int line = 0; line < 6; ++line) {
    const double top = box.bottom() - (line + 1) * step + (step - bar) / 2;
    if (solid[line]) {
      painter.drawRect(QRectF(box.left(), top, box.width(), bar));
    } else {
      const double half = (box.width() - gap) / 2;
      painter.drawRect(QRectF(box.left(), top, half, bar));
      painter.drawRect(QRectF(box.right() - half, top, half, bar));
    }
  }
}

}  // namespace

QPixmap DrawAboutPicture(QSize size, qreal pixelRatio) {
  // Drawn at the screen's own resolution, so that it stays sharp on a
  // high-density screen; the painter works in the logical size either way.
  QPixmap picture(size * pixelRatio);
  picture.setDevicePixelRatio(pixelRatio);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawFelt(painter, size);

  // The fan turns about a point below the picture, as a hand holds it.
  const QSizeF card(38, 56);
  const QPointF pivot(65, 146);
  const std::array<QString, 4> ranks{"6", "Q", "K", "A"};
  for (int suit = 0; suit < 4; ++suit) {
    painter.save();
    painter.translate(pivot);
    painter.rotate(-21 + 14 * suit);
    painter.translate(-card.width() / 2, -118);
    DrawCard(painter, ranks[static_cast<std::size_t>(suit)], suit, card, suit == 3);
    painter.restore();
  }

  DrawHexagram(painter, QRectF(136, 24, 28, 72));
  return picture;
}

}  // namespace zlc::ui
