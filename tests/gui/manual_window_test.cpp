// The manual from the Help menu: F1 in the main window opens it beside the
// window, with its pictures, and a second F1 shows the same window again.
#include <QAction>
#include <QMenuBar>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTranslator>
#include <QtTest>

#include "main_window_fixture.h"
#include "ui/manual_window.h"
#include "ui/translation.h"

using zlc::ui::ManualWindow;

class ManualWindowTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

  static void RemoveTranslations() {
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
  }

  ManualWindow* Manual() { return form_->findChild<ManualWindow*>("ManualWindow"); }

  // The first heading of the document, as shown.
  static QString FirstHeading(const QTextDocument* doc) {
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
      if (b.blockFormat().headingLevel() > 0) return b.text();
    }
    return {};
  }

  // How many pictures the document holds that were found and drawn.
  static int LoadedPictures(QTextDocument* doc, int* all) {
    int loaded = 0;
    *all = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
      for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        if (!f.isImageFormat()) continue;
        ++*all;
        const QUrl name(f.toImageFormat().name());
        // The browser hands a picture over as its file's bytes, or decoded.
        const QVariant v = doc->resource(QTextDocument::ImageResource, name);
        QImage image;
        if (v.typeId() == QMetaType::QImage) image = v.value<QImage>();
        else if (v.typeId() == QMetaType::QPixmap) image = v.value<QPixmap>().toImage();
        else image = QImage::fromData(v.toByteArray());
        loaded += !image.isNull();
      }
    }
    return loaded;
  }

 private slots:
  void init() { SetUp(); }
  void cleanup() {
    RemoveTranslations();
    TearDown();
  }

  void f1OpensTheManualBesideTheWindow() {
    OpenWindow();
    Activate(form_.get());
    QVERIFY(!Manual());
    Press(Qt::Key_F1);
    ManualWindow* manual = Manual();
    QVERIFY(manual);
    QVERIFY(QTest::qWaitForWindowExposed(manual));
    QVERIFY(!manual->isModal());
    QCOMPARE(FirstHeading(manual->browser()->document()), QString("Zelt calculator: the manual"));
    int all = 0;
    const int loaded = LoadedPictures(manual->browser()->document(), &all);
    QVERIFY(all >= 2);
    QCOMPARE(loaded, all);

    // The main window still takes keys and clicks, and F1 shows the same
    // manual again rather than a second one.
    manual->close();
    Activate(form_.get());
    Press(Qt::Key_F1);
    QCOMPARE(Manual(), manual);
    QVERIFY(manual->isVisible());
    QCOMPARE(form_->findChildren<ManualWindow*>().size(), 1);
  }

  // Every link of the manual to one of its own sections finds its heading,
  // and following one scrolls the window there.
  void linksWithinTheManualReachTheirSections_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("licence");
    QTest::newRow("English") << "manual.md" << "Zelt calculator: the manual" << "Licence";
    QTest::newRow("Russian") << "manual.ru.md" << QString::fromUtf8("Калькулятор Zelt: руководство")
                             << QString::fromUtf8("Лицензия");
  }
  void linksWithinTheManualReachTheirSections() {
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, licence);
    ManualWindow window(QUrl("qrc:/manual/" + file));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTextDocument* doc = window.browser()->document();
    QSet<QString> names;
    QStringList targets;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
      for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        for (const QString& name : f.anchorNames()) names.insert(name);
        if (f.anchorHref().startsWith('#')) targets << f.anchorHref().mid(1);
      }
    }
    QVERIFY(targets.size() > 10);
    for (const QString& target : targets) QVERIFY2(names.contains(target), qPrintable(target));
    QCOMPARE(zlc::ui::HeadingAnchor("`zlc.cfg` — the settings"), QString("zlccfg--the-settings"));

    // The contents' entry of the licence, clicked.
    QTextBrowser* browser = window.browser();
    QTextCursor link = doc->find(licence);
    QVERIFY(!link.isNull() && link.charFormat().anchorHref() == "#" + licence.toLower());
    link.setPosition(link.selectionStart() + 2);
    QCOMPARE(browser->verticalScrollBar()->value(), 0);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(link).center());
    QTRY_VERIFY(browser->verticalScrollBar()->value() > 0);
    QCOMPARE(FirstHeading(doc), title);
  }

  // In the Russian interface F1 opens the Russian manual, its own pictures
  // and all; an installed copy in Russian comes before the English one.
  void russianInterfaceReadsTheRussianManual() {
    QVERIFY(zlc::ui::InstallTranslation(QLocale("ru_RU")));
    QTemporaryDir dir;
    QCOMPARE(zlc::ui::ManualSource({dir.filePath("manual.ru.md")}), QUrl("qrc:/manual/manual.ru.md"));
    // An installed English manual without the Russian one beside it does
    // not hide the Russian one built in; an installed Russian one comes first.
    for (const char* name : {"manual.md", "manual.ru.md"}) {
      QFile file(dir.filePath(name));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("# Installed copy\n");
    }
    QCOMPARE(zlc::ui::ManualSource({dir.filePath("manual.md")}), QUrl("qrc:/manual/manual.ru.md"));
    QCOMPARE(zlc::ui::ManualSource({dir.filePath("manual.md"), dir.filePath("manual.ru.md")}),
             QUrl::fromLocalFile(dir.filePath("manual.ru.md")));
    QVERIFY(zlc::ui::InstalledManualPaths().first().endsWith("/manual.ru.md"));
    OpenWindow();
    Activate(form_.get());
    Press(Qt::Key_F1);
    ManualWindow* manual = Manual();
    QVERIFY(manual);
    QCOMPARE(manual->windowTitle(), QString::fromUtf8("Руководство калькулятора Zelt"));
    QTextDocument* doc = manual->browser()->document();
    QCOMPARE(FirstHeading(doc), QString::fromUtf8("Калькулятор Zelt: руководство"));
    int all = 0;
    const int loaded = LoadedPictures(doc, &all);
    QVERIFY(all >= 3);
    QCOMPARE(loaded, all);
    RemoveTranslations();
    QCOMPARE(zlc::ui::ManualFileName(), QString("manual.md"));
  }

  void helpMenuKeepsAboutWithoutF1() {
    OpenWindow();
    QStringList entries;
    QKeySequence aboutKey(Qt::Key_A);
    for (QAction* menu : form_->menuBar()->actions()) {
      if (menu->text().remove('&') != "Help") continue;
      for (QAction* a : menu->menu()->actions()) {
        entries << a->text().remove('&');
        if (a->objectName() == "About1") aboutKey = a->shortcut();
      }
    }
    QCOMPARE(entries, QStringList({"Manual", "About"}));
    QVERIFY(aboutKey.isEmpty());
  }

  // The installed copy is preferred; without one the built-in copy is read.
  void installedCopyFirstElseBuiltIn() {
    QTemporaryDir dir;
    const QString missing = dir.filePath("nowhere/manual.md");
    QCOMPARE(zlc::ui::ManualSource({missing}), QUrl("qrc:/manual/manual.md"));
    const QString installed = dir.filePath("manual.md");
    QFile file(installed);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# Installed copy\n");
    file.close();
    QCOMPARE(zlc::ui::ManualSource({missing, installed}), QUrl::fromLocalFile(installed));
    ManualWindow window(zlc::ui::ManualSource({installed}));
    QCOMPARE(FirstHeading(window.browser()->document()), QString("Installed copy"));
  }
};

QTEST_MAIN(ManualWindowTest)
#include "manual_window_test.moc"
