// Where spam goes, and the move of one message there: used by the sort
// command; the receipt hook answers the host with the Folder setting itself.
#pragma once

#include <string>

namespace quorn {

// The spam destination of a sort: the current mailbox's trash with DropTrash
// on, else the Folder setting. A run asks for it once, when it starts, so
// that a mailbox switched during the run cannot change where its spam goes.
std::string SpamDestination();

// Moves one message to `destination`: clears the host's selection, selects
// the message and moves the selection. True when the host reports success.
bool MoveToSpamFolder(const std::string& messageId, const std::string& destination);

}  // namespace quorn
