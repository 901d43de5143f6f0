#include "cli/dry_run.h"

#include "filter/filter_description.h"

namespace zlc::cli {

int DryRun(Calculator& calc, const Output& out) {
  out.Line(calc.editor.Text() + "|");
  out.Line(calc.editor.TaskCaption());
  const std::string normalized = StripSpaces(calc.editor.Text());
  std::string variants = "Variants : ";
  if (!normalized.empty()) {
    TaskPlan plan;
    SplitTask(normalized, plan);
    variants += std::to_string(CountVariants(plan));
  }
  out.Line(variants);
  for (const std::string& line : BuildFilterDescription(calc.filter, calc.notation)) {
    out.Line(line + "|");
  }
  return Finish(out.writer);
}

}  // namespace zlc::cli
