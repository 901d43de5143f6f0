#include "analysis/classify.h"

#include <charconv>
#include <cstring>

namespace zlc {

void ClassifyElements(Layout& layout, Chain& work) {
  const Chain& chain = layout.chain;
  layout.mobility.fill(0);
  layout.isTransit.fill(0);
  layout.transitCount = 0;

  work.lastIndex = chain.lastIndex;
  if (chain.lastIndex >= 0) {
    std::memcpy(work.cards, chain.cards,
                sizeof(ChainEntry) * static_cast<std::size_t>(chain.lastIndex + 1));
  }

  // Transits are recorded only left to right: a right card at or before the
  // latest transit belongs to a segment that is already closed.
  std::uint16_t lastTransit = 0;
  std::int32_t from = 0;
  while (work.lastIndex >= 2) {
    // Resuming at a - 2 finds the same leftmost collapse as a fresh scan, so
    // the replay removes the cards in the order the convergence test did.
    const std::int32_t a = FindCollapse(work, from);
    if (a < 0) break;
    const std::uint16_t right = work.cards[a + 2].position;
    if (right > lastTransit) {
      layout.isTransit[right] = 1;
      ++layout.transitCount;
      lastTransit = right;
    }
    ++layout.mobility[work.cards[a + 1].position];
    RemoveEntry(work, a);
    from = a >= 2 ? a - 2 : 0;
  }

  if (chain.lastIndex >= 0) layout.mobility[static_cast<std::size_t>(chain.lastIndex)] = 1;
}

void AppendLayoutLine(std::string& out, const Layout& layout, std::int64_t rn,
                      const Settings& settings) {
  out.clear();
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, rn);
  out.append(digits, written.ptr);
  out += ". ";

  const bool markTransits = settings.markTransits == 1;
  const bool spaces = settings.deleteSpaces == 0;
  const std::int32_t last = layout.chain.lastIndex;
  if (markTransits) out += '<';
  for (std::int32_t i = 0; i <= last; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const bool isStatic = layout.mobility[at] == 0;
    const bool transit = markTransits && layout.isTransit[at] == 1;
    if (isStatic && settings.staticMarkMode == 2) out += '[';
    out += layout.chain.cards[i].rankLetter;
    out += layout.chain.cards[i].suitLetter;
    if (isStatic && settings.staticMarkMode == 1) out += '!';
    if (isStatic && settings.staticMarkMode == 2) out += ']';
    if (transit) out += '>';
    if (spaces) out += ' ';
    // The next segment opens after the separating space; the last card
    // closes the line, so nothing opens after it.
    if (transit && i != last) out += '<';
  }
}

}  // namespace zlc
