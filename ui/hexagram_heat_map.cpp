#include "ui/hexagram_heat_map.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "ui/translation.h"

namespace zlc::ui {

HexagramHeatMap::HexagramHeatMap(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void HexagramHeatMap::SetCounts(const Counts& counts, const QStringList& suitNames) {
  if (counts == counts_ && suitNames == suits_) return;
  counts_ = counts;
  suits_ = suitNames;
  update();
}

int HexagramHeatMap::LabelWidth() const { return fontMetrics().horizontalAdvance("MM") + 8; }

QSize HexagramHeatMap::sizeHint() const {
  const int row = fontMetrics().height() + 10;
  return {LabelWidth() + 64 * 12, 4 * row + fontMetrics().height() + 6};
}

QSize HexagramHeatMap::minimumSizeHint() const {
  const int row = fontMetrics().height() + 4;
  return {LabelWidth() + 64 * 6, 4 * row + fontMetrics().height() + 6};
}

QRect HexagramHeatMap::CellRect(int suit, int number) const {
  const int left = LabelWidth();
  const int axis = fontMetrics().height() + 4;
  const double width = (this->width() - left) / 64.0;
  const double height = (this->height() - axis) / 4.0;
  const int x0 = left + static_cast<int>((number - 1) * width);
  const int x1 = left + static_cast<int>(number * width);
  const int y0 = static_cast<int>(suit * height);
  const int y1 = static_cast<int>((suit + 1) * height);
  return {x0, y0, std::max(1, x1 - x0 - 1), std::max(1, y1 - y0 - 1)};
}

bool HexagramHeatMap::CellAt(QPoint point, int& suit, int& number) const {
  for (int s = 0; s < 4; ++s) {
    for (int n = 1; n <= 64; ++n) {
      if (CellRect(s, n).adjusted(0, 0, 1, 1).contains(point)) {
        suit = s;
        number = n;
        return true;
      }
    }
  }
  return false;
}

QString HexagramHeatMap::CellText(int suit, int number) const {
  std::uint64_t total = 0;
  for (std::uint64_t c : counts_[static_cast<std::size_t>(suit)]) total += c;
  const std::uint64_t count = counts_[static_cast<std::size_t>(suit)][static_cast<std::size_t>(number)];
  const double share = total > 0 ? 100.0 * static_cast<double>(count) / static_cast<double>(total) : 0;
  return tr("H(%1)=#%2: %3 results (%4 %)")
      .arg(suits_.value(suit), QString::number(number), QString::number(count), InterfaceLocale().toString(share, 'f', 2));
}

void HexagramHeatMap::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  p.fillRect(rect(), pal.color(QPalette::Base));
  std::uint64_t most = 1;
  for (const auto& suit : counts_) most = std::max(most, *std::max_element(suit.begin() + 1, suit.end()));
  // From the base colour to the highlight colour of the palette in force,
  // so the map reads under light and dark themes alike.
  const QColor low = pal.color(QPalette::Base);
  const QColor high = pal.color(QPalette::Highlight);
  for (int s = 0; s < 4; ++s) {
    const QRect first = CellRect(s, 1);
    p.setPen(pal.color(QPalette::Text));
    p.drawText(QRect(0, first.top(), LabelWidth() - 4, first.height()), Qt::AlignRight | Qt::AlignVCenter,
               suits_.value(s));
    for (int n = 1; n <= 64; ++n) {
      const std::uint64_t count = counts_[static_cast<std::size_t>(s)][static_cast<std::size_t>(n)];
      const double t = count == 0 ? 0 : 0.15 + 0.85 * static_cast<double>(count) / static_cast<double>(most);
      const QColor c = QColor::fromRgbF(static_cast<float>(low.redF() + (high.redF() - low.redF()) * t),
                                        static_cast<float>(low.greenF() + (high.greenF() - low.greenF()) * t),
                                        static_cast<float>(low.blueF() + (high.blueF() - low.blueF()) * t));
      p.fillRect(CellRect(s, n), c);
    }
  }
  // Every eighth number under the cells.
  p.setPen(pal.color(QPalette::Text));
  const int axisTop = CellRect(3, 1).bottom() + 3;
  for (int n : {1, 8, 16, 24, 32, 40, 48, 56, 64}) {
    const QRect cell = CellRect(3, n);
    p.drawText(QRect(cell.center().x() - 20, axisTop, 40, fontMetrics().height()), Qt::AlignCenter,
               QString::number(n));
  }
}

bool HexagramHeatMap::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    int suit = 0, number = 0;
    if (CellAt(help->pos(), suit, number)) {
      QToolTip::showText(help->globalPos(), CellText(suit, number), this, CellRect(suit, number));
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QWidget::event(e);
}

}  // namespace zlc::ui
