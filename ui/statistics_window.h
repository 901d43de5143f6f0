// The "Statistics" window: what the search is finding, as figures at the top
// and charts below, following the run at most four times a second.
#pragma once

#include <QElapsedTimer>
#include <QLocale>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "analysis/run_figures.h"
#include "calculator/calculator.h"

class QBarSet;
class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QVBoxLayout;

namespace zlc::ui {

class HexagramHeatMap;

class StatisticsWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRefreshMs = 250;

  StatisticsWindow(Calculator& calc, QWidget* parent);
  ~StatisticsWindow() override;

  // Reads the counts and shows them; the timer calls it while shown.
  void Refresh();

  QTabWidget* charts() const { return tabs_; }
  HexagramHeatMap* heatMap() const { return heatMap_; }
  QString FigureText(const char* name) const;

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void CreateFigures(QVBoxLayout* layout);
  void CreateCharts(QVBoxLayout* layout);
  void CreateKeys();
  QChartView* NewChart(const QString& title);
  void RefreshFigures(const RunFigures& figures);
  void RefreshChart(int tab);
  void FollowPalette();
  QStringList SuitNames() const;
  std::string ChartCsv(int tab) const;
  void SaveFiguresCsv();
  void SaveChartCsv();
  void SaveChartPng();
  void SaveText(const QString& title, const std::string& text, const QString& name);
  void SaveBytes(const QString& path, std::string_view bytes);  // all or nothing

  // The seed names a search only once a batch of it ran.
  bool Searched() const { return calc_.Statistics().Counts().Tries() > 0; }

  Calculator& calc_;
  const QLocale numbers_;
  QTimer* timer_;
  QMetaObject::Connection followFocus_;
  QElapsedTimer clock_;  // since the counting started, as this window saw it
  RunFigures figures_;
  std::uint64_t seenStarts_ = 0;
  std::uint64_t chartedResults_[4] = {~0ull, ~0ull, ~0ull, ~0ull};
  std::string chartedSuits_;

  QLabel* since_;
  QLabel* figureLabels_[10] = {};
  QLineEdit* command_;
  QPushButton* copyCommand_;
  QLabel* noCommand_;
  QTabWidget* tabs_;
  HexagramHeatMap* heatMap_;
  QChartView* lfView_;
  QChartView* balanceView_;
  QChartView* pView_;
  QBarSet* lfSet_ = nullptr;
  QBarSet* balanceSets_[5] = {};
  QBarSet* pSets_[4] = {};
};

}  // namespace zlc::ui
