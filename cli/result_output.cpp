#include "cli/result_output.h"

#include "cards/cp1251.h"
#include "persist/record_formats.h"

namespace zlc::cli {
namespace {

class TextOutput : public ResultOutput {
 public:
  explicit TextOutput(bool cp1251) : cp1251_(cp1251) {}
  void Write(BlockWriter& writer, const Calculator& calc) override {
    for (const std::string& line : calc.lastBlock.lines) {
      if (cp1251_) {
        writer.Write(line);
      } else {
        AppendCp1251AsUtf8(writer.Gathered(), line);
      }
      writer.Write("\n");
    }
  }

 private:
  bool cp1251_;
};

// RFC 4180 ends every row with CR LF.
class CsvOutput : public ResultOutput {
 public:
  void Begin(BlockWriter& writer) override {
    writer.Write(CsvHeader());
    writer.Write("\r\n");
  }
  void Write(BlockWriter& writer, const Calculator& calc) override {
    AppendCsvRecord(writer.Gathered(), calc.lastRecord);
    writer.Write("\r\n");
  }
};

class JsonLinesOutput : public ResultOutput {
 public:
  void Write(BlockWriter& writer, const Calculator& calc) override {
    AppendJsonRecord(writer.Gathered(), calc.lastRecord);
    writer.Write("\n");
  }
};

}  // namespace

std::unique_ptr<ResultOutput> MakeResultOutput(OutputFormat format, bool cp1251) {
  switch (format) {
    case OutputFormat::Csv:
      return std::make_unique<CsvOutput>();
    case OutputFormat::JsonLines:
      return std::make_unique<JsonLinesOutput>();
    case OutputFormat::Text:
      break;
  }
  return std::make_unique<TextOutput>(cp1251);
}

}  // namespace zlc::cli
