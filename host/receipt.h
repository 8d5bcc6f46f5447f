// Filtering on receipt: the answers of VMC_OnBeforeFilter, and the move of
// one message to the spam destination that the sort command uses.
#pragma once

#include <string>

namespace quorn {

constexpr std::size_t kStampBufferSize = 256;

extern bool MovePending;                      // a spam stamp was answered; the move comes next
extern char StampBuffer[kStampBufferSize];    // "X-Quorn: type=<label>"

// Moves one message to the spam destination: the current mailbox's trash
// with DropTrash on, else the Folder setting.
void MoveToSpamFolder(const std::string& messageId);

}  // namespace quorn
