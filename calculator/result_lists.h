// The two lists of results the window shows, "All" and "Filtered", with the
// text of their lines, held within a memory budget: a search left running
// all night must not take the machine's memory (the logs keep every result).
#pragma once

#include <cstddef>
#include <cstdint>

#include "calculator/result_list.h"

namespace zlc {

class ResultLists {
 public:
  const ResultList& All() const { return all_.list; }
  const ResultList& Filtered() const { return filtered_.list; }
  // By the number the window gives them: 1 "All", 2 "Filtered".
  const ResultList& Of(int source) const { return source == 2 ? Filtered() : All(); }
  // The text of a list's lines, and what a list takes with its text.
  const LineStore& AllText() const { return all_.text; }
  const LineStore& FilteredText() const { return filtered_.text; }
  std::size_t AllBytes() const { return all_.Bytes(); }
  std::size_t FilteredBytes() const { return filtered_.Bytes(); }

  // A result's block on top of "All", and on top of "Filtered" when it
  // passed the filter; the oldest blocks forgotten past a list's share.
  void Add(const ResultBlock& block, const ResultRecord& record, bool passed);
  void Clear();

  // Unkept, nothing is added (the tool shows no lists).
  void SetKept(bool kept) { kept_ = kept; }
  // The memory both lists may take together; past its half a list forgets
  // its oldest blocks.
  void SetBudget(std::size_t bytes) { budget_ = bytes; }
  std::size_t Budget() const { return budget_; }
  std::uint64_t DroppedLines() const { return droppedLines_; }  // since the start
  // The smaller of 2 GB and a quarter of the machine's memory.
  static std::size_t DefaultBudget();

 private:
  struct Held {
    ResultList list;
    LineStore text;
    // Lines forgotten beyond the oldest chunk's, to finish a block.
    std::uint64_t droppedAhead = 0;
    std::size_t Bytes() const { return text.Bytes() + list.Bytes(); }
  };
  void Put(Held& held, const ResultBlock& block, const ResultRecord& record);

  Held all_;
  Held filtered_;
  bool kept_ = true;
  std::size_t budget_ = DefaultBudget();
  std::uint64_t droppedLines_ = 0;
};

}  // namespace zlc
