#include "ui/hexagram_view.h"

#include <QPainter>

#include "analysis/hexagrams.h"
#include "ui/card_words.h"

namespace zlc::ui {
namespace {

constexpr QChar kSuitSymbols[kSuitCount] = {QChar(0x2660), QChar(0x2666), QChar(0x2663), QChar(0x2665)};

QString LineDigits(const ResultRecord& record, int suit) {
  QString digits;
  for (int line = 0; line < 6; ++line) digits += record.LineYang(suit, line) ? '1' : '0';
  return digits;
}

}  // namespace

HexagramView::HexagramView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void HexagramView::SetResult(const ResultRecord& record, const ResultFigures& figures) {
  record_ = record;
  figures_ = figures;
  setAccessibleDescription(Description());
  updateGeometry();
  update();
}

QString HexagramView::Description() const {
  QStringList parts;
  for (int suit = 0; suit < kSuitCount; ++suit) {
    parts << tr("%1: hexagram %2 %3, lines %4 from the bottom, P %5")
                 .arg(SuitWords(suit))
                 .arg(figures_.hexagram[suit])
                 .arg(HexagramCharacter(figures_.hexagram[suit]))
                 .arg(LineDigits(record_, suit), QString::fromStdString(FormatPValue(figures_.p[suit])));
  }
  QStringList balance;
  for (int line = 0; line < 6; ++line) balance << BalanceSymbol(figures_.yangCount[line]);
  parts << tr("hex balance from line 1: %1").arg(balance.join('/'));
  return parts.join("; ");
}

HexagramView::Metrics HexagramView::Measure() const {
  const int u = fontMetrics().height();
  const int lineHeight = std::max(4, u * 2 / 3);
  const int lineStep = lineHeight + u / 2;
  return {u, u * 4, lineHeight, lineStep, u * 7, u * 3 / 2, u * 2, u * 3 / 2};
}

QSize HexagramView::sizeHint() const {
  const Metrics m = Measure();
  return {m.column * (kSuitCount + 1) + m.unit, m.header + 6 * m.lineStep + m.figure + m.bar + m.unit};
}

void HexagramView::paintEvent(QPaintEvent*) {
  if (record_.number == 0 && record_.cardCount == 0) return;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const Metrics m = Measure();
  const QColor ink = palette().color(QPalette::WindowText);
  const int linesTop = m.header;
  // Line 1 at the bottom.
  const auto lineY = [&](int line) { return linesTop + (5 - line) * m.lineStep; };

  // The hex balance, one symbol beside each line; "=" (two suits yang,
  // two yin) stands out.
  p.setPen(ink);
  p.drawText(QRect(0, 0, m.column, m.header), Qt::AlignCenter, tr("Balance"));
  for (int line = 0; line < 6; ++line) {
    QFont symbol = font();
    symbol.setBold(figures_.balancedLines[static_cast<std::size_t>(line)] != 0);
    p.setFont(symbol);
    p.drawText(QRect(0, lineY(line), m.column, m.lineHeight), Qt::AlignCenter,
               QString("%1  %2").arg(line + 1).arg(BalanceSymbol(figures_.yangCount[line])));
  }
  p.setFont(font());

  for (int suit = 0; suit < kSuitCount; ++suit) {
    const int left = m.column * (suit + 1);
    const bool red = suit == 1 || suit == 3;
    p.setPen(red ? QColor(220, 40, 60) : ink);
    p.drawText(QRect(left, 0, m.column, m.header), Qt::AlignCenter,
               QString("%1 %2").arg(kSuitSymbols[suit]).arg(SuitWords(suit)));
    const int x = left + (m.column - m.lineWidth) / 2;
    for (int line = 0; line < 6; ++line) {
      const int y = lineY(line);
      if (record_.LineYang(suit, line)) {
        p.fillRect(x, y, m.lineWidth, m.lineHeight, ink);
      } else {
        const int half = m.lineWidth * 2 / 5;
        p.fillRect(x, y, half, m.lineHeight, ink);
        p.fillRect(x + m.lineWidth - half, y, half, m.lineHeight, ink);
      }
    }
    const int figureTop = linesTop + 6 * m.lineStep;
    const int number = figures_.hexagram[suit];
    p.setPen(ink);
    p.drawText(QRect(left, figureTop, m.column / 2, m.figure), Qt::AlignRight | Qt::AlignVCenter,
               QString("#%1 ").arg(number));
    QFont big = font();
    big.setPixelSize(m.figure - 2);
    p.setFont(big);
    p.drawText(QRect(left + m.column / 2, figureTop, m.column / 2, m.figure), Qt::AlignLeft | Qt::AlignVCenter,
               QString(HexagramCharacter(number)));
    p.setFont(font());

    // P as a bar of the column's width for P = 1.
    const int barTop = figureTop + m.figure;
    const QRect track(x, barTop + m.bar / 4, m.lineWidth, m.bar / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::Mid));
    p.drawRect(track);
    p.setBrush(palette().color(QPalette::Highlight));
    p.drawRect(QRect(track.left(), track.top(), static_cast<int>(track.width() * figures_.p[suit] + 0.5),
                     track.height()));
    p.setPen(ink);
    p.drawText(QRect(track.right() + 4, barTop, m.column, m.bar), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(FormatPValue(figures_.p[suit])));
  }
  p.drawText(QRect(0, linesTop + 6 * m.lineStep + m.figure, m.column, m.bar), Qt::AlignCenter, tr("P"));
}

}  // namespace zlc::ui
