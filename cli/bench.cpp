#include "cli/bench.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>

#include "cli/stop_signals.h"
#include "engine/fast_tries.h"

namespace zlc::cli {
namespace {

using Clock = std::chrono::steady_clock;

struct Rate {
  double triesPerSecond = 0;
  std::uint64_t tries = 0;
};

[[gnu::format(printf, 2, 3)]] void AppendFormatted(std::string& out, const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  out += line;
}

// Batches of up to 1000 tries from the starting deck, as the search makes
// them, without turning results into lines.
template <typename Tries>
Rate Measure(Calculator& calc, double seconds, Tries&& tries) {
  const std::string deck = StripSpaces(calc.notation.baseDeck);
  Random random(1);
  Rate rate;
  const auto start = Clock::now();
  double elapsed = 0;
  while (elapsed < seconds && !StopRequested()) {
    for (int batch = 0; batch < 16; ++batch) {
      BindLayout(calc.layout, deck.data(), deck.size());
      rate.tries += static_cast<std::uint64_t>(tries(random));
    }
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  }
  rate.triesPerSecond = static_cast<double>(rate.tries) / elapsed;
  return rate;
}

}  // namespace

std::optional<std::string> RunBench(Calculator& calc, double secondsEach) {
  const std::int32_t depth = calc.settings.shuffleDepth;
  const Rate plain = Measure(calc, secondsEach, [&](Random& random) {
    int tries = 0;
    while (tries < kMaxTries) {
      ++tries;
      ShuffleLayout(calc.layout, depth, random);
      PlaceTaskItems(calc.layout, calc.plan.items.data(), calc.plan.itemCount, random);
      TestConvergence(calc.layout.chain, calc.workChain);
      if (calc.workChain.lastIndex == 1) break;
    }
    return tries;
  });
  auto fast = [&](bool wide, bool helper) {
    FastTries engine(wide, helper ? SearchThreads() - 1 : 0, HelperUse::Always);
    return Measure(calc, secondsEach, [&](Random& random) {
      return engine.Run(calc.layout, calc.workChain, calc.plan, calc.notation, depth, random, kMaxTries)
          ->tries;
    });
  };
  const Rate portable = fast(false, false);
  const Rate wide = fast(true, false);
  const bool spareCore = SearchThreads() > 1;
  const Rate both = spareCore ? fast(true, true) : Rate{};
  const bool hasWide = SelectBlockBuilder(true) != &BuildTryBlockPortable;
  if (StopRequested()) return std::nullopt;

  std::string out;
  AppendFormatted(out, "task \"%s\", shuffle depth %d\n", calc.editor.Text().c_str(), depth);
  AppendFormatted(out, "%-28s %14s %10s\n", "", "tries/s", "vs plain");
  auto row = [&](const char* name, const Rate& r) {
    AppendFormatted(out, "%-28s %14.0f %9.2fx\n", name, r.triesPerSecond, r.triesPerSecond / plain.triesPerSecond);
  };
  row("plain tries", plain);
  row("engine, portable lanes", portable);
  if (hasWide) {
    row("engine, AVX-512", wide);
  } else {
    AppendFormatted(out, "%-28s %14s\n", "engine, AVX-512", "(not on this processor)");
  }
  if (spareCore) {
    row("engine, both cores", both);
    AppendFormatted(out, "both cores vs one core: %.2fx\n",
                    both.triesPerSecond / (hasWide ? wide : portable).triesPerSecond);
  }
  return out;
}

}  // namespace zlc::cli
