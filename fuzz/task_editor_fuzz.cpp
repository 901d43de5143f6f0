// The task editor under any text and any sequence of edits.
// Input: a text to load, a zero byte, then operations, one byte each plus
// their arguments (missing argument bytes read as 0):
//   0..2  click button (arg % 51)
//   3..4  delete the selection (start, length), both within the text
//   5     "Clear Task"
//   6     load the next (arg % 64) bytes as a text
//   7     the options dialog picks a notation name (arg % 3: Ru, En, other)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editor_check.h"

namespace {

struct Bytes {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
  bool More() const { return at < size; }
  std::uint8_t Next() { return at < size ? data[at++] : 0; }
  std::string_view Take(std::size_t n) {
    n = std::min(n, size - at);
    std::string_view out{reinterpret_cast<const char*>(data + at), n};
    at += n;
    return out;
  }
};

// A saved task reloads to the same text and the same button states.
void CheckReload(const zlc::TaskEditor& e) {
  static zlc::NotationSet notation;
  static zlc::TaskEditor again{notation};
  again.LoadTaskText(e.Text());
  zlc::fuzz::Require(again.Text() == e.Text(), "a task text reloads to itself", e.Text());
  for (int i = 0; i < zlc::kCardButtonCount; ++i)
    zlc::fuzz::Require(again.Enabled(i) == e.Enabled(i), "a reload gives the same buttons",
                       e.Text());
}

// Every token with one of its two characters in the selection goes; a run of
// gaps left behind becomes one gap.
std::string AfterDeletion(const std::string& text, int start, int length) {
  std::string out;
  for (int k = 0; 3 * k < static_cast<int>(text.size()); ++k) {
    const bool hit = std::max(3 * k, start) < std::min(3 * k + 2, start + length);
    const bool gap = text.compare(3 * k, 2, "**") == 0;
    if (hit || (gap && out.size() >= 3 && out.compare(out.size() - 3, 2, "**") == 0)) continue;
    out.append(text, 3 * k, 3);
  }
  return out;
}

void Check(const zlc::TaskEditor& e, const zlc::NotationSet& n) {
  zlc::fuzz::CheckEditor(e, n);
  CheckReload(e);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in{data, size};
  std::size_t split = 0;
  while (split < size && data[split] != 0) ++split;
  zlc::NotationSet notation;
  zlc::TaskEditor editor{notation};
  Check(editor, notation);
  editor.LoadTaskText(in.Take(split));
  in.Next();  // the separator
  Check(editor, notation);

  for (int steps = 0; in.More() && steps < 200; ++steps) {
    const std::uint8_t op = in.Next() % 8;
    const int n = static_cast<int>(editor.Text().size());
    switch (op) {
      case 0:
      case 1:
      case 2: {
        const int button = in.Next() % zlc::kCardButtonCount;
        const bool enabled = editor.Enabled(button);
        const std::string before = editor.Text();
        const bool added = editor.CardButtonClick(button);
        zlc::fuzz::Require(added == enabled, "a click adds exactly when the button is enabled",
                           before);
        zlc::fuzz::Require(
            editor.Text() == (added ? before + editor.Caption(button) + ' ' : before),
            "a click appends its caption", before);
        break;
      }
      case 3:
      case 4: {
        const int start = n == 0 ? 0 : in.Next() % n;
        const int length = in.Next() % (n - start + 1);
        const std::string before = editor.Text();
        editor.DeleteSelected(start, length);
        zlc::fuzz::Require(editor.Text() == AfterDeletion(before, start, length),
                           "deleting removes exactly the selected tokens", before);
        break;
      }
      case 5:
        editor.ClearTask();
        zlc::fuzz::Require(editor.Text().empty(), "a cleared task is empty", editor.Text());
        break;
      case 6:
        editor.LoadTaskText(in.Take(in.Next() % 64));
        break;
      case 7: {
        static const char* const kNames[] = {"Ru", "En", "Xx"};
        const std::string before = notation.notationName;
        zlc::SelectNotationName(notation, kNames[in.Next() % 3]);
        if (notation.notationName != before) {
          editor.BuildCardGrid();
          editor.ConvertTaskNotation();
        }
        break;
      }
    }
    Check(editor, notation);
  }
  return 0;
}
