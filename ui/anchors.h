// Fixed-position layout with alignment and anchors: every control keeps the
// pixel geometry it was designed with, aligned controls fill a side of their
// parent's inner area, and anchored edges keep their distance to the parent's
// edges when the parent is resized.
#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QVector>
#include <QWidget>

namespace zlc::ui {

enum class Align { None, Top, Bottom, Client };

enum Anchor : unsigned { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };
inline constexpr unsigned kTopLeft = kLeft | kTop;

class AnchorLayout : public QObject {
 public:
  explicit AnchorLayout(QObject* owner) : QObject(owner) {}

  // The inner area of a container: aligned children fill it, not the border.
  void SetInsets(QWidget* container, QMargins insets);

  // Places `child` at `designRect` in its parent's coordinates and keeps it
  // there by `align` or `anchors` from now on. Call with the parent at its
  // design size.
  void Place(QWidget* child, QRect designRect, Align align = Align::None,
             unsigned anchors = kTopLeft);

  // Widens the placed controls of one row to their captions where these
  // are wider than drawn: those anchored left grow to the right and push
  // the next ones on, those anchored right grow to the left and push the
  // ones before them back, each kept `gap` pixels from its neighbour.
  void FitRow(const QList<QWidget*>& row, int gap = 4);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    QWidget* child;
    QRect designRect;
    QSize designParent;
    Align align;
    unsigned anchors;
  };
  struct Container {
    QWidget* widget;
    QMargins insets;
  };

  void Relayout(QWidget* container);
  Entry* EntryOf(QWidget* child);
  QMargins InsetsOf(QWidget* container) const;

  QVector<Entry> entries_;
  QVector<Container> containers_;
};

}  // namespace zlc::ui
