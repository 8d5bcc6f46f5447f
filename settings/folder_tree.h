// The host's folder directories on disk, one level at a time: which
// entries of a directory the folder chooser shows, and their names in the
// host's ANSI code page. The host addresses a folder by that name, so a
// name the code page cannot represent is left out.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace quorn {

// Attribute bits that say how a directory's data is stored (compressed,
// encrypted, kept by a sync provider, ...). Windows sets them on whole
// drives or synced folders, so they say nothing about whether the host
// made the directory as a folder; every other bit beside the directory
// bit (read-only, hidden, system, archive, ...) keeps a directory out.
extern const DWORD kStorageAttributes;

// Whether a directory entry with these attributes (and, for a reparse
// point, this reparse tag) can be a folder of the host.
bool ShowsAsFolder(DWORD attributes, DWORD reparseTag);

// The longest folder path, in bytes of the host's ANSI code page and ending
// in "\", the host can enumerate with its ANSI functions: the path, "*" and
// the terminating NUL fit in MAX_PATH. Deeper folders are not shown; this
// also bounds the chooser's recursion whatever the directories (links
// included) look like on disk.
constexpr std::size_t kMaxFolderPath = MAX_PATH - 2;

// The names of the folders directly inside `path` (host ANSI, ending in
// "\"), in the order the enumeration returns them: directories that show
// by their attributes, without ".", "..", names beginning with "!" or "#",
// names the host's code page cannot represent, and folders whose own path
// would be longer than kMaxFolderPath. Empty when the directory cannot be
// read.
std::vector<std::string> ListFolderNames(const std::string& path);

}  // namespace quorn
