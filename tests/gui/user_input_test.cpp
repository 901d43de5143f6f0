// The main window driven only as a person drives it: mouse presses and key
// presses on the real widgets, the focus moving as they move it, the real
// file dialog and message boxes. Each case is a fault that a test calling
// handlers directly could not see.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMenuBar>
#include <QUrl>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "calculator/calculator.h"
#include "main_window_fixture.h"
#include "ui/line_list.h"
#include "ui/look.h"
#include "ui/runtime_dialogs.h"
#include "ui/text.h"
#include "ui/unit1.h"
#include "ui/unit6.h"

namespace {

// Runs `step` every few milliseconds, inside whatever modal loop is open,
// until it returns true or the time is up. A step may open a nested loop
// (a message box), in which the next steps run. Deleting the returned timer
// ends the polling early.
QPointer<QTimer> PollUntil(QObject* owner, const std::function<bool()>& step, int timeoutMs = 5000) {
  auto* timer = new QTimer(owner);
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  QObject::connect(timer, &QTimer::timeout, owner, [timer, clock, step, timeoutMs] {
    if (step() || clock->elapsed() > timeoutMs) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start(20);
  return timer;
}

// The tokens of a result's first line: "12. Ad 7s ... Kc " without the number.
QStringList LayoutTokens(const QString& firstLine) {
  QStringList tokens = firstLine.split(' ', Qt::SkipEmptyParts);
  if (!tokens.isEmpty()) tokens.removeFirst();
  return tokens;
}

}  // namespace

class UserInputTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

  using List = zlc::ui::LineListView;

  void OpenActive(const char* task = nullptr) {
    OpenWindow();
    Activate(form_.get());
    if (task) LoadTask(task);
  }
  static QPoint CharPoint(QLineEdit* edit, int position) {
    edit->setCursorPosition(position);
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
  }

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  // A button's key acts when pressed: a click that follows at once finds
  // the window as the key left it (the full task cleared, "**" enabled).
  void aClickRightAfterAKeyIsNotDropped() {
    OpenActive(kConverging);
    Press(Qt::Key_F6);
    QVERIFY(!form_->cardButton(0)->isEnabled());  // the task is full
    for (int round = 0; round < 3; ++round) {
      QTest::keyClick(form_.get(), Qt::Key_N, Qt::ControlModifier);
      QTest::mouseClick(form_->cardButton(0), Qt::LeftButton);
      QCOMPARE(Find<QLineEdit>("Edit1")->text(), QString("** "));
      QTest::qWait(200);  // nothing still to come undoes it
      QCOMPARE(Find<QLineEdit>("Edit1")->text(), QString("** "));
      LoadTask(kConverging);
    }
  }

  // At the size it opens with, each list shows a whole result (three lines)
  // above its scroll bar; a click marks the whole result, in full in the
  // list with the focus and faintly in the other; the keyboard's menu starts
  // on its first entry.
  void eachListShowsAndMarksAWholeResult() {
    OpenActive(kConverging);
    for (int i = 0; i < 3; ++i) Press(Qt::Key_F6);
    auto* all = Find<List>("ListBox1");
    auto* filtered = Find<List>("ListBox2");
    for (List* list : {all, filtered}) {
      QVERIFY(list->horizontalScrollBar()->isVisible());
      QVERIFY2(list->VisibleLines() >= 3, qPrintable(QString::number(list->viewport()->height())));
    }
    QTest::mouseClick(all->viewport(), Qt::LeftButton, {}, all->LineRect(1).center());
    QVERIFY(all->hasFocus());
    QCOMPARE(all->CurrentResult(), (std::pair<std::ptrdiff_t, std::ptrdiff_t>(0, 3)));
    // Two lines down the keys reach the next result, marked whole.
    QTest::keyClick(all, Qt::Key_Down);
    QTest::keyClick(all, Qt::Key_Down);
    QCOMPARE(all->CurrentResult(), (std::pair<std::ptrdiff_t, std::ptrdiff_t>(3, 6)));
    QTest::keyClick(all, Qt::Key_Up);
    QTest::keyClick(all, Qt::Key_Up);
    QCOMPARE(all->CurrentResult(), (std::pair<std::ptrdiff_t, std::ptrdiff_t>(0, 3)));
    const auto markOf = [all](std::size_t line) {
      // The top row of the line: above the letters, inside the mark.
      return all->viewport()->grab().toImage().pixelColor(all->viewport()->width() / 2,
                                                          all->LineRect(line).top() + 1);
    };
    const QColor base = all->palette().color(QPalette::Base);
    // Line 0 is the current one, in the focus frame; the other two are
    // marked alike.
    const QColor focusedMark = markOf(1);
    QCOMPARE(markOf(2), focusedMark);
    QVERIFY(focusedMark != base);
    QTest::mouseClick(filtered->viewport(), Qt::LeftButton, {}, filtered->LineRect(0).center());
    QVERIFY(filtered->hasFocus());
    const QColor otherMark = markOf(1);
    QCOMPARE(markOf(2), otherMark);
    QVERIFY(otherMark != focusedMark);
    QVERIFY(otherMark != base);

    QTest::keyClick(filtered, Qt::Key_Menu);
    QMenu* menu = form_->resultsMenu();
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->activeAction(), Find<QAction>("Save2"));
    QTest::keyClick(menu, Qt::Key_Escape);
  }

  // Ctrl+Z takes back the task's edits one by one: a card appended, tokens
  // deleted, the task cleared; not while a run holds the task.
  void ctrlZUndoesTheTaskEdits() {
    OpenActive();
    auto* field = Find<QLineEdit>("Edit1");
    calc_->editor.LoadTaskText("Ad ", true);  // En
    form_->SyncTask();
    const int sevenOfSpades = 1 + 4 * 1 + 0;
    QTest::mouseClick(form_->cardButton(zlc::kGapButton), Qt::LeftButton);
    QTest::mouseClick(form_->cardButton(sevenOfSpades), Qt::LeftButton);
    QCOMPARE(field->text(), QString("Ad ** 7s "));
    QTest::mouseDClick(field, Qt::LeftButton, {}, CharPoint(field, 4));  // "**"
    QTest::mouseClick(Find<QPushButton>("Button2"), Qt::LeftButton);
    QCOMPARE(field->text(), QString("Ad 7s "));
    Press(Qt::CTRL | Qt::Key_N);
    QCOMPARE(field->text(), QString());
    Press(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(field->text(), QString("Ad 7s "));
    QCOMPARE(calc_->notation.notationName, std::string("En"));
    Press(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(field->text(), QString("Ad ** 7s "));
    QVERIFY(!form_->cardButton(sevenOfSpades)->isEnabled());
    Press(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(field->text(), QString("Ad ** "));
    QVERIFY(form_->cardButton(sevenOfSpades)->isEnabled());

    QTest::mouseClick(form_->cardButton(sevenOfSpades), Qt::LeftButton);
    Press(Qt::Key_F5);
    QVERIFY(calc_->Running());
    Press(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(field->text(), QString("Ad ** 7s "));
    Press(Qt::Key_F5);
    Press(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(field->text(), QString("Ad ** "));
  }

  // The task files last opened or saved come back from File -> "Recent
  // tasks", newest first; one that is gone is said and taken off the list.
  void recentTasksOpenFromTheFileMenu() {
    OpenActive();
    QVERIFY(!Find<QMenu>("RecentTasks")->isEnabled());
    for (const char* name : {"first.zlt", "second.zlt"}) {
      LoadTask(name[0] == 'f' ? "Ad ** " : "7s ** ");
      nextFileName_ = name;
      Press(Qt::CTRL | Qt::Key_S);
    }
    QMenu* recent = Find<QMenu>("RecentTasks");
    QVERIFY(recent->isEnabled());
    QCOMPARE(recent->actions().size(), 2);
    QVERIFY(recent->actions()[0]->text().endsWith("second.zlt"));
    QCOMPARE(form_->RecentTasks().first(), QDir::current().absoluteFilePath("second.zlt"));
    LoadTask("");
    // Alt+F, the arrow to "Recent tasks", into it, down to the older file.
    QTest::keyClick(form_.get(), Qt::Key_F, Qt::AltModifier);
    QMenu* file = form_->menuBar()->actions()[0]->menu();
    QTRY_VERIFY(file->isVisible());
    for (int i = 0; i < 5 && file->activeAction() != recent->menuAction(); ++i) QTest::keyClick(file, Qt::Key_Down);
    QCOMPARE(file->activeAction(), recent->menuAction());
    QTest::keyClick(file, Qt::Key_Right);
    QTRY_VERIFY(recent->isVisible());
    QTest::keyClick(recent, Qt::Key_Down);
    QTest::keyClick(recent, Qt::Key_Return);
    QTRY_COMPARE(Find<QLineEdit>("Edit1")->text(), QString("Ad ** "));
    QVERIFY(recent->actions()[0]->text().endsWith("first.zlt"));

    QVERIFY(QFile::remove("second.zlt"));
    recent->actions()[1]->trigger();
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_[0].startsWith("File not found"));
    QCOMPARE(recent->actions().size(), 1);
  }

  // A task file dropped on the window opens as "Open" opens it; during a
  // run the window takes no drop.
  void aDroppedTaskFileOpens() {
    OpenActive();
    WriteFile("dropped.zlt", "Kc ** \r\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QDir::current().absoluteFilePath("dropped.zlt"))});
    auto drop = [this, &data] {
      const QPoint at = form_->rect().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(form_.get(), &enter);
      if (!enter.isAccepted()) return false;
      QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
      QApplication::sendEvent(form_.get(), &dropped);
      return true;
    };
    LoadTask("** ");
    Press(Qt::Key_F5);
    QVERIFY(!drop());
    Press(Qt::Key_F5);
    QVERIFY(drop());
    QTRY_COMPARE(Find<QLineEdit>("Edit1")->text(), QString("Kc ** "));
    QCOMPARE(calc_->notation.notationName, std::string("En"));
    QCOMPARE(form_->RecentTasks().value(0), QDir::current().absoluteFilePath("dropped.zlt"));
  }

  // The card buttons say their card in words under the pointer, and the
  // autosave boxes what they do.
  void buttonsSayWhatTheyAre() {
    OpenActive();
    zlc::SetNotation(calc_->notation, 2);
    form_->BuildCardGrid();
    QCOMPARE(form_->cardButton(1 + 4 * 8 + 1)->toolTip(), QString("ace of diamonds"));
    QCOMPARE(form_->cardButton(37)->toolTip(), QString("any six"));
    QVERIFY(form_->cardButton(zlc::kGapButton)->toolTip().startsWith("gap"));
    QVERIFY(Find<QCheckBox>("CheckBox2")->toolTip().contains("results.log"));
    QCOMPARE(Find<QCheckBox>("CheckBox3")->accessibleName(), QString("Autosave filtered results"));
  }

  // From "Run" to "Stop" nothing changes the task: not "delete selected",
  // not Del or Backspace in the task field, whatever the selection does;
  // after "Stop" the button follows the selection in force.
  void theTaskCannotChangeDuringARun() {
    OpenActive();
    QTest::mouseClick(form_->cardButton(0), Qt::LeftButton);  // "**"
    QCOMPARE(form_->findChild<QLineEdit*>("Edit1")->text(), QString("** "));
    auto* remove = Find<QPushButton>("Button2");
    auto* field = Find<QLineEdit>("Edit1");
    Press(Qt::Key_F5);
    QVERIFY(calc_->Running());
    QVERIFY(!remove->isEnabled());
    // A selection made with the mouse and the keys during the run.
    QTest::mouseDClick(field, Qt::LeftButton, {}, CharPoint(field, 1));
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(field->hasSelectedText());
    QVERIFY(!remove->isEnabled());
    QTest::mouseClick(remove, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QString("** "));
    QCOMPARE(Find<QGroupBox>("GroupBox2")->title(), QString("Task (L=36/36)"));
    QCOMPARE(calc_->editor.Text(), std::string("** "));
    Press(Qt::Key_F5);
    QVERIFY(!calc_->Running());
    // The selection made during the run is the one in force now.
    QCOMPARE(remove->isEnabled(), field->hasSelectedText());
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(remove->isEnabled());
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->text(), QString());
  }

  // Dragging over a card selects it; pressing "delete selected" takes the
  // focus from the field, and still deletes what was selected.
  void deleteSelectedAfterDraggingWithTheMouse() {
    OpenActive("** 6\xEF ** ");
    auto* edit = Find<QLineEdit>("Edit1");
    auto* del = Find<QPushButton>("Button2");
    QCOMPARE(edit->text(), U("** 6п ** "));
    QVERIFY(!del->isEnabled());

    const QPoint from = CharPoint(edit, 3), to = CharPoint(edit, 5);
    edit->setCursorPosition(0);
    QTest::mousePress(edit, Qt::LeftButton, {}, from);
    QTest::mouseMove(edit, to);
    QTest::mouseRelease(edit, Qt::LeftButton, {}, to);
    QCOMPARE(edit->selectedText(), U("6п"));
    QVERIFY(del->isEnabled());

    QTest::mousePress(del, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(del));  // the press took the focus
    QVERIFY(del->isEnabled());
    QTest::mouseRelease(del, Qt::LeftButton);
    QCOMPARE(edit->text(), U("** "));  // the gaps around the card join
    QVERIFY(!del->isEnabled());        // nothing is selected any more
  }

  // The same from the keyboard: the selection survives Tab to the button.
  void deleteSelectedAfterTabbingToTheButton() {
    OpenActive("6\xEF ** 6\xE1 ");
    auto* edit = Find<QLineEdit>("Edit1");
    auto* del = Find<QPushButton>("Button2");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);  // the "б" of the last card
    QVERIFY(del->isEnabled());
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(del));
    QVERIFY(edit->hasSelectedText());
    QTest::keyClick(del, Qt::Key_Space);
    QCOMPARE(edit->text(), U("6п ** "));

    // A click elsewhere that drops the selection disables the button.
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
    QVERIFY(del->isEnabled());
    QTest::mouseClick(edit, Qt::LeftButton, {}, CharPoint(edit, 1));
    QVERIFY(!edit->hasSelectedText());
    QVERIFY(!del->isEnabled());
  }

  // The task field stays usable during a run; after "Stop" the button offers
  // to delete only what is selected then.
  void deleteSelectedFollowsTheSelectionAcrossARun() {
    OpenActive("** 6\xEF ** ");
    auto* edit = Find<QLineEdit>("Edit1");
    auto* del = Find<QPushButton>("Button2");
    auto* run = Find<QPushButton>("Button5");
    QTest::mouseDClick(edit, Qt::LeftButton, {}, CharPoint(edit, 4));
    QVERIFY(edit->hasSelectedText());
    QVERIFY(del->isEnabled());
    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(!del->isEnabled());
    QTest::mouseClick(edit, Qt::LeftButton, {}, CharPoint(edit, 1));  // drops the selection
    QVERIFY(!del->isEnabled());
    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(!calc_->Running());
    QVERIFY(!edit->hasSelectedText());
    QVERIFY(!del->isEnabled());

    // Selected during the run, offered after it.
    QTest::mouseClick(run, Qt::LeftButton);
    QTest::mouseDClick(edit, Qt::LeftButton, {}, CharPoint(edit, 4));
    QVERIFY(!del->isEnabled());
    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(del->isEnabled());
  }

  // The notation switched from the options dialog while a run goes on: every
  // result, listed or logged, before, during and after the switch, holds the
  // task's cards where the task puts them.
  void notationChangeDuringARunNeverIgnoresTheTask() {
    OpenActive("Ad 7s ** Kc ");
    auto* run = Find<QPushButton>("Button5");
    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(calc_->Running());
    QTest::qWait(100);

    std::int64_t resultsWhileOpen = -1;
    bool started = false;
    auto poll = PollUntil(this, [&] {
      auto* dialog = form_->optionsWindow();
      if (started || !dialog->isVisible()) return false;
      started = true;
      QLineEdit* text = dialog->findChild<QComboBox*>("ComboBox1")->lineEdit();
      QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(text, "Ru");
      const std::int64_t before = calc_->Totals().results;
      QTest::qWait(400);  // the run goes on under the open dialog
      resultsWhileOpen = static_cast<std::int64_t>(calc_->Totals().results) - before;
      QTest::keyClick(dialog, Qt::Key_Escape);
      return true;
    });
    Press(Qt::CTRL | Qt::Key_Comma);  // Options, modal until the poll closes it
    delete poll;
    QVERIFY2(resultsWhileOpen > 0, "no batch ran while the dialog was open");
    QCOMPARE(Find<QLineEdit>("Edit1")->text(), U("Тб 7п ** Кк "));
    QTest::qWait(100);
    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(!calc_->Running());

    // The filtered log has every result (the default filter passes all).
    QFile log("resultsf.log");
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList lines = zlc::ui::ToQt(log.readAll().toStdString()).split("\r\n", Qt::SkipEmptyParts);
    int en = 0, ru = 0;
    for (const QString& line : lines) {
      if (!line.at(0).isDigit()) continue;
      const QStringList t = LayoutTokens(line);
      QCOMPARE(t.size(), 36);
      const bool isEn = t[0] == "Ad" && t[1] == "7s" && t[35] == "Kc";
      const bool isRu = t[0] == U("Тб") && t[1] == U("7п") && t[35] == U("Кк");
      QVERIFY2(isEn || isRu, qPrintable(line));
      (isEn ? en : ru) += 1;
    }
    QVERIFY(en > 0 && ru > 0);
  }

  // "Save result..." writes a file without an extension; typing its name in
  // the open dialog opens it. A task's name without ".zlt" still finds it.
  void openByTypingTheNameInTheDialog() {
    OpenActive(kConverging);
    WriteFile("res1", "1. 6s 7s 8s 9s Xs Js Qs Ks As 6d 7d 8d 9d Xd Jd Qd Kd Ad "
                      "6c 7c 8c 9c Xc Jc Qc Kc Ac 6h 7h 8h 9h Xh Jh Qh Kh Ah \r\n   HB:\r\n   P\r\n");
    WriteFile("task.zlt", "Qh ** \r\n");
    zlc::ui::SetFileNameProvider(nullptr);  // the real dialog

    auto openTyping = [this](const QString& name) {
      Activate(form_.get());  // the keys go to the active window
      QStringList refusals;
      bool typed = false;
      // The dialog's own "File not found" opens inside the step that typed.
      auto boxes = PollUntil(this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          refusals << box->text();
          box->reject();
        }
        return false;
      });
      auto poll = PollUntil(this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return false;
        if (typed) {  // refused: give up
          dialog->reject();
          return true;
        }
        auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
        field->setFocus();
        QTest::keyClicks(field, name);
        QTest::keyClick(field, Qt::Key_Return);
        typed = true;
        return !dialog->isVisible();
      });
      Press(Qt::CTRL | Qt::Key_O);
      QTest::qWait(100);
      delete poll;
      delete boxes;
      if (!typed) refusals << "no open dialog";
      return refusals;
    };

    QCOMPARE(openTyping("res1"), QStringList());
    QCOMPARE(calc_->editor.TaskLength(), 36);
    QVERIFY(Find<QLineEdit>("Edit1")->text().startsWith("6s 7s 8s "));

    QCOMPARE(openTyping("task"), QStringList());
    QCOMPARE(Find<QLineEdit>("Edit1")->text(), QString("Qh ** "));

    // A name that is neither is refused in the dialog; the task stays.
    const QStringList refused = openTyping("nothing");
    QCOMPARE(refused.size(), 1);
    QVERIFY2(refused[0].contains("File not found"), qPrintable(refused[0]));
    QCOMPARE(Find<QLineEdit>("Edit1")->text(), QString("Qh ** "));
  }

  // A focused result list has a current line that the keys move and keep in
  // view; the pop-up menu opens from the keyboard; Ctrl+C copies a result.
  void resultListsFromTheKeyboard() {
    OpenActive(kConverging);
    for (int i = 0; i < 8; ++i) Press(Qt::Key_F6);  // eight results, 24 lines
    auto* list = Find<List>("ListBox1");
    QCOMPARE(list->LineCount(), std::size_t{24});
    const int visible = list->viewport()->height() / List::kLineHeight;
    QVERIFY(visible < 24);
    auto shown = [list](std::ptrdiff_t line) {
      return list->viewport()->rect().contains(list->LineRect(static_cast<std::size_t>(line)));
    };

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->LineRect(1).center());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list));
    QCOMPARE(list->SelectedLine(), 1);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->SelectedLine(), 2);
    for (int i = 0; i < visible + 2; ++i) QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->SelectedLine(), 4 + visible);
    QVERIFY(shown(list->SelectedLine()));  // the list scrolled with it
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(list->SelectedLine(), 23);
    QVERIFY(shown(23));
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(list->SelectedLine(), 0);
    QVERIFY(shown(0));
    QTest::keyClick(list, Qt::Key_PageDown);
    QVERIFY(list->SelectedLine() >= visible - 1);
    QVERIFY(shown(list->SelectedLine()));
    QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(list->SelectedLine(), 23);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->SelectedLine(), 22);
    QTest::keyClick(list, Qt::Key_PageUp);
    QTest::keyClick(list, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(list->SelectedLine(), 0);

    // Ctrl+C on the second line of the oldest block copies that block.
    QTest::keyClick(list, Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Up);
    QApplication::clipboard()->clear();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    const QString oldest = list->LineText(21) + '\n' + list->LineText(22) + '\n' + list->LineText(23) + '\n';
    QVERIFY(list->LineText(21).startsWith("1. "));
    QCOMPARE(QApplication::clipboard()->text(), oldest);
    // A result found since the list was last drawn (a run draws it a few
    // dozen times a second) does not shift what the line stands for.
    QCOMPARE(calc_->RunBatch(), zlc::BatchOutcome::Result);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), oldest);
    form_->SyncResults();
    QCOMPARE(list->SelectedLine(), 25);  // still on the same text
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), oldest);

    // The Menu key and Shift+F10 open the lists' menu for the current line.
    QMenu* menu = form_->resultsMenu();
    for (QKeyCombination key : {QKeyCombination(Qt::Key_Menu), Qt::SHIFT | Qt::Key_F10}) {
      QTest::keyClick(list, key.key(), key.keyboardModifiers());
      QTRY_VERIFY(menu->isVisible());
      QCOMPARE(form_->menuResultNumber(), 1);
      QVERIFY(Find<QAction>("Save2")->isEnabled());
      QTest::keyClick(menu, Qt::Key_Escape);
      QTRY_VERIFY(!menu->isVisible());
    }

    // "Copy" in that menu, chosen by keys, copies the block of the menu.
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Menu);
    QTRY_VERIFY(menu->isVisible());
    QApplication::clipboard()->clear();
    for (int i = 0; i < 5 && menu->activeAction() != Find<QAction>("Copy1"); ++i) {
      QTest::keyClick(menu, Qt::Key_Down);
    }
    QCOMPARE(menu->activeAction(), Find<QAction>("Copy1"));
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(!menu->isVisible());
    QVERIFY(QApplication::clipboard()->text().startsWith("9. "));
    QCOMPARE(QApplication::clipboard()->text().count('\n'), 3);
  }

  // Files in a folder named in Cyrillic: the name goes to the file system
  // as it spells it, so the task is saved there and opens again.
  void taskInAFolderWithACyrillicName() {
    OpenActive("Ad ** 7s ");
    QVERIFY(QDir().mkdir(U("задачи")));
    nextFileName_ = U("задачи/первая.zlt");
    Press(Qt::CTRL | Qt::Key_S);
    QVERIFY(messages_.isEmpty());
    QVERIFY(QFile::exists(U("задачи/первая.zlt")));
    Press(Qt::CTRL | Qt::Key_N);  // "Clear Task"
    QCOMPARE(Find<QLineEdit>("Edit1")->text(), QString());
    Press(Qt::CTRL | Qt::Key_O);
    QVERIFY(messages_.isEmpty());
    QCOMPARE(Find<QLineEdit>("Edit1")->text(), QString("Ad ** 7s "));
  }

  // A right-click on a list, "Export list as CSV..." chosen by keys and a
  // name typed in the real dialog: a CSV of that list's results, oldest
  // first, each row the result its text lines show.
  void exportListAsCsvFromTheMenu() {
    OpenActive(kConverging);
    for (int i = 0; i < 5; ++i) Press(Qt::Key_F6);
    auto* list = Find<List>("ListBox1");
    QCOMPARE(list->LineCount(), std::size_t{15});
    zlc::ui::SetFileNameProvider(nullptr);  // the real dialog
    bool typed = false;
    auto poll = PollUntil(this, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return false;
      auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
      field->setFocus();
      QTest::keyClicks(field, "found");
      QTest::keyClick(field, Qt::Key_Return);
      typed = true;
      return true;
    });
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->LineRect(4).center());
    QMenu* menu = form_->resultsMenu();
    QTRY_VERIFY(menu->isVisible());
    for (int i = 0; i < 6 && menu->activeAction() != Find<QAction>("Exportlist1"); ++i) {
      QTest::keyClick(menu, Qt::Key_Down);
    }
    QCOMPARE(menu->activeAction(), Find<QAction>("Exportlist1"));
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(typed);
    delete poll;

    // The dialog added the extension.
    const QStringList rows = QString::fromUtf8(ReadAll("found.csv")).split("\r\n");
    QCOMPARE(rows.size(), 7);  // header, five rows, and after the last CR LF nothing
    QVERIFY(rows[0].startsWith("result,rn,tries,passed,cards,"));
    QCOMPARE(rows[6], QString());
    for (int k = 1; k <= 5; ++k) {
      const QStringList fields = rows[k].split(',');
      QCOMPARE(fields[0], QString::number(k));
      const int firstLine = 3 * (5 - k);  // newest on top in the list
      QVERIFY(list->LineText(static_cast<std::size_t>(firstLine)).startsWith(QString::number(k) + ". "));
      QCOMPARE(fields[4], LayoutTokens(list->LineText(static_cast<std::size_t>(firstLine))).join(' '));
    }
  }

  // Made as small as the window system lets a user make it, the window keeps
  // every control clear of its neighbours and both lists readable.
  void smallestWindowKeepsEveryControlUsable() {
    OpenActive(kConverging);
    for (int i = 0; i < 3; ++i) Press(Qt::Key_F6);
    form_->resize(300, 200);
    QCoreApplication::processEvents();
    QVERIFY(form_->width() > 300 && form_->height() > 200);

    const char* rows[][6] = {
        {"Edit1", "Button2", "Button3", "Button5", "Button4", nullptr},
        {"ListBox1", "CheckBox4", "Label1", "CheckBox2", "CheckBox3", "Button6"},
        {"ListBox3", "Panel2", "Button1", nullptr, nullptr, nullptr},
    };
    for (const auto& row : rows) {
      QList<QWidget*> controls;
      for (const char* name : row) {
        if (name) controls << Find<QWidget>(name);
      }
      for (QWidget* a : controls) {
        QVERIFY2(a->parentWidget()->rect().contains(a->geometry()), qPrintable(a->objectName()));
        for (QWidget* b : controls) {
          if (a == b) continue;
          QVERIFY2(!a->geometry().intersects(b->geometry()),
                   qPrintable(a->objectName() + " runs into " + b->objectName()));
        }
      }
    }
    // The grid stays whole inside the window's client area.
    for (int i = 0; i <= zlc::kLastCardButton; ++i) {
      QVERIFY(form_->centralWidget()->rect().contains(form_->cardButton(i)->geometry()));
    }
    // A long count of variants still fits its label's frame.
    auto* label = Find<QLabel>("Label2");
    QVERIFY(Find<QWidget>("Panel2")->width() >=
            label->fontMetrics().horizontalAdvance("Variants : 99999999999"));
    // Both lists show at least two whole lines, under their scroll bars too.
    for (const char* name : {"ListBox1", "ListBox2"}) {
      auto* list = Find<List>(name);
      int height = list->viewport()->height();
      QVERIFY2(height >= 2 * List::kLineHeight, name);
    }
    // Dragging the splitter to the bottom cannot squeeze the lower list away.
    auto* splitter = Find<QSplitter>("Splitter1");
    QWidget* handle = splitter->handle(1);
    QTest::mousePress(handle, Qt::LeftButton, {}, handle->rect().center());
    QTest::mouseMove(handle, handle->rect().center() + QPoint(0, 300));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->rect().center() + QPoint(0, 300));
    QVERIFY(Find<List>("ListBox2")->viewport()->height() >= 2 * List::kLineHeight);
  }

  // A bad value in zlc.cfg is said once the main window is on the screen, in
  // a box over it, titled with the program's name.
  void startUpMessageShowsOverTheWindow() {
    WriteFile("zlc.cfg", "sd_t = abc\r\n");
    zlc::ui::SetMessageSink(nullptr);  // the real box

    QString text, title;
    bool windowShown = false;
    QPoint offset(-1000, -1000);
    auto poll = PollUntil(this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return false;
      text = box->text();
      title = box->windowTitle();
      windowShown = form_ && form_->isVisible();
      if (windowShown) offset = box->frameGeometry().center() - form_->frameGeometry().center();
      box->accept();
      return true;
    });
    OpenWindow();
    QTRY_VERIFY(!text.isEmpty());
    QCOMPARE(text, QString("'abc' is not a valid integer value"));
    QCOMPARE(title, QApplication::applicationName());
    QVERIFY(windowShown);
    QVERIFY2(offset.manhattanLength() < 40, qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
    delete poll;
  }
};

QTEST_MAIN(UserInputTest)
#include "user_input_test.moc"
