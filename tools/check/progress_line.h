// The progress of a long run on standard error: one line, rewritten in
// place at most ten times a second, and erased at the end. It is shown only
// when standard error is a terminal and the per-message lines do not go to
// that terminal too; otherwise it writes nothing.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace quorn {

class ProgressLine {
 public:
  ProgressLine(bool shown, std::size_t files) : shown_(shown), files_(files) {}
  ~ProgressLine() { Clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void FileStarted() { ++filesStarted_; }
  void MessageJudged();
  // Erases the line, so that what follows starts at the left margin.
  void Clear();

 private:
  bool shown_;
  std::size_t files_;
  std::size_t filesStarted_ = 0;
  std::size_t messages_ = 0;
  std::size_t width_ = 0;  // of the line on the terminal now
  std::chrono::steady_clock::time_point next_{};
};

}  // namespace quorn
