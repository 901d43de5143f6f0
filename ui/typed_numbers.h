// Numbers typed into a dialog's combo boxes. A box's text is taken when the
// user is done with it: Enter, leaving the box, picking an item or closing
// the dialog. A refused text leaves its setting alone and the box shows the
// value in force. The message comes once the event at hand is over, never in
// the middle of a change of focus or of a click, and the dialog stays open
// for it: when it is gone, the focus is back in the box with the text
// selected, ready for the correction.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "cards/number_text.h"

class QComboBox;
class QDialog;

namespace zlc::ui {

class TypedNumbers : public QObject {
 public:
  // Takes the box's text into its setting and has the box show the value in
  // force; returns the message when the text was refused.
  using Take = std::function<std::optional<QString>()>;

  explicit TypedNumbers(QDialog* dialog);

  void Watch(QComboBox* box, Take take);

  // Takes the text of every box. False when a text was refused, now or
  // before, and its message is still to come: the dialog must stay open.
  bool Settle();

 private:
  struct Entry {
    QComboBox* box;
    Take take;
  };
  void TakeFrom(const Entry& entry);
  void ShowRefusals();

  QDialog* dialog_;
  std::vector<Entry> entries_;
  QComboBox* refusedBox_ = nullptr;  // the first box refused since the last message
  QStringList messages_;             // still to be shown
};

// What a refused typed number is told. Of a text that is no whole number,
// the runtime's words. Of one out of range, `outOfRange` with the text for
// %1 and, for %2, the range: at most `most` or at least `least` where the
// other bound is only the limit of the number's 32 bits.
QString RefusalMessage(const QString& typed, TypedNumber::Verdict verdict, const QString& outOfRange,
                       std::int32_t least, std::int32_t most);

}  // namespace zlc::ui
