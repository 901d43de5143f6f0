// The yardstick for zlc-search end to end: the same tries made the plain way,
// one at a time on one thread, with nothing reported.
//   zlc_plain_search DEPTH TRIES SEED
// makes the tries of `zlc-search --task "**" --set sd_t=DEPTH --tries TRIES
// --seed SEED` (batches of up to 1000 from the starting deck, after the one
// draw of the task's variant) and prints their count and the results.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cards/notation.h"
#include "cards/task_editor.h"
#include "engine/chain.h"
#include "engine/layout.h"
#include "engine/plain_try.h"
#include "engine/random.h"
#include "engine/variants.h"

int main(int argc, char* argv[]) {
  using namespace zlc;
  if (argc != 4) {
    std::fprintf(stderr, "usage: zlc_plain_search DEPTH TRIES SEED\n");
    return 2;
  }
  const auto depth = static_cast<std::int32_t>(std::atol(argv[1]));
  const long long wanted = std::atoll(argv[2]);
  Random random(static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)));
  TaskPlan plan;
  SplitTask("**", plan);
  DrawVariant(CountVariants(plan), random);
  const std::string deck = StripSpaces(kRuBaseDeck);
  Layout layout;
  Chain work;
  long long tries = 0, results = 0;
  while (tries < wanted) {
    BindLayout(layout, deck.data(), deck.size());
    for (int attempt = 0; attempt < 1000; ++attempt) {
      ++tries;
      if (PlainTry(layout, plan, depth, random, work)) {
        ++results;
        break;
      }
    }
  }
  std::printf("tries %lld results %lld\n", tries, results);
  return 0;
}
