// A result read back from a file of result blocks (a saved result, a saved
// list, a log): the first block's line 1 gives the cards, which are
// classified again to give the marks, the segments and the hexagrams.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/result_record.h"
#include "calculator/result_list.h"
#include "cards/card_row.h"
#include "cards/notation.h"
#include "persist/io_error.h"

namespace zlc {

enum class ResultFileFault {
  None,
  NoResultLine,  // no line starts with a result's number
  NotCards,      // line 1 is no row of cards (the CardRowFault says why)
  NotFullDeck,   // a row of other than 36 cards
  NoCollapse,    // the cards do not collapse to two: no result
};

struct ResultFileReading {
  ResultFileFault fault = ResultFileFault::None;
  CardRowFault cards;
  int cardCount = 0;
  ResultBlock block;
  ResultRecord record;  // its number stays 0: it is no result of this run
};

// The first block of `lines`. The cards are taken in either notation and
// recorded in `notation`; lines 2 and 3 are the file's when they follow
// line 1, else worked out afresh.
ResultFileReading ReadResultBlock(const std::vector<std::string>& lines, const NotationSet& notation);

// The same from a file; the error of reading it, if any.
IoResult ReadResultFile(const std::string& path, const NotationSet& notation, ResultFileReading& reading);

}  // namespace zlc
