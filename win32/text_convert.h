// Conversions between the system's Shift-JIS texts and the wide texts of the
// Windows W APIs, always through code page 932 given explicitly, never the
// process's ANSI code page, so texts read right on any Windows locale.
#pragma once

#include <string>

namespace quorn {

std::wstring WideFromShiftJis(const std::string& text);
std::string ShiftJisFromWide(const std::wstring& text);
std::string Utf8FromWide(const std::wstring& text);
// UTF-8 texts (the simulator's scripts).
std::wstring WideFromUtf8(const std::string& text);
std::string ShiftJisFromUtf8(const std::string& text);

}  // namespace quorn

namespace quorn {

// Texts the host hands over in the process's ANSI code page (folder IDs
// and display names): converted with that code page explicitly.
std::wstring WideFromHostAnsi(const std::string& text);
// The text in the host's ANSI code page; false when a character has no
// form there (the host could not address a folder of that name).
bool HostAnsiFromWide(const std::wstring& text, std::string& out);
// Whether a byte starts a two-byte character in the host's ANSI code page.
bool IsHostAnsiLeadByte(unsigned char byte);

}  // namespace quorn
