// A hook at every host function the plug-in calls: scripts and tools of the
// simulator act at such moments (a scenario command at the Nth call of a
// function, a screenshot of a window while it is shown). With no listener
// the hook does nothing.
#pragma once

#include <functional>

namespace sim {

using HostCallListener = std::function<void(const char* function)>;

// Called by each host function the plug-in calls, on entry, with the
// function's name ("VMA_GetHeader").
void OnHostCall(const char* function);

// Adds a listener; listeners run in the order they were added.
void AddHostCallListener(HostCallListener listener);

}  // namespace sim
