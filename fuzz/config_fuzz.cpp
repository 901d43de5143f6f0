// The settings file under any content: every line applied as the reader
// applies it, then every setting must still hold a value the program can
// write and read back unchanged.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "cards/cp1251.h"
#include "cards/notation.h"
#include "engine/settings.h"
#include "filter/filter_settings.h"
#include "persist/config_file.h"

namespace {

using zlc::ConfigTarget;
using zlc::FilterSettings;
using zlc::NotationSet;
using zlc::Settings;

void Require(bool ok, const char* rule) {
  if (ok) return;
  std::fprintf(stderr, "settings rule broken: %s\n", rule);
  std::abort();
}

struct State {
  NotationSet notation;
  Settings settings;
  FilterSettings filter;
  ConfigTarget Target() { return ConfigTarget{notation, settings, filter}; }
  std::string Text() const { return zlc::ConfigText(notation, settings, filter); }
};

void CheckRanges(const State& s) {
  const bool ru = s.notation.rankLetters == zlc::kRuRanks &&
                  s.notation.suitLetters == zlc::kRuSuits &&
                  s.notation.baseDeck == zlc::kRuBaseDeck && s.notation.notationName == "Ru";
  const bool en = s.notation.rankLetters == zlc::kEnRanks &&
                  s.notation.suitLetters == zlc::kEnSuits &&
                  s.notation.baseDeck == zlc::kEnBaseDeck && s.notation.notationName == "En";
  Require(ru || en, "the notation is Ru or En as a whole");
  for (const auto& row : s.filter.elementGrid)
    for (zlc::ElementState cell : row) Require(static_cast<int>(cell) <= 2, "grid cell 0..2");
  for (std::uint8_t flag : s.filter.hbRequired) Require(flag <= 1, "hb flag 0/1");
  Require(static_cast<int>(s.settings.staticMarkMode) <= 2, "rq_ms 0..2");
  Require(s.settings.markTransits == 0 || s.settings.markTransits == 1, "rq_mt 0/1");
  Require(s.settings.deleteSpaces == 0 || s.settings.deleteSpaces == 1, "rq_ds 0/1");
  Require(s.filter.lfEnabled <= 1 && s.filter.smEnabled <= 1 && s.filter.hbEnabled <= 1,
          "rq_lf, rq_sm, rq_hb 0/1");

  Require(s.settings.shuffleDepth <= zlc::kMaxShuffleDepth, "sd_t at most its bound");
}

// Lines end at LF, CR LF or a lone CR; a last line without an end counts.
template <typename F>
void ForEachLine(std::string_view text, F&& f) {
  while (!text.empty()) {
    const auto end = text.find_first_of("\r\n");
    f(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input{reinterpret_cast<const char*>(data), size};
  State state;
  const zlc::MessageReporter count = [](const zlc::RuntimeMessage& m) {
    Require(!m.text.empty(), "a reported message has text");
  };
  // The text as the file's reader takes it: a byte-order mark opening the
  // file is no part of it, and a file that is UTF-8 is read as UTF-8.
  std::string_view body = input;
  if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
  const std::string text = zlc::FileTextToCp1251(body);
  ForEachLine(text,
              [&](std::string_view line) { zlc::ApplyConfigLine(state.Target(), line, count); });
  CheckRanges(state);

  // What is written reads back to the same settings, without complaint.
  const std::string written = state.Text();
  State again;
  int reloadMessages = 0;
  ForEachLine(written, [&](std::string_view line) {
    zlc::ApplyConfigLine(again.Target(), line, [&](const zlc::RuntimeMessage&) { ++reloadMessages; });
  });
  Require(reloadMessages == 0, "the written file reads without messages");
  Require(again.Text() == written, "the written file reads back to the same settings");

  // The file reader applies the same lines.
  static const std::string path = std::filesystem::temp_directory_path() /
                                  ("zlc_config_fuzz_" + std::to_string(::getpid()) + ".cfg");
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    State loaded;
    Require(!zlc::LoadConfig(path, loaded.Target(), nullptr), "the file reads");
    ::unlink(path.c_str());
    Require(loaded.Text() == written, "reading the file applies its lines in order");
  }
  return 0;
}
