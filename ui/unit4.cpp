#include "ui/unit4.h"

#include <QApplication>
#include <QFrame>
#include <QProgressBar>

namespace zlc::ui {

TForm4::TForm4(QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName("Form4");
  setWindowTitle(tr("Calculating variants. Please, stand by..."));
  // A fixed frame without title-bar buttons, above the main window.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowStaysOnTopHint);
  setModal(false);
  setFixedSize(234, 18);
  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setGeometry(0, 0, 234, 18);
  ProgressBar1 = new QProgressBar(Panel1);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setGeometry(1, 1, 232, 16);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setTextVisible(false);
}

void TForm4::Show() {
  mainWasActive_ = parentWidget() && parentWidget()->isActiveWindow();
  if (QWidget* main = parentWidget()) {
    move(main->geometry().center() - QPoint(width() / 2, height() / 2));
  }
  show();
  raise();
  sincePaint_.start();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm4::SetRange(std::int32_t maximum) {
  ProgressBar1->setRange(0, std::max(0, maximum));
  ProgressBar1->setValue(0);
}

void TForm4::Step() {
  // A position beyond the range shows a full bar.
  ProgressBar1->setValue(std::min(ProgressBar1->value() + 1, ProgressBar1->maximum()));
  KeepPainting();
}

// Without this, a window system may leave no window active after the bar
// goes, and the main window's keys (F6 again) would do nothing.
void TForm4::Close() {
  hide();
  if (mainWasActive_) parentWidget()->activateWindow();
}

void TForm4::KeepPainting() {
  if (sincePaint_.elapsed() < 50) return;
  sincePaint_.restart();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace zlc::ui
