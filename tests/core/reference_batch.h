// A second search, written for clarity and nothing else: cards are strings,
// the task's variants are listed in memory, the collapse rescans the row from
// the left after every removal, and the generator is spelled out here again.
// Driven from the same seed it must take every decision the engine takes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace reference {

class Generator {
 public:
  std::uint32_t seed = 0;

  // A value in 0..n-1 (0 when n is 0); every call advances the seed.
  std::uint32_t Draw(std::uint32_t n) {
    seed = seed * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * n) >> 32);
  }
};

struct Token {
  std::string text;  // two characters
  int run = 0;       // gaps before it
  int offset = 0;    // place within its run
  int target = 0;
};

// The cards of a spaced card text ("Ad 7s ..."), two characters each.
inline std::vector<std::string> CardsOf(const std::string& spaced) {
  std::vector<std::string> cards;
  std::string compact;
  for (char c : spaced)
    if (c != ' ') compact += c;
  for (std::size_t i = 0; i + 1 < compact.size(); i += 2) cards.push_back(compact.substr(i, 2));
  return cards;
}

class Batch {
 public:
  enum class Outcome { NoResult, Result };

  explicit Batch(std::string baseDeck) : baseDeck_(std::move(baseDeck)) {}

  // A new task text; its variants are listed at the next batch.
  void SetTask(const std::string& taskText) {
    tokens_.clear();
    runLengths_.assign(1, 0);
    int offset = 0;
    for (const std::string& token : CardsOf(taskText)) {
      if (token == "**") {
        runLengths_.push_back(0);
        offset = 0;
        continue;
      }
      tokens_.push_back(Token{token, static_cast<int>(runLengths_.size()) - 1, offset, 0});
      ++offset;
      ++runLengths_.back();
    }
    ready_ = false;
  }

  Outcome RunBatch() {
    if (!ready_) {
      ListVariants();
      PickVariant();
      ready_ = true;
    }
    if (manyVariants) PickVariant();
    layout = CardsOf(baseDeck_);
    for (int attempt = 1; attempt <= 1000; ++attempt) {
      ++cn;
      ++totalTries;
      Shuffle();
      Place();
      if (Converges()) {
        ++rn;
        lastLine = std::to_string(rn) + ". ";
        for (const std::string& card : layout) lastLine += card + " ";
        if (clearAtRn && rn > clearThreshold) rn = cn = 0;
        return Outcome::Result;
      }
    }
    return Outcome::NoResult;
  }

  const std::vector<Token>& Tokens() const { return tokens_; }
  std::size_t VariantCount() const { return variants_.size(); }

  Generator random;
  int shuffleDepth = 1000;
  bool manyVariants = false;
  bool clearAtRn = true;
  int clearThreshold = 5000;
  int rn = 0;
  int cn = 0;
  std::vector<std::string> layout;
  std::string lastLine;
  long totalTries = 0;            // never cleared
  long wildcardsWithoutCard = 0;  // draws that found no free card

 private:
  // Every way to share the free positions among the gaps, first gap most
  // significant; a variant is the start of every run.
  void ListVariants() {
    variants_.clear();
    const int gaps = static_cast<int>(runLengths_.size()) - 1;
    int used = 0;
    for (int length : runLengths_) used += length;
    const int free = 36 - used;
    std::vector<int> shares(gaps + 1, 0);
    auto add = [&] {
      std::vector<int> starts;
      int position = 0;
      for (int r = 0; r <= gaps; ++r) {
        if (r > 0) position += shares[r];
        starts.push_back(position);
        position += runLengths_[r];
      }
      // Without a gap the single run ends at the last position.
      if (gaps == 0) starts[0] = 36 - runLengths_[0];
      variants_.push_back(starts);
    };
    if (gaps == 0) {
      add();
      return;
    }
    // Shares of gaps 1..gaps-1 counted up like the digits of a number; the
    // last gap takes what is left.
    for (;;) {
      int sum = 0;
      for (int k = 1; k < gaps; ++k) sum += shares[k];
      shares[gaps] = free - sum;
      add();
      int k = gaps - 1;
      while (k >= 1) {
        ++shares[k];
        int total = 0;
        for (int i = 1; i < gaps; ++i) total += shares[i];
        if (total <= free) break;
        shares[k] = 0;
        --k;
      }
      if (k < 1) break;
    }
  }

  void PickVariant() {
    const std::uint32_t n = random.Draw(static_cast<std::uint32_t>(variants_.size())) + 1;
    const std::vector<int>& starts = variants_[n - 1];
    for (Token& token : tokens_) token.target = starts[token.run] + token.offset;
  }

  void Shuffle() {
    for (int i = 0; i < shuffleDepth; ++i) {
      const std::uint32_t p = random.Draw(static_cast<std::uint32_t>(layout.size()));
      const std::uint32_t q = random.Draw(static_cast<std::uint32_t>(layout.size()));
      std::swap(layout[p], layout[q]);
    }
  }

  void Place() {
    std::vector<bool> placed(36, false);
    for (const Token& token : tokens_) {
      if (token.text[0] == '?' || token.text[1] == '?') continue;
      for (int k = 0; k < 36; ++k) {
        if (layout[k] != token.text) continue;
        if (!placed[k]) {
          std::swap(layout[k], layout[token.target]);
          placed[token.target] = true;
        }
        break;
      }
    }
    for (const Token& token : tokens_) {
      const bool rank = token.text[0] != '?' && token.text[1] == '?';
      const bool suit = token.text[0] == '?' && token.text[1] != '?';
      if (!rank && !suit) continue;
      std::vector<int> candidates;
      for (int k = 0; k < 36; ++k) {
        if (placed[k]) continue;
        if ((rank && layout[k][0] == token.text[0]) || (suit && layout[k][1] == token.text[1])) {
          candidates.push_back(k);
        }
      }
      const std::uint32_t c = random.Draw(static_cast<std::uint32_t>(candidates.size()));
      if (candidates.empty()) {
        ++wildcardsWithoutCard;
        continue;
      }
      std::swap(layout[candidates[c]], layout[token.target]);
      placed[token.target] = true;
    }
  }

  bool Converges() const {
    std::vector<std::string> row = layout;
    bool collapsed = true;
    while (row.size() >= 3 && collapsed) {
      collapsed = false;
      for (std::size_t a = 0; a + 2 < row.size(); ++a) {
        if (row[a][1] == row[a + 2][1] || row[a][0] == row[a + 2][0]) {
          row.erase(row.begin() + static_cast<std::ptrdiff_t>(a));
          collapsed = true;
          break;
        }
      }
    }
    return row.size() == 2;
  }

  std::string baseDeck_;
  std::vector<Token> tokens_;
  std::vector<int> runLengths_;
  std::vector<std::vector<int>> variants_;
  bool ready_ = false;
};

}  // namespace reference
