#include "settings/settings_edit_check.h"

#include <cstdint>
#include <deque>
#include <map>

#include "engine/networks.h"
#include "engine/pattern.h"
#include "settings/profile_document.h"
#include "settings/profile_file.h"
#include "texts/catalog.h"
#include "texts/fill.h"

namespace quorn {
namespace {

// Whether the line compiles and searches the empty text without an error.
bool UsablePattern(const std::string& line) {
  try {
    Pattern(line).Search(std::string());
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

std::string FirstInvalidLine(const TextLines& skip, const TextLines& rules) {
  for (const std::string& line : skip) {
    if (!line.empty() && ParseNetwork(line).address == 0) return texts::Filled(texts::kInvalidAddressQuoted, {line});
  }
  for (const std::string& line : rules) {
    if (line.empty() || IsCommentLine(line)) continue;
    if (!UsablePattern(line)) return texts::Filled(texts::kInvalidRegexQuoted, {line});
  }
  return std::string();
}

std::string FirstTooLongLine(const std::vector<const TextLines*>& lists) {
  // The message quotes the line's start, cut on a character boundary.
  constexpr std::size_t kQuotedStart = 40;
  for (const TextLines* lines : lists) {
    for (const std::string& line : *lines) {
      if (line.size() > kProfileValueLimit) {
        return texts::Filled(texts::kLineTooLongQuoted, {line.substr(0, ShiftJisCut(line, kQuotedStart))});
      }
    }
  }
  return std::string();
}

std::string FirstLineTheFileChanges(std::initializer_list<const TextLines*> lists) {
  for (const TextLines* lines : lists) {
    for (const std::string& line : *lines) {
      if (line.size() > kProfileValueLimit) return FirstTooLongLine({lines});
      if (ProfileValueAfterWrite(line) == line) continue;
      const bool blankAtEnd = IsProfileBlank(line.front()) || IsProfileBlank(line.back());
      return texts::Filled(blankAtEnd ? texts::kLineBlankAtEndQuoted : texts::kLineInQuotesQuoted, {line});
    }
  }
  return std::string();
}

TextLines KeepUnchangedLines(const TextLines& filled, const TextLines& shown, const TextLines& edited) {
  TextLines kept = edited;
  if (shown.size() != filled.size()) return kept;
  const std::size_t n = filled.size(), m = edited.size();
  std::size_t front = 0;
  while (front < n && front < m && edited[front] == shown[front]) {
    kept[front] = filled[front];
    ++front;
  }
  std::size_t back = 0;
  while (back < n - front && back < m - front && edited[m - 1 - back] == shown[n - 1 - back]) {
    kept[m - 1 - back] = filled[n - 1 - back];
    ++back;
  }
  // The edited part: filled lines not yet paired, by the text they showed.
  std::map<std::string, std::deque<std::size_t>> unpaired;
  for (std::size_t i = front; i < n - back; ++i) unpaired[shown[i]].push_back(i);
  for (std::size_t i = front; i < m - back; ++i) {
    auto found = unpaired.find(edited[i]);
    if (found == unpaired.end() || found->second.empty()) continue;
    kept[i] = filled[found->second.front()];
    found->second.pop_front();
  }
  return kept;
}

std::int32_t TimeOutFromText(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return kTimeOutNotANumber;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return kTimeOutNotANumber;
    value = value * 10 + (c - '0');
    // Past 32 bits the digits are too many for the setting: no number.
    if (value > std::int64_t{INT32_MAX} + 1) return kTimeOutNotANumber;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return kTimeOutNotANumber;
  return static_cast<std::int32_t>(value);
}

}  // namespace quorn
