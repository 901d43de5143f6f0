// What loading a text into the task left out, and why: the editor drops and
// skips silently, as the window must; a caller that wants to tell the user
// (the command line) reads this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zlc {

struct SkippedText {
  enum class Why {
    BeforeDot,         // the text up to its first "." (a result's number)
    NotCardCharacter,  // characters of neither alphabet, nor "*" or "?"
    NoSuchToken,       // a pair that is no token of the notation
    AlreadyInTask,     // a card the task names already
    NoCardLeft,        // a token whose cards the task's other tokens took
    RepeatedGap,       // a gap right after a gap: one stands for both
    TaskFull,          // what came after the task took its last token
    Unpaired,          // a last character without its partner
  };
  Why why;
  // Windows-1251, as it stood in the text (spaces aside); of a long part
  // only its start.
  std::string text;
};

// A text of megabytes may hold millions of such parts: the first few are
// kept, the rest only counted.
struct SkippedTexts {
  static constexpr std::size_t kMostParts = 1000;
  static constexpr std::size_t kMostBytes = 256;  // of one part's text
  std::vector<SkippedText> parts;  // in the order of the text
  std::uint64_t more = 0;          // parts past kMostParts

  bool Full() const { return parts.size() >= kMostParts; }
  void Add(SkippedText::Why why, std::string_view text) {
    if (Full()) {
      ++more;
    } else {
      parts.push_back({why, std::string{text.substr(0, kMostBytes)}});
    }
  }
};

}  // namespace zlc
