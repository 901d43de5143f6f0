// The about box on the offscreen platform: its texts, its picture and its
// one button.
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QtTest>

#include "ui/about_picture.h"
#include "ui/look.h"
#include "ui/unit5.h"
#include "zlc_version.h"

using zlc::ui::TForm5;

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }

  void textsAndLayout() {
    TForm5 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto label = [&](const char* name) { return form.findChild<QLabel*>(name); };

    QCOMPARE(form.windowTitle(), QString("About ZLC"));
    // As drawn, or wider where a line of this face needs it.
    QCOMPARE(form.height(), 152);
    QVERIFY(form.width() >= 417);
    QCOMPARE(label("Label1")->text(), QString("Zelt calculator"));
    QVERIFY(label("Label1")->font().bold());
    QCOMPARE(label("Label1")->font().pixelSize(), 19);
    QCOMPARE(label("Label2")->text(), QString("v") + zlc::kVersion);
    QVERIFY(!label("Label4")->text().isEmpty());
    QVERIFY(!label("Label3")->isVisible());
    QCOMPARE(label("Label5")->text(),
             QString("Note: program bugs are intended to prevent unawared usage"));
    QVERIFY(label("LicenceLabel")->isVisible());
    QVERIFY(label("LicenceLabel")->text().contains("GNU GPL v3 or later"));
    QVERIFY(label("LicenceLabel")->toolTip().contains("ABSOLUTELY NO WARRANTY"));
    QCOMPARE(form.findChild<QFrame*>("Panel1")->geometry(), QRect(8, 8, 176, 122));

    // Every visible text is whole and clear of the button.
    auto* ok = form.findChild<QPushButton*>("Button1");
    QCOMPARE(ok->geometry(), QRect(form.width() - 6 - 75, 112, 75, 17));
    for (const char* name : {"Label1", "Label2", "Label4", "LicenceLabel", "Label5"}) {
      QLabel* l = label(name);
      QVERIFY2(form.rect().contains(l->geometry()), name);
      QVERIFY2(l->width() >= l->sizeHint().width(), name);
      QVERIFY2(!l->geometry().intersects(ok->geometry()), name);
    }

    ok->click();
    QVERIFY(!form.isVisible());
  }

  void pictureIsDrawn() {
    TForm5 form;
    const QPixmap picture = form.findChild<QLabel*>("Image1")->pixmap();
    QCOMPARE(picture.size(), QSize(174, 120));
    // Felt, card faces, red and black suits and the gold lines.
    const QImage image = picture.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
      for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
    }
    QVERIFY(colours.size() > 50);
  }

  // On a screen of twice the density the picture is drawn with twice the
  // pixels, not enlarged: its edges differ from the doubled small picture.
  void pictureIsSharpOnDenseScreens() {
    const QSize size(174, 120);
    const QImage dense = zlc::ui::DrawAboutPicture(size, 2).toImage();
    QCOMPARE(dense.size(), size * 2);
    QCOMPARE(dense.devicePixelRatio(), 2.0);
    const QImage doubled = zlc::ui::DrawAboutPicture(size, 1).toImage().scaled(size * 2);
    int differing = 0;
    for (int y = 0; y < dense.height(); ++y) {
      for (int x = 0; x < dense.width(); ++x) differing += dense.pixel(x, y) != doubled.pixel(x, y);
    }
    QVERIFY2(differing > dense.width() * dense.height() / 50, qPrintable(QString::number(differing)));
  }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
