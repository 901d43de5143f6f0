#include "cli/task_warnings.h"

#include <algorithm>

#include "cards/cp1251.h"
#include "cli/messages.h"

namespace zlc::cli {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Letters, digits and every non-ASCII character: what a user types meaning
// a card. Punctuation, marks and white space separate cards and go silently.
bool MeantAsCard(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x80 || IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Long parts (the rest of a long text) are quoted by their start.
std::string Quoted(const std::string& cp1251) {
  constexpr std::size_t kMost = 40;
  const bool cut = cp1251.size() > kMost;
  return "'" + Shown(cut ? cp1251.substr(0, kMost) : cp1251) + (cut ? "...'" : "'");
}

}  // namespace

std::optional<std::string> TaskWarning(const SkippedText& skipped, const NotationSet& notation) {
  using Why = SkippedText::Why;
  const std::string& text = skipped.text;
  const std::string quoted = Quoted(text);
  switch (skipped.why) {
    case Why::BeforeDot:
      // A result's number ("12.") is meant to go.
      if (std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == ' ' || c == '.'; })) {
        return std::nullopt;
      }
      return "ignored the task text up to its first '.': " + quoted;
    case Why::NotCardCharacter: {
      if (std::none_of(text.begin(), text.end(), MeantAsCard)) return std::nullopt;
      const bool unconvertible = text.find(kUnconvertible) != std::string::npos;
      return "dropped " + quoted + " from the task: no card letter, '*' or '?'" +
             (unconvertible ? " (Windows-1251 cannot hold it)" : "");
    }
    case Why::NoSuchToken:
      return "skipped " + quoted + " in the task: no token of the " + notation.notationName +
             " notation";
    case Why::AlreadyInTask:
      return "skipped " + quoted + " in the task: the card is in it already";
    case Why::NoCardLeft:
      return "skipped " + quoted + " in the task: its other tokens took every card it could be";
    case Why::RepeatedGap:
      return std::nullopt;  // two gaps in a row are one gap
    case Why::TaskFull:
      return "skipped " + quoted + " in the task: it takes no more tokens";
    case Why::Unpaired:
      return "skipped " + quoted + " at the end of the task: a token has two characters";
  }
  return std::nullopt;
}

}  // namespace zlc::cli
