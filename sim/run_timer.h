// Timing for benchmarks:
//   time LINE   runs LINE and writes to standard error how long it took from
//               its start to the first message box it showed (or to its end
//               when it showed none), and the processor time the simulator's
//               threads spent until LINE ended:
//               "quorn-host: time N.N ms: LINE (processor N ms to its end)"
#pragma once

#include <functional>
#include <string>

namespace sim {

// Memory for hostile deliveries:
//   peak-growth-below MIB LINE   runs LINE and says whether the most memory
//               the process held at once grew by less than MIB MiB:
//               "peak memory grew by less than MIB MiB", else by how much.
bool ExecuteMemoryCommand(const std::string& command, const std::string& argument,
                          const std::function<void(const std::string& line)>& run);

bool ExecuteTimedCommand(const std::string& command, const std::string& argument,
                         const std::function<void(const std::string& line)>& run);

}  // namespace sim
