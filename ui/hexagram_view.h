// A result's four suit hexagrams drawn as six lines each (yang solid, yin
// broken, line 1 at the bottom) with the suit, the King Wen number and its
// hexagram character; the hex balance beside each line, and each suit's P
// value as a bar.
#pragma once

#include <QWidget>

#include "analysis/result_record.h"

namespace zlc::ui {

class HexagramView : public QWidget {
  Q_OBJECT

 public:
  explicit HexagramView(QWidget* parent = nullptr);

  void SetResult(const ResultRecord& record, const ResultFigures& figures);
  // What the drawing shows, as one text for a screen reader.
  QString Description() const;
  // The character of a King Wen number, 1..64.
  static QChar HexagramCharacter(int number) { return QChar(0x4DC0 + number - 1); }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  struct Metrics {
    int unit, lineWidth, lineHeight, lineStep, column, header, figure, bar;
  };
  Metrics Measure() const;

  ResultRecord record_;
  ResultFigures figures_;
};

}  // namespace zlc::ui
