// A catalog text with its "%s" places filled, the one way every caller
// fills them: each "%s" in turn, left to right, takes the next value. A
// value's own text is never searched for places, and a place with no value
// left stays as it is.
#pragma once

#include <string>
#include <vector>

namespace texts {

std::string Filled(const char* format, const std::vector<std::string>& values);

}  // namespace texts
