// Filtering on receipt: the state between the two calls of
// VMC_OnBeforeFilter for one message.
#pragma once

#include <cstddef>

namespace quorn {

constexpr std::size_t kStampBufferSize = 256;

extern bool MovePending;                      // a spam stamp was answered; the move comes next
extern char StampBuffer[kStampBufferSize];    // "X-Quorn: type=<label>"

}  // namespace quorn
