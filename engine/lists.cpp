#include "engine/lists.h"

namespace quorn {

ListVersion::ListVersion(TextLines lines) : lines_(std::move(lines)) {
  patterns_.reserve(lines_.size());
  for (const std::string& line : lines_) patterns_.emplace_back(line);
}

SettingList Skip;
SettingList White;
SettingList Black;
SettingList Rules;
SettingList RecvRegex;

SharedList<ipmask> SkipNetworks;
SharedList<std::string> ReceivedLines;

ListSnapshot ListSnapshot::Take() {
  return {White.Current(), Black.Current(), Rules.Current(), RecvRegex.Current(),
          SkipNetworks.Current()};
}

}  // namespace quorn
