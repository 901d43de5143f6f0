// A list box over one of the core's result lists. It paints only the lines
// in view and keeps no copy of them, so a block added at the top costs the
// same however many millions of lines the list holds.
#pragma once

#include <QAbstractScrollArea>
#include <cstdint>

#include "engine/result_list.h"

namespace zlc::ui {

class LineListView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kLineHeight = 13;

  LineListView(const ResultList& list, QWidget* parent = nullptr);

  // Takes in what the core added or cleared since the last call. While the
  // top line is in view the newest lines show; otherwise the lines in view
  // stay where they are.
  void Sync();

  std::size_t LineCount() const { return shown_; }
  // The core list's index of a line the view shows.
  std::size_t ListLine(std::size_t index) const { return list_.Size() - shown_ + index; }
  QString LineText(std::size_t index) const;
  // The line under a point of the viewport, or -1.
  std::ptrdiff_t LineAt(QPoint pos) const;
  QRect LineRect(std::size_t index) const;
  std::ptrdiff_t SelectedLine() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void UpdateScrollBars();
  int VisibleLines() const;
  std::size_t TopLine() const;

  const ResultList& list_;
  std::size_t shown_ = 0;
  std::uint64_t clears_ = 0;
  // The selection counted from the bottom, so lines added on top keep it on
  // the same text; -1 for none.
  std::ptrdiff_t selectedFromBottom_ = -1;
  int widest_ = 0;
};

}  // namespace zlc::ui
