// The scenario scripts of the host simulator: one command per line, run
// against the plug-in, with a transcript of what it did (see main.cpp).
#pragma once

#include <filesystem>
#include <string>

namespace sim {

// Runs a script against the plug-in at `dll`; 0, or 2 for a script the
// simulator does not understand.
int RunScenario(const std::string& dll, const std::filesystem::path& script);

}  // namespace sim
