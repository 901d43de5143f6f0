#include "persist/record_formats.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/text_buffer.h"
#include "persist/record_fields.h"

namespace zlc {
namespace {

constexpr char kRunTogether = '\0';

// The longest record, JSON of 36 cards whose letters each take the most
// escaping, stays well under the buffer.
class RecordText : public TextBuffer<8192> {
 public:
  // RFC 4180: the field written since `start` goes in quotes, its quotes
  // doubled, when it holds a comma, a quote or a line break. No letter set
  // has one today; a record that does still reads back right.
  void EndCsvField(char* start) {
    const std::string_view field(start, static_cast<std::size_t>(At() - start));
    bool plain = true;
    for (char c : field) plain = plain && c != ',' && c != '"' && c != '\r' && c != '\n';
    if (plain) return;
    std::string quoted = "\"";
    for (char c : field) {
      if (c == '"') quoted += '"';
      quoted += c;
    }
    quoted += '"';
    MoveTo(start);
    Put(quoted);
  }

  // UTF-8 text inside a JSON string, escaped where JSON needs it.
  void PutJsonText(std::string_view utf8) {
    for (char c : utf8) {
      const auto byte = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        Put('\\');
        Put(c);
      } else if (byte < 0x20) {
        static constexpr char kHex[] = "0123456789abcdef";
        Put("\\u00");
        Put(kHex[byte >> 4]);
        Put(kHex[byte & 15]);
      } else {
        Put(c);
      }
    }
  }

  template <typename Item, typename PutItem>
  void List(const Item* items, int count, char between, PutItem put) {
    for (int i = 0; i < count; ++i) {
      if (i > 0) Put(between);
      put(items[i]);
    }
  }
  // "1" and "0", `between` between two of them (none when it is kRunTogether).
  void Flags(std::uint64_t bits, int count, char between) {
    for (int i = 0; i < count; ++i) {
      if (i > 0 && between != kRunTogether) Put(between);
      Put(((bits >> i) & 1u) != 0 ? '1' : '0');
    }
  }
};

// A spreadsheet reads a run of flags such as "011011" as a number and drops
// its leading zeros, and "12:24" as a time: lists are spaced out, so that
// they stay text.
constexpr char kCsvSpace = ' ';

// One row. Only text can hold a comma, a quote or a line break, so only a
// text field is looked at for quoting.
class CsvRow final : public RecordSink {
 public:
  void Field(std::string_view) override {
    if (field_ != nullptr) t.Put(',');
    field_ = t.At();
  }
  void BeginSuit(int) override {}
  void EndSuit() override {}

  void Integer(std::int64_t value) override { t.Decimal(value); }
  void Real(double value) override { t.Decimal(value); }
  void Bool(bool value) override { t.Put(value ? '1' : '0'); }
  void Text(std::string_view utf8) override {
    t.Put(utf8);
    t.EndCsvField(field_);
  }
  // In parentheses, as the result's second line has it: a spreadsheet takes
  // a cell that starts with "+", "-" or "=" for a formula.
  void Signs(std::string_view ascii) override {
    t.Put('(');
    t.Put(ascii);
    t.Put(')');
  }
  void Flags(std::uint64_t bits, int count) override { t.Flags(bits, count, kCsvSpace); }
  void Numbers(const std::uint8_t* values, int count) override {
    t.List(values, count, kCsvSpace, [this](std::uint8_t v) { t.Decimal(v); });
  }
  void Texts(const std::string_view* utf8, int count) override {
    t.List(utf8, count, kCsvSpace, [this](std::string_view s) { t.Put(s); });
    t.EndCsvField(field_);
  }

  RecordText t;

 private:
  char* field_ = nullptr;
};

// One object; the suits in an array of objects of their own.
class JsonObject final : public RecordSink {
 public:
  void Field(std::string_view name) override {
    t.Put(first_ ? '{' : ',');
    first_ = false;
    t.Put('"');
    t.Put(name);
    t.Put("\":");
  }
  void BeginSuit(int suit) override {
    t.Put(suit == 0 ? ",\"suits\":[" : ",");
    first_ = true;
  }
  void EndSuit() override { t.Put('}'); }
  // The suits' array and the object itself.
  void End() { t.Put("]}"); }

  void Integer(std::int64_t value) override { t.Decimal(value); }
  void Real(double value) override { t.Decimal(value); }
  void Bool(bool value) override { t.Put(value ? "true" : "false"); }
  void Text(std::string_view utf8) override { String(utf8); }
  void Signs(std::string_view ascii) override { String(ascii); }
  void Flags(std::uint64_t bits, int count) override {
    t.Put('"');
    t.Flags(bits, count, kRunTogether);
    t.Put('"');
  }
  void Numbers(const std::uint8_t* values, int count) override {
    t.Put('[');
    t.List(values, count, ',', [this](std::uint8_t v) { t.Decimal(v); });
    t.Put(']');
  }
  void Texts(const std::string_view* utf8, int count) override {
    t.Put('[');
    t.List(utf8, count, ',', [this](std::string_view s) { String(s); });
    t.Put(']');
  }

  RecordText t;

 private:
  void String(std::string_view utf8) {
    t.Put('"');
    t.PutJsonText(utf8);
    t.Put('"');
  }

  bool first_ = true;
};

}  // namespace

std::string CsvHeader() {
  std::string header;
  for (const RecordField& field : RecordFields()) {
    if (!header.empty()) header += ',';
    header += field.name;
  }
  for (int s = 0; s < kSuitCount; ++s) {
    for (const RecordField& field : SuitFields()) {
      header += ',';
      header += field.name;
      header += static_cast<char>('1' + s);
    }
  }
  return header;
}

void AppendCsvRecord(std::string& out, const ResultRecord& record) {
  CsvRow row;
  WriteRecordFields(record, row);
  row.t.AppendTo(out);
}

void AppendJsonRecord(std::string& out, const ResultRecord& record) {
  JsonObject object;
  WriteRecordFields(record, object);
  object.End();
  object.t.AppendTo(out);
}

}  // namespace zlc
