// The "Result" window driven as a person drives it: opened by Enter or a
// double click on a listed result and from the lists' pop-up menu, its
// collapse stepped with the keys and played, read by a screen reader.
#include <QAccessible>
#include <QClipboard>
#include <QImage>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

#include "main_window_fixture.h"
#include "real_input.h"
#include "ui/card_row_view.h"
#include "ui/hexagram_view.h"
#include "ui/line_list.h"
#include "ui/result_window.h"
#include "ui/text.h"
#include "ui/translation.h"
#include "ui/unit1.h"

using zlc::ui::LineListView;
using zlc::ui::ResultWindow;

namespace {

// Every name and description down the accessible tree.
void CollectTexts(QAccessibleInterface* iface, QStringList& texts) {
  if (!iface || !iface->isValid()) return;
  texts << iface->text(QAccessible::Name) << iface->text(QAccessible::Description);
  for (int i = 0; i < iface->childCount(); ++i) CollectTexts(iface->child(i), texts);
}

}  // namespace

class ResultWindowTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

  // A left click on a line of a list, through the window, as the mouse
  // gives it.
  void ClickLine(LineListView* list, int line) {
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      list->viewport()->mapTo(form_.get(), list->LineRect(static_cast<std::size_t>(line)).center()));
  }

  // The one result window open, once it has the focus.
  ResultWindow* OpenedWindow() {
    if (!QTest::qWaitFor([this] { return form_->ResultWindows().size() == 1; })) return nullptr;
    ResultWindow* window = form_->ResultWindows().front();
    if (!QTest::qWaitForWindowActive(window)) return nullptr;
    return window;
  }

  // The window of the second result (lines 3 to 5 of "All": the first one
  // found), opened by a click on the list, the arrows down to its middle
  // line and Enter.
  ResultWindow* OpenSecondResult() {
    OpenWithResults(2);
    auto* list = Find<LineListView>("ListBox1");
    ClickLine(list, 0);
    for (int i = 0; i < 4; ++i) real_input::Key(Qt::Key_Down);
    real_input::Key(Qt::Key_Return);
    return OpenedWindow();
  }

  static QString StepLabel(ResultWindow* window) { return FindIn<QLabel>(window, "StepText")->text(); }

  // Alt+F, down to "Open result..." and Return, the file dialog answered
  // with `path`.
  void OpenResultFile(const QString& path) {
    Activate(form_.get());
    nextFileName_ = path;
    QTest::keyClick(form_.get(), Qt::Key_F, Qt::AltModifier);
    QMenu* file = form_->menuBar()->actions()[0]->menu();
    QTRY_VERIFY(file->isVisible());
    auto* open = Find<QAction>("Openresult1");
    for (int i = 0; i < 8 && file->activeAction() != open; ++i) QTest::keyClick(file, Qt::Key_Down);
    QCOMPARE(file->activeAction(), open);
    QTest::keyClick(file, Qt::Key_Return);
    QTRY_VERIFY(!file->isVisible());
  }

 private slots:
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void enterOnAListedResultOpensItsWindow() {
    ResultWindow* window = OpenSecondResult();
    QVERIFY(window);
    QCOMPARE(window->Record().rn, std::int64_t(1));
    QCOMPARE(window->windowTitle(), QString("Result #1"));
    QVERIFY(window->BlockText().startsWith("1. "));
    QCOMPARE(window->StepsDone(), 0);
    QCOMPARE(window->CardsLeft(), 36);
    // The cards view has the focus, so the step keys act at once.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window->cards()));
    QVERIFY(StepLabel(window).startsWith("Start: 36 cards in the row"));
  }

  // The starting deck collapses first at its third card: Kc and 9c share
  // the suit across Ah. The window draws it in the notation in force.
  void keysStepThroughTheCollapse() {
    ResultWindow* window = OpenSecondResult();
    QVERIFY(window);
    const bool en = calc_->notation.notationName == "En";
    const QString king = en ? "K" : U("\xCA");
    const QString ace = en ? "A" : U("\xD2");
    real_input::Key(Qt::Key_Right);
    QCOMPARE(window->StepsDone(), 1);
    QCOMPARE(StepLabel(window), QString("Step 1 of 34: %1\u2663 leaves, matching 9\u2663 by suit over %2\u2665")
                                    .arg(king, ace));
    QVERIFY(FindIn<QLabel>(window, "StepProgress")->text().contains("Step 1 of 34"));
    QVERIFY(!window->cards()->CardInRow(2));
    QVERIFY(window->cards()->CardInRow(3));
    real_input::Key(Qt::Key_Right);
    real_input::Key(Qt::Key_Left);
    QCOMPARE(window->StepsDone(), 1);

    // End: the last two cards of the layout, and nothing else.
    real_input::Key(Qt::Key_End);
    QCOMPARE(window->StepsDone(), 34);
    QVERIFY(FindIn<QLabel>(window, "StepProgress")->text().contains("Cards left: 2"));
    int inRow = 0;
    for (int i = 0; i < 36; ++i) inRow += window->cards()->CardInRow(i) ? 1 : 0;
    QCOMPARE(inRow, 2);
    QVERIFY(window->cards()->CardInRow(34) && window->cards()->CardInRow(35));
    QVERIFY(StepLabel(window).endsWith(QString("Two cards are left: %1\u2663 and 9\u2666.").arg(ace)));
    QVERIFY(!FindIn<QPushButton>(window, "StepForward")->isEnabled());
    real_input::Key(Qt::Key_Right);
    QCOMPARE(window->StepsDone(), 34);

    real_input::Key(Qt::Key_Home);
    QCOMPARE(window->StepsDone(), 0);
    QCOMPARE(window->CardsLeft(), 36);
    for (int i = 0; i < 36; ++i) QVERIFY(window->cards()->CardInRow(i));
  }

  // Space plays the steps at the chosen speed and pauses them; at the end
  // the play stops by itself.
  void spacePlaysAndPauses() {
    ResultWindow* window = OpenSecondResult();
    QVERIFY(window);
    // Tab from the cards past the buttons that act (not "Start" and "Back"
    // at the start) to the speed, "fast" chosen with the arrow, and back.
    const QStringList order = {"StepPlay", "StepForward", "StepEnd", "StepSpeed"};
    for (const QString& name : order) {
      real_input::Key(Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    real_input::Key(Qt::Key_Down);
    QCOMPARE(FindIn<QComboBox>(window, "StepSpeed")->currentIndex(), 2);
    for (int i = 0; i < order.size(); ++i) real_input::Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window->cards()));
    real_input::Key(Qt::Key_Space);
    QVERIFY(window->Playing());
    QTRY_VERIFY(window->StepsDone() >= 2);
    real_input::Key(Qt::Key_Space);
    QVERIFY(!window->Playing());
    const int paused = window->StepsDone();
    QTest::qWait(3 * ResultWindow::kStepMs[2]);
    QCOMPARE(window->StepsDone(), paused);
    real_input::Key(Qt::Key_Space);
    QTRY_VERIFY_WITH_TIMEOUT(window->StepsDone() == 34 && !window->Playing(), 20000);
  }

  // A double click in "Filtered" and the pop-up menu's "Show result" open
  // the window of the result under the pointer; a second request for the
  // same result brings its window forward instead of another one.
  void doubleClickAndMenuOpenTheResult() {
    OpenWithResults(2);
    auto* filtered = Find<LineListView>("ListBox2");
    QCOMPARE(filtered->LineCount(), std::size_t(6));
    QTest::mouseDClick(filtered->viewport(), Qt::LeftButton, {}, filtered->LineRect(1).center());
    ResultWindow* window = OpenedWindow();
    QVERIFY(window);
    QCOMPARE(window->Record().rn, std::int64_t(2));

    Activate(form_.get());
    auto* all = Find<LineListView>("ListBox1");
    QTest::mouseClick(all->viewport(), Qt::RightButton, {}, all->LineRect(5).center());
    QMenu* menu = form_->resultsMenu();
    QTRY_VERIFY(menu->isVisible());
    auto* show = Find<QAction>("Showresult1");
    QVERIFY(show->isEnabled());
    for (int i = 0; i < 8 && menu->activeAction() != show; ++i) QTest::keyClick(menu, Qt::Key_Down);
    QCOMPARE(menu->activeAction(), show);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_COMPARE(form_->ResultWindows().size(), qsizetype(2));
    QCOMPARE(form_->ResultWindows().back()->Record().rn, std::int64_t(1));

    // Enter on the first result again: its window, not a third.
    Activate(form_.get());
    // The window gives the task field the focus as it becomes active.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Find<QWidget>("Edit1")));
    ClickLine(all, static_cast<int>(all->LineAt(QPoint(4, 4))));
    real_input::Key(Qt::Key_Home);
    real_input::Key(Qt::Key_Return);
    QTRY_VERIFY(window->isActiveWindow());
    QCOMPARE(form_->ResultWindows().size(), qsizetype(2));
  }

  // The hexagrams drawn are the ones lines 2 and 3 of the result print:
  // per suit its King Wen number with its character, its lines from the
  // bottom and its P value; the balance per line in the same order.
  void hexagramsAgreeWithTheResultLines() {
    ResultWindow* window = OpenSecondResult();
    QVERIFY(window);
    const QStringList lines = window->BlockText().split('\n');
    const QString described = window->hexagrams()->Description();
    QRegularExpression hexagram("H\\(.\\)=#(\\d+)  \\(([01]{6})\\)");
    QRegularExpressionMatchIterator it = hexagram.globalMatch(lines[1]);
    QStringList seen;
    while (it.hasNext()) {
      const QRegularExpressionMatch m = it.next();
      const int number = m.captured(1).toInt();
      seen << QString("hexagram %1 %2, lines %3").arg(number).arg(QChar(0x4DC0 + number - 1)).arg(m.captured(2));
    }
    QCOMPARE(seen.size(), 4);
    for (const QString& one : seen) QVERIFY2(described.contains(one), qPrintable(one + " in " + described));
    const QRegularExpressionMatch p = QRegularExpression("\\{(.*)\\}").match(lines[2]);
    const QStringList values = p.captured(1).split(", ");
    QCOMPARE(values.size(), 4);
    for (const QString& value : values) QVERIFY(described.contains("P " + value));
    const QString balance = QRegularExpression("HB:\\(([^)]*)\\)").match(lines[1]).captured(1);
    QVERIFY(described.endsWith("from line 1: " + balance));
  }

  // "Copy" puts the three lines on the clipboard; "Save picture as PNG..."
  // writes a picture that opens, of the cards and hexagrams as drawn; a
  // save that fails leaves what the file held and says why.
  void copyAndSaveThePicture() {
    ResultWindow* window = OpenSecondResult();
    QVERIFY(window);
    QApplication::clipboard()->clear();
    real_input::Click(FindIn<QPushButton>(window, "CopyResult"));
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    QCOMPARE(copied.size(), 4);  // three lines, each ended
    QVERIFY(copied[0].startsWith("1. "));
    QVERIFY(copied[1].trimmed().startsWith("HB:("));
    QVERIFY(copied[2].trimmed().startsWith("P("));

    real_input::Key(Qt::Key_End);
    nextFileName_ = QDir::current().filePath("picture.png");
    real_input::Click(FindIn<QPushButton>(window, "SaveResultPng"));
    QCOMPARE(dialogTitles_.last(), QString("Save picture as PNG"));
    QImage picture(nextFileName_);
    QVERIFY(!picture.isNull());
    QWidget* drawn = FindIn<QWidget>(window, "ResultPicture");
    QCOMPARE(picture.size(), drawn->size() * drawn->devicePixelRatio());
    QVERIFY(messages_.isEmpty());

    // Over a folder of that name: a message, the folder as it was, and no
    // part of a picture left beside it.
    QVERIFY(QDir::current().mkdir("taken.png"));
    WriteFile("taken.png/inside", "kept");
    const QStringList before = QDir::current().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    nextFileName_ = QDir::current().filePath("taken.png");
    real_input::Click(FindIn<QPushButton>(window, "SaveResultPng"));
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(ReadAll("taken.png/inside"), QByteArray("kept"));
    QCOMPARE(QDir::current().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
  }

  // A result saved with "Save result..." opens from the File menu as the
  // same result: its number, its lines, its marks and its collapse; a file
  // that holds no result says so and opens nothing.
  void aSavedResultOpensFromTheFileMenu() {
    OpenWithResults(1);
    const zlc::ResultRecord listed = calc_->Lists().All().RecordOfLine(0);
    zlc::ResultBlock block;
    QVERIFY(calc_->Lists().All().BlockAt(0, block));
    QVERIFY(calc_->SaveResult(block, "saved.txt"));
    OpenResultFile(QDir::current().filePath("saved.txt"));
    ResultWindow* window = OpenedWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("Result #1 from saved.txt"));
    QCOMPARE(window->Record().staticMask, listed.staticMask);
    QCOMPARE(window->Record().transitMask, listed.transitMask);
    QCOMPARE(window->BlockText(), zlc::ui::ToQt(block.lines[0]) + '\n' + zlc::ui::ToQt(block.lines[1]) + '\n' + zlc::ui::ToQt(block.lines[2]) + '\n');
    // The main window's menu bar keeps the arrows a moment after its menu
    // closed, as a person's next key would come later.
    QTest::qWait(200);
    real_input::Key(Qt::Key_Right);
    QVERIFY(StepLabel(window).startsWith("Step 1 of 34: "));
    window->close();
    QTRY_VERIFY(form_->ResultWindows().isEmpty());

    WriteFile("notes.txt", "no result here\r\n");
    OpenResultFile(QDir::current().filePath("notes.txt"));
    QTRY_COMPARE(messages_.size(), 1);
    QVERIFY(messages_[0].contains("notes.txt holds no result"));
    WriteFile("short.txt", "3. 6s 7s 8s\r\n");
    OpenResultFile(QDir::current().filePath("short.txt"));
    QTRY_COMPARE(messages_.size(), 2);
    QVERIFY(messages_[1].contains("has 3 cards"));
    QVERIFY(form_->ResultWindows().isEmpty());
  }

  // In Russian the step reads as a Russian sentence, the cards in the
  // notation's letters with the suits' symbols.
  void theStepInRussian() {
    QVERIFY(zlc::ui::InstallTranslation(QLocale("ru_RU")));
    ResultWindow* window = OpenSecondResult();
    QVERIFY(window);
    real_input::Key(Qt::Key_Right);
    const QString step = StepLabel(window);
    const QString title = window->windowTitle();
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
    QCOMPARE(title, QString::fromUtf8("Результат №1"));
    QVERIFY2(step.startsWith(QString::fromUtf8("Шаг 1 из 34: ")), qPrintable(step));
    QVERIFY(step.contains(QString::fromUtf8(" уходит, совпав с 9\u2663 по масти через ")));
  }

  // A screen reader finds the step as text in the window's tree, and hears
  // of it on the cards as the step changes.
  void theStepIsReadableText() {
    ResultWindow* window = OpenSecondResult();
    QVERIFY(window);
    real_input::Key(Qt::Key_Right);
    real_input::Key(Qt::Key_Right);
    QStringList texts;
    CollectTexts(QAccessible::queryAccessibleInterface(window), texts);
    const QString step = StepLabel(window);
    QVERIFY(step.startsWith("Step 2 of 34: "));
    QVERIFY(texts.contains(step));
    QCOMPARE(QAccessible::queryAccessibleInterface(window->cards())->text(QAccessible::Description), step);
  }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
