// The manual from the Help menu: F1 in the main window opens it beside the
// window, with its pictures, and a second F1 shows the same window again.
// Read as a person reads it: found in with Ctrl+F, walked back and forth
// along its links, closed with Esc, at a width that needs no sideways
// scrolling.
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include "main_window_fixture.h"
#include "ui/look.h"
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

  // A picture of the document as loaded: the browser hands it over as its
  // file's bytes, or decoded.
  static QImage Picture(QTextDocument* doc, const QString& name) {
    const QVariant v = doc->resource(QTextDocument::ImageResource, QUrl(name));
    if (v.typeId() == QMetaType::QImage) return v.value<QImage>();
    if (v.typeId() == QMetaType::QPixmap) return v.value<QPixmap>().toImage();
    return QImage::fromData(v.toByteArray());
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
        loaded += !Picture(doc, f.toImageFormat().name()).isNull();
      }
    }
    return loaded;
  }

  // The manual as F1 opens it, active, with the keys going to it.
  ManualWindow* OpenManual() {
    OpenWindow();
    Activate(form_.get());
    Press(Qt::Key_F1);
    ManualWindow* manual = Manual();
    if (manual && !QTest::qWaitForWindowActive(manual)) return nullptr;
    return manual;
  }

  // A key as a person presses it: to whichever control has the focus.
  static void Key(QKeyCombination key) {
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
  }

  static int ScrolledTo(const QTextBrowser* browser) { return browser->verticalScrollBar()->value(); }

  // Clicks the link that reads `text`, the first one after `after`; it must
  // be in sight, as a person sees it.
  static void ClickLink(QTextBrowser* browser, const QString& text, const QString& after = {}) {
    QTextDocument* doc = browser->document();
    QTextCursor link = doc->find(text, after.isEmpty() ? QTextCursor(doc) : doc->find(after));
    while (!link.isNull() && link.charFormat().anchorHref().isEmpty()) link = doc->find(text, link);
    QVERIFY2(!link.isNull(), qPrintable(text));
    link.setPosition(link.selectionStart() + 1);
    const QPoint at = browser->cursorRect(link).center() + QPoint(2, 0);
    QVERIFY2(browser->viewport()->rect().contains(at), qPrintable(text + " is out of sight"));
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
  }

  // Where the text of each place of `word` begins, in order.
  static QList<int> Places(const QTextDocument* doc, const QString& word) {
    QList<int> places;
    for (QTextCursor c = doc->find(word); !c.isNull(); c = doc->find(word, c)) places << c.selectionStart();
    return places;
  }

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }
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

  // Ctrl+F goes to the find field; typing finds, Enter and F3 go on,
  // Shift+Enter and Shift+F3 go back, the buttons do the same by mouse, and
  // the search goes round at either end. A match is brought into sight.
  void findsWithCtrlFNextAndPrevious() {
    ManualWindow* manual = OpenManual();
    QVERIFY(manual);
    QTextBrowser* browser = manual->browser();
    QCOMPARE(QApplication::focusWidget(), browser);  // the arrows scroll the text at once
    auto* field = manual->findChild<QLineEdit*>("FindField");
    auto* status = manual->findChild<QLabel*>("FindStatus");
    QVERIFY(field && status);
    const QList<int> places = Places(browser->document(), "zlc.cfg");
    QVERIFY(places.size() >= 5);
    auto at = [browser]() {
      const QTextCursor c = browser->textCursor();
      // Only the whole word selected counts, and only where it can be seen.
      if (c.selectedText().compare("zlc.cfg", Qt::CaseInsensitive) != 0) return -1;
      if (!browser->viewport()->rect().contains(browser->cursorRect(c))) return -2;
      return c.selectionStart();
    };

    Key(Qt::CTRL | Qt::Key_F);
    QCOMPARE(QApplication::focusWidget(), field);
    QTest::keyClicks(field, "zlc.cfg");
    QCOMPARE(at(), places[0]);
    Key(Qt::Key_Return);
    QCOMPARE(at(), places[1]);
    Key(Qt::Key_F3);
    QCOMPARE(at(), places[2]);
    Key(Qt::Key_F3);
    QCOMPARE(at(), places[3]);
    Key(Qt::SHIFT | Qt::Key_F3);
    QCOMPARE(at(), places[2]);
    Key(Qt::SHIFT | Qt::Key_Return);
    QCOMPARE(at(), places[1]);
    QCOMPARE(status->text(), QString());
    QTest::mouseClick(manual->findChild<QPushButton*>("FindNext"), Qt::LeftButton);
    QCOMPARE(at(), places[2]);
    QTest::mouseClick(manual->findChild<QPushButton*>("FindPrevious"), Qt::LeftButton);
    QTest::mouseClick(manual->findChild<QPushButton*>("FindPrevious"), Qt::LeftButton);
    QCOMPARE(at(), places[0]);
    // Before the first comes the last, and after the last the first.
    Key(Qt::SHIFT | Qt::Key_F3);
    QCOMPARE(at(), places.last());
    QCOMPARE(status->text(), QString("Continued from the end"));
    Key(Qt::Key_F3);
    QCOMPARE(at(), places[0]);
    QCOMPARE(status->text(), QString("Continued from the top"));

    // Ctrl+F again selects the field's text, so typing replaces it; a text
    // that is nowhere selects nothing and says so.
    Key(Qt::CTRL | Qt::Key_F);
    QCOMPARE(QApplication::focusWidget(), field);
    QTest::keyClicks(field, "qzqzq");
    QCOMPARE(field->text(), QString("qzqzq"));
    QVERIFY(!browser->textCursor().hasSelection());
    QCOMPARE(status->text(), QString("Not found"));
    // Typing on from a match keeps it while it still fits.
    Key(Qt::CTRL | Qt::Key_A);
    Key(Qt::Key_Backspace);
    QCOMPARE(status->text(), QString());
    QTest::keyClicks(field, "zlc.cf");
    const int match = browser->textCursor().selectionStart();
    QVERIFY(places.contains(match));
    QTest::keyClicks(field, "g");
    QCOMPARE(at(), match);
  }

  // Back and Forward go along the links followed, one step at a time, to the
  // very place that was shown; Alt+Left and Alt+Right do it from the find
  // field too.
  void backAndForwardAlongTheLinks() {
    ManualWindow* manual = OpenManual();
    QVERIFY(manual);
    QTextBrowser* browser = manual->browser();
    auto* back = manual->findChild<QToolButton*>("ManualBackButton");
    auto* forward = manual->findChild<QToolButton*>("ManualForwardButton");
    QVERIFY(back && forward);
    QVERIFY(!back->isEnabled() && !forward->isEnabled());

    ClickLink(browser, "Where your files are");
    QTRY_VERIFY(ScrolledTo(browser) > 0);
    const int files = ScrolledTo(browser);
    // A link further on in that section.
    ClickLink(browser, "Saving and opening", "With \"filtered\" ticked");
    QTRY_VERIFY(ScrolledTo(browser) > files);
    const int saving = ScrolledTo(browser);
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());

    Key(Qt::ALT | Qt::Key_Left);
    QTRY_COMPARE(ScrolledTo(browser), files);
    QVERIFY(forward->isEnabled());
    Key(Qt::ALT | Qt::Key_Left);
    QTRY_COMPARE(ScrolledTo(browser), 0);
    QVERIFY(!back->isEnabled());
    Key(Qt::ALT | Qt::Key_Left);  // nothing before the start
    QCOMPARE(ScrolledTo(browser), 0);

    Key(Qt::CTRL | Qt::Key_F);
    QCOMPARE(QApplication::focusWidget(), manual->findChild<QLineEdit*>("FindField"));
    Key(Qt::ALT | Qt::Key_Right);
    QTRY_COMPARE(ScrolledTo(browser), files);
    QTest::mouseClick(forward, Qt::LeftButton);
    QTRY_COMPARE(ScrolledTo(browser), saving);
    QVERIFY(!forward->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QTRY_COMPARE(ScrolledTo(browser), files);
    // The links still find their sections after going back.
    ClickLink(browser, "Saving and opening", "With \"filtered\" ticked");
    QTRY_COMPARE(ScrolledTo(browser), saving);
  }

  // Esc closes the manual, whether the text or the find field has the keys;
  // F1 brings it back as it was.
  void escCloses() {
    ManualWindow* manual = OpenManual();
    QVERIFY(manual);
    Key(Qt::Key_Escape);
    QVERIFY(!manual->isVisible());
    Activate(form_.get());
    Press(Qt::Key_F1);
    QVERIFY(manual->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(manual));
    Key(Qt::CTRL | Qt::Key_F);
    QTest::keyClicks(QApplication::focusWidget(), "task");
    Key(Qt::Key_Escape);
    QVERIFY(!manual->isVisible());
    QCOMPARE(manual->findChild<QLineEdit*>("FindField")->text(), QString("task"));
  }

  // At the size it opens with, in the program's own font (set in pixels),
  // the manual reads without scrolling sideways: long code lines wrap and
  // a wide picture shrinks, keeping its proportions, to grow back to its
  // own size in a wider window. Paragraphs have room between them.
  void readableAtItsOwnSize_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("English") << "manual.md";
    QTest::newRow("Russian") << "manual.ru.md";
  }
  void readableAtItsOwnSize() {
    QFETCH(QString, file);
    ManualWindow window(QUrl("qrc:/manual/" + file));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTextBrowser* browser = window.browser();
    QTextDocument* doc = browser->document();
    // Ctrl+End: at the end, the whole of it is laid out; Home goes back.
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_End, Qt::ControlModifier);
    QTRY_COMPARE(ScrolledTo(browser), browser->verticalScrollBar()->maximum());
    QVERIFY(ScrolledTo(browser) > 0);
    QTest::keyClick(browser, Qt::Key_Home);
    QCOMPARE(ScrolledTo(browser), 0);
    QTest::keyClick(browser, Qt::Key_End);
    QCOMPARE(ScrolledTo(browser), browser->verticalScrollBar()->maximum());
    QCOMPARE(browser->horizontalScrollBar()->maximum(), 0);
    QVERIFY(!browser->horizontalScrollBar()->isVisible());
    // Fitting the pictures while the document was still being laid out
    // once left everything after a table blank.
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
      QVERIFY2(b.text().isEmpty() || b.layout()->lineCount() > 0, qPrintable(b.text().left(40)));
    }

    // Each picture at most as wide as the page, the widest one narrowed.
    const double page = browser->viewport()->width() - 2 * doc->documentMargin();
    int narrowed = 0;
    QString wide;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
      for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        if (!f.isImageFormat()) continue;
        const QTextImageFormat picture = f.toImageFormat();
        const QImage own = Picture(doc, picture.name());
        QVERIFY(!own.isNull());
        QVERIFY2(picture.width() <= page, qPrintable(picture.name()));
        if (own.width() > page) {
          ++narrowed;
          wide = picture.name();
          QVERIFY(qAbs(picture.height() / picture.width() - double(own.height()) / own.width()) < 0.01);
        }
      }
    }
    QVERIFY(narrowed >= 1);

    // Between two paragraphs of prose a visible gap, in whatever unit the font is set.
    const double line = QFontMetricsF(browser->font()).lineSpacing();
    auto prose = [](const QTextBlock& b) {
      const QTextBlockFormat f = b.blockFormat();
      return !b.text().isEmpty() && !b.textList() && !QTextCursor(b).currentTable() && f.headingLevel() == 0 &&
             !f.hasProperty(QTextFormat::BlockCodeLanguage);
    };
    int pairs = 0;
    for (QTextBlock b = doc->begin(); b.isValid() && b.next().isValid(); b = b.next()) {
      const QTextBlock n = b.next();
      if (!prose(b) || !prose(n)) continue;
      const double end = b.layout()->position().y() + b.layout()->boundingRect().height();
      QVERIFY2(n.layout()->position().y() - end >= 0.4 * line, qPrintable(n.text().left(40)));
      ++pairs;
    }
    QVERIFY(pairs > 20);

    // Wider, the picture comes back to its own size.
    auto shownWidth = [doc, &wide] {
      for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
          const QTextCharFormat f = it.fragment().charFormat();
          if (f.isImageFormat() && f.toImageFormat().name() == wide) return f.toImageFormat().width();
        }
      }
      return 0.0;
    };
    window.resize(1400, window.height());
    QTRY_COMPARE(shownWidth(), double(Picture(doc, wide).width()));
  }
};

QTEST_MAIN(ManualWindowTest)
#include "manual_window_test.moc"
