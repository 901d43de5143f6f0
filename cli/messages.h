// The tool's messages on standard error: one line each, "zlc-search: " and
// the text, in the terminal's encoding. Errors, warnings and notes alike;
// only the summary's counter lines, the progress line and the --stats table,
// which hold no text of the user's, are no messages.
#pragma once

#include <string>
#include <string_view>

#include "persist/io_error.h"

namespace zlc::cli {

// The terminal's encoding, from --encoding; UTF-8 until it is known.
void SetMessagesCp1251(bool cp1251);

// `text` is ASCII, bytes the user gave (paths), or core text made Shown.
// Its control characters (C0 but the tab, DEL, C1) go out as escapes
// ("\x1b"), as do bytes of no character in UTF-8; the results on standard
// output are data and keep their bytes.
void Say(std::string_view text);

// A file operation's failure: the runtime's words and the reason,
// "I/O error 28: No space left on device".
std::string FailureText(const IoError& error);

// Core text (Windows-1251) as the terminal shows it.
std::string Shown(std::string_view cp1251);

}  // namespace zlc::cli
