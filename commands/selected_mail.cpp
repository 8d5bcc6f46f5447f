#include "commands/selected_mail.h"

#include "host/velmo_api.h"

namespace quorn {

void ForEachSelectedMail(const std::function<void(const std::string& id)>& visit) {
  char buffer[kMessageIdBufferSize];
  int position = -1;
  do {
    // A host that answers without writing the buffer must not make the
    // previous ID count twice, and an ID that fills the buffer to its end
    // must not be read past it.
    buffer[0] = '\0';
    position = HostAPI.VMA_GetNextMail(position, buffer, kMessageIdBufferSize, TRUE);
    buffer[kMessageIdBufferSize - 1] = '\0';
    if (buffer[0] != '\0') visit(std::string(buffer));
  } while (position != -1);
}

}  // namespace quorn
