// Reading a message file as the plug-in would see the message on receipt.
#pragma once

#include <optional>
#include <string>

namespace quorn {

// A file's text with every bare LF made into CR LF, as a message whose lines
// end in CR LF.
std::string WithCrLfLineEnds(std::string text);

// The header of a message text: the text before the first empty line (CR LF
// CR LF), or the whole text when it has none (a file holding a header only).
std::string HeaderOf(const std::string& message);

// The header of the message in a file, read only up to its end and kept as
// BoundedHeader keeps it (whole up to some MiB); nullopt when the file
// cannot be read.
std::optional<std::string> ReadMessageHeader(const std::string& path);

}  // namespace quorn
