#include "ui/statistics_reasons.h"

#include "ui/statistics_window.h"

namespace zlc::ui {
namespace {

// Which change of how the lines read came after lines were printed.
QString LinesChangedText(SetupChange change) {
  switch (change) {
    case SetupChange::Notation:
      return StatisticsWindow::tr(
          "The notation was changed after results were found: no one command prints their "
          "lines in both letters.");
    case SetupChange::Marks:
      return StatisticsWindow::tr(
          "The marks or the spaces of line 1 were changed after results were found: no one "
          "command prints their lines both ways.");
    case SetupChange::VariantDrawnAgain:
      return StatisticsWindow::tr(
          "The task's variant was drawn again while counting (the task was loaded again, or "
          "written in the other notation's letters): no one command draws it where this search "
          "did.");
    default:
      return StatisticsWindow::tr(
          "\"Clear at RN >\" was changed after it had cleared the lists, or would have: no one "
          "command numbers the results as they were numbered.");
  }
}

}  // namespace

QString WhyNoCommand(const RepeatCommand& repeat) {
  switch (repeat.whyNot) {
    case WhyNoRepeat::NothingSearched:
      return StatisticsWindow::tr("Nothing has been searched yet.");
    case WhyNoRepeat::ContinuedRun:
      return StatisticsWindow::tr(
          "This run went on from an earlier one (the task's variant was drawn before, or the "
          "result numbers did not start at 1), so no command repeats it. Load the task again "
          "and press \"Clear Results\" before \"Run\" to start one that can be repeated.");
    case WhyNoRepeat::LinesChanged:
      return LinesChangedText(repeat.linesChanged) + ' ' +
             StatisticsWindow::tr(
                 "The counts go on. To start a search that can be repeated, load the task again "
                 "and press \"Clear Results\" before \"Run\".");
    case WhyNoRepeat::None:
      break;
  }
  return {};
}

QString SinceText(const QString& time, std::uint64_t starts, SetupChange why) {
  if (starts <= 1) return StatisticsWindow::tr("Counting since %1.").arg(time);
  switch (why) {
    case SetupChange::Task:
      return StatisticsWindow::tr("Counting since %1: started again, because the task changed.").arg(time);
    case SetupChange::Filter:
      return StatisticsWindow::tr("Counting since %1: started again, because the filter changed.").arg(time);
    case SetupChange::Variants:
      return StatisticsWindow::tr(
                 "Counting since %1: started again, because RV (one variant of the task or a new "
                 "one every batch) changed.")
          .arg(time);
    case SetupChange::ShuffleDepth:
      return StatisticsWindow::tr("Counting since %1: started again, because the shuffling depth changed.")
          .arg(time);
    default:
      return StatisticsWindow::tr(
                 "Counting since %1: started again, because \"Clear Results\" was pressed.")
          .arg(time);
  }
}

}  // namespace zlc::ui
