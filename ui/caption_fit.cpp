#include "ui/caption_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <algorithm>


namespace zlc::ui {
namespace {

QString WithoutMnemonic(QString text) {
  text.replace("&&", QChar(0xE000));
  text.remove('&');
  return text.replace(QChar(0xE000), "&");
}

}  // namespace

int CaptionWidth(QWidget* control) {
  const QFontMetrics fm = control->fontMetrics();
  if (auto* box = qobject_cast<QCheckBox*>(control)) {
    return box->text().isEmpty() ? 0 : box->sizeHint().width();
  }
  if (auto* radio = qobject_cast<QRadioButton*>(control)) return radio->sizeHint().width();
  if (auto* button = qobject_cast<QPushButton*>(control)) {
    // The frame's pixels and a little air on each side of the text.
    return button->text().isEmpty() ? 0 : fm.horizontalAdvance(WithoutMnemonic(button->text())) + 8;
  }
  if (auto* label = qobject_cast<QLabel*>(control)) {
    return label->text().isEmpty() || label->wordWrap() ? 0 : label->sizeHint().width();
  }
  if (auto* group = qobject_cast<QGroupBox*>(control)) {
    return group->title().isEmpty() ? 0 : fm.horizontalAdvance(WithoutMnemonic(group->title())) + 16;
  }
  if (auto* combo = qobject_cast<QComboBox*>(control)) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    int widest = fm.horizontalAdvance(combo->currentText());
    for (int i = 0; i < combo->count(); ++i) widest = std::max(widest, fm.horizontalAdvance(combo->itemText(i)));
    return widest == 0 ? 0 : combo->width() - field.width() + widest + 4;
  }
  return 0;
}

void FitRow(const QList<QWidget*>& row, int gap) {
  int right = -1;
  for (QWidget* control : row) {
    QRect r = control->geometry();
    r.setWidth(std::max(r.width(), CaptionWidth(control)));
    if (right >= 0) r.moveLeft(std::max(r.left(), right + gap));
    control->setGeometry(r);
    right = r.left() + r.width();
  }
}

void FitWidthToChildren(QWidget* container, int margin) {
  int right = 0;
  for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isHidden()) right = std::max(right, child->geometry().right() + 1);
  }
  const int width = std::max(container->width(), right + margin);
  if (width == container->width()) return;
  if (container->isWindow() && container->minimumWidth() == container->maximumWidth()) {
    container->setFixedWidth(width);
  } else {
    container->resize(width, container->height());
  }
}

}  // namespace zlc::ui
