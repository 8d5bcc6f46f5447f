// Host folder IDs and the texts shown for them. A folder ID is the
// mailbox's directory name, a "\", then folder names each followed by "\",
// in the host's ANSI code page. In a double-byte code page such as 932 the
// second byte of a character may be 0x5C ("ソ" is 83 5C, "表" is 95 5C), so
// separators are found walking a character at a time by the code page's
// lead bytes, never byte by byte.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorn {

// True for a byte that starts a two-byte character in the code page.
using LeadByteTest = std::function<bool(unsigned char)>;

// Position of the first "\" that is a character of its own, or npos.
std::size_t FindFolderSeparator(std::string_view text, const LeadByteTest& isLeadByte);

// The parts of a text between its separators, in order. A text that ends
// in "\" has no empty last part; "a\\b" gives "a", "", "b".
std::vector<std::string> SplitFolderText(std::string_view text, const LeadByteTest& isLeadByte);

// The text with a "\" appended unless its last character is one (a final
// 0x5C byte that is a character's second byte is no separator).
std::string WithFolderSeparator(std::string text, const LeadByteTest& isLeadByte);

// The text shown for a folder ID: the name the host gives the mailbox
// part (the ID up to and including its first "\"), a "\", and the rest of
// the ID. An empty ID shows as the host's name for "" followed by "\".
std::string FolderDisplayText(const std::string& folderId, const LeadByteTest& isLeadByte,
                              const std::function<std::string(const std::string&)>& folderName);

}  // namespace quorn
