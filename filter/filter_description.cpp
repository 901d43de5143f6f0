#include "filter/filter_description.h"

#include "analysis/hexagrams.h"

namespace zlc {
namespace {

std::string RankList(const FilterSettings& f, const NotationSet& n, int suit, ElementState state) {
  std::string list;
  for (int r = 0; r < kRankCount; ++r) {
    if (f.elementGrid[suit][r] != state) continue;
    if (!list.empty()) list += ',';
    list += n.rankLetters[r];
  }
  return list;
}

std::string SuitLine(const FilterSettings& f, const NotationSet& n, int suit) {
  const char letter = n.suitLetters[suit];
  std::string text;
  if (std::string s = RankList(f, n, suit, ElementState::Static); !s.empty()) {
    text = std::string("S(") + letter + ")={" + s + "};   ";
  }
  if (std::string m = RankList(f, n, suit, ElementState::Mobile); !m.empty()) {
    text += std::string("M(") + letter + ")={" + m + "};   " + " ";
  }

  std::string digits;
  std::array<std::uint8_t, 6> lines{};
  for (int line = 0; line < 6; ++line) {
    ElementState cell = f.elementGrid[suit][kLineRanks[line]];
    digits += cell == ElementState::Any ? '?' : cell == ElementState::Static ? '0' : '1';
    lines[line] = cell == ElementState::Mobile ? 1 : 0;
  }
  if (digits.find('?') == std::string::npos) {
    text = std::string("H(") + letter + ")=#" + std::to_string(HexagramNumber(lines)) + "  (" +
           digits + ");   " + text;
  } else if (digits != "??????") {
    text = std::string("H(") + letter + ")=#?  (" + digits + ");   " + text;
  }
  return text;
}

}  // namespace


std::vector<std::string> BuildFilterDescription(const FilterSettings& f, const NotationSet& n,
                                                const ModeWords& words) {
  std::vector<std::string> lines;
  std::string settings = "GM:" + words.Of(f.generationMode) + ", RV:" + words.Of(f.resultVariants);
  if (f.lfEnabled) settings += "; L(F) <=" + std::to_string(f.lfThreshold);
  lines.push_back(settings);

  if (f.smEnabled) {
    for (int suit = 0; suit < kSuitCount; ++suit) {
      if (std::string line = SuitLine(f, n, suit); !line.empty()) lines.push_back(line);
    }
  }
  if (f.hbEnabled) {
    std::string hb = "HB:(";
    for (int line = 0; line < 6; ++line) {
      if (line > 0) hb += '/';
      hb += f.hbRequired[line] == 1 ? '=' : '?';
    }
    lines.push_back(hb + ")");
  }
  return lines;
}

}  // namespace zlc
