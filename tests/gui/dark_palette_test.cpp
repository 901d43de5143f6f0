// Under a dark desktop palette every text and figure of the Hex Table and
// the filter dialog must still read: measured on the pixels actually
// painted, as the contrast between a region's background and its ink.
#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QPalette>
#include <QtTest>
#include <cmath>

#include "calculator/calculator.h"
#include "ui/look.h"
#include "ui/unit2.h"
#include "ui/unit3.h"

namespace {

double Luminance(QColor c) {
  auto channel = [](double v) {
    v /= 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double Contrast(QColor a, QColor b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The region's background is its commonest colour; its ink the colour that
// stands out most from it. Returns their contrast ratio (1 to 21).
double InkContrast(const QImage& image, QRect region) {
  QHash<QRgb, int> counts;
  region &= image.rect();
  for (int y = region.top(); y <= region.bottom(); ++y) {
    for (int x = region.left(); x <= region.right(); ++x) ++counts[image.pixel(x, y)];
  }
  QRgb background = 0;
  int most = -1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    if (it.value() > most) {
      most = it.value();
      background = it.key();
    }
  }
  double best = 1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    best = std::max(best, Contrast(QColor(background), QColor(it.key())));
  }
  return best;
}

QPalette DarkPalette() {
  QPalette p;
  const QColor window(45, 45, 45), text(235, 235, 235), base(30, 30, 30);
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::Window, window);
    p.setColor(group, QPalette::WindowText, text);
    p.setColor(group, QPalette::Base, base);
    p.setColor(group, QPalette::Text, text);
    p.setColor(group, QPalette::Button, QColor(60, 60, 60));
    p.setColor(group, QPalette::ButtonText, text);
  }
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 130, 130));
  return p;
}

// WCAG's least contrast for normal text.
constexpr double kReadable = 4.5;

}  // namespace

class DarkPaletteTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    zlc::ui::ApplyClassicLook();
    QApplication::setPalette(DarkPalette());
  }

  void hexTableNumbersAndBarsRead() {
    zlc::ui::TForm3 table;
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    const QImage image = table.paintBox()->grab().toImage();
    // Each cell's number above its bars, and the bars themselves.
    for (int c : {0, 3, 7}) {
      for (int r : {0, 4, 7}) {
        const int x = 60 * c + 20;
        const int y = static_cast<int>(58.8 * r + 16);
        QVERIFY2(InkContrast(image, {x, y - 12, 24, 11}) >= kReadable, qPrintable(QString("number %1,%2").arg(c).arg(r)));
        QVERIFY2(InkContrast(image, {x - 4, y, 38, 40}) >= kReadable, qPrintable(QString("bars %1,%2").arg(c).arg(r)));
      }
    }
  }

  void filterDialogCardsBarsAndFiguresRead() {
    zlc::Calculator calc;
    calc.filter.elementGrid[0][8] = zlc::ElementState::Mobile;  // a solid bar
    calc.filter.elementGrid[1][0] = zlc::ElementState::Static;  // a broken one
    zlc::ui::TForm2 dialog(calc, "Filtering Settings");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QImage image = dialog.grab().toImage();
    for (int suit = 0; suit < 4; ++suit) {
      for (int rank : {0, 5, 8}) {
        QLabel* label = dialog.cardLabel(suit, rank);
        const QRect area(label->mapTo(&dialog, QPoint(0, 0)), label->size());
        QVERIFY2(InkContrast(image, area) >= kReadable, qPrintable(label->text()));
      }
      QLabel* figure = dialog.hexagramLabel(suit);
      QVERIFY2(InkContrast(image, QRect(figure->mapTo(&dialog, QPoint(0, 0)), figure->size())) >= kReadable,
               qPrintable(figure->text()));
    }
    const QPoint box = dialog.paintBox()->mapTo(&dialog, QPoint(0, 0));
    for (auto [suit, bar] : {std::pair{0, 0}, {1, 4}}) {
      const QRect drawn = dialog.LineBarRect(suit, bar).translated(box).adjusted(-2, -2, 2, 2);
      QVERIFY2(InkContrast(image, drawn) >= kReadable, qPrintable(QString("bar %1 of suit %2").arg(bar).arg(suit)));
    }
    // The groups' captions and the check boxes' texts are the palette's own.
    auto* line1 = dialog.balanceBox(1);
    QVERIFY(InkContrast(image, QRect(line1->mapTo(&dialog, QPoint(0, 0)), line1->size())) >= kReadable);
  }
};

QTEST_MAIN(DarkPaletteTest)
#include "dark_palette_test.moc"
