#include "engine/fast_tries.h"

#include "engine/group_converge.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstring>

namespace zlc {

struct Placement {
  std::uint8_t card;     // card codes: the card; wildcards: rank or suit index
  bool bySuit;           // wildcards: suit rather than rank
  std::int32_t target;
};

struct TaskCards {
  Placement codes[kMaxTaskItems];
  int codeCount = 0;
  Placement wildcards[kMaxTaskItems];
  int wildcardCount = 0;
};

namespace {

constexpr std::uint8_t kNoCard = 0xFF;

struct LetterIndex {
  std::array<std::uint8_t, 256> rank;
  std::array<std::uint8_t, 256> suit;
  explicit LetterIndex(const NotationSet& n) {
    rank.fill(kNoCard);
    suit.fill(kNoCard);
    for (int r = kRankCount - 1; r >= 0; --r) rank[static_cast<std::uint8_t>(n.rankLetters[r])] = static_cast<std::uint8_t>(r);
    for (int s = kSuitCount - 1; s >= 0; --s) suit[static_cast<std::uint8_t>(n.suitLetters[s])] = static_cast<std::uint8_t>(s);
  }
  std::uint8_t Card(char r, char s) const {
    const std::uint8_t ri = rank[static_cast<std::uint8_t>(r)];
    const std::uint8_t si = suit[static_cast<std::uint8_t>(s)];
    return ri == kNoCard || si == kNoCard ? kNoCard : static_cast<std::uint8_t>(4 * ri + si);
  }
};

TaskCards SortTask(const TaskPlan& plan, const LetterIndex& letters) {
  TaskCards t;
  for (std::int32_t i = 0; i < plan.itemCount; ++i) {
    const TaskItem& item = plan.items[i];
    const char r = item.text[0];
    const char s = item.text[1];
    if (r != '?' && s != '?') {
      t.codes[t.codeCount++] = {letters.Card(r, s), false, item.target};
    } else if (r != '?') {
      t.wildcards[t.wildcardCount++] = {letters.rank[static_cast<std::uint8_t>(r)], false, item.target};
    } else if (s != '?') {
      t.wildcards[t.wildcardCount++] = {letters.suit[static_cast<std::uint8_t>(s)], true, item.target};
    }
  }
  return t;
}

void Place(std::uint8_t* cards, const TaskCards& task, const std::uint32_t* wildSeeds) {
  std::uint64_t placed = 0;
  for (int i = 0; i < task.codeCount; ++i) {
    const Placement& p = task.codes[i];
    const void* found = std::memchr(cards, p.card, kDeckSize);
    if (!found) continue;
    const auto k = static_cast<int>(static_cast<const std::uint8_t*>(found) - cards);
    if ((placed >> k) & 1) continue;
    std::swap(cards[k], cards[p.target]);
    placed |= std::uint64_t{1} << p.target;
  }
  for (int i = 0; i < task.wildcardCount; ++i) {
    const Placement& p = task.wildcards[i];
    std::uint64_t free = 0;
    for (int k = 0; k < kDeckSize; ++k) {
      const std::uint8_t part = p.bySuit ? (cards[k] & 3) : (cards[k] >> 2);
      free |= std::uint64_t{part == p.card} << k;
    }
    free &= ~placed;
    const auto n = static_cast<std::uint32_t>(std::popcount(free));
    // The draw is made even when no card is free, as every try makes it.
    auto c = static_cast<std::uint32_t>((std::uint64_t{wildSeeds[i]} * n) >> 32);
    if (n == 0) continue;
    while (c-- > 0) free &= free - 1;  // the c-th free position, counting up
    const int k = std::countr_zero(free);
    std::swap(cards[k], cards[p.target]);
    placed |= std::uint64_t{1} << p.target;
  }
}

}  // namespace

FastTries::FastTries(bool allowWide, int helpers, HelperUse use)
    : test_(SelectGroupTest(allowWide)),
      permute_(SelectPermuteLayout(allowWide)),
      source_(SelectBlockBuilder(allowWide), use == HelperUse::Testing ? 0 : helpers),
      use_(use),
      block_(std::make_unique<TryBlock>()) {
  // Testing helpers hand-over runs of layouts, which costs more than it
  // brings wherever it was measured (see --bench): made only when asked for.
  if (helpers > 0 && use == HelperUse::Testing) {
    crew_ = std::make_unique<TestCrew>(test_, helpers);
    lookahead_ = std::min(TestCrew::kSlots, helpers + 1);
  }
}

void FastTries::NextBlock() {
  source_.Next(block_);
  ++blockSerial_;
  nextTry_ = 0;
}

std::uint32_t FastTries::SeedAfter(int lane) const {
  return lane + 1 < kBlockTries ? block_->start[lane + 1] : block_->end;
}

void FastTries::WalkTry(const std::uint8_t* previous, std::uint8_t* out, const TaskCards& task) {
  permute_(previous, block_->Perm(nextTry_), out);
  Place(out, task, block_->wild[nextTry_]);
}

TriesOutcome FastTries::SerialTries(std::uint8_t* cards, const TaskCards& task, Random& random,
                                     int maxTries) {
  // Tries in groups: each layout follows from the one before whether or not
  // that one converged, so a group's layouts are made in turn and tested
  // together; the batch ends at the first member that converges.
  TriesOutcome outcome;
  alignas(64) std::uint8_t group[kGroupTries][64] = {};
  std::uint32_t seedAfter[kGroupTries];
  int laneOf[kGroupTries];
  while (outcome.tries < maxTries) {
    if (nextTry_ == kBlockTries) NextBlock();
    // A group stays within one block, so the try after a result is always
    // still at hand for the next batch.
    const int members = std::min({kGroupTries, maxTries - outcome.tries, kBlockTries - nextTry_});
    const std::uint8_t* previous = cards;
    for (int g = 0; g < members; ++g) {
      WalkTry(previous, group[g], task);
      seedAfter[g] = SeedAfter(nextTry_);
      laneOf[g] = nextTry_;
      ++nextTry_;
      previous = group[g];
    }
    const unsigned converged = test_(group, members);
    const int last = converged ? std::countr_zero(converged) : members - 1;
    std::memcpy(cards, group[last], kDeckSize);
    random.SetSeed(seedAfter[last]);
    outcome.tries += last + 1;
    if (converged) {
      outcome.converged = true;
      nextTry_ = laneOf[last] + 1;
      break;
    }
  }
  return outcome;
}

// The same tries, tested by the crew: the caller walks runs ahead, tests
// what nobody took while it waits, and reads the verdicts in order.
TriesOutcome FastTries::CrewTries(std::uint8_t* cards, const TaskCards& task, Random& random,
                                   int maxTries) {
  TestCrew& crew = *crew_;
  crew.Begin();
  TriesOutcome outcome;
  int walked = 0;  // runs walked and handed over
  int head = 0;    // the first run whose verdict was not read
  int triesWalked = 0;
  const std::uint8_t* previous = cards;
  for (;;) {
    while (walked - head < lookahead_ && triesWalked < maxTries && walked <= crew.FirstHit()) {
      if (nextTry_ == kBlockTries) NextBlock();
      TestCrew::Run& g = crew.Slot(walked);
      const int members = std::min({TestCrew::kRunTries, maxTries - triesWalked, kBlockTries - nextTry_});
      for (int m = 0; m < members; ++m) {
        WalkTry(previous, g.layouts[m], task);
        g.seedAfter[m] = SeedAfter(nextTry_);
        g.lane[m] = nextTry_;
        ++nextTry_;
        previous = g.layouts[m];
      }
      g.members = members;
      g.triesBefore = triesWalked;
      g.block = blockSerial_;
      triesWalked += members;
      crew.Publish(walked++);
    }
    unsigned mask = 0;
    if (crew.Verdict(head, mask)) {
      const TestCrew::Run& g = crew.Slot(head);
      ++head;
      if (mask == 0 && (head < walked || triesWalked < maxTries)) continue;
      const int last = mask ? std::countr_zero(mask) : g.members - 1;
      std::memcpy(cards, g.layouts[last], kDeckSize);
      random.SetSeed(g.seedAfter[last]);
      outcome.tries = g.triesBefore + last + 1;
      outcome.converged = mask != 0;
      if (outcome.converged) {
        nextTry_ = g.lane[last] + 1;
        // Walked into later blocks: the try after the result is not at hand,
        // and the next batch starts its blocks afresh from the generator.
        if (g.block != blockSerial_) blockValid_ = false;
      }
      break;
    }
    crew.Help(head);
  }
  crew.Idle();
  return outcome;
}

std::optional<TriesOutcome> FastTries::Run(Layout& layout, const TaskPlan& plan,
                                           const NotationSet& notation, std::int32_t depth,
                                           Random& random, int maxTries,
                                           int drawsBeforeNext) {
  if (use_ != HelperUse::Measured || source_.Helpers() == 0) {
    return MakeTries(layout, plan, notation, depth, random, maxTries, drawsBeforeNext);
  }
  using Clock = std::chrono::steady_clock;
  const auto began = Clock::now();
  auto outcome = MakeTries(layout, plan, notation, depth, random, maxTries, drawsBeforeNext);
  if (outcome) {
    choice_.Record(std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - began).count(),
                   outcome->tries);
    if (choice_.On() != source_.HelpersOn()) source_.SetHelpersOn(choice_.On());
  }
  return outcome;
}

std::optional<TriesOutcome> FastTries::MakeTries(Layout& layout, const TaskPlan& plan,
                                                 const NotationSet& notation,
                                                 std::int32_t depth, Random& random,
                                                 int maxTries, int drawsBeforeNext) {
  if (layout.chain.lastIndex != kDeckSize - 1 || maxTries <= 0) return std::nullopt;
  const LetterIndex letters(notation);
  alignas(64) std::uint8_t cards[64] = {};
  std::uint64_t seen = 0;
  for (int k = 0; k < kDeckSize; ++k) {
    const ChainEntry& e = layout.chain.cards[k];
    cards[k] = letters.Card(e.rankLetter, e.suitLetter);
    if (cards[k] == kNoCard) return std::nullopt;
    seen |= std::uint64_t{1} << cards[k];
  }
  if (seen != (std::uint64_t{1} << kDeckSize) - 1) return std::nullopt;
  const TaskCards task = SortTask(plan, letters);

  const TryShape shape = MakeTryShape(depth, kDeckSize, task.wildcardCount);
  const bool sameShape = blockValid_ && shape.depth == shape_.depth &&
                         shape.wildcards == shape_.wildcards;
  if (sameShape && predicted_ && predictedSeed_ == random.Seed()) {
    NextBlock();  // started when the last batch ended
  } else if (sameShape && !predicted_ && nextTry_ < kBlockTries &&
             block_->start[nextTry_] == random.Seed()) {
    // Going on inside the current block.
  } else if (sameShape && !predicted_ && nextTry_ == kBlockTries && block_->end == random.Seed()) {
    NextBlock();  // the sequence goes on
  } else {
    // Other work costs otherwise: whether the helpers pay is measured anew.
    if (shape.depth != shape_.depth || shape.wildcards != shape_.wildcards) choice_.Reset();
    shape_ = shape;
    predicted_ = false;
    source_.Restart(shape_, random.Seed());
    NextBlock();
    blockValid_ = true;
  }

  predicted_ = false;
  const TriesOutcome outcome = crew_ ? CrewTries(cards, task, random, maxTries)
                                                : SerialTries(cards, task, random, maxTries);
  if (outcome.converged && drawsBeforeNext > 0) {
    // The next batch begins after a few more draws: start its blocks now,
    // while the result is being written out.
    predictedSeed_ = LcgJump::Steps(static_cast<std::uint64_t>(drawsBeforeNext)).Apply(random.Seed());
    source_.Restart(shape_, predictedSeed_);
    predicted_ = true;
  }

  for (int k = 0; k < kDeckSize; ++k) {
    ChainEntry& e = layout.chain.cards[k];
    e.rankLetter = notation.rankLetters[cards[k] >> 2];
    e.suitLetter = notation.suitLetters[cards[k] & 3];
  }
  layout.mobility.fill(0);
  layout.isTransit.fill(0);
  return outcome;
}

}  // namespace zlc
