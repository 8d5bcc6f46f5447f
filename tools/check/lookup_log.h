// The reverse lookups of a checker run: how many were made, how they
// ended and how long they took.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace quorn {

struct LookupLog {
  int done = 0;
  int answered = 0;  // a host name came back
  int failed = 0;    // no name, before the time-out
  int timedOut = 0;  // no name when the time-out ran out (at once for a time-out of 0 or less)
  double totalMs = 0;
  double longestMs = 0;

  // Makes the lookup, times it and counts how it ended; returns its answer.
  std::string Timed(std::int32_t timeoutMs, const std::function<std::string()>& lookup);

  // "lookups: N done, N answered, N failed, N timed out; T ms in all, longest T ms"
  std::string Summary() const;
};

}  // namespace quorn
