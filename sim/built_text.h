// Message texts built from a short recipe, so that a scenario can deliver
// megabytes of hostile header without a file of that size in the tree.
//
// A recipe is pieces separated by spaces; each piece is TEXT or COUNT*TEXT
// (TEXT repeated COUNT times), or a group of pieces between "{" (or
// "COUNT*{") and "}". In TEXT, "\s" is a space, "\r", "\n", "\t" and "\0"
// the control characters, "\xHH" any byte and "\\" a backslash.
// Example: "100000*Received:\sfrom\sx\r\n 3*{ X: 100*a \r\n } \r\nbody".
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace sim {

// The text a recipe describes; none when the recipe is malformed (a bad
// escape, or a count that is no number or would build more than 1 GiB; the
// text is built in one block of its whole size, so that a 32-bit simulator
// has room for a header of 512 MiB beside the plug-in).
std::optional<std::string> BuildText(const std::string& recipe);

// "receive-built RECIPE": delivers the built text as a received message
// through `receive`, named by its size. False when the recipe is malformed.
bool ExecuteBuiltTextCommand(const std::string& command, const std::string& argument,
                             const std::function<void(const std::string& name, std::string text)>& receive);

}  // namespace sim
