// Standard output: text in the chosen encoding, in whole blocks.
#pragma once

#include <string>

#include "cards/cp1251.h"
#include "cli/block_writer.h"

namespace zlc::cli {

// Core text (Windows-1251) into whole blocks of standard output.
struct Output {
  BlockWriter& writer;
  bool cp1251 = false;
  void Text(const std::string& text) const {
    if (cp1251) {
      writer.Write(text);
    } else {
      AppendCp1251AsUtf8(writer.Gathered(), text);
    }
  }
  void Line(const std::string& text) const {
    Text(text);
    writer.Write("\n");
  }
};

// The exit status of a failed write of standard output, told.
int WriteFailed(const BlockWriter& writer);

// The exit status once everything gathered is written.
int Finish(BlockWriter& writer);

}  // namespace zlc::cli
