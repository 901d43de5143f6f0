// Editing the filter settings as the filter dialog does: cycling a card's
// required state, whole-suit "clear" and "set", the balance-line rule, and the
// texts the dialog shows for them. All text is Windows-1251 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "filter/filter_settings.h"
#include "cards/number_text.h"

namespace zlc {

// Rank index behind each line bar of a suit block, top bar first:
// A, K, Q, 10, 6, 9 (hexagram lines 6 down to 1).
inline constexpr int kBarRanks[6] = {8, 7, 6, 4, 0, 3};

// Any -> Static -> Mobile -> Any.
ElementState NextElementState(ElementState state);

// False when three or four suits require the same state of the card behind
// hexagram line `line` (0..5 = line 1..6): that line can then never balance.
bool BalanceLinePossible(const FilterSettings& filter, int line);

// One click on the card (suit 0..3, rank 0..8): its next state. A line whose
// balance has become impossible loses its requirement. Returns the new state.
ElementState CycleCard(FilterSettings& filter, int suit, int rank);

// Clicks the card until it holds `target` (at most two clicks, each with the
// effects of CycleCard).
void SetCardState(FilterSettings& filter, int suit, int rank, ElementState target);

// Every card of the suit back to Any, in rank order.
void ClearSuit(FilterSettings& filter, int suit);

// Requires hexagram `number` (King Wen, 1..64) of the suit: the six line
// cards A, K, Q, 10, 6, 9 in that order, Mobile for a yang line and Static
// for a yin one; 7, 8 and J stay. Any other number changes nothing and
// returns false.
bool SetSuitHexagram(FilterSettings& filter, int suit, int number);

// Lines 1..6 of a hexagram as six "0"/"1" digits, from its lower and upper
// trigram indexes.
std::string LineDigits(int lower, int upper);

// "#n  (digits)" when all six line cards of the suit are set, otherwise
// "#?  (...)" with "?" for every line whose card is Any.
std::string HexagramLabelText(const FilterSettings& filter, int suit);

// "HB:(" + "=" or "?" per line 1..6, "/" between + ")".
std::string BalanceLabelText(const FilterSettings& filter);

// The "Hex Balance" clear button: no line required.
void ClearBalanceLines(FilterSettings& filter);

// A card label's text: the name, in brackets when Static. Static and Mobile
// are shown bold.
std::string CardLabelText(ElementState state, std::string_view name);
inline bool CardLabelBold(ElementState state) { return state != ElementState::Any; }

// "Many" exactly selects many variants; any other text one.
void SetResultVariants(FilterSettings& filter, std::string_view text);

// The L(F) threshold is kept in eight bits.
inline constexpr std::int32_t kLeastLfThreshold = 0;
inline constexpr std::int32_t kMostLfThreshold = 255;

// Takes a typed L(F) threshold, a whole number in that range; anything else
// leaves the threshold as it was. The verdict says which.
TypedNumber::Verdict SetThresholdText(FilterSettings& filter, std::string_view text);

}  // namespace zlc
