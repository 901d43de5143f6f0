// The progress window: a bar shown while the task's variants are written.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include "engine/variants.h"

class QFrame;
class QProgressBar;

namespace zlc::ui {

class TForm4 : public QDialog, public EnumerationProgress {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* mainWindow);

  void Show() override;
  void SetRange(std::int32_t maximum) override;
  void Step() override;
  void Close() override;

  QProgressBar* bar() const { return ProgressBar1; }

 private:
  // Lets the window repaint during a long enumeration; input waits.
  void KeepPainting();

  QFrame* Panel1;
  QProgressBar* ProgressBar1;
  QElapsedTimer sincePaint_;
  bool mainWasActive_ = false;  // give the keyboard back when the work is done
};

}  // namespace zlc::ui
