// The module-wide setting lists (Skip, White, Black, Rules, RecvRegex) and
// what the engine derives from them (SkipNetworks, ReceivedLines).
//
// Every list is immutable once built and replaced whole. A check takes a
// ListSnapshot when it starts and reads only that version to its end: a
// reverse lookup lets other handlers run in the middle of a check, and the
// settings window or the inspector may replace a list then, but nothing the
// check holds can change or dangle.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/networks.h"
#include "engine/pattern.h"

namespace quorn {

using TextLines = std::vector<std::string>;

// One version of a setting list: its lines verbatim, and each line as a
// pattern, compiled only when a check first needs it.
class ListVersion {
 public:
  explicit ListVersion(TextLines lines);

  const TextLines& Lines() const { return lines_; }
  const std::vector<Pattern>& Patterns() const { return patterns_; }

 private:
  TextLines lines_;
  std::vector<Pattern> patterns_;
};

class SettingList {
 public:
  SettingList() : current_(std::make_shared<const ListVersion>(TextLines{})) {}
  std::shared_ptr<const ListVersion> Current() const { return current_; }
  void Replace(TextLines lines) { current_ = std::make_shared<const ListVersion>(std::move(lines)); }

 private:
  std::shared_ptr<const ListVersion> current_;
};

// A derived list, replaced whole in the same way.
template <class T>
class SharedList {
 public:
  SharedList() : current_(std::make_shared<const std::vector<T>>()) {}
  std::shared_ptr<const std::vector<T>> Current() const { return current_; }
  void Replace(std::vector<T> items) {
    current_ = std::make_shared<const std::vector<T>>(std::move(items));
  }

 private:
  std::shared_ptr<const std::vector<T>> current_;
};

extern SettingList Skip;
extern SettingList White;
extern SettingList Black;
extern SettingList Rules;
extern SettingList RecvRegex;

extern SharedList<ipmask> SkipNetworks;            // built from Skip
extern SharedList<std::string> ReceivedLines;      // of the text last collected

// The versions of the lists one check reads.
struct ListSnapshot {
  std::shared_ptr<const ListVersion> white, black, rules, recvRegex;
  std::shared_ptr<const std::vector<ipmask>> skipNetworks;

  static ListSnapshot Take();
};

}  // namespace quorn
