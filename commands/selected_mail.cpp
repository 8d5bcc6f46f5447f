#include "commands/selected_mail.h"

#include "hostapi/velmo_api.h"

namespace quorn {
namespace {

constexpr long kMaxSelectionCalls = 1000000;

}  // namespace

void ForEachSelectedMail(const std::function<void(const std::string& id)>& visit) {
  char buffer[kMessageIdBufferSize];
  int position = -1;
  // A host that never answers -1 must not hold its own user interface for
  // good: the walk ends when the position stops moving, and no selection is
  // a million messages long.
  for (long calls = 0; calls < kMaxSelectionCalls; ++calls) {
    // A host that answers without writing the buffer must not make the
    // previous ID count twice, and an ID that fills the buffer to its end
    // must not be read past it.
    buffer[0] = '\0';
    const int next = HostAPI.VMA_GetNextMail(position, buffer, kMessageIdBufferSize, TRUE);
    buffer[kMessageIdBufferSize - 1] = '\0';
    if (buffer[0] != '\0') visit(std::string(buffer));
    if (next == -1 || next == position) return;
    position = next;
  }
}

}  // namespace quorn
