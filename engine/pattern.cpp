#include "engine/pattern.h"

#include "engine/line_syntax.h"
#include "engine/text_error.h"
#include "texts/catalog.h"

namespace quorn {

bool SearchWithinLimits(const std::string& text, boost::smatch& match, const boost::regex& re) {
  try {
    return boost::regex_search(text, match, re);
  } catch (const std::runtime_error&) {
    // Boost's complexity and memory limits for one search.
    throw SearchLimitError();
  }
}

bool IsCommentLine(const std::string& line) {
  if (!HasLineSeparator(line)) {
    return line.compare(0, 1, "#") == 0 || line.compare(0, 2, "//") == 0;
  }
  static const boost::regex comment("^(?:#|//)");
  return boost::regex_search(line, comment);
}

Pattern::Pattern(std::string source)
    : source_(std::move(source)), effective_(!source_.empty() && !IsCommentLine(source_)) {}

const boost::regex& Pattern::Compiled() const {
  if (!compiled_ && !broken_) {
    try {
      compiled_ = std::make_shared<const boost::regex>(source_);
    } catch (const boost::regex_error&) {
      broken_ = true;
    }
  }
  if (broken_) throw TextError(texts::kInvalidRegex, source_);
  return *compiled_;
}

bool Pattern::Search(const std::string& text, boost::smatch& match) const {
  return SearchWithinLimits(text, match, Compiled());
}

void Pattern::ForEachMatch(const std::string& text,
                           const std::function<bool(const boost::smatch&)>& visit) const {
  const boost::regex& re = Compiled();
  // Only the library's own steps can exceed its limits; the visitor's
  // errors pass unchanged.
  auto withinLimits = [](auto step) {
    try {
      step();
    } catch (const std::runtime_error&) {
      throw SearchLimitError();
    }
  };
  boost::sregex_iterator it;
  const boost::sregex_iterator end;
  withinLimits([&] { it = boost::sregex_iterator(text.begin(), text.end(), re); });
  while (it != end) {
    if (!visit(*it)) return;
    withinLimits([&] { ++it; });
  }
}

bool Pattern::Compiles() const {
  try {
    Compiled();
    return true;
  } catch (const TextError&) {
    return false;
  }
}

bool Pattern::Search(const std::string& text) const {
  boost::smatch unused;
  return Search(text, unused);
}

}  // namespace quorn
