// A whole session from the keyboard alone, from a freshly opened window: the
// card grid reached with Tab and walked with the arrows, the filter dialog's
// cards and threshold set with keys, the menus opened with F10 and their
// mnemonics. Only key events; the focus moves as the keys move it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "calculator/calculator.h"
#include "main_window_fixture.h"
#include "ui/unit6.h"
#include "ui/line_list.h"
#include "ui/look.h"
#include "ui/unit1.h"
#include "ui/unit2.h"

namespace {

// The grid index of a card written in the English letters.
int CardIndex(const QString& card) {
  const int rank = static_cast<int>(QString("6789XJQKA").indexOf(card[0]));
  const int suit = static_cast<int>(QString("sdch").indexOf(card[1]));
  return 1 + 4 * rank + suit;
}

QWidget* Focus() { return QApplication::focusWidget(); }

void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(Focus(), static_cast<Qt::Key>(key), mods);
}

QPoint CentreIn(QWidget* w, QWidget* window) { return w->mapTo(window, w->rect().center()); }

}  // namespace

class KeyboardOnlyTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

  // Tab until `target` has the focus; false after `most` presses.
  static bool TabTo(QWidget* target, int most, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    for (int i = 0; i < most && Focus() != target; ++i) Key(Qt::Key_Tab, mods);
    return Focus() == target;
  }

  // Walks the arrows towards `target` as a person looking at the grid would.
  bool ArrowTo(QWidget* target) {
    QStringList path;
    for (int i = 0; i < 40 && Focus() != target; ++i) {
      path << (Focus() ? Focus()->objectName() : QString("none"));
      const QPoint d = CentreIn(target, form_.get()) - CentreIn(Focus(), form_.get());
      if (std::abs(d.y()) > 8) {
        Key(d.y() > 0 ? Qt::Key_Down : Qt::Key_Up);
      } else {
        Key(d.x() > 0 ? Qt::Key_Right : Qt::Key_Left);
      }
    }
    if (Focus() != target) qWarning() << "arrows went" << path << "towards" << target->objectName();
    return Focus() == target;
  }

  // Keys go to an open menu, else to the focused control.
  static QWidget* MenuOrFocus() {
    return QApplication::activePopupWidget() ? QApplication::activePopupWidget() : Focus();
  }
  // Esc in the open menu, then Esc to leave the bar.
  static void CloseMenus() {
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(MenuOrFocus(), Qt::Key_Escape);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
  }
  // F10, then the arrow from the first menu onto "Options", a command on
  // the bar itself.
  void OntoOptions() {
    Activate(form_.get());
    QTest::keyClick(form_.get(), Qt::Key_F10);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
    QTRY_COMPARE(form_->menuBar()->activeAction(), form_->menuBar()->actions().value(1));
  }

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void tabRunsGridTaskFilterListsResults() {
    OpenWindow();
    Activate(form_.get());
    QCOMPARE(Focus(), Find<QWidget>("Edit1"));
    // Without a task "delete selected", "step" and "Run" are skipped.
    QStringList order;
    for (int i = 0; i < 12; ++i) {
      Key(Qt::Key_Tab);
      order << Focus()->objectName();
    }
    // The lists' controls as they are laid out: "All", the boxes and the
    // button under it, then "Filtered".
    QCOMPARE(order, (QStringList{"Button4", "Button1", "ListBox3", "ListBox1", "CheckBox4", "CheckBox2",
                                 "CheckBox3", "Button6", "ListBox2", "cardButton1", "cardButton5",
                                 "cardButton9"}));
    // Back from the task field: the grid's last button, the gap.
    QVERIFY(TabTo(Find<QWidget>("Edit1"), 60));
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(Focus(), form_->cardButton(0));
    // The arrows: up from the gap to the last suit wildcard, left along its
    // row to the ace; Enter presses the focused button as Space does.
    Key(Qt::Key_Up);
    QCOMPARE(Focus(), form_->cardButton(49));
    Key(Qt::Key_Left);
    QCOMPARE(Focus(), form_->cardButton(CardIndex("Ah")));
    Key(Qt::Key_Return);
    QCOMPARE(calc_->editor.TaskLength(), 1);
  }

  void composeTaskAndFilterThenStep() {
    OpenWindow();
    Activate(form_.get());
    QVERIFY(TabTo(form_->cardButton(0), 1, Qt::ShiftModifier));
    for (const QString& card : QString(kConverging).split(' ', Qt::SkipEmptyParts)) {
      QVERIFY2(ArrowTo(form_->cardButton(CardIndex(card))), qPrintable(card));
      Key(Qt::Key_Space);
    }
    QVERIFY(calc_->editor.TaskComplete());
    QCOMPARE(calc_->editor.TaskLength(), 36);

    // The filter dialog, reached with Tab; its keys run inside its own loop.
    auto* change = Find<QPushButton>("Button1");
    QVERIFY(TabTo(change, 8));
    bool dialogDone = false;
    auto* dialog = form_->filterDialog();
    WhenActive(dialog, [dialog, &dialogDone] {
      QCOMPARE(Focus(), dialog->findChild<QWidget*>("ComboBox2"));
      Key(Qt::Key_Tab);
      QCOMPARE(Focus(), dialog->findChild<QWidget*>("CheckBox1"));
      Key(Qt::Key_Space);
      Key(Qt::Key_Tab);
      Key(Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(Focus(), "12");
      Key(Qt::Key_Tab);  // to "Static/Mobile" box: the typed threshold is taken
      Key(Qt::Key_Tab);
      QCOMPARE(Focus(), dialog->cardLabel(0, 8));  // the ace of the first suit
      Key(Qt::Key_Space);  // static
      Key(Qt::Key_Down);
      QCOMPARE(Focus(), dialog->cardLabel(0, 7));  // its king
      Key(Qt::Key_Space);
      Key(Qt::Key_Space);  // mobile
      Key(Qt::Key_Escape);
      dialogDone = true;
    });
    Key(Qt::Key_Space);
    QVERIFY(dialogDone);
    QCOMPARE(calc_->filter.lfEnabled, 1);
    QCOMPARE(static_cast<int>(calc_->filter.lfThreshold), 12);
    QCOMPARE(calc_->filter.elementGrid[0][8], zlc::ElementState::Static);
    QCOMPARE(calc_->filter.elementGrid[0][7], zlc::ElementState::Mobile);
    auto* summary = Find<QListWidget>("ListBox3");
    QVERIFY(!summary->findItems("12", Qt::MatchContains).isEmpty());

    // The window manager's part: the main window is active again, with the
    // focus in the task field (as at every activation).
    Activate(form_.get());
    QCOMPARE(Focus(), Find<QWidget>("Edit1"));
    Key(Qt::Key_F6);
    QTest::qWait(150);  // a button's key presses it a moment later
    QCOMPARE(calc_->Counters().rn, 1);
    auto* all = Find<zlc::ui::LineListView>("ListBox1");
    QCOMPARE(all->LineCount(), std::size_t{3});
    QVERIFY(all->LineText(0).startsWith("1. "));
    auto* filtered = Find<zlc::ui::LineListView>("ListBox2");
    QVERIFY(filtered->LineCount() == 0 || filtered->LineCount() == 3);

    // A step locks the controls while it runs; the focus comes back to where
    // the keys had left it, here "Clear Results".
    auto* clear = Find<QPushButton>("Button6");
    QVERIFY(TabTo(clear, 12));
    Key(Qt::Key_F6);
    QTest::qWait(150);
    QCOMPARE(calc_->Counters().rn, 2);
    QCOMPARE(Focus(), static_cast<QWidget*>(clear));
  }

  void filterCardsLikeTheMouse() {
    OpenWindow();
    auto* dialog = form_->filterDialog();
    WhenActive(dialog, [dialog] {
      QLabel* six = dialog->cardLabel(1, 0);
      for (int i = 0; i < 4; ++i) Key(Qt::Key_Tab);  // past RV, L(F), its box, Static/Mobile
      QCOMPARE(Focus(), dialog->cardLabel(0, 8));
      Key(Qt::Key_Right);  // the same row of the next suit's block
      QCOMPARE(Focus(), dialog->cardLabel(1, 8));
      for (int i = 0; i < 4; ++i) Key(Qt::Key_Down);  // A, K, Q, 10, 6
      QCOMPARE(Focus(), six);
      const QString plain = six->text();
      Key(Qt::Key_Space);
      QCOMPARE(six->text(), "[" + plain + "]");
      QVERIFY(six->font().bold());
      Key(Qt::Key_Return);  // Enter cycles too, and does not close the dialog
      QCOMPARE(six->text(), plain);
      QVERIFY(six->font().bold());
      QVERIFY(dialog->isVisible());
      Key(Qt::Key_Space);
      QCOMPARE(six->text(), plain);
      QVERIFY(!six->font().bold());
      Key(Qt::Key_Right);  // the eight beside the six
      QCOMPARE(Focus(), dialog->cardLabel(1, 2));
      Key(Qt::Key_Escape);
    });
    Activate(form_.get());
    QTest::keyClick(form_.get(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(calc_->filter.elementGrid[1][0], zlc::ElementState::Any);
  }

  void menusFromTheKeyboard() {
    OpenWindow();
    Activate(form_.get());
    QMenuBar* bar = form_->menuBar();
    QStringList shown;
    for (QAction* a : bar->actions()) shown << a->iconText();
    QCOMPARE(shown, (QStringList{"File", "Options", "View", "Help"}));
    QTest::keyClick(form_.get(), Qt::Key_F10);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QCOMPARE(QApplication::activePopupWidget(), bar->actions().value(0)->menu());
    CloseMenus();
    Activate(form_.get());
    QTest::keyClick(Focus(), Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QCOMPARE(QApplication::activePopupWidget(), bar->actions().value(3)->menu());
    CloseMenus();

    // "Options" is a command on the bar itself: the arrows reach it from the
    // first menu, and Return runs it.
    OntoOptions();
    // On past it to the next menu and back.
    Key(Qt::Key_Right);
    QTRY_COMPARE(QApplication::activePopupWidget(), bar->actions().value(2)->menu());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Left);
    QTRY_COMPARE(bar->activeAction(), bar->actions().value(1));
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    // The dialog is modal: it is closed from a timer once it shows.
    bool opened = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
      if (!form_->optionsWindow()->isVisible()) return;
      opened = true;
      form_->optionsWindow()->reject();
    });
    closer.start(20);
    QTest::keyClick(MenuOrFocus(), Qt::Key_Return);
    QTRY_VERIFY(opened);

    // Left highlighted there, the item gives the keys back to a person who
    // clicks into the window: Space types, the arrows move the caret.
    OntoOptions();
    auto* task = form_->findChild<QLineEdit*>("Edit1");
    QTest::mouseClick(task, Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), task);
    opened = false;
    Key(Qt::Key_Space);
    Key(Qt::Key_Left);
    QTest::qWait(100);
    QVERIFY(!opened);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    QVERIFY(bar->activeAction() == nullptr);
  }
};

QTEST_MAIN(KeyboardOnlyTest)
#include "keyboard_only_test.moc"
