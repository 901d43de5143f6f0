#include "ui/statistics_window.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "calculator/repeat_command.h"
#include "persist/atomic_replace.h"
#include "persist/statistics_report.h"
#include "ui/chart_descriptions.h"
#include "ui/hexagram_heat_map.h"
#include "ui/picture_file.h"
#include "ui/runtime_dialogs.h"
#include "ui/screen_fit.h"
#include "ui/statistics_reasons.h"
#include "ui/text.h"
#include "ui/translation.h"

namespace zlc::ui {
namespace {

// The figures' names, translated where they are shown; the English name is
// each value label's object name.
constexpr const char* kFigureNames[] = {
    QT_TRANSLATE_NOOP("zlc::ui::StatisticsWindow", "Tries"),
    QT_TRANSLATE_NOOP("zlc::ui::StatisticsWindow", "Results"),
    QT_TRANSLATE_NOOP("zlc::ui::StatisticsWindow", "Filtered"),
    QT_TRANSLATE_NOOP("zlc::ui::StatisticsWindow", "Results per try"),
    QT_TRANSLATE_NOOP("zlc::ui::StatisticsWindow", "Filtered per result"),
    QT_TRANSLATE_NOOP("zlc::ui::StatisticsWindow", "Tries per second"),
    QT_TRANSLATE_NOOP("zlc::ui::StatisticsWindow", "Results per second"),
    QT_TRANSLATE_NOOP("zlc::ui::StatisticsWindow", "Next filtered result in"),
    QT_TRANSLATE_NOOP("zlc::ui::StatisticsWindow", "Started from seed"),
};
constexpr int kFigureCount = static_cast<int>(std::size(kFigureNames));

enum Tab { kHexagrams, kTransits, kBalance, kPValues };

QString Interval95(const QLocale& numbers, double value, const Interval& i) {
  const auto share = [&numbers](double v) { return numbers.toString(v, 'g', 4); };
  return StatisticsWindow::tr("%1   (95 %: %2 .. %3)").arg(share(value), share(i.low), share(i.high));
}

QString Duration(const QLocale& numbers, double seconds) {
  if (seconds < 0.001) return StatisticsWindow::tr("under a millisecond");
  if (seconds < 10) return StatisticsWindow::tr("%1 s").arg(numbers.toString(seconds, 'g', 2));
  if (seconds < 120) return StatisticsWindow::tr("%1 s").arg(numbers.toString(seconds, 'f', 1));
  if (seconds < 2 * 3600) return StatisticsWindow::tr("%1 min").arg(numbers.toString(seconds / 60, 'f', 1));
  if (seconds < 2 * 86400) return StatisticsWindow::tr("%1 h").arg(numbers.toString(seconds / 3600, 'f', 1));
  return StatisticsWindow::tr("%1 days").arg(numbers.toString(seconds / 86400, 'f', 1));
}

void SetCategories(QChart* chart, QAbstractSeries* series, const QStringList& categories) {
  QAbstractAxis* x = nullptr;
  if (categories.size() > 24) {
    // Too many numbers to write under every bar: bar k stands at k, and
    // every fourth number is written.
    auto* numbers = new QValueAxis(chart);
    numbers->setRange(-0.5, categories.size() - 0.5);
    numbers->setTickType(QValueAxis::TicksDynamic);
    numbers->setTickAnchor(0);
    numbers->setTickInterval(4);
    numbers->setLabelFormat("%.0f");
    numbers->setGridLineVisible(false);
    x = numbers;
  } else {
    auto* names = new QBarCategoryAxis(chart);
    names->append(categories);
    x = names;
  }
  chart->addAxis(x, Qt::AlignBottom);
  series->attachAxis(x);
  auto* y = new QValueAxis(chart);
  y->setLabelFormat("%.0f");
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(y);
}

// The value axis up to the tallest bar (or stack), in whole steps of 1, 2
// or 5 times a power of ten, five or fewer of them: counts have no
// fractions to mark.
void FitValueAxis(QChart* chart, std::uint64_t most) {
  std::uint64_t step = 1;
  for (std::uint64_t power = 1; step * 5 < most; power *= 10) {
    for (std::uint64_t factor : {1, 2, 5}) {
      step = factor * power;
      if (step * 5 >= most) break;
    }
  }
  const std::uint64_t steps = std::max<std::uint64_t>(1, (most + step - 1) / step);
  for (QAbstractAxis* axis : chart->axes(Qt::Vertical)) {
    auto* y = static_cast<QValueAxis*>(axis);
    y->setRange(0, static_cast<double>(steps * step));
    y->setTickCount(static_cast<int>(steps) + 1);
  }
}

void Fill(QBarSet* set, const std::uint64_t* counts, int size) {
  if (set->count() != size) {
    set->remove(0, set->count());
    for (int i = 0; i < size; ++i) set->append(static_cast<double>(counts[i]));
    return;
  }
  for (int i = 0; i < size; ++i) {
    if (set->at(i) != static_cast<double>(counts[i])) set->replace(i, static_cast<double>(counts[i]));
  }
}

}  // namespace

StatisticsWindow::StatisticsWindow(Calculator& calc, QWidget* parent)
    : QWidget(parent, Qt::Window), calc_(calc), numbers_(InterfaceLocale()), timer_(new QTimer(this)) {
  setObjectName("StatisticsWindow");
  setWindowTitle(tr("Statistics"));
  auto* layout = new QVBoxLayout(this);
  CreateFigures(layout);
  CreateCharts(layout);
  CreateKeys();
  timer_->setInterval(kRefreshMs);
  connect(timer_, &QTimer::timeout, this, &StatisticsWindow::Refresh);
  // A dialog that changed a setting gives the focus back as it closes: the
  // window shows what the change did then, not at the next tick.
  followFocus_ = connect(qApp, &QApplication::focusChanged, this, [this] {
    if (isVisible()) Refresh();
  });
  clock_.start();
  FollowPalette();
  resize(900, 640);
  layout->activate();
  HoldToScreen(*this);
}

void StatisticsWindow::CreateFigures(QVBoxLayout* layout) {
  since_ = new QLabel(this);
  since_->setObjectName("Since");
  since_->setWordWrap(true);
  layout->addWidget(since_);
  auto* grid = new QGridLayout;
  for (int i = 0; i < kFigureCount; ++i) {
    auto* name = new QLabel(tr("%1:").arg(tr(kFigureNames[i])), this);
    figureLabels_[i] = new QLabel("-", this);
    figureLabels_[i]->setObjectName(kFigureNames[i]);
    figureLabels_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    name->setBuddy(figureLabels_[i]);
    grid->addWidget(name, i % 5, 2 * (i / 5));
    grid->addWidget(figureLabels_[i], i % 5, 2 * (i / 5) + 1);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  layout->addLayout(grid);

  auto* commandRow = new QHBoxLayout;
  auto* commandName = new QLabel(tr("Repeat without a window:"), this);
  command_ = new QLineEdit(this);
  command_->setObjectName("RepeatCommand");
  command_->setReadOnly(true);
  commandName->setBuddy(command_);
  copyCommand_ = new QPushButton(tr("Copy"), this);
  copyCommand_->setObjectName("CopyCommand");
  connect(copyCommand_, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setText(command_->text()); });
  commandRow->addWidget(commandName);
  commandRow->addWidget(command_, 1);
  commandRow->addWidget(copyCommand_);
  layout->addLayout(commandRow);
  noCommand_ = new QLabel(this);
  noCommand_->setObjectName("NoCommand");
  noCommand_->setWordWrap(true);
  layout->addWidget(noCommand_);

  auto* save = new QPushButton(tr("Save figures as CSV..."), this);
  save->setObjectName("SaveFigures");
  connect(save, &QPushButton::clicked, this, &StatisticsWindow::SaveFiguresCsv);
  auto* saveRow = new QHBoxLayout;
  saveRow->addWidget(save);
  saveRow->addStretch(1);
  layout->addLayout(saveRow);
}

// Closing as it goes, it gives the focus away when its parts are gone.
StatisticsWindow::~StatisticsWindow() { disconnect(followFocus_); }

// Esc closes the window as it closes a dialog. Ctrl+Q quits from here as
// from the main window, whose closing is the program's quitting.
void StatisticsWindow::CreateKeys() {
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
  if (QWidget* main = parentWidget()) {
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, main, &QWidget::close);
  }
}

QChartView* StatisticsWindow::NewChart(const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignRight);
  chart->setAnimationOptions(QChart::NoAnimation);  // four times a second: no time to animate
  auto* view = new QChartView(chart, this);
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

void StatisticsWindow::CreateCharts(QVBoxLayout* layout) {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("Charts");
  heatMap_ = new HexagramHeatMap(this);
  heatMap_->setObjectName("HexagramHeatMap");
  heatMap_->setToolTip(tr("Hexagram"));  // replaced by the cell's text on hover
  tabs_->addTab(heatMap_, tr("Hexagrams"));

  lfView_ = NewChart(tr("Results by L(F), the number of transits"));
  lfView_->setObjectName("TransitChart");
  auto* lfSeries = new QBarSeries;
  lfSet_ = new QBarSet(tr("results"));
  lfSeries->append(lfSet_);
  lfView_->chart()->addSeries(lfSeries);
  lfView_->chart()->legend()->hide();
  QStringList lfCategories;
  for (int lf = 0; lf <= kDeckSize; ++lf) lfCategories << QString::number(lf);
  SetCategories(lfView_->chart(), lfSeries, lfCategories);
  tabs_->addTab(lfView_, tr("L(F)"));

  balanceView_ = NewChart(tr("Hex balance: suits with the line yang, per line"));
  balanceView_->setObjectName("BalanceChart");
  auto* balanceSeries = new QStackedBarSeries;
  for (int yang = 0; yang <= 4; ++yang) {
    balanceSets_[yang] = new QBarSet(tr("%1 (%2)").arg(BalanceSymbol(yang)).arg(yang));
    balanceSeries->append(balanceSets_[yang]);
  }
  balanceView_->chart()->addSeries(balanceSeries);
  SetCategories(balanceView_->chart(), balanceSeries, {"1", "2", "3", "4", "5", "6"});
  tabs_->addTab(balanceView_, tr("Balance"));

  pView_ = NewChart(tr("P values per suit, in steps of 0.05"));
  pView_->setObjectName("PChart");
  auto* pSeries = new QBarSeries;
  for (int suit = 0; suit < kSuitCount; ++suit) {
    pSets_[suit] = new QBarSet(QString());
    pSeries->append(pSets_[suit]);
  }
  pView_->chart()->addSeries(pSeries);
  QStringList pCategories;
  for (int bin = 0; bin < RunStatistics::kPBins; ++bin) {
    pCategories << numbers_.toString(static_cast<double>(bin) / RunStatistics::kPBins, 'f', 2);
  }
  SetCategories(pView_->chart(), pSeries, pCategories);
  tabs_->addTab(pView_, tr("P values"));
  layout->addWidget(tabs_, 1);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { RefreshChart(tab); });

  auto* row = new QHBoxLayout;
  auto* png = new QPushButton(tr("Save chart as PNG..."), this);
  png->setObjectName("SaveChartPng");
  auto* csv = new QPushButton(tr("Save chart's counts as CSV..."), this);
  csv->setObjectName("SaveChartCsv");
  connect(png, &QPushButton::clicked, this, &StatisticsWindow::SaveChartPng);
  connect(csv, &QPushButton::clicked, this, &StatisticsWindow::SaveChartCsv);
  row->addWidget(png);
  row->addWidget(csv);
  row->addStretch(1);
  layout->addLayout(row);
}

QStringList StatisticsWindow::SuitNames() const {
  QStringList names;
  for (int suit = 0; suit < kSuitCount; ++suit) {
    names << ToQt(std::string_view(calc_.notation.suitLetters).substr(static_cast<std::size_t>(suit), 1));
  }
  return names;
}

void StatisticsWindow::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  Refresh();
  timer_->start();
}

void StatisticsWindow::hideEvent(QHideEvent* e) {
  timer_->stop();
  QWidget::hideEvent(e);
}

void StatisticsWindow::changeEvent(QEvent* e) {
  if (e->type() == QEvent::PaletteChange) FollowPalette();
  QWidget::changeEvent(e);
}

// The charts take the theme that matches the desktop's palette.
void StatisticsWindow::FollowPalette() {
  const bool dark = palette().color(QPalette::Window).lightness() < 128;
  for (QChartView* view : {lfView_, balanceView_, pView_}) {
    view->chart()->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
  }
  std::fill(std::begin(chartedResults_), std::end(chartedResults_), ~0ull);
}

void StatisticsWindow::Refresh() {
  // While a dialog is open its changes may still be undone; the batches of
  // a run look for themselves.
  if (!QApplication::activeModalWidget()) calc_.FollowStatistics();
  if (calc_.Statistics().Starts() != seenStarts_) {
    seenStarts_ = calc_.Statistics().Starts();
    clock_.restart();
    std::fill(std::begin(chartedResults_), std::end(chartedResults_), ~0ull);
    since_->setText(SinceText(QTime::currentTime().toString("HH:mm:ss"), seenStarts_,
                              calc_.Statistics().RestartedBy()));
  }
  if (seenStarts_ == 0) since_->setText(tr("Nothing counted yet: press \"Run\" or \"step\"."));
  figures_ = FiguresOfRun(calc_.Statistics().Counts(), calc_.Statistics().Pace());
  RefreshFigures(figures_);
  RefreshChart(tabs_->currentIndex());
}

void StatisticsWindow::RefreshFigures(const RunFigures& f) {
  // A value is read out with its figure's name: a number alone says nothing.
  const auto set = [this](int i, const QString& text) {
    if (figureLabels_[i]->text() == text) return;
    figureLabels_[i]->setText(text);
    figureLabels_[i]->setAccessibleName(tr("%1: %2").arg(tr(kFigureNames[i]), text));
  };
  set(0, QString::number(f.tries));
  set(1, QString::number(f.results));
  set(2, QString::number(f.filtered));
  set(3, f.tries > 0 ? Interval95(numbers_, f.convergence, f.convergenceInterval) : "-");
  set(4, f.results > 0 ? Interval95(numbers_, f.passRate, f.passInterval) : "-");
  set(5, f.triesPerSecond ? numbers_.toString(*f.triesPerSecond, 'f', 0) : "-");
  set(6, f.resultsPerSecond ? numbers_.toString(*f.resultsPerSecond, 'f', 2) : "-");
  QString next = "-";
  if (f.secondsToNextFiltered) next = Duration(numbers_, *f.secondsToNextFiltered);
  if (f.secondsToNextFilteredAtLeast) {
    next = tr("at least %1").arg(Duration(numbers_, *f.secondsToNextFilteredAtLeast));
  }
  set(7, next);
  set(8, Searched() ? QString::number(calc_.Statistics().Seed()) : "-");

  const RepeatCommand repeat = RepeatCommandOf(calc_);
  const bool has = !repeat.command.empty();
  command_->setEnabled(has);
  copyCommand_->setEnabled(has);
  const QString command = ToQt(repeat.command);
  if (command_->text() != command) {
    command_->setText(command);
    command_->setCursorPosition(0);  // the program's name and the task in view
  }
  noCommand_->setVisible(!has);
  noCommand_->setText(WhyNoCommand(repeat));
}

void StatisticsWindow::RefreshChart(int tab) {
  const RunStatistics& s = calc_.Statistics().Counts();
  const std::string suits = calc_.notation.suitLetters;
  if (tab < 0 || tab > 3) return;
  if (chartedResults_[tab] == s.Results() && suits == chartedSuits_) return;
  chartedResults_[tab] = s.Results();
  if (suits != chartedSuits_) {
    chartedSuits_ = suits;
    std::fill(std::begin(chartedResults_), std::end(chartedResults_), ~0ull);
    chartedResults_[tab] = s.Results();
  }
  const QStringList names = SuitNames();
  // The chart in words for a screen reader, as it is drawn.
  switch (tab) {
    case kHexagrams:
      heatMap_->SetCounts(s.Hexagrams(), names);
      heatMap_->setAccessibleDescription(HexagramsDescription(s, names));
      break;
    case kTransits: {
      Fill(lfSet_, s.TransitCounts().data(), kDeckSize + 1);
      const auto& c = s.TransitCounts();
      FitValueAxis(lfView_->chart(), *std::max_element(c.begin(), c.end()));
      lfView_->setAccessibleDescription(TransitsDescription(s));
      break;
    }
    case kBalance:
      for (int yang = 0; yang <= 4; ++yang) {
        std::uint64_t perLine[6];
        for (std::size_t line = 0; line < 6; ++line) perLine[line] = s.Balance()[line][static_cast<std::size_t>(yang)];
        Fill(balanceSets_[yang], perLine, 6);
      }
      FitValueAxis(balanceView_->chart(), s.Results());
      balanceView_->setAccessibleDescription(BalanceDescription(s));
      break;
    case kPValues: {
      std::uint64_t most = 0;
      for (int suit = 0; suit < kSuitCount; ++suit) {
        pSets_[suit]->setLabel(names.value(suit));
        const auto& bins = s.PValues()[static_cast<std::size_t>(suit)];
        Fill(pSets_[suit], bins.data(), RunStatistics::kPBins);
        most = std::max(most, *std::max_element(bins.begin(), bins.end()));
      }
      FitValueAxis(pView_->chart(), most);
      pView_->setAccessibleDescription(PValuesDescription(s, names, numbers_));
      break;
    }
  }
}

QString StatisticsWindow::FigureText(const char* name) const {
  for (int i = 0; i < kFigureCount; ++i) {
    if (std::string_view(kFigureNames[i]) == name) return figureLabels_[i]->text();
  }
  return {};
}

std::string StatisticsWindow::ChartCsv(int tab) const {
  const RunReport report{calc_.Statistics().Counts(), figures_, calc_.notation, calc_.Statistics().Seed(),
                         static_cast<double>(clock_.elapsed()) / 1000};
  switch (tab) {
    case kHexagrams:
      return HexagramsCsv(report);
    case kTransits:
      return TransitCountsCsv(report);
    case kBalance:
      return BalanceCsv(report);
    default:
      return PValuesCsv(report);
  }
}

void StatisticsWindow::SaveBytes(const QString& path, std::string_view bytes) {
  const std::string name = PathFromQt(path);
  if (IoResult failed = ReplaceFileContents(name, bytes)) {
    ShowRuntimeMessage(this, DescribeFailure(*failed, name, FileUse::Writing));
  }
}

void StatisticsWindow::SaveText(const QString& title, const std::string& text, const QString& name) {
  const QString path = AskSaveFileName(this, title, FileKind::Csv, name);
  if (path.isEmpty()) return;
  SaveBytes(path, text);
}

void StatisticsWindow::SaveFiguresCsv() {
  Refresh();
  const RunReport report{calc_.Statistics().Counts(), figures_, calc_.notation,
                         Searched() ? std::optional(calc_.Statistics().Seed()) : std::nullopt,
                         static_cast<double>(clock_.elapsed()) / 1000};
  SaveText(tr("Save figures as CSV"), FiguresCsv(report), "figures.csv");
}

void StatisticsWindow::SaveChartCsv() {
  Refresh();
  SaveText(tr("Save chart's counts as CSV"), ChartCsv(tabs_->currentIndex()),
           FileNameOf(tabs_->currentWidget(), "csv"));
}

void StatisticsWindow::SaveChartPng() {
  Refresh();
  const QString path =
      AskSaveFileName(this, tr("Save chart as PNG"), FileKind::Png, FileNameOf(tabs_->currentWidget(), "png"));
  if (!path.isEmpty()) SavePicturePng(this, *tabs_->currentWidget(), path);
}

}  // namespace zlc::ui
