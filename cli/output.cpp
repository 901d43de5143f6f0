#include "cli/output.h"

#include "cli/exit_status.h"
#include "cli/messages.h"

namespace zlc::cli {

int WriteFailed(const BlockWriter& writer) {
  Say(std::string("cannot write the results: ") + writer.Reason());
  return kExitFailure;
}

int Finish(BlockWriter& writer) {
  writer.EndBlock();
  return writer.Flush() ? kExitDone : WriteFailed(writer);
}

}  // namespace zlc::cli
