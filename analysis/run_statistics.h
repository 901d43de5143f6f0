// What a search has found so far, as counts: fed by every batch and every
// result, cheaply (a few dozen increments, nothing allocated), and read by
// the statistics window and the tool's summary.
#pragma once

#include <array>
#include <cstdint>

#include "analysis/result_record.h"

namespace zlc {

// A proportion's 95 % Wilson score interval; [0, 1] when nothing was tried.
struct Interval {
  double low = 0;
  double high = 1;
};
Interval WilsonInterval(std::uint64_t successes, std::uint64_t trials);

class RunStatistics {
 public:
  // Tries between two results (those of the batches without one included),
  // by powers of two: bin k holds 2^k to 2^(k+1) - 1 tries.
  static constexpr int kTriesBins = 40;
  static constexpr int kPBins = 20;  // P as printed, in bins of 0.05; 1.00 goes in the last

  void AddTries(std::uint64_t tries) {
    tries_ += tries;
    triesSinceResult_ += tries;
  }
  void AddResult(const ResultRecord& record, const ResultFigures& figures);
  void Reset() { *this = RunStatistics(); }

  std::uint64_t Tries() const { return tries_; }
  std::uint64_t Results() const { return results_; }
  std::uint64_t Filtered() const { return filtered_; }

  const std::array<std::uint64_t, kTriesBins>& TriesPerResult() const { return triesPerResult_; }
  // [suit][King Wen number 1..64]; entry 0 stays 0.
  const std::array<std::array<std::uint64_t, 65>, kSuitCount>& Hexagrams() const { return hexagrams_; }
  // [suit][line 0..5]: results with the line yang (yin: the rest).
  const std::array<std::array<std::uint64_t, 6>, kSuitCount>& YangLines() const { return yangLines_; }
  // [L(F) 0..36]
  const std::array<std::uint64_t, kDeckSize + 1>& TransitCounts() const { return transitCounts_; }
  // [line 0..5][suits with it yang, 0..4]
  const std::array<std::array<std::uint64_t, 5>, 6>& Balance() const { return balance_; }
  // [suit][bin]
  const std::array<std::array<std::uint64_t, kPBins>, kSuitCount>& PValues() const { return pValues_; }
  // [segment length 1..36]: how often each length came up in the F lists.
  const std::array<std::uint64_t, kDeckSize + 1>& SegmentLengths() const { return segmentLengths_; }

  static int TriesBin(std::uint64_t tries);
  static int PBin(double p);

 private:
  std::uint64_t tries_ = 0;
  std::uint64_t results_ = 0;
  std::uint64_t filtered_ = 0;
  std::uint64_t triesSinceResult_ = 0;
  std::array<std::uint64_t, kTriesBins> triesPerResult_{};
  std::array<std::array<std::uint64_t, 65>, kSuitCount> hexagrams_{};
  std::array<std::array<std::uint64_t, 6>, kSuitCount> yangLines_{};
  std::array<std::uint64_t, kDeckSize + 1> transitCounts_{};
  std::array<std::array<std::uint64_t, 5>, 6> balance_{};
  std::array<std::array<std::uint64_t, kPBins>, kSuitCount> pValues_{};
  std::array<std::uint64_t, kDeckSize + 1> segmentLengths_{};
};

}  // namespace zlc
