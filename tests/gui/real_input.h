// Input as a person gives it on the offscreen platform: keys go to the
// window that has the focus and from there to its focus widget, as the
// window system delivers them; the message boxes that come up are real ones,
// read and answered with a key once they have the focus.
#pragma once

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <QtTest>

namespace real_input {

// A left click in the middle of `widget`, through its window: the control
// under the pointer gets it, and the focus moves as its policy says.
inline void Click(QWidget* widget) {
  QWidget* window = widget->window();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                    widget->mapTo(window, widget->rect().center()));
}

inline void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWindow* window = QGuiApplication::focusWindow();
  QVERIFY2(window, "no window has the focus");
  QTest::keyClick(window, key, modifiers);
}

inline void Type(const char* text) {
  for (const char* c = text; *c; ++c) {
    QWindow* window = QGuiApplication::focusWindow();
    QVERIFY2(window, "no window has the focus");
    QTest::keyClick(window, *c);
  }
}

// Every message box that comes up while this lives is read and closed with
// `key` (Enter, Escape) once it has the focus; its text is kept.
class MessageBoxes : public QObject {
 public:
  explicit MessageBoxes(Qt::Key key = Qt::Key_Return) : key_(key) {
    connect(&timer_, &QTimer::timeout, this, [this] { Answer(); });
    timer_.start(5);
  }
  void AnswerWith(Qt::Key key) { key_ = key; }

  QStringList texts;
  // Whether the window the box came up over was still on the screen then.
  QList<bool> overShownWindow;

 private:
  void Answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || QGuiApplication::focusWindow() != box->windowHandle()) return;
    texts << box->text();
    QWidget* under = box->parentWidget();
    overShownWindow << (under && under->window()->isVisible());
    QTest::keyClick(box->windowHandle(), key_);
  }

  Qt::Key key_;
  QTimer timer_;
};

}  // namespace real_input
