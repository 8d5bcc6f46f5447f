// The host's messages as the plug-in sees them through VMA_GetNextMail,
// VMA_GetHeader, VMA_SetSel and VMA_MoveSelectedMessages. The list in view
// is the current mailbox's receiving folder (whose ID is the mailbox ID):
// VMA_GetNextMail enumerates its selected messages. Message IDs name a
// message wherever it lies: selecting by ID, deselecting all and moving the
// selection act on every folder. Every message ever added stays in
// TheHost.messages; a move changes its folder and deselects it.
#pragma once

#include <string>

#include "sim/host.h"

namespace sim {

// Parses a protocol's script name (plain, last-with-end, empty-ids,
// untouched-end); false for an unknown name.
bool ParseSelectionProtocol(const std::string& name, SelectionProtocol& protocol);

// A new message ID of the current mailbox: "<mailbox>#<n>".
std::string NewMessageId();
// Adds a message (not selected) and returns it.
const Message& AddMessage(Message message);
// The message with this ID, or null.
Message* FindMessage(const std::string& id);

// The host functions' work.
int NextSelected(int start, char* buffer, int size);
std::string HeaderOf(const std::string& id);
bool SetSelection(const char* id, bool select);  // null ID with false: every message
bool MoveSelection(const std::string& folder, bool copy);

// Moves into this folder fail (the host answers 0 and nothing moves).
void FailMovesTo(const std::string& folder);

// Prints every message: its ID, folder and whether it is selected.
void PrintMessages();

}  // namespace sim
