#include "ui/accessibility.h"

#include <QAccessible>
#include <QWidget>

#include "ui/card_label.h"
#include "ui/line_list.h"
#include "ui/unit3.h"

namespace zlc::ui {
namespace {

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("zlc::ui::LineListView")) {
    return MakeLineListInterface(static_cast<LineListView*>(object));
  }
  if (className == QLatin1String("zlc::ui::CardLabel")) return MakeCardLabelInterface(static_cast<CardLabel*>(object));
  // The hexagram table paints its cells on a plain widget of its own.
  if (className == QLatin1String("QWidget")) {
    auto* table = qobject_cast<TForm3*>(object->parent());
    if (table && table->paintBox() == object) return MakeHexTableInterface(table, object);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

void AnnounceCurrentLine(LineListView* view) {
  if (!QAccessible::isActive()) return;
  const std::ptrdiff_t line = view->SelectedLine();
  if (line < 0 || line > INT32_MAX) return;
  QAccessibleEvent selection(view, QAccessible::Selection);
  selection.setChild(static_cast<int>(line));
  QAccessible::updateAccessibility(&selection);
  if (!view->hasFocus()) return;
  QAccessibleEvent focus(view, QAccessible::Focus);
  focus.setChild(static_cast<int>(line));
  QAccessible::updateAccessibility(&focus);
}

void AnnounceLinesChanged(LineListView* view) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent reorder(view, QAccessible::ObjectReorder);
  QAccessible::updateAccessibility(&reorder);
}

void AnnounceHexagramCell(TForm3* table, int column, int row) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent focus(table->paintBox(), QAccessible::Focus);
  focus.setChild(row * 8 + column);
  QAccessible::updateAccessibility(&focus);
}

}  // namespace zlc::ui
