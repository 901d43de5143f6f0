// The font follows the desktop's, and past what the drawn layout holds the
// whole window grows instead: the pixel size of the design font and the
// window's scale for a range of desktop font sizes.
#include <QtTest>
#include <cmath>
#include <limits>

#include "ui/look.h"

class LookTest : public QObject {
  Q_OBJECT

 private slots:
  void fontAndScaleFollowTheDesktop_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("pixels");
    // Up to 9 points the font alone follows, within what the layout holds.
    QTest::newRow("6 pt") << 6.0 << 1.0 << 9;
    QTest::newRow("7 pt") << 7.0 << 1.0 << 10;
    QTest::newRow("8 pt, as drawn") << 8.0 << 1.0 << 11;
    QTest::newRow("9 pt") << 9.0 << 1.0 << 12;
    // Beyond, the window grows by quarters and the font fills the rest.
    QTest::newRow("10 pt") << 10.0 << 1.25 << 11;
    QTest::newRow("11 pt, a common desktop default") << 11.0 << 1.25 << 12;
    QTest::newRow("12 pt") << 12.0 << 1.5 << 11;
    QTest::newRow("16 pt") << 16.0 << 2.0 << 11;
    QTest::newRow("24 pt") << 24.0 << 3.0 << 11;
    // A platform that says nothing usable: the layout as drawn.
    QTest::newRow("no size") << 0.0 << 1.0 << 11;
    QTest::newRow("negative") << -3.0 << 1.0 << 11;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 1.0 << 11;
  }
  void fontAndScaleFollowTheDesktop() {
    QFETCH(double, points);
    QFETCH(double, scale);
    QFETCH(int, pixels);
    QCOMPARE(zlc::ui::LayoutScale(points), scale);
    QCOMPARE(zlc::ui::DesignFontPixels(points, zlc::ui::LayoutScale(points)), pixels);
    // What the user sees comes near the desktop's own size (8 points are
    // 11 pixels), within what quarters and whole pixels allow.
    if (points >= 6 && points <= 24) {
      const double seen = pixels * scale;
      QVERIFY2(std::abs(seen - 11.0 * points / 8.0) <= 2.2, qPrintable(QString::number(seen)));
    }
  }

  // A window scaled by the user (QT_SCALE_FACTOR) keeps the desktop's font
  // size within the layout; only the calculator's own scale takes it back.
  void aScaleTheUserSetIsNotTakenBack() {
    QCOMPARE(zlc::ui::DesignFontPixels(8.0), 11);
    QCOMPARE(zlc::ui::DesignFontPixels(16.0), 12);
    QCOMPARE(zlc::ui::DesignFontPixels(16.0, 2.0), 11);
  }
};

QTEST_GUILESS_MAIN(LookTest)
#include "look_test.moc"
