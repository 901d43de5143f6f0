// The statistics window's words for why its counting started again and why
// no command repeats what it counts.
#pragma once

#include <QString>
#include <cstdint>

#include "calculator/repeat_command.h"
#include "calculator/run_setup.h"

namespace zlc::ui {

QString WhyNoCommand(const RepeatCommand& repeat);

// "Counting since" the time, and what started it again when it was not the
// first start.
QString SinceText(const QString& time, std::uint64_t starts, SetupChange why);

}  // namespace zlc::ui
