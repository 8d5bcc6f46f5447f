#include "settings/settings_model.h"

#include <vector>

#include "engine/networks.h"
#include "settings/default_lines.h"
#include "settings/value_format.h"

namespace quorn {
namespace {

const char kFormMain[] = "FormMain";

struct ListSection {
  const char* name;
  SettingList& list;
  const TextLines& (*defaultLines)();
};

// The five lists in file order.
std::vector<ListSection> ListSections() {
  return {{"Skip", Skip, DefaultSkipLines},
          {"White", White, DefaultWhiteLines},
          {"Black", Black, DefaultBlackLines},
          {"Rules", Rules, DefaultRulesLines},
          {"RecvRegex", RecvRegex, DefaultRecvRegexLines}};
}

std::int32_t ReadInt(ProfileFile& file, const char* section, const char* key,
                     std::int32_t fallback) {
  return ParseProfileInt(file.ReadString(section, key, "")).value_or(fallback);
}

bool ReadBool(ProfileFile& file, const char* key, bool fallback) {
  return ReadInt(file, kFormMain, key, fallback ? 1 : 0) != 0;
}

// Everything a save writes, whether taken from the live settings or from
// the construction values and built-in lines.
struct SavedSettings {
  std::int32_t top, left;
  bool paralysis, dropTrash, reverseLookup, acceptReceivedHost;
  std::string folder;
  std::int32_t timeOut;
  std::vector<TextLines> lists;  // in file order
};

void WriteAll(ProfileFile& file, const SavedSettings& s) {
  file.WriteString(kFormMain, "Top", FormatProfileInt(s.top));
  file.WriteString(kFormMain, "Left", FormatProfileInt(s.left));
  file.WriteString(kFormMain, "Paralysis", FormatProfileBool(s.paralysis));
  file.WriteString(kFormMain, "DropTrash", FormatProfileBool(s.dropTrash));
  file.WriteString(kFormMain, "ReverseLookup", FormatProfileBool(s.reverseLookup));
  file.WriteString(kFormMain, "AcceptReceivedHost", FormatProfileBool(s.acceptReceivedHost));
  file.WriteString(kFormMain, "Folder", s.folder);
  file.WriteString(kFormMain, "TimeOut", FormatProfileInt(s.timeOut));

  const auto sections = ListSections();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const TextLines& lines = s.lists[i];
    file.WriteString(sections[i].name, "Count", FormatProfileInt(static_cast<std::int32_t>(lines.size())));
    for (std::size_t n = 0; n < lines.size(); ++n) {
      file.WriteString(sections[i].name, "Item" + std::to_string(n), lines[n]);
    }
  }
}

}  // namespace

void SettingsModel::LoadSettings(const std::string& path) {
  auto file = OpenProfileFile(path);
  LoadSettings(path, *file);
}

void SettingsModel::SaveSettings(const std::string& path) {
  auto file = OpenProfileFile(path);
  SaveSettings(*file);
}

void SettingsModel::WriteDefaultSettings(const std::string& path) {
  auto file = OpenProfileFile(path);
  WriteDefaultSettings(*file);
}

void SettingsModel::LoadSettings(const std::string& path, ProfileFile& file) {
  IniPath = path;
  std::int32_t top = ReadInt(file, kFormMain, "Top", WindowTop());
  MoveWindow(top, WindowLeft());
  std::int32_t left = ReadInt(file, kFormMain, "Left", WindowLeft());
  MoveWindow(WindowTop(), left);

  Paralysis = ReadBool(file, "Paralysis", Paralysis);
  DropTrash = ReadBool(file, "DropTrash", DropTrash);
  ReverseLookup = ReadBool(file, "ReverseLookup", ReverseLookup);
  AcceptReceivedHost = ReadBool(file, "AcceptReceivedHost", AcceptReceivedHost);
  Folder = file.ReadString(kFormMain, "Folder", Folder);
  TimeOut = ReadInt(file, kFormMain, "TimeOut", TimeOut);

  for (const ListSection& section : ListSections()) {
    TextLines lines;
    if (file.HasSection(section.name)) {
      std::int32_t count = ReadInt(file, section.name, "Count", 0);
      for (std::int32_t n = 0; n < count; ++n) {
        lines.push_back(file.ReadString(section.name, "Item" + std::to_string(n), ""));
      }
    } else {
      lines = section.defaultLines();
    }
    section.list.Replace(std::move(lines));
  }
  BuildSkipNetworks();
}

void SettingsModel::SaveSettings(ProfileFile& file) {
  SavedSettings s{WindowTop(), WindowLeft(), Paralysis, DropTrash, ReverseLookup,
                  AcceptReceivedHost, Folder, TimeOut, {}};
  for (const ListSection& section : ListSections()) s.lists.push_back(section.list.Current()->Lines());
  WriteAll(file, s);
}

void SettingsModel::WriteDefaultSettings(ProfileFile& file) {
  const LiveSettings construction;
  SavedSettings s{kDesignTop, kDesignLeft, construction.Paralysis, construction.DropTrash,
                  construction.ReverseLookup, construction.AcceptReceivedHost,
                  construction.Folder, construction.TimeOut, {}};
  for (const ListSection& section : ListSections()) s.lists.push_back(section.defaultLines());
  WriteAll(file, s);
}

}  // namespace quorn
