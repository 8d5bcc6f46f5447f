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
// key gets its built-in lines; a section without Count gives an empty list;
// a missing Item within Count reads as an empty line. A Count below zero or
// above kMaxTrustedCount is a damaged file, not a list: that list is read
// as the Item keys present (Item0 up to the last one below the bound) and
// the load reports it. A load is all or nothing: when reading fails
// anywhere, the built-in settings stay in force and the file's content is
// kept as a backup before anything is written to it again.
// Saving writes every key, all at once, and deletes nothing: Item keys
// past a shorter list's Count stay in the file, unread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/lists.h"
#include "engine/live_settings.h"
#include "settings/profile_file.h"

namespace quorn {

class SettingsModel : public LiveSettings {
 public:
  // Where the settings window stands before the settings say otherwise.
  static constexpr std::int32_t kDesignTop = 115;
  static constexpr std::int32_t kDesignLeft = 192;

  // The largest Count trusted. Real lists hold tens to thousands of lines;
  // a larger Count is a typo or damage, and reading it as it stands would
  // hold the host for minutes and fill its memory.
  static constexpr std::int32_t kMaxTrustedCount = 100000;

  std::string IniPath;  // the file last loaded; empty before

  struct LoadReport {
    std::vector<std::string> repairedLists;  // sections whose Count was not trusted
  };

  // Read from, or write to, the INI file at `path`. The file is opened for
  // the call and released before it returns.
  // Loading takes every value over only when all were read, and ends by
  // rebuilding SkipNetworks. When it fails, the lists hold their built-in
  // lines (SkipNetworks rebuilt), the other settings keep their values, the
  // file is remembered as unreadable, and TextError "<path> を読み込めません..."
  // is thrown.
  // Saving throws TextError "<path> に書き込めません" when the file cannot be
  // written; the settings in memory are unchanged by it.
  LoadReport LoadSettings(const std::string& path);
  void SaveSettings(const std::string& path);
  void WriteDefaultSettings(const std::string& path);

  // The same through a given implementation of the profile file (no backup
  // is made by the writes).
  LoadReport LoadSettings(const std::string& path, ProfileFile& file);
  void SaveSettings(ProfileFile& file);
  void WriteDefaultSettings(ProfileFile& file);

  // Every writer of the settings file calls this before it writes to
  // `path`: when the last load of that file failed, the file's content is
  // first kept beside it (KeepBackupCopy), once. Throws TextError when no
  // copy can be made; the file must then be left alone.
  void KeepUnreadableFile(const std::string& path);

  // The text telling which lists of which file were read without their
  // Count; empty when the report names none.
  static std::string RepairedListsText(const std::string& path, const LoadReport& report);

  // The settings window's top-left corner; the window itself overrides these.
  virtual std::int32_t WindowTop() const { return top_; }
  virtual std::int32_t WindowLeft() const { return left_; }
  virtual void MoveWindow(std::int32_t top, std::int32_t left) {
    top_ = top;
    left_ = left;
  }

 private:
  std::string unreadableFile_;  // a file whose load failed, not yet kept
  std::int32_t top_ = kDesignTop;
  std::int32_t left_ = kDesignLeft;
};

}  // namespace quorn
