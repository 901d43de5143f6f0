#include "persist/record_formats.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "cards/cp1251.h"

namespace zlc {
namespace {

void AppendNumber(std::string& out, std::uint64_t value) {
  char digits[24];
  out.append(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

void AppendNumber(std::string& out, std::int64_t value) {
  char digits[24];
  out.append(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

// The shortest text that reads back as the same double.
void AppendExact(std::string& out, double value) {
  char digits[32];
  out.append(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

void AppendCard(std::string& out, const char (&card)[2]) {
  AppendCp1251AsUtf8(out, std::string_view(card, 2));
}

// The fields in the order both formats give them. Lists are written with
// the separator each format uses for them.
struct Fields {
  explicit Fields(const ResultRecord& r) : record(r), figures(FiguresOf(r)) {
    // Where each card of the deck lies, found in one pass.
    for (auto& suit : at) suit.fill(-1);
    for (int i = 0; i < record.cardCount; ++i) {
      const int rank = IndexOf(record.rankLetters, kRankCount, record.cards[i][0]);
      const int suit = IndexOf(record.suitLetters, kSuitCount, record.cards[i][1]);
      if (rank >= 0 && suit >= 0) at[static_cast<std::size_t>(suit)][static_cast<std::size_t>(rank)] = static_cast<std::int8_t>(i);
    }
  }
  static int IndexOf(const char* letters, int count, char letter) {
    for (int k = 0; k < count; ++k) {
      if (letters[k] == letter) return k;
    }
    return -1;
  }

  const ResultRecord& record;
  ResultFigures figures;
  std::array<std::array<std::int8_t, kRankCount>, kSuitCount> at{};

  // "1" per position where `bit` holds, else "0".
  void Marks(std::string& out, bool (ResultRecord::*bit)(int) const) const {
    char marks[kDeckSize];
    for (int i = 0; i < record.cardCount; ++i) marks[i] = (record.*bit)(i) ? '1' : '0';
    out.append(marks, record.cardCount);
  }
  void Balance(std::string& out) const {
    for (int line = 0; line < 6; ++line) {
      if (line > 0) out += '/';
      out += BalanceSymbol(figures.yangCount[line]);
    }
  }
  void BalancedLines(std::string& out) const {
    for (std::uint8_t flag : figures.balancedLines) out += flag != 0 ? '1' : '0';
  }
  void Lines(std::string& out, int suit) const {
    for (int line = 0; line < 6; ++line) out += record.LineYang(suit, line) ? '1' : '0';
  }
  // The cards of a suit that are static (or mobile), in rank order, each
  // passed to `put`.
  template <typename Put>
  void SuitCards(int suit, bool statics, Put put) const {
    for (std::int8_t i : at[static_cast<std::size_t>(suit)]) {
      if (i >= 0 && record.IsStatic(i) == statics) put(record.cards[i]);
    }
  }
  template <typename Put>
  void SegmentEnds(Put put) const {
    for (int i = 0; i < record.cardCount; ++i) {
      if (record.IsTransit(i)) put(i + 1);
    }
  }
};

// RFC 4180: a field with a comma, a quote or a line break goes in quotes,
// its quotes doubled. Our fields hold none today; a letter set may.
void AppendCsvField(std::string& out, std::string_view field) {
  const bool plain = std::none_of(field.begin(), field.end(),
                                  [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
  if (plain) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// A JSON string of text that is already UTF-8.
void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
    return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
  });
  if (plain) {
    out += text;
    out += '"';
    return;
  }
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace

std::string CsvHeader() {
  std::string header =
      "result,rn,tries,passed,cards,static,transit,segment_ends,lf,f,balance,balanced_lines";
  for (char suit = '1'; suit <= '4'; ++suit) {
    for (const char* name : {"suit", "hexagram", "lines", "p", "static", "mobile"}) {
      header += ',';
      header += name;
      header += suit;
    }
  }
  return header;
}

void AppendCsvRecord(std::string& out, const ResultRecord& record) {
  out.reserve(out.size() + 1024);
  const Fields fields(record);
  std::string field;
  const auto put = [&out, &field] {
    AppendCsvField(out, field);
    out += ',';
    field.clear();
  };
  AppendNumber(out, record.number);
  out += ',';
  AppendNumber(out, record.rn);
  out += ',';
  AppendNumber(out, static_cast<std::int64_t>(record.tries));
  out += record.passed ? ",1," : ",0,";
  for (int i = 0; i < record.cardCount; ++i) {
    if (i > 0) field += ' ';
    AppendCard(field, record.cards[i]);
  }
  put();
  fields.Marks(field, &ResultRecord::IsStatic);
  put();
  fields.Marks(field, &ResultRecord::IsTransit);
  put();
  fields.SegmentEnds([&field](int position) {
    if (!field.empty()) field += ' ';
    AppendNumber(field, static_cast<std::int64_t>(position));
  });
  put();
  AppendNumber(field, static_cast<std::int64_t>(record.transitCount));
  put();
  for (int k = 0; k < fields.figures.segmentCount; ++k) {
    if (k > 0) field += ':';
    AppendNumber(field, static_cast<std::int64_t>(fields.figures.segments[k]));
  }
  put();
  fields.Balance(field);
  put();
  fields.BalancedLines(field);
  put();
  for (int s = 0; s < kSuitCount; ++s) {
    AppendCp1251AsUtf8(field, std::string_view(&record.suitLetters[s], 1));
    put();
    AppendNumber(field, static_cast<std::int64_t>(fields.figures.hexagram[s]));
    put();
    fields.Lines(field, s);
    put();
    AppendExact(field, fields.figures.p[s]);
    put();
    for (bool statics : {true, false}) {
      fields.SuitCards(s, statics, [&field](const char (&card)[2]) {
        if (!field.empty()) field += ' ';
        AppendCard(field, card);
      });
      put();
    }
  }
  out.pop_back();  // the comma after the last field
}

void AppendJsonRecord(std::string& out, const ResultRecord& record) {
  out.reserve(out.size() + 2048);
  const Fields fields(record);
  std::string text;
  const auto string = [&out, &text] {
    AppendJsonString(out, text);
    text.clear();
  };
  out += "{\"result\":";
  AppendNumber(out, record.number);
  out += ",\"rn\":";
  AppendNumber(out, record.rn);
  out += ",\"tries\":";
  AppendNumber(out, static_cast<std::int64_t>(record.tries));
  out += record.passed ? ",\"passed\":true" : ",\"passed\":false";
  out += ",\"cards\":[";
  for (int i = 0; i < record.cardCount; ++i) {
    if (i > 0) out += ',';
    AppendCard(text, record.cards[i]);
    string();
  }
  out += "],\"static\":";
  fields.Marks(text, &ResultRecord::IsStatic);
  string();
  out += ",\"transit\":";
  fields.Marks(text, &ResultRecord::IsTransit);
  string();
  out += ",\"segment_ends\":[";
  bool first = true;
  fields.SegmentEnds([&out, &first](int position) {
    if (!first) out += ',';
    first = false;
    AppendNumber(out, static_cast<std::int64_t>(position));
  });
  out += "],\"lf\":";
  AppendNumber(out, static_cast<std::int64_t>(record.transitCount));
  out += ",\"f\":[";
  for (int k = 0; k < fields.figures.segmentCount; ++k) {
    if (k > 0) out += ',';
    AppendNumber(out, static_cast<std::int64_t>(fields.figures.segments[k]));
  }
  out += "],\"balance\":";
  fields.Balance(text);
  string();
  out += ",\"balanced_lines\":";
  fields.BalancedLines(text);
  string();
  out += ",\"suits\":[";
  for (int s = 0; s < kSuitCount; ++s) {
    if (s > 0) out += ',';
    out += "{\"suit\":";
    AppendCp1251AsUtf8(text, std::string_view(&record.suitLetters[s], 1));
    string();
    out += ",\"hexagram\":";
    AppendNumber(out, static_cast<std::int64_t>(fields.figures.hexagram[s]));
    out += ",\"lines\":";
    fields.Lines(text, s);
    string();
    out += ",\"p\":";
    AppendExact(out, fields.figures.p[s]);
    for (bool statics : {true, false}) {
      out += statics ? ",\"static\":[" : "],\"mobile\":[";
      bool firstCard = true;
      fields.SuitCards(s, statics, [&](const char (&card)[2]) {
        if (!firstCard) out += ',';
        firstCard = false;
        AppendCard(text, card);
        string();
      });
    }
    out += "]}";
  }
  out += "]}";
}

}  // namespace zlc
