// How often each hexagram came up, per suit: four rows of 64 cells, King
// Wen order, darker for more; a cell's number, suit and count on hover.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

namespace zlc::ui {

class HexagramHeatMap : public QWidget {
  Q_OBJECT

 public:
  using Counts = std::array<std::array<std::uint64_t, 65>, 4>;

  explicit HexagramHeatMap(QWidget* parent = nullptr);

  void SetCounts(const Counts& counts, const QStringList& suitNames);
  // The cell under a point: suit 0..3 and King Wen number 1..64; false off
  // the cells.
  bool CellAt(QPoint point, int& suit, int& number) const;
  QString CellText(int suit, int number) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent*) override;
  bool event(QEvent* e) override;

 private:
  QRect CellRect(int suit, int number) const;
  int LabelWidth() const;

  Counts counts_{};
  QStringList suits_;
};

}  // namespace zlc::ui
