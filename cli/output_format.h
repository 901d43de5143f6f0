// The forms a result can take on standard output.
#pragma once

#include <optional>
#include <string_view>

namespace zlc::cli {

enum class OutputFormat { Text, Csv, JsonLines };

// "text", "csv" or "jsonl"; empty for any other name.
inline std::optional<OutputFormat> OutputFormatNamed(std::string_view name) {
  if (name == "text") return OutputFormat::Text;
  if (name == "csv") return OutputFormat::Csv;
  if (name == "jsonl") return OutputFormat::JsonLines;
  return std::nullopt;
}

}  // namespace zlc::cli
