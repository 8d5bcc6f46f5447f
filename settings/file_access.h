// Whole files through the platform's file functions, with paths as the
// profile functions take them (UTF-8 natively, the ANSI code page on
// Windows).
#pragma once

#include <optional>
#include <string>

namespace quorn {

bool FileExists(const std::string& path);

// The file's bytes; none when it is missing or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Whether the system marks the file read-only (false when it is missing).
bool IsReadOnlyFile(const std::string& path);

// Replaces (or creates) the file through a temporary file in the same
// folder, keeping the old file's mode. False when that fails; the file then
// holds what it held.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

// Creates a file that does not exist yet. False when it exists or cannot be
// written completely (nothing is left behind then).
bool CreateNewFile(const std::string& path, const std::string& bytes);

}  // namespace quorn
