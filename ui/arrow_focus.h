// Arrow keys among controls laid out in a plane, as in a grid: the nearest
// enabled control in the arrow's direction takes the focus, so a person can
// walk a grid of buttons or labels without a mouse.
#pragma once

#include <QList>
#include <QObject>

class QWidget;

namespace zlc::ui {

// The control an arrow key moves to from `from`: left and right stay in the
// row, up and down take the nearest control below or above. nullptr when the
// key is no arrow or nothing lies that way.
QWidget* ArrowNeighbour(const QList<QWidget*>& controls, const QWidget* from, int key);

// Moves the focus among `controls` with the arrow keys; Enter presses a
// focused button, as Space does. Owned by `owner`.
void WalkWithArrows(QObject* owner, const QList<QWidget*>& controls);

// Chains the controls' Tab order in the order given.
void ChainTabOrder(const QList<QWidget*>& controls);

}  // namespace zlc::ui
