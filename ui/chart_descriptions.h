// The statistics' charts in words, for a screen reader: what each bar or
// cell counts, the counts that are not zero.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include "analysis/run_statistics.h"

namespace zlc::ui {

QString HexagramsDescription(const RunStatistics& s, const QStringList& suits);
QString TransitsDescription(const RunStatistics& s);
QString BalanceDescription(const RunStatistics& s);
QString PValuesDescription(const RunStatistics& s, const QStringList& suits, const QLocale& numbers);

}  // namespace zlc::ui
