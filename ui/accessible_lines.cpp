// The result lists for a screen reader: a list whose children are its lines,
// made as they are asked for (a list may hold millions) and kept until the
// list goes.
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QScrollBar>

#include "ui/accessibility.h"
#include "ui/accessible_leaf.h"
#include "ui/line_list.h"

namespace zlc::ui {
namespace {

// One line, by its place in the view: the text at that place is its name.
class LineItem : public AccessibleLeaf {
 public:
  LineItem(LineListView* view, int index) : view_(view), index_(index) {}

  bool isValid() const override { return view_ && static_cast<std::size_t>(index_) < view_->LineCount(); }
  QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
  QString text(QAccessible::Text t) const override {
    if (!isValid() || t != QAccessible::Name) return {};
    return view_->LineText(static_cast<std::size_t>(index_));
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }

  QRect rect() const override {
    if (!isValid()) return {};
    const QRect r = view_->LineRect(static_cast<std::size_t>(index_));
    return {view_->viewport()->mapToGlobal(r.topLeft()), r.size()};
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) return s;
    s.selectable = true;
    s.focusable = true;
    const bool current = view_->SelectedLine() == index_;
    s.selected = current;
    s.focused = current && view_->hasFocus();
    if (!view_->viewport()->rect().intersects(view_->LineRect(static_cast<std::size_t>(index_)))) {
      s.offscreen = true;
    }
    return s;
  }

  int index() const { return index_; }

 private:
  QPointer<LineListView> view_;
  int index_;
};

class LineListInterface : public QAccessibleWidget {
 public:
  explicit LineListInterface(LineListView* view) : QAccessibleWidget(view, QAccessible::List) {}

  ~LineListInterface() override {
    for (QAccessible::Id id : std::as_const(items_)) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override {
    return static_cast<int>(std::min<std::size_t>(View()->LineCount(), INT32_MAX));
  }

  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    auto it = items_.constFind(index);
    if (it != items_.constEnd()) return QAccessible::accessibleInterface(*it);
    auto* item = new LineItem(View(), index);
    items_.insert(index, QAccessible::registerAccessibleInterface(item));
    return item;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* item = dynamic_cast<const LineItem*>(child);
    return item && item->parent() == this ? item->index() : -1;
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    const std::ptrdiff_t line = View()->LineAt(View()->viewport()->mapFromGlobal(QPoint(x, y)));
    return line >= 0 && line <= INT32_MAX ? child(static_cast<int>(line)) : nullptr;
  }

  QAccessibleInterface* focusChild() const override {
    const std::ptrdiff_t line = View()->SelectedLine();
    if (!View()->hasFocus() || line < 0 || line > INT32_MAX) return nullptr;
    return child(static_cast<int>(line));
  }

 private:
  LineListView* View() const { return static_cast<LineListView*>(widget()); }

  mutable QHash<int, QAccessible::Id> items_;
};

}  // namespace

QAccessibleInterface* MakeLineListInterface(LineListView* view) { return new LineListInterface(view); }

}  // namespace zlc::ui
