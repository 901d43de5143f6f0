#include "analysis/layout_line.h"

#include <charconv>

namespace zlc {

void AppendLayoutLine(std::string& out, const ResultRecord& record, const Settings& settings) {
  // Built in a buffer and assigned once: at most six characters a card.
  char text[24 + 6 * kDeckSize + 2];
  char* at = std::to_chars(text, text + 24, record.rn).ptr;
  *at++ = '.';
  *at++ = ' ';

  const bool markTransits = settings.markTransits == 1;
  const bool spaces = settings.deleteSpaces == 0;
  const StaticMarks marks = settings.staticMarkMode;
  const int last = record.cardCount - 1;
  if (markTransits) *at++ = '<';
  for (int i = 0; i <= last; ++i) {
    const bool isStatic = record.IsStatic(i);
    const bool transit = markTransits && record.IsTransit(i);
    if (isStatic && marks == StaticMarks::Brackets) *at++ = '[';
    *at++ = record.cards[i][0];
    *at++ = record.cards[i][1];
    if (isStatic && marks == StaticMarks::Exclaim) *at++ = '!';
    if (isStatic && marks == StaticMarks::Brackets) *at++ = ']';
    if (transit) *at++ = '>';
    if (spaces) *at++ = ' ';
    // The next segment opens after the separating space; the last card
    // closes the line, so nothing opens after it.
    if (transit && i != last) *at++ = '<';
  }
  out.assign(text, static_cast<std::size_t>(at - text));
}

}  // namespace zlc
