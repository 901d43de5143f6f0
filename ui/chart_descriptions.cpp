#include "ui/chart_descriptions.h"

#include <QCoreApplication>

namespace zlc::ui {
namespace {

QString OrNone(const QStringList& parts) {
  return parts.isEmpty() ? QCoreApplication::translate("ChartDescriptions", "no results counted") : parts.join("; ");
}

}  // namespace

QString HexagramsDescription(const RunStatistics& s, const QStringList& suits) {
  QStringList parts;
  for (int suit = 0; suit < kSuitCount; ++suit) {
    QStringList cells;
    const auto& counts = s.Hexagrams()[static_cast<std::size_t>(suit)];
    for (int number = 1; number <= 64; ++number) {
      if (const auto n = counts[static_cast<std::size_t>(number)]) {
        cells << QCoreApplication::translate("ChartDescriptions", "#%1: %2").arg(number).arg(n);
      }
    }
    if (!cells.isEmpty()) parts << QCoreApplication::translate("ChartDescriptions", "%1: %2").arg(suits.value(suit), cells.join(", "));
  }
  return QCoreApplication::translate("ChartDescriptions", "Results by hexagram, per suit. %1").arg(OrNone(parts));
}

QString TransitsDescription(const RunStatistics& s) {
  QStringList parts;
  const auto& counts = s.TransitCounts();
  for (std::size_t lf = 0; lf < counts.size(); ++lf) {
    if (counts[lf]) parts << QCoreApplication::translate("ChartDescriptions", "L(F) %1: %2").arg(lf).arg(counts[lf]);
  }
  return QCoreApplication::translate("ChartDescriptions", "Results by their number of transits. %1").arg(OrNone(parts));
}

QString BalanceDescription(const RunStatistics& s) {
  QStringList parts;
  for (std::size_t line = 0; line < 6; ++line) {
    QStringList byYang;
    for (std::size_t yang = 0; yang <= 4; ++yang) {
      if (const auto n = s.Balance()[line][yang]) byYang << QCoreApplication::translate("ChartDescriptions", "%1 suits yang: %2").arg(yang).arg(n);
    }
    if (!byYang.isEmpty()) parts << QCoreApplication::translate("ChartDescriptions", "line %1: %2").arg(line + 1).arg(byYang.join(", "));
  }
  return QCoreApplication::translate("ChartDescriptions", "Results by how many suits have each line yang. %1").arg(OrNone(parts));
}

QString PValuesDescription(const RunStatistics& s, const QStringList& suits, const QLocale& numbers) {
  QStringList parts;
  for (int suit = 0; suit < kSuitCount; ++suit) {
    QStringList bins;
    const auto& counts = s.PValues()[static_cast<std::size_t>(suit)];
    for (int bin = 0; bin < RunStatistics::kPBins; ++bin) {
      if (const auto n = counts[static_cast<std::size_t>(bin)]) {
        bins << QCoreApplication::translate("ChartDescriptions", "from %1: %2").arg(numbers.toString(bin * 0.05, 'f', 2)).arg(n);
      }
    }
    if (!bins.isEmpty()) parts << QCoreApplication::translate("ChartDescriptions", "%1: %2").arg(suits.value(suit), bins.join(", "));
  }
  return QCoreApplication::translate("ChartDescriptions", "Results by P value, per suit, in steps of 0.05. %1").arg(OrNone(parts));
}

}  // namespace zlc::ui
