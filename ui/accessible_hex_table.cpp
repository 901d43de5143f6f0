// The hexagram table for a screen reader: its 64 cells as buttons named
// "hexagram 23", in reading order, each pressed as a click on it would.
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>

#include "ui/accessibility.h"
#include "ui/accessible_leaf.h"
#include "ui/unit3.h"

namespace zlc::ui {
namespace {

constexpr int kCells = 64;

class HexagramCell : public AccessibleLeaf, public QAccessibleActionInterface {
 public:
  HexagramCell(TForm3* table, int index) : table_(table), index_(index) {}

  bool isValid() const override { return table_ != nullptr; }
  QWindow* window() const override { return table_ ? table_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return table_ ? QAccessible::queryAccessibleInterface(table_->paintBox()) : nullptr;
  }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return {};
    return QCoreApplication::translate("zlc::ui::TForm3", "hexagram %1").arg(Number());
  }
  QAccessible::Role role() const override { return QAccessible::Button; }
  QRect rect() const override {
    if (!table_) return {};
    const QRect r = table_->CellRect(Column(), Row());
    return {table_->paintBox()->mapToGlobal(r.topLeft()), r.size()};
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.focusable = true;
    s.focused = table_ && table_->isActiveWindow() && table_->KeyboardCell() == index_;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (table_ && name == pressAction()) table_->PickCell(Column(), Row());
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  int index() const { return index_; }

 private:
  int Column() const { return index_ % 8; }
  int Row() const { return index_ / 8; }
  int Number() const { return TForm3::CellNumber(Column(), Row()); }

  QPointer<TForm3> table_;
  int index_;
};

class HexTableInterface : public QAccessibleWidget {
 public:
  HexTableInterface(TForm3* table, QWidget* paintBox)
      : QAccessibleWidget(paintBox, QAccessible::Grouping), table_(table) {
    for (int i = 0; i < kCells; ++i) {
      cells_[i] = QAccessible::registerAccessibleInterface(new HexagramCell(table, i));
    }
  }
  ~HexTableInterface() override {
    for (QAccessible::Id id : cells_) QAccessible::deleteAccessibleInterface(id);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return table_->windowTitle();
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return kCells; }
  QAccessibleInterface* child(int index) const override {
    return index >= 0 && index < kCells ? QAccessible::accessibleInterface(cells_[index]) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* cell = dynamic_cast<const HexagramCell*>(child);
    return cell ? cell->index() : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint p = widget()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < kCells; ++i) {
      if (table_->CellRect(i % 8, i / 8).contains(p)) return child(i);
    }
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    const int cell = table_->KeyboardCell();
    return cell >= 0 ? child(cell) : nullptr;
  }

 private:
  TForm3* table_;
  QAccessible::Id cells_[kCells]{};
};

}  // namespace

QAccessibleInterface* MakeHexTableInterface(TForm3* table, QObject* paintBox) {
  return new HexTableInterface(table, static_cast<QWidget*>(paintBox));
}

}  // namespace zlc::ui
