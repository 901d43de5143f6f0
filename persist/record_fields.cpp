#include "persist/record_fields.h"

#include <array>
#include <cstring>
#include <string>

#include "cards/cp1251.h"

namespace zlc {

// The record with its figures, and its letters in UTF-8.
class RecordFacts {
 public:
  explicit RecordFacts(const ResultRecord& r) : record(r), figures(FiguresOf(r)) {
    for (auto& suit : at_) suit.fill(-1);
    char* bytes = bytes_.data();
    for (int i = 0; i < record.cardCount; ++i) {
      cards[static_cast<std::size_t>(i)] = Utf8Of(record.cards[i], 2, bytes);
      const int rank = IndexOf(record.rankLetters, kRankCount, record.cards[i][0]);
      const int suit = IndexOf(record.suitLetters, kSuitCount, record.cards[i][1]);
      if (rank >= 0 && suit >= 0) {
        at_[static_cast<std::size_t>(suit)][static_cast<std::size_t>(rank)] = static_cast<std::int8_t>(i);
      }
    }
    for (int s = 0; s < kSuitCount; ++s) {
      suits[static_cast<std::size_t>(s)] = Utf8Of(&record.suitLetters[s], 1, bytes);
    }
  }
  RecordFacts(const RecordFacts&) = delete;  // the texts point into it
  RecordFacts& operator=(const RecordFacts&) = delete;

  // The cards of a suit that are static (or mobile), in rank order.
  int SuitCards(int suit, bool statics, std::string_view* out) const {
    int count = 0;
    for (std::int8_t i : at_[static_cast<std::size_t>(suit)]) {
      if (i >= 0 && record.IsStatic(i) == statics) out[count++] = cards[static_cast<std::size_t>(i)];
    }
    return count;
  }

  const ResultRecord& record;
  const ResultFigures figures;
  std::array<std::string_view, kDeckSize> cards{};
  std::array<std::string_view, kSuitCount> suits{};

 private:
  // UTF-8 of `count` letters, at most three bytes a letter, put at `bytes`.
  static std::string_view Utf8Of(const char* cp1251, std::size_t count, char*& bytes) {
    char* const start = bytes;
    for (std::size_t k = 0; k < count; ++k) {
      const auto byte = static_cast<unsigned char>(cp1251[k]);
      if (byte < 0x80) {
        *bytes++ = static_cast<char>(byte);
        continue;
      }
      // The rare letter outside ASCII, through the one conversion table.
      std::string text;
      AppendCp1251AsUtf8(text, std::string_view(cp1251 + k, 1));
      std::memcpy(bytes, text.data(), text.size());
      bytes += text.size();
    }
    return {start, static_cast<std::size_t>(bytes - start)};
  }
  static int IndexOf(const char* letters, int count, char letter) {
    for (int k = 0; k < count; ++k) {
      if (letters[k] == letter) return k;
    }
    return -1;
  }

  std::array<char, (2 * kDeckSize + kSuitCount) * 3> bytes_;  // filled as far as used
  std::array<std::array<std::int8_t, kRankCount>, kSuitCount> at_{};
};

namespace {

using Facts = const RecordFacts&;
using Out = ValueWriter&;

// The positions (from 1) where the segments end: the transits.
void SegmentEnds(Facts f, int, Out out) {
  std::uint8_t ends[kDeckSize];
  int count = 0;
  for (int i = 0; i < f.record.cardCount; ++i) {
    if (f.record.IsTransit(i)) ends[count++] = static_cast<std::uint8_t>(i + 1);
  }
  out.Numbers(ends, count);
}

// One symbol a line, "/" between them.
void Balance(Facts f, int, Out out) {
  char text[6 * 3];
  char* at = text;
  for (int line = 0; line < 6; ++line) {
    if (line > 0) *at++ = '/';
    for (const char* symbol = BalanceSymbol(f.figures.yangCount[line]); *symbol != '\0'; ++symbol) {
      *at++ = *symbol;
    }
  }
  out.Signs({text, static_cast<std::size_t>(at - text)});
}

void BalancedLines(Facts f, int, Out out) {
  std::uint64_t bits = 0;
  for (int line = 0; line < 6; ++line) {
    if (f.figures.balancedLines[static_cast<std::size_t>(line)] != 0) bits |= 1u << line;
  }
  out.Flags(bits, 6);
}

template <bool Statics>
void SuitCards(Facts f, int suit, Out out) {
  std::string_view cards[kRankCount];
  out.Texts(cards, f.SuitCards(suit, Statics, cards));
}

constexpr RecordField kRecordFields[] = {
    {"result", [](Facts f, int, Out out) { out.Integer(static_cast<std::int64_t>(f.record.number)); }},
    {"rn", [](Facts f, int, Out out) { out.Integer(f.record.rn); }},
    {"tries", [](Facts f, int, Out out) { out.Integer(f.record.tries); }},
    {"passed", [](Facts f, int, Out out) { out.Bool(f.record.passed); }},
    {"cards", [](Facts f, int, Out out) { out.Texts(f.cards.data(), f.record.cardCount); }},
    {"static", [](Facts f, int, Out out) { out.Flags(f.record.staticMask, f.record.cardCount); }},
    {"transit", [](Facts f, int, Out out) { out.Flags(f.record.transitMask, f.record.cardCount); }},
    {"segment_ends", SegmentEnds},
    {"lf", [](Facts f, int, Out out) { out.Integer(f.record.transitCount); }},
    {"f", [](Facts f, int, Out out) { out.Numbers(f.figures.segments, f.figures.segmentCount); }},
    {"balance", Balance},
    {"balanced_lines", BalancedLines},
};

constexpr RecordField kSuitFields[] = {
    {"suit", [](Facts f, int s, Out out) { out.Text(f.suits[static_cast<std::size_t>(s)]); }},
    {"hexagram", [](Facts f, int s, Out out) { out.Integer(f.figures.hexagram[s]); }},
    {"lines", [](Facts f, int s, Out out) { out.Flags(f.record.suitLines[s], 6); }},
    {"p", [](Facts f, int s, Out out) { out.Real(f.figures.p[s]); }},
    {"static", SuitCards<true>},
    {"mobile", SuitCards<false>},
};

}  // namespace

std::span<const RecordField> RecordFields() { return kRecordFields; }
std::span<const RecordField> SuitFields() { return kSuitFields; }

void WriteRecordFields(const ResultRecord& record, RecordSink& out) {
  const RecordFacts facts(record);
  for (const RecordField& field : kRecordFields) {
    out.Field(field.name);
    field.write(facts, -1, out);
  }
  for (int s = 0; s < kSuitCount; ++s) {
    out.BeginSuit(s);
    for (const RecordField& field : kSuitFields) {
      out.Field(field.name);
      field.write(facts, s, out);
    }
    out.EndSuit();
  }
}

}  // namespace zlc
