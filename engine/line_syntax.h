// Where Boost.Regex's default options let "^" and "$" match inside a text.
//
// The engine's fixed patterns ("^...$" for dotted quads, networks, comment
// lines and trimming) are applied with those options, so "^" also matches
// after a line break. The hand-written parsers that replace them for speed
// use these helpers to agree with the library exactly: they take the fast
// path only for texts without line separators and defer to the library
// pattern otherwise.
#pragma once

#include <cstddef>
#include <string_view>

namespace quorn {

// Boost's line separators for narrow characters.
inline bool IsLineSeparator(char c) { return c == '\n' || c == '\r' || c == '\f'; }

inline bool HasLineSeparator(std::string_view text) {
  return text.find_first_of("\n\r\f") != std::string_view::npos;
}

// "^" matches at the start of the text and after a separator, except
// between the CR and the LF of a CR LF pair.
inline bool IsLineStart(std::string_view text, std::size_t pos) {
  if (pos == 0) return true;
  char before = text[pos - 1];
  if (!IsLineSeparator(before)) return false;
  return !(before == '\r' && pos < text.size() && text[pos] == '\n');
}

}  // namespace quorn
