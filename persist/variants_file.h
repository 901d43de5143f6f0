// The scratch file "variants": every variant of the task, one line each, in
// the order of the walk (run index, start and length of every run).
#pragma once

#include <cstdint>
#include <string>

#include "engine/variants.h"
#include "persist/io_error.h"

namespace zlc {

// Writes every variant of the plan to `path`, one line each, and counts
// them. The file takes the place of the old one only when whole.
IoResult EnumerateVariants(const TaskPlan& plan, const std::string& path, std::int64_t& count,
                           EnumerationProgress* progress);

// The start of every run of line index + 1 of the file: the file read back,
// to check the order it holds against VariantStarts.
IoResult ReadVariantStarts(const TaskPlan& plan, const std::string& path, std::int64_t index,
                           std::int32_t* starts);

}  // namespace zlc
