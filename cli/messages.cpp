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
  std::string line = "zlc-search: ";
  line.append(text).push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stderr);
}

std::string Shown(std::string_view cp1251) {
  return messagesCp1251 ? std::string{cp1251} : Cp1251ToUtf8(cp1251);
}

}  // namespace zlc::cli
