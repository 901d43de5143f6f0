// Card letters in the two notations, the active notation and the
// conversions between them. All text is Windows-1251 bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zlc {

inline constexpr int kRankCount = 9;
inline constexpr int kSuitCount = 4;
inline constexpr int kDeckSize = kRankCount * kSuitCount;

// Rank index 0..8: 6 7 8 9 10 J Q K A. Suit index 0..3: spades, diamonds,
// clubs, hearts. Cyrillic letters are their Windows-1251 bytes.
inline constexpr std::string_view kRuRanks = "6789X\xC2\xC4\xCA\xD2";
inline constexpr std::string_view kRuSuits = "\xEF\xE1\xEA\xF7";
inline constexpr std::string_view kEnRanks = "6789XJQKA";
inline constexpr std::string_view kEnSuits = "sdch";

// The fixed starting order of the deck, each card followed by one space.
inline constexpr std::string_view kEnBaseDeck =
    "Ad 7s Kc Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd "
    "Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac 9d ";
inline constexpr std::string_view kRuBaseDeck =
    "\xD2\xE1 7\xEF \xCA\xEA \xD2\xF7 9\xEA \xCA\xEF 6\xEF 8\xEF X\xF7 7\xEA 8\xEA \xC2\xEF 6\xF7 6\xEA \xC2\xF7 \xD2\xEF \xC4\xEF \xC2\xEA 7\xE1 7\xF7 9\xEF X\xEF X\xEA \xC2\xE1 "
    "\xCA\xF7 X\xE1 8\xF7 9\xF7 \xCA\xE1 \xC4\xF7 \xC4\xE1 8\xE1 \xC4\xEA 6\xE1 \xD2\xEA 9\xE1 ";

enum class Notation { Ru = 1, En = 2 };

// The active notation: its name ("Ru" or "En") and its alphabets.
struct NotationSet {
  std::string notationName{"Ru"};
  std::string rankLetters{kRuRanks};
  std::string suitLetters{kRuSuits};
  std::string baseDeck{kRuBaseDeck};
};

// Kind 1 sets Ru, kind 2 sets En; any other kind changes nothing.
void SetNotation(NotationSet& set, int kind);

// The options dialog's selector: "Ru" or "En" sets that notation; any other
// text (a name half typed, or one with a letter too many) changes nothing, so
// the name saved and read back is always the notation in force.
void SelectNotationName(NotationSet& set, std::string_view name);

// Rewrites a task text (token: rank place, suit place, space) from the other
// notation into the active one. Returns the text unchanged when the active
// name is neither "Ru" nor "En".
std::string ConvertTaskNotation(const NotationSet& set, std::string_view taskText);

// Reads two-character tokens; the first one whose rank or suit letter belongs
// to one notation only decides. Ru when none decides.
Notation DetectNotation(std::string_view filtered);

// The same reading, but empty when no token decides.
std::optional<Notation> DecidedNotation(std::string_view filtered);

// "{6,7,...} && {...}" for the options dialog's label ("&&" shows as one "&").
std::string NotationLabelText(const NotationSet& set);

// Card code of a rank and suit index in the active notation.
std::string CardCode(const NotationSet& set, int rank, int suit);

}  // namespace zlc
