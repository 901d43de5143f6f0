// Opening a task file of any content: the first line read from disk, then
// loaded into the task editor, which must end in a consistent state.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "cards/cp1251.h"
#include "editor_check.h"
#include "persist/task_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input{reinterpret_cast<const char*>(data), size};
  static const std::string path = std::filesystem::temp_directory_path() /
                                  ("zlc_task_fuzz_" + std::to_string(::getpid()) + ".zlt");
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  std::string line = "unchanged";
  const zlc::IoResult error = zlc::ReadFirstLine(path, line);
  ::unlink(path.c_str());
  zlc::fuzz::Require(!error, "an existing file reads", "");
  // The bytes before the first line end (LF, CR LF or CR), after a
  // byte-order mark if the file begins with one; read as UTF-8 when they are
  // UTF-8.
  std::string_view body = input;
  if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
  const std::string_view first = body.substr(0, body.find_first_of("\r\n"));
  zlc::fuzz::Require(line == zlc::FileTextToCp1251(first), "the first line is read whole", line);

  zlc::NotationSet notation;
  zlc::TaskEditor editor{notation};
  editor.LoadTaskText(line);
  zlc::fuzz::CheckEditor(editor, notation);
  // "Save" then "Open" gives the same task.
  std::string saved;
  zlc::fuzz::Require(!zlc::WriteTaskFile(path, editor.Text()) && !zlc::ReadFirstLine(path, saved),
                     "a task file is written and read", editor.Text());
  ::unlink(path.c_str());
  zlc::fuzz::Require(saved == editor.Text(), "a saved task reads back as its text", saved);
  zlc::NotationSet other;
  zlc::TaskEditor reopened{other};
  reopened.LoadTaskText(saved);
  zlc::fuzz::Require(reopened.Text() == editor.Text(), "a saved task opens as itself", saved);
  for (int i = 0; i < zlc::kCardButtonCount; ++i)
    zlc::fuzz::Require(reopened.Enabled(i) == editor.Enabled(i),
                       "a saved task opens with its buttons", saved);
  return 0;
}
