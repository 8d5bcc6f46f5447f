// A regular expression written by the user (a Rules or RecvRegex entry),
// compiled on first use and kept for as long as its list version lives.
//
// Compiling on first use keeps the behaviour of compiling where the pattern
// is used: an entry that does not compile is found only when a check reaches
// it, and raises its error every time one does. Both ways a pattern can fail
// (it does not compile; a search exceeds the library's complexity or memory
// limits) come out as a TextError naming the entry, which every caller at the
// plug-in's edge already handles.
#pragma once

#include <boost/regex.hpp>

#include <memory>
#include <string>

namespace quorn {

// Whether a list line is a comment: "^(?:#|//)" is found in it.
bool IsCommentLine(const std::string& line);

class Pattern {
 public:
  explicit Pattern(std::string source);

  const std::string& Source() const { return source_; }

  // Empty lines and comment lines of a pattern list are skipped.
  bool IsEffective() const { return effective_; }

  // Searches `text` anywhere for the pattern. Throws TextError.
  bool Search(const std::string& text, boost::smatch& match) const;
  bool Search(const std::string& text) const;

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
