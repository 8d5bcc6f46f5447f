// Conversions between the system's Shift-JIS texts and the wide texts of the
// Windows W APIs, always through code page 932 given explicitly, never the
// process's ANSI code page, so texts read right on any Windows locale.
#pragma once

#include <string>

namespace quorn {

std::wstring WideFromShiftJis(const std::string& text);
std::string ShiftJisFromWide(const std::wstring& text);
std::string Utf8FromWide(const std::wstring& text);

}  // namespace quorn
