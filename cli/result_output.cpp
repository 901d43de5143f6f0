#include "cli/result_output.h"

#include "persist/record_formats.h"

namespace zlc::cli {
namespace {

class TextOutput : public ResultOutput {
 public:
  void Write(const Output& out, const Calculator& calc) override {
    for (const std::string& line : calc.LastBlock().lines) out.Line(line);
  }
};

// RFC 4180 ends every row with CR LF.
class CsvOutput : public ResultOutput {
 public:
  void Begin(const Output& out) override {
    out.writer.Write(CsvHeader());
    out.writer.Write("\r\n");
  }
  void Write(const Output& out, const Calculator& calc) override {
    AppendCsvRecord(out.writer.Gathered(), calc.LastRecord());
    out.writer.Write("\r\n");
  }
};

class JsonLinesOutput : public ResultOutput {
 public:
  void Write(const Output& out, const Calculator& calc) override {
    AppendJsonRecord(out.writer.Gathered(), calc.LastRecord());
    out.writer.Write("\n");
  }
};

}  // namespace

std::unique_ptr<ResultOutput> MakeResultOutput(OutputFormat format) {
  switch (format) {
    case OutputFormat::Csv:
      return std::make_unique<CsvOutput>();
    case OutputFormat::JsonLines:
      return std::make_unique<JsonLinesOutput>();
    case OutputFormat::Text:
      break;
  }
  return std::make_unique<TextOutput>();
}

}  // namespace zlc::cli
