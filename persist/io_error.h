// File failures are reported with the runtime's standard wording:
// "File not found" or "I/O error N" with the system's error number; on the
// line under it, the file's name and the reason in words, so that a user
// can act on it.
#pragma once

#include <optional>
#include <string>

namespace zlc {

struct IoError {
  int code = 0;  // errno of the failed operation
  std::string Message() const;
};

using IoResult = std::optional<IoError>;  // empty on success

IoError LastIoError();  // from errno

// Which of the runtime's messages it is, so that a view words it in its own
// language from the kind and the values, never from the English text.
enum class MessageKind {
  Plain,             // `text` as it stands
  FileNotFound,      // "File not found"
  IoError,           // "I/O error N": values[0] is N
  InvalidInteger,    // "'V' is not a valid integer value": values[0] is V as quoted
  BadValuesSkipped,  // "N more bad values in F were skipped": N, F
};

// What the runtime tells the user.
struct RuntimeMessage {
  std::string text;    // the runtime's words (Windows-1251): "I/O error 28"
  std::string file;    // the file or folder it concerns, as the file system
                       // names it (not core text); empty when none
  std::string reason;  // the reason in words (English); empty when none
  MessageKind kind = MessageKind::Plain;
  std::string values[2];  // what the kind's words take, in their order
};

// The message of an I/O error by itself: "File not found" or "I/O error N".
RuntimeMessage IoErrorMessage(int code);

enum class FileUse { Reading, Writing };

// The message for a failed operation on `path`. The file system is looked
// at again to say why in the user's terms: a FIFO or a device where a file
// was expected, another user's link, a folder that does not exist (a save
// never says "File not found" of a folder).
RuntimeMessage DescribeFailure(const IoError& error, const std::string& path, FileUse use);

// The system's words for an error number, always in English.
std::string ReasonWords(int code);

// A value as a message quotes it: of a text over 80 characters the first 80
// and "...", so that the message stays readable.
std::string QuotableValue(const std::string& text);

// "'text' is not a valid integer value", the text as QuotableValue gives it.
RuntimeMessage InvalidIntegerMessage(const std::string& text);
// "N more bad values in F were skipped".
RuntimeMessage BadValuesSkippedMessage(std::size_t count, const std::string& fileName);

}  // namespace zlc
