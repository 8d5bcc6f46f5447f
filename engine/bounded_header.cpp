#include "engine/bounded_header.h"

#include <utility>

#include "engine/received.h"

namespace quorn {
namespace {

constexpr std::string_view kField = "Received:";

bool EndsField(char next) { return next != ' ' && next != '\t' && next != '\r' && next != '\n'; }

}  // namespace

void BoundedHeader::Append(std::string_view text) {
  if (settled_ || text.empty()) return;
  if (!past_) {
    if (whole_.size() + text.size() <= limits_.whole) {
      whole_.append(text);
      return;
    }
    past_ = true;
    const std::string kept = std::move(whole_);
    whole_.clear();
    AppendToFields(kept);
  }
  AppendToFields(text);
}

void BoundedHeader::AppendToFields(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && !settled_) {
    if (lineEnded_ && EndsField(text[pos])) EndField();
    const std::size_t lf = text.find('\n', pos);
    const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
    AddToField(text.substr(pos, end - pos));
    pos = end;
  }
}

void BoundedHeader::AddToField(std::string_view text) {
  if (text.empty()) return;
  lineEnded_ = text.back() == '\n';
  if (!giant_ && field_.size() + text.size() <= limits_.field) {
    field_.append(text);
    return;
  }
  if (!giant_) {
    giant_ = true;
    giantTail_ = std::move(field_);
    field_.clear();
  }
  giantTail_.append(text);
  if (giantTail_.find(kField) != std::string::npos) giantHasReceived_ = true;
  giantTail_.erase(0, giantTail_.size() - std::min(giantTail_.size(), kField.size() - 1));
}

void BoundedHeader::EndField() {
  if (giant_) {
    if (giantHasReceived_) Keep(std::string(kField) + std::string(kReceivedLineReadLimit, 'x'));
    giant_ = giantHasReceived_ = false;
    giantTail_.clear();
  } else {
    for (std::string& line : FindReceivedLines(UnfoldHeader(field_))) Keep(std::move(line));
  }
  field_.clear();
}

// Mirrors the engine's reading bounds (ReceivedLineReader) only to know when
// to stop: the engine itself reads the kept lines.
void BoundedHeader::Keep(std::string line) {
  if (settled_) return;
  const unsigned long long limit = kReceivedLineReadLimit;
  if (line.size() > limit) line.resize(limit + 1);
  const unsigned long long length = line.size();
  lines_.push_back(std::move(line));
  if (lines_.size() > kReceivedLinesReadLimit || length > limit || length * length > limit * limit - squares_) {
    settled_ = true;
  } else {
    squares_ += length * length;
  }
}

std::string BoundedHeader::Take() {
  if (!past_) return std::move(whole_);
  if (!settled_) EndField();
  // Each line begins with "Received:" and holds no LF, so the engine finds
  // these lines again and nothing else.
  std::string header;
  for (const std::string& line : lines_) {
    if (!header.empty()) header += '\n';
    header += line;
  }
  return header;
}

std::string HeaderToJudge(std::string_view header) {
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  BoundedHeader bounded;
  for (std::size_t at = 0; at < header.size() && !bounded.Settled(); at += kPiece) {
    bounded.Append(header.substr(at, kPiece));
  }
  return bounded.Take();
}

}  // namespace quorn
