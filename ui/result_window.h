// The "Result" window: one result's cards drawn in their row with their
// marks and the segments of the F list, its collapse played step by step,
// and its four suit hexagrams. Non-modal; any number may be open.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

#include "analysis/result_record.h"
#include "calculator/result_list.h"
#include "cards/notation.h"
#include "engine/collapse_replay.h"
#include "ui/card_row_view.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QVariantAnimation;

namespace zlc::ui {

class HexagramView;

class ResultWindow : public QWidget {
  Q_OBJECT

 public:
  // How long a step stays on screen while playing, per speed.
  static constexpr int kStepMs[3] = {1500, 700, 250};

  // `shown`: the notation in force, in which the cards are drawn;
  // `fileName`: the file the result was read from, empty for a listed one.
  ResultWindow(const ResultBlock& block, const ResultRecord& record, const NotationSet& shown,
               QWidget* parent, const QString& fileName = {});

  const ResultRecord& Record() const { return record_; }
  int StepsDone() const { return done_; }
  int StepCount() const { return replay_.stepCount; }
  int CardsLeft() const { return replay_.start.lastIndex + 1 - done_; }
  QString StepText() const;
  QString ProgressText() const;
  // The three lines, as Copy puts them on the clipboard.
  QString BlockText() const;
  CardRowView* cards() const { return cards_; }
  HexagramView* hexagrams() const { return hexagrams_; }
  bool Playing() const;

  void GoTo(int done);
  void TogglePlay();
  void CopyBlock();
  void SavePicture();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void CreateControls();
  void CreateKeys();
  void ShowStep();
  QString CardText(const ChainEntry& entry) const;

  ResultBlock block_;
  ResultRecord record_;
  CollapseReplay replay_;
  std::array<ShownCard, kDeckSize> shownCards_{};
  int done_ = 0;

  QLabel* lines_ = nullptr;
  CardRowView* cards_ = nullptr;
  HexagramView* hexagrams_ = nullptr;
  QWidget* picture_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* play_ = nullptr;
  QPushButton* forward_ = nullptr;
  QPushButton* end_ = nullptr;
  QComboBox* speed_ = nullptr;
  QLabel* progress_ = nullptr;
  QLabel* stepText_ = nullptr;
  QTimer* timer_ = nullptr;
  QVariantAnimation* lift_ = nullptr;
};

}  // namespace zlc::ui
