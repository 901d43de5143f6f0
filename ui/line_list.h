// A list box over one of the core's result lists. It paints only the lines
// in view and keeps no copy of them, so a block added at the top costs the
// same however many millions of lines the list holds.
#pragma once

#include <QAbstractScrollArea>
#include <cstdint>
#include <utility>

#include "calculator/result_list.h"

namespace zlc::ui {

class LineListView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kLineHeight = 13;

  LineListView(const ResultList& list, QWidget* parent = nullptr);

  // Takes in what the core added, forgot or cleared since the last call.
  // While the top line is in view the newest lines show; otherwise the
  // lines in view stay where they are.
  void Sync();

  std::size_t LineCount() const { return shown_; }
  // The core list's index of a line the view shows.
  std::size_t ListLine(std::size_t index) const {
    return static_cast<std::size_t>(list_.Arrived() - known_) + index;
  }
  QString LineText(std::size_t index) const;
  // The line under a point of the viewport, or -1.
  std::ptrdiff_t LineAt(QPoint pos) const;
  QRect LineRect(std::size_t index) const;
  // The current line: the one last clicked or reached by the keys, -1 for
  // none. It stays on the same text when blocks are added on top.
  std::ptrdiff_t SelectedLine() const;
  void SetCurrentLine(std::ptrdiff_t index);
  // The view lines [first, end) of the result that holds the current line;
  // -1, -1 for none.
  std::pair<std::ptrdiff_t, std::ptrdiff_t> CurrentResult() const;
  int VisibleLines() const;

 signals:
  // The pop-up menu asked for from the keyboard (Menu key, Shift+F10), for
  // the current line; `at` is a point of the viewport below that line.
  void menuRequested(std::ptrdiff_t line, QPoint at);
  // Ctrl+C on the current line.
  void copyRequested(std::ptrdiff_t line);
  // Enter on the current line, or a double click on a line: its result
  // asked for in a window of its own.
  void openRequested(std::ptrdiff_t line);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void UpdateScrollBars();
  std::size_t TopLine() const;
  void EnsureVisible(std::size_t index);
  void RequestMenu();

  // A view line's place in the order the core's lines came.
  std::int64_t ArrivalOf(std::size_t index) const {
    return static_cast<std::int64_t>(known_) - 1 - static_cast<std::int64_t>(index);
  }

  const ResultList& list_;
  std::size_t shown_ = 0;
  std::uint64_t known_ = 0;  // the core's arrivals when last synced
  std::uint64_t clears_ = 0;
  // The current line by arrival, so lines added on top or forgotten at the
  // bottom keep it on the same text; -1 for none.
  std::int64_t selectedArrival_ = -1;
  int widest_ = 0;
};

}  // namespace zlc::ui
