// An accessible part of a painted control that is not a widget and has no
// parts of its own (a list's line, a table's cell): what such a part answers
// alike, so that each kind says only what it is.
#pragma once

#include <QAccessibleInterface>

namespace zlc::ui {

class AccessibleLeaf : public QAccessibleInterface {
 public:
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
};

}  // namespace zlc::ui
