// A bar that finds text in a text view: a field, "Previous" and "Next", and
// a word on how the last search went. Typing finds as one types; Enter finds
// the next match, Shift+Enter the one before; at either end the search goes
// on from the other.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace zlc::ui {

class FindBar : public QWidget {
  Q_OBJECT

 public:
  FindBar(QTextEdit* view, QWidget* parent);

  QLineEdit* field() const { return field_; }
  // Into the field, its text selected for typing over.
  void Focus();
  void FindNext();
  void FindPrevious();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class From { SelectionStart, SelectionEnd };
  void Find(bool backward, From from);

  QTextEdit* view_;
  QLineEdit* field_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace zlc::ui
