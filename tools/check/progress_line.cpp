#include "tools/check/progress_line.h"

namespace quorn {
namespace {

constexpr auto kUpdateEvery = std::chrono::milliseconds(100);

}  // namespace

void ProgressLine::MessageJudged() {
  ++messages_;
  if (!shown_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now < next_) return;
  next_ = now + kUpdateEvery;
  std::string text = "quorn-check: " + std::to_string(messages_) + " messages judged, file " +
                     std::to_string(filesStarted_) + " of " + std::to_string(files_);
  const std::size_t width = text.size();
  if (width < width_) text.append(width_ - width, ' ');
  width_ = width;
  std::fputs(("\r" + text).c_str(), stderr);
  std::fflush(stderr);
}

void ProgressLine::Clear() {
  if (!shown_ || width_ == 0) return;
  std::fputs(("\r" + std::string(width_, ' ') + "\r").c_str(), stderr);
  std::fflush(stderr);
  width_ = 0;
}

}  // namespace quorn
