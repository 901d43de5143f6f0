// Which cards of a converged layout moved, and where its transits are.
#pragma once

#include <cstdint>

#include "engine/chain.h"
#include "engine/layout.h"

namespace zlc {

// Replays the collapse of `layout` on `work`, leftmost triple first, and
// records per layout position how often the card was the middle card of a
// collapse (`mobility`) and whether it is a transit. The last card is then
// marked mobile. Allocates nothing.
void ClassifyElements(Layout& layout, Chain& work);

}  // namespace zlc
