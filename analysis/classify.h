// Which cards of a converged layout moved, and where its transits are; and
// the first line of a result, the cards with their marks.
#pragma once

#include <cstdint>
#include <string>

#include "engine/chain.h"
#include "engine/layout.h"
#include "engine/settings.h"

namespace zlc {

// Replays the collapse of `layout` on `work`, leftmost triple first, and
// records per layout position how often the card was the middle card of a
// collapse (`mobility`) and whether it is a transit. The last card is then
// marked mobile. Allocates nothing.
void ClassifyElements(Layout& layout, Chain& work);

// Result line 1: RN, ". " and the cards with the marks the settings ask for.
// `out` is cleared first; once it has capacity nothing is allocated.
void AppendLayoutLine(std::string& out, const Layout& layout, std::int64_t rn,
                      const Settings& settings);

}  // namespace zlc
