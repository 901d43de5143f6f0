// The dialog that opens a file. It takes a typed name as it stands when
// such a file exists, and with the default extension added only when it
// does not: a result saved without an extension opens by its name, a task
// by its stem. Its Open button is usable for either, by mouse as by Enter.
#pragma once

#include <QFileDialog>

class QPushButton;

namespace zlc::ui {

class OpenFileDialog : public QFileDialog {
 public:
  OpenFileDialog(QWidget* parent, const QString& title, const QString& folder, const QString& suffix);

  void accept() override;
  // The file chosen, once accepted.
  QString Chosen() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // `path` with the extension, when the name has none, stands for no file
  // as it is and with the extension is a file; else empty.
  QString Suffixed(const QString& path) const;
  // The name in the name field, as a path; empty when there is none.
  QString Typed() const;
  // The name in the field opens a file, as it stands or with the extension.
  bool TypedNameOpens() const;
  void KeepOpenUsable();

  QString suffix_;
  QString chosen_;
  QPushButton* open_ = nullptr;
};

}  // namespace zlc::ui
