#include "cli/replay.h"

#include "cards/card_row.h"
#include "cards/cp1251.h"
#include "cli/command_text.h"
#include "cli/exit_status.h"
#include "cli/messages.h"
#include "engine/collapse_replay.h"

namespace zlc::cli {
namespace {

// Why the text is no row of cards, `part` quoting the text at fault.
std::string FaultReason(const CardRowFault& fault, const std::string& part) {
  using Why = CardRowFault::Why;
  switch (fault.why) {
    case Why::NoCard: return "it names no card";
    case Why::NumberExpected: return part + " before the cards is no result's number";
    case Why::NotCardCharacter:
      return part + " is no card letter" +
             (fault.text.find(kUnconvertible) != std::string::npos ? " (Windows-1251 cannot hold it)" : "");
    case Why::NoSuchCard: return part + " is no card of either notation";
    case Why::Unpaired: return part + " at the end is half a card";
    case Why::RepeatedCard: return part + " is there twice";
  }
  return {};
}

std::string FaultMessage(const CardRowFault& fault) {
  return "--replay is no row of distinct cards: " + FaultReason(fault, "'" + Shown(fault.text) + "'");
}

std::string Code(const ChainEntry& card) { return {card.rankLetter, card.suitLetter}; }

// Positions are told from 1, the first card of the row, as in the records.
std::string Placed(const ChainEntry& card) {
  return Code(card) + " (" + std::to_string(card.position + 1) + ")";
}

// "1. Kc (3) leaves: its suit matches 9c (5) across Ah (4)"
void WriteStepText(const Output& out, int number, const CollapseStep& step) {
  out.Line(std::to_string(number) + ". " + Placed(step.leaving) + " leaves: its " +
           (step.kind == MatchKind::Suit ? "suit" : "rank") + " matches " + Placed(step.matched) +
           " across " + Placed(step.jumped));
}

void WriteRemainderText(const Output& out, const Chain& row) {
  std::string line = "Remaining:";
  for (std::int32_t i = 0; i <= row.lastIndex; ++i) line += " " + Code(row.cards[i]);
  out.Line(line);
}

// JSON lines are UTF-8, as the search's records; card letters need no
// escaping.
std::string JsonCard(const ChainEntry& card) { return "\"" + Cp1251ToUtf8(Code(card)) + "\""; }

std::string JsonCards(const Chain& row) {
  std::string list = "[";
  for (std::int32_t i = 0; i <= row.lastIndex; ++i) list += (i > 0 ? "," : "") + JsonCard(row.cards[i]);
  return list + "]";
}

std::string JsonPositions(const Chain& row) {
  std::string list = "[";
  for (std::int32_t i = 0; i <= row.lastIndex; ++i) {
    list += (i > 0 ? "," : "") + std::to_string(row.cards[i].position + 1);
  }
  return list + "]";
}

void WriteStepJson(const Output& out, int number, const CollapseStep& step, const Chain& rowAfter) {
  out.writer.Write("{\"step\":" + std::to_string(number) + ",\"card\":" + JsonCard(step.leaving) +
                   ",\"position\":" + std::to_string(step.leaving.position + 1) +
                   ",\"matched\":" + JsonCard(step.matched) + ",\"matched_position\":" +
                   std::to_string(step.matched.position + 1) + ",\"across\":" + JsonCard(step.jumped) +
                   ",\"across_position\":" + std::to_string(step.jumped.position + 1) + ",\"by\":\"" +
                   (step.kind == MatchKind::Suit ? "suit" : "rank") + "\",\"row\":" + JsonCards(rowAfter) +
                   "}\n");
}

void WriteRemainderJson(const Output& out, const Chain& row, bool converged) {
  out.writer.Write("{\"remaining\":" + JsonCards(row) + ",\"positions\":" + JsonPositions(row) +
                   ",\"converged\":" + (converged ? "true" : "false") + "}\n");
}

}  // namespace

int Replay(const Options& options, const NotationSet& notation, const Output& out) {
  const std::optional<std::string> typed = CoreTextOf(*options.replay, "--replay", options.terminalCp1251);
  if (!typed) return kExitUsage;
  CardRowFault fault;
  const std::optional<std::string> cards = ReadCardRow(*typed, notation, fault);
  if (!cards) {
    Say(FaultMessage(fault));
    return kExitUsage;
  }
  Chain dealt{};
  BindChain(dealt, cards->data(), cards->size());
  CollapseReplay replay;
  ReplayCollapses(dealt, replay);

  const bool json = options.format == OutputFormat::JsonLines;
  Chain row{};
  for (std::int32_t k = 0; k < replay.stepCount; ++k) {
    if (json) {
      RowAfter(replay, k + 1, row);
      WriteStepJson(out, k + 1, replay.steps[k], row);
    } else {
      WriteStepText(out, k + 1, replay.steps[k]);
    }
  }
  RowAfter(replay, replay.stepCount, row);
  if (json) {
    WriteRemainderJson(out, row, replay.Converged());
  } else {
    WriteRemainderText(out, row);
  }
  return Finish(out.writer);
}

}  // namespace zlc::cli
