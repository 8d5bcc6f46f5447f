// The host's selected messages, enumerated with VMA_GetNextMail.
#pragma once

#include <functional>
#include <string>

namespace quorn {

// The size of the message ID buffer handed to the host.
constexpr int kMessageIdBufferSize = 256;

// Calls `visit` with a copy of every non-empty ID of the selection, in the
// host's order. The first call starts at position -1, each further call at
// the previous call's result; the call that returns -1 is the last, and an ID
// it delivers is visited like any other.
void ForEachSelectedMail(const std::function<void(const std::string& id)>& visit);

}  // namespace quorn
