// What the main window's tests share: a fresh working directory per test,
// the runtime's messages and the file dialogs answered without modal boxes,
// and the window over a calculator of its own.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "calculator/calculator.h"
#include "support/widgets.h"
#include "ui/line_list.h"
#include "ui/runtime_dialogs.h"
#include "ui/statistics_window.h"
#include "ui/unit1.h"

using zlc::test::FindIn;
using zlc::test::ReadAll;
using zlc::test::U;
using zlc::test::WriteFile;

// The starting deck converges: as a complete task every try is a result.
inline const char* const kConverging =
    "Ad 7s Kc Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd "
    "Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac 9d ";

// Runs `keys` once `dialog` is the active window with the focus in it,
// inside the modal loop that the key about to be pressed opens. A dialog a
// failed check left open is closed, so that the test ends. The timer goes
// with the dialog.
inline void WhenActive(QDialog* dialog, std::function<void()> keys) {
  auto* timer = new QTimer(dialog);
  QObject::connect(timer, &QTimer::timeout, dialog, [timer, dialog, keys] {
    QWidget* focus = QApplication::focusWidget();
    if (!dialog->isVisible() || !dialog->isActiveWindow() || !focus || focus->window() != dialog) return;
    timer->stop();
    timer->deleteLater();
    keys();
    if (dialog->isVisible()) dialog->reject();
  });
  timer->start(20);
}

class MainWindowFixture {
 protected:
  void SetUp() {
    dir_ = std::make_unique<QTemporaryDir>();
    oldCwd_ = QDir::currentPath();
    QDir::setCurrent(dir_->path());
    messages_.clear();
    dialogTitles_.clear();
    nextFileName_.clear();
    zlc::ui::SetMessageSink([this](const QString& m) { messages_ << m; });
    zlc::ui::SetFileNameProvider([this](const QString& title, const QString&) {
      dialogTitles_ << title;
      return nextFileName_;
    });
  }

  void TearDown() {
    form_.reset();
    calc_.reset();
    QDir::setCurrent(oldCwd_);
    dir_.reset();
    zlc::ui::SetMessageSink(nullptr);
    zlc::ui::SetFileNameProvider(nullptr);
  }

  // Creates and shows the window; start-up reads the working directory.
  void OpenWindow() {
    calc_ = std::make_unique<zlc::Calculator>();
    form_ = std::make_unique<zlc::ui::TForm1>(*calc_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }

  // Shows a window and waits until it is the active one, as a click on it
  // would make it: keys and shortcuts go to the active window only.
  void Activate(QWidget* w) {
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
  }

  // A key of the main window. A button's key presses it visibly, a moment
  // later; a menu's acts at once.
  void Press(QKeyCombination key) {
    QTest::keyClick(form_.get(), key.key(), key.keyboardModifiers());
    QTest::qWait(150);
  }

  void LoadTask(const char* task) {
    calc_->editor.LoadTaskText(task);
    form_->SyncTask();
  }

  // The window, active, over the converging task after `steps` presses of
  // "step": a result each.
  void OpenWithResults(int steps) {
    OpenWindow();
    Activate(form_.get());
    LoadTask(kConverging);
    for (int i = 0; i < steps; ++i) Press(Qt::Key_F6);
    // A button's key presses it a moment later, later still on a busy machine.
    QTRY_COMPARE(Find<zlc::ui::LineListView>("ListBox1")->LineCount(), std::size_t(3 * steps));
  }

  // The statistics window opened by its key.
  zlc::ui::StatisticsWindow* OpenStatistics() {
    Press(Qt::CTRL | Qt::Key_I);
    auto* stats = form_->statisticsWindow();
    // It takes the focus when it opens; the keys of the next steps must
    // not race that.
    if (stats && !QTest::qWaitForWindowActive(stats)) return nullptr;
    return stats;
  }

  QString TaskText() { return Find<QLineEdit>("Edit1")->text(); }

  template <typename W>
  W* Find(const char* name) {
    return zlc::test::FindIn<W>(form_.get(), name);
  }

  std::unique_ptr<QTemporaryDir> dir_;
  QString oldCwd_;
  QStringList messages_;
  QString nextFileName_;  // the answer of the next file dialog; empty cancels
  QStringList dialogTitles_;
  std::unique_ptr<zlc::Calculator> calc_;
  std::unique_ptr<zlc::ui::TForm1> form_;
};
