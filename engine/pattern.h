// A regular expression written by the user (a Rules or RecvRegex entry),
// compiled on first use and kept for as long as its list version lives.
//
// Compiling on first use keeps the behaviour of compiling where the pattern
// is used: an entry that does not compile is found only when a check reaches
// it, and raises its error every time one does. That error is the user's
// (a TextError naming the entry). A search that exceeds the library's
// complexity or memory limits is not: the text searched is a sender's, who
// chose it, so it raises SearchLimitError, which the engine turns into a
// verdict.
#pragma once

#include <boost/regex.hpp>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace quorn {

// A search that the regular-expression library gave up: the text would
// cost it more than its complexity or memory limits allow.
class SearchLimitError : public std::runtime_error {
 public:
  SearchLimitError() : std::runtime_error("regular expression search beyond the library's limits") {}
};

// boost::regex_search with the library's limit errors as SearchLimitError.
bool SearchWithinLimits(const std::string& text, boost::smatch& match, const boost::regex& re);

// Whether a list line is a comment: "^(?:#|//)" is found in it.
bool IsCommentLine(const std::string& line);

class Pattern {
 public:
  explicit Pattern(std::string source);

  const std::string& Source() const { return source_; }

  // Empty lines and comment lines of a pattern list are skipped.
  bool IsEffective() const { return effective_; }

  // Searches `text` anywhere for the pattern. Throws TextError when the
  // pattern does not compile, SearchLimitError when the search exceeds the
  // library's limits.
  bool Search(const std::string& text, boost::smatch& match) const;
  bool Search(const std::string& text) const;

  // Calls `visit` with every match in `text`, left to right, each search
  // starting where the match before it ended; stops when `visit` returns
  // false. Throws as Search does.
  void ForEachMatch(const std::string& text, const std::function<bool(const boost::smatch&)>& visit) const;

  // Whether the pattern compiles (compiling it now if it was not yet).
  bool Compiles() const;

 private:
  const boost::regex& Compiled() const;

  std::string source_;
  bool effective_;
  // Shared, so list versions copy cheaply; an empty regex after a failed
  // compile marks the entry as broken.
  mutable std::shared_ptr<const boost::regex> compiled_;
  mutable bool broken_ = false;
};

}  // namespace quorn
