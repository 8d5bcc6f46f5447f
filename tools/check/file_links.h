// What the folder walk needs to know about links: whether a folder entry is
// a link (a symbolic link; on Windows also a junction or any other reparse
// point), and the identity of a file or folder, the same by whatever name
// or link it is reached.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace quorn {

bool IsLink(const std::string& path);

// The device (volume) and the file's number on it; nullopt when the file
// cannot be looked at.
using FileIdentity = std::pair<unsigned long long, unsigned long long>;
std::optional<FileIdentity> IdentityOf(const std::string& path);

}  // namespace quorn
