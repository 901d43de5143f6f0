#include "persist/record_formats.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string_view>

#include "analysis/text_buffer.h"
#include "cards/cp1251.h"

namespace zlc {
namespace {

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

};

constexpr char kRunTogether = '\0';
// Lists in CSV: cards, flags, positions and lengths alike. A spreadsheet
// reads a run of flags such as "011011" as a number and drops its leading
// zeros, and "12:24" as a time; spaced out, they stay text.
constexpr char kCsvSpace = ' ';

// The fields of a record in the order both formats give them.
struct Fields {
  explicit Fields(const ResultRecord& r) : record(r), figures(FiguresOf(r)) {
    for (auto& suit : at) suit.fill(-1);
    for (int i = 0; i < record.cardCount; ++i) {
      cards[static_cast<std::size_t>(i)] = Utf8Of(record.cards[i], 2);
      const int rank = IndexOf(record.rankLetters, kRankCount, record.cards[i][0]);
      const int suit = IndexOf(record.suitLetters, kSuitCount, record.cards[i][1]);
      if (rank >= 0 && suit >= 0) at[static_cast<std::size_t>(suit)][static_cast<std::size_t>(rank)] = static_cast<std::int8_t>(i);
    }
    for (int s = 0; s < kSuitCount; ++s) suits[static_cast<std::size_t>(s)] = Utf8Of(&record.suitLetters[s], 1);
  }

  // UTF-8 of a card or a letter, at most three bytes a letter.
  struct Utf8 {
    char bytes[6];
    std::uint8_t size = 0;
    std::string_view View() const { return {bytes, size}; }
  };
  static Utf8 Utf8Of(const char* cp1251, std::size_t count) {
    Utf8 out;
    for (std::size_t k = 0; k < count; ++k) {
      const auto byte = static_cast<unsigned char>(cp1251[k]);
      if (byte < 0x80) {
        out.bytes[out.size++] = static_cast<char>(byte);
        continue;
      }
      // The rare letter outside ASCII, through the one conversion table.
      std::string text;
      AppendCp1251AsUtf8(text, std::string_view(cp1251 + k, 1));
      std::memcpy(out.bytes + out.size, text.data(), text.size());
      out.size = static_cast<std::uint8_t>(out.size + text.size());
    }
    return out;
  }
  static int IndexOf(const char* letters, int count, char letter) {
    for (int k = 0; k < count; ++k) {
      if (letters[k] == letter) return k;
    }
    return -1;
  }

  // A row of "1"/"0" flags, `between` between two of them (none when it
  // is kRunTogether).
  static void Flag(RecordText& out, int index, bool set, char between) {
    if (index > 0 && between != kRunTogether) out.Put(between);
    out.Put(set ? '1' : '0');
  }
  void Marks(RecordText& out, bool (ResultRecord::*bit)(int) const, char between) const {
    for (int i = 0; i < record.cardCount; ++i) Flag(out, i, (record.*bit)(i), between);
  }
  void Balance(RecordText& out) const {
    for (int line = 0; line < 6; ++line) {
      if (line > 0) out.Put('/');
      out.Put(BalanceSymbol(figures.yangCount[line]));
    }
  }
  void BalancedLines(RecordText& out, char between) const {
    for (std::size_t line = 0; line < 6; ++line) {
      Flag(out, static_cast<int>(line), figures.balancedLines[line] != 0, between);
    }
  }
  // The positions (from 1) where the segments end: the transits.
  void SegmentEnds(RecordText& out, char separator) const {
    bool first = true;
    for (int i = 0; i < record.cardCount; ++i) {
      if (!record.IsTransit(i)) continue;
      if (!first) out.Put(separator);
      first = false;
      out.Decimal(i + 1);
    }
  }
  void Segments(RecordText& out, char separator) const {
    for (int k = 0; k < figures.segmentCount; ++k) {
      if (k > 0) out.Put(separator);
      out.Decimal(figures.segments[k]);
    }
  }
  void Lines(RecordText& out, int suit, char between) const {
    for (int line = 0; line < 6; ++line) Flag(out, line, record.LineYang(suit, line), between);
  }
  // The cards of a suit that are static (or mobile), in rank order.
  template <typename Put>
  void SuitCards(int suit, bool statics, Put put) const {
    bool first = true;
    for (std::int8_t i : at[static_cast<std::size_t>(suit)]) {
      if (i < 0 || record.IsStatic(i) != statics) continue;
      put(cards[static_cast<std::size_t>(i)].View(), first);
      first = false;
    }
  }

  const ResultRecord& record;
  ResultFigures figures;
  std::array<std::array<std::int8_t, kRankCount>, kSuitCount> at{};
  std::array<Utf8, kDeckSize> cards{};
  std::array<Utf8, kSuitCount> suits{};
};

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
  const Fields f(record);
  RecordText t;
  t.Decimal(record.number);
  t.Put(',');
  t.Decimal(record.rn);
  t.Put(',');
  t.Decimal(record.tries);
  t.Put(record.passed ? ",1," : ",0,");
  char* field = t.At();
  for (int i = 0; i < record.cardCount; ++i) {
    if (i > 0) t.Put(kCsvSpace);
    t.Put(f.cards[static_cast<std::size_t>(i)].View());
  }
  t.EndCsvField(field);
  t.Put(',');
  f.Marks(t, &ResultRecord::IsStatic, kCsvSpace);
  t.Put(',');
  f.Marks(t, &ResultRecord::IsTransit, kCsvSpace);
  t.Put(',');
  f.SegmentEnds(t, kCsvSpace);
  t.Put(',');
  t.Decimal(record.transitCount);
  t.Put(',');
  f.Segments(t, kCsvSpace);
  // In parentheses, as the result's second line has it: a spreadsheet takes
  // a cell that starts with "+", "-" or "=" for a formula.
  t.Put(",(");
  f.Balance(t);
  t.Put("),");
  f.BalancedLines(t, kCsvSpace);
  for (int s = 0; s < kSuitCount; ++s) {
    t.Put(',');
    field = t.At();
    t.Put(f.suits[static_cast<std::size_t>(s)].View());
    t.EndCsvField(field);
    t.Put(',');
    t.Decimal(f.figures.hexagram[s]);
    t.Put(',');
    f.Lines(t, s, kCsvSpace);
    t.Put(',');
    t.Decimal(f.figures.p[s]);
    for (bool statics : {true, false}) {
      t.Put(',');
      field = t.At();
      f.SuitCards(s, statics, [&t](std::string_view card, bool firstCard) {
        if (!firstCard) t.Put(kCsvSpace);
        t.Put(card);
      });
      t.EndCsvField(field);
    }
  }
  t.AppendTo(out);
}

void AppendJsonRecord(std::string& out, const ResultRecord& record) {
  const Fields f(record);
  RecordText t;
  const auto string = [&t](std::string_view utf8) {
    t.Put('"');
    t.PutJsonText(utf8);
    t.Put('"');
  };
  t.Put("{\"result\":");
  t.Decimal(record.number);
  t.Put(",\"rn\":");
  t.Decimal(record.rn);
  t.Put(",\"tries\":");
  t.Decimal(record.tries);
  t.Put(record.passed ? ",\"passed\":true" : ",\"passed\":false");
  t.Put(",\"cards\":[");
  for (int i = 0; i < record.cardCount; ++i) {
    if (i > 0) t.Put(',');
    string(f.cards[static_cast<std::size_t>(i)].View());
  }
  t.Put("],\"static\":\"");
  f.Marks(t, &ResultRecord::IsStatic, kRunTogether);
  t.Put("\",\"transit\":\"");
  f.Marks(t, &ResultRecord::IsTransit, kRunTogether);
  t.Put("\",\"segment_ends\":[");
  f.SegmentEnds(t, ',');
  t.Put("],\"lf\":");
  t.Decimal(record.transitCount);
  t.Put(",\"f\":[");
  f.Segments(t, ',');
  t.Put("],\"balance\":\"");
  f.Balance(t);
  t.Put("\",\"balanced_lines\":\"");
  f.BalancedLines(t, kRunTogether);
  t.Put("\",\"suits\":[");
  for (int s = 0; s < kSuitCount; ++s) {
    if (s > 0) t.Put(',');
    t.Put("{\"suit\":");
    string(f.suits[static_cast<std::size_t>(s)].View());
    t.Put(",\"hexagram\":");
    t.Decimal(f.figures.hexagram[s]);
    t.Put(",\"lines\":\"");
    f.Lines(t, s, kRunTogether);
    t.Put("\",\"p\":");
    t.Decimal(f.figures.p[s]);
    for (bool statics : {true, false}) {
      t.Put(statics ? ",\"static\":[" : "],\"mobile\":[");
      f.SuitCards(s, statics, [&](std::string_view card, bool firstCard) {
        if (!firstCard) t.Put(',');
        string(card);
      });
    }
    t.Put("]}");
  }
  t.Put("]}");
  t.AppendTo(out);
}

}  // namespace zlc
