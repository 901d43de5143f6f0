#include "cli/messages.h"

#include <cstdio>

#include "cards/cp1251.h"

namespace zlc::cli {
namespace {

bool messagesCp1251 = false;

}  // namespace

void SetMessagesCp1251(bool cp1251) { messagesCp1251 = cp1251; }

void Say(std::string_view text) {
  // One write per line, so that lines of copies run side by side stay whole.
  // A control character that came with the user's text (a path, a value, a
  // task file's junk) is shown, never let act on the terminal.
  std::string line = "zlc-search: ";
  line.append(messagesCp1251 ? EscapeControlsCp1251(text) : EscapeControlsUtf8(text)).push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stderr);
}

std::string FailureText(const IoError& error) { return error.Message() + ": " + ReasonWords(error.code); }

std::string Shown(std::string_view cp1251) {
  return messagesCp1251 ? std::string{cp1251} : Cp1251ToUtf8(cp1251);
}

}  // namespace zlc::cli
