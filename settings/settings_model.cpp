#include "settings/settings_model.h"

#include <optional>
#include <vector>

#include "engine/networks.h"
#include "engine/text_error.h"
#include "settings/default_lines.h"
#include "settings/list_bindings.h"
#include "settings/unreadable_backup.h"
#include "settings/value_format.h"
#include "texts/catalog.h"
#include "texts/fill.h"

namespace quorn {
namespace {

const char kFormMain[] = "FormMain";

std::int32_t ReadInt(ProfileFile& file, const char* section, const char* key,
                     std::int32_t fallback) {
  return ParseProfileInt(file.ReadString(section, key, "")).value_or(fallback);
}

bool ReadBool(ProfileFile& file, const char* key, bool fallback) {
  return ReadInt(file, kFormMain, key, fallback ? 1 : 0) != 0;
}

// Everything the file holds: what a save writes (from the live settings, or
// the construction values and built-in lines), and what a load reads before
// taking any of it over.
struct FileSettings {
  std::int32_t top, left;
  bool paralysis, dropTrash, reverseLookup, acceptReceivedHost;
  std::string folder;
  std::int32_t timeOut;
  std::vector<TextLines> lists;  // in file order
};

void WriteAll(ProfileFile& file, const FileSettings& s) {
  std::vector<ProfileWrite> writes = {
      {kFormMain, "Top", FormatProfileInt(s.top)},
      {kFormMain, "Left", FormatProfileInt(s.left)},
      {kFormMain, "Paralysis", FormatProfileBool(s.paralysis)},
      {kFormMain, "DropTrash", FormatProfileBool(s.dropTrash)},
      {kFormMain, "ReverseLookup", FormatProfileBool(s.reverseLookup)},
      {kFormMain, "AcceptReceivedHost", FormatProfileBool(s.acceptReceivedHost)},
      {kFormMain, "Folder", s.folder},
      {kFormMain, "TimeOut", FormatProfileInt(s.timeOut)},
  };
  const auto& sections = ListBindings();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const TextLines& lines = s.lists[i];
    writes.push_back({sections[i].section, "Count", FormatProfileInt(static_cast<std::int32_t>(lines.size()))});
    for (std::size_t n = 0; n < lines.size(); ++n) {
      writes.push_back({sections[i].section, "Item" + std::to_string(n), lines[n]});
    }
  }
  file.WriteKeys(writes);
}

// The position N of a key named "Item<N>" (any case, N in decimal without
// leading zeros, as the save writes it), or -1.
std::int64_t ItemPosition(const std::string& key) {
  static const char kItem[] = "item";
  if (key.size() < 5 || key.size() > 14) return -1;
  for (std::size_t i = 0; i < 4; ++i) {
    if ((key[i] | 0x20) != kItem[i]) return -1;
  }
  if (key[4] == '0' && key.size() > 5) return -1;
  std::int64_t n = 0;
  for (std::size_t i = 4; i < key.size(); ++i) {
    if (key[i] < '0' || key[i] > '9') return -1;
    n = n * 10 + (key[i] - '0');
  }
  return n;
}

// A list's lines from its section's keys: Item0 to Item<count-1>, a
// missing one read as an empty line. The section is read in one call, so a
// large Count costs one pass over it and no call per missing key.
TextLines ListLines(const std::vector<ProfileEntry>& entries, std::int32_t count) {
  std::vector<const std::string*> found(static_cast<std::size_t>(count), nullptr);
  for (const ProfileEntry& entry : entries) {
    std::int64_t n = ItemPosition(entry.key);
    if (n >= 0 && n < count && !found[static_cast<std::size_t>(n)]) found[static_cast<std::size_t>(n)] = &entry.value;
  }
  TextLines lines;
  lines.reserve(found.size());
  for (const std::string* value : found) lines.push_back(value ? *value : std::string());
  return lines;
}

// The number of lines of a list whose Count is not trusted: one past the
// last Item key present below the bound.
std::int32_t PresentItemCount(const std::vector<ProfileEntry>& entries) {
  std::int64_t count = 0;
  for (const ProfileEntry& entry : entries) {
    std::int64_t n = ItemPosition(entry.key);
    if (n >= 0 && n < SettingsModel::kMaxTrustedCount && n + 1 > count) count = n + 1;
  }
  return static_cast<std::int32_t>(count);
}

}  // namespace

SettingsModel::LoadReport SettingsModel::LoadSettings(const std::string& path) {
  auto file = OpenProfileFile(path);
  return LoadSettings(path, *file);
}

void SettingsModel::SaveSettings(const std::string& path) {
  KeepUnreadableFile(path);
  auto file = OpenProfileFile(path);
  SaveSettings(*file);
}

void SettingsModel::WriteDefaultSettings(const std::string& path) {
  KeepUnreadableFile(path);
  auto file = OpenProfileFile(path);
  WriteDefaultSettings(*file);
}

SettingsModel::LoadReport SettingsModel::LoadSettings(const std::string& path, ProfileFile& file) {
  IniPath = path;
  LoadReport report;
  FileSettings loaded;
  try {
    loaded.top = ReadInt(file, kFormMain, "Top", WindowTop());
    loaded.left = ReadInt(file, kFormMain, "Left", WindowLeft());
    loaded.paralysis = ReadBool(file, "Paralysis", Paralysis);
    loaded.dropTrash = ReadBool(file, "DropTrash", DropTrash);
    loaded.reverseLookup = ReadBool(file, "ReverseLookup", ReverseLookup);
    loaded.acceptReceivedHost = ReadBool(file, "AcceptReceivedHost", AcceptReceivedHost);
    loaded.folder = file.ReadString(kFormMain, "Folder", Folder);
    loaded.timeOut = ReadInt(file, kFormMain, "TimeOut", TimeOut);

    // Whether the file's RecvRegex list is the IPv4-only built-in list of
    // earlier versions, which is read as today's.
    bool recvRegexTurnsIPv6 = false;
    const std::string recvRegexName = "RecvRegex";
    for (const ListBinding& section : ListBindings()) {
      if (!file.HasSection(section.section)) {
        loaded.lists.push_back(section.defaultLines());
        continue;
      }
      // A Count that is there but no number (a typo such as "1O") is as
      // untrusted as a negative or huge one: emptying the list would stop
      // the filter and lose the lines at the next save.
      const std::string countText = file.ReadString(section.section, "Count", "");
      const std::optional<std::int32_t> parsed = ParseProfileInt(countText);
      const bool garbled = !countText.empty() && !parsed;
      std::int32_t count = parsed.value_or(0);
      if (count == 0 && !garbled) {
        loaded.lists.emplace_back();
        continue;
      }
      const std::vector<ProfileEntry> entries = file.ReadSection(section.section);
      if (garbled || count < 0 || count > kMaxTrustedCount) {
        count = PresentItemCount(entries);
        report.repairedLists.push_back(section.section);
      }
      TextLines lines = ListLines(entries, count);
      if (section.section == recvRegexName && RetiredRecvRegexMayLeaveLocalIPv6Unskipped(lines)) {
        recvRegexTurnsIPv6 = true;
      }
      loaded.lists.push_back(ReplaceRetiredDefault(section.section, std::move(lines)));
    }
    if (recvRegexTurnsIPv6) AddLocalIPv6Networks(loaded.lists.front());  // Skip comes first

    // The lists first: they are all that can fail from here on.
    const auto& sections = ListBindings();
    for (std::size_t i = 0; i < sections.size(); ++i) sections[i].list.Replace(std::move(loaded.lists[i]));
    BuildSkipNetworks();
  } catch (...) {
    unreadableFile_ = path;
    try {
      UseDefaultLists();
    } catch (...) {
    }
    throw TextError(texts::Filled(texts::kCannotReadFile, {path}));
  }

  MoveWindow(loaded.top, WindowLeft());
  MoveWindow(WindowTop(), loaded.left);
  Paralysis = loaded.paralysis;
  DropTrash = loaded.dropTrash;
  ReverseLookup = loaded.reverseLookup;
  AcceptReceivedHost = loaded.acceptReceivedHost;
  Folder.swap(loaded.folder);
  TimeOut = loaded.timeOut;
  return report;
}

void SettingsModel::KeepUnreadableFile(const std::string& path) {
  if (unreadableFile_.empty() || path != unreadableFile_) return;
  KeepBackupCopy(path);
  unreadableFile_.clear();
}

std::string SettingsModel::RepairedListsText(const std::string& path, const LoadReport& report) {
  std::string text;
  for (const std::string& list : report.repairedLists) {
    if (!text.empty()) text += "\n";
    text += texts::Filled(texts::kRepairedListCount, {path, list});
  }
  return text;
}

void SettingsModel::SaveSettings(ProfileFile& file) {
  FileSettings s{WindowTop(), WindowLeft(), Paralysis, DropTrash, ReverseLookup,
                  AcceptReceivedHost, Folder, TimeOut, {}};
  for (const ListBinding& section : ListBindings()) s.lists.push_back(section.list.Current()->Lines());
  WriteAll(file, s);
}

void SettingsModel::WriteDefaultSettings(ProfileFile& file) {
  const LiveSettings construction;
  FileSettings s{kDesignTop, kDesignLeft, construction.Paralysis, construction.DropTrash,
                  construction.ReverseLookup, construction.AcceptReceivedHost,
                  construction.Folder, construction.TimeOut, {}};
  for (const ListBinding& section : ListBindings()) s.lists.push_back(section.defaultLines());
  WriteAll(file, s);
}

}  // namespace quorn
