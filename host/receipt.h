// Filtering on receipt: the answers of VMC_OnBeforeFilter, and the move of
// one message to the spam destination that the sort command uses.
#pragma once

#include <string>

namespace quorn {

constexpr std::size_t kStampBufferSize = 256;

extern bool MovePending;                      // a spam stamp was answered; the move comes next
extern char StampBuffer[kStampBufferSize];    // "X-Quorn: type=<label>"

// The spam destination of a sort: the current mailbox's trash with DropTrash
// on, else the Folder setting. A run asks for it once, when it starts, so
// that a mailbox switched during the run cannot change where its spam goes.
std::string SpamDestination();

// Moves one message to `destination`: clears the host's selection, selects
// the message and moves the selection. True when the host reports success.
bool MoveToSpamFolder(const std::string& messageId, const std::string& destination);

}  // namespace quorn
