// Scenario lines that run later, at moments a host has in the middle of the
// plug-in's work:
//   at FUNCTION N LINE   runs LINE inside the Nth call (counted from here) of
//                        the host function FUNCTION, before it answers: the
//                        user switches mailboxes or changes the selection
//                        while a command runs
//   post LINE            runs LINE when the thread's window messages are next
//                        dispatched: during a lookup's wait, or in a box's
//                        modal loop, as a menu choice of the user would
//   pump                 dispatches the window messages waiting now
#pragma once

#include <functional>
#include <string>

namespace sim {

using LineRunner = std::function<void(const std::string& line)>;

// Runs one of the commands above with `run` for the deferred line; false
// when `command` is none of them.
bool ExecuteDeferredCommand(const std::string& command, const std::string& argument, const LineRunner& run);

}  // namespace sim
