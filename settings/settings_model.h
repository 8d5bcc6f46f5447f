// The settings model: the live settings and the engine's state (inherited),
// the settings window's position, the five setting lists, and their INI file.
//
// File layout, in writing order:
//   [FormMain]   Top, Left, Paralysis, DropTrash, ReverseLookup,
//                AcceptReceivedHost, Folder, TimeOut
//   [Skip] [White] [Black] [Rules] [RecvRegex]
//                Count, then Item0 .. Item<Count-1>
// Integers are decimal, booleans 1 or 0, texts verbatim (Shift-JIS).
//
// Loading falls back key by key: a missing key or a value that is not a
// number keeps the member's current value; a list whose section holds no
// key gets its built-in lines; a section without Count gives an empty list.
// Saving writes every key and deletes nothing: Item keys past a shorter
// list's Count stay in the file, unread.
#pragma once

#include <cstdint>
#include <string>

#include "engine/lists.h"
#include "engine/live_settings.h"
#include "settings/profile_file.h"

namespace quorn {

class SettingsModel : public LiveSettings {
 public:
  // Where the settings window stands before the settings say otherwise.
  static constexpr std::int32_t kDesignTop = 115;
  static constexpr std::int32_t kDesignLeft = 192;

  std::string IniPath;  // the file last loaded; empty before

  // Read from, or write to, the INI file at `path`. The file is opened for
  // the call and released before it returns. Saving throws TextError
  // "<path> に書き込めません" when the file cannot be written; the settings in
  // memory are unchanged by it. Loading ends by rebuilding SkipNetworks.
  void LoadSettings(const std::string& path);
  void SaveSettings(const std::string& path);
  void WriteDefaultSettings(const std::string& path);

  // The same through a given implementation of the profile file.
  void LoadSettings(const std::string& path, ProfileFile& file);
  void SaveSettings(ProfileFile& file);
  void WriteDefaultSettings(ProfileFile& file);

  // The settings window's top-left corner; the window itself overrides these.
  virtual std::int32_t WindowTop() const { return top_; }
  virtual std::int32_t WindowLeft() const { return left_; }
  virtual void MoveWindow(std::int32_t top, std::int32_t left) {
    top_ = top;
    left_ = left;
  }

 private:
  std::int32_t top_ = kDesignTop;
  std::int32_t left_ = kDesignLeft;
};

}  // namespace quorn
