// TFormMain: the settings window, which also holds the live settings and
// the engine's state (SettingsModel). The window shows the settings in
// check boxes, a folder box, a time-out box and five list editors on six
// pages; OK checks the exclusion and rule lines, takes everything over,
// rebuilds SkipNetworks and saves the settings file.
//
// Its lookups own a hidden message window (win32/host_lookup.h) that
// receives the answers of asynchronous reverse lookups and sets
// LookupAnswered for the answer to the current request, whether or not the
// settings window is open.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "settings/settings_model.h"
#include "win32/host_lookup.h"

namespace quorn {

class TFormFolder;

class TFormMain : public SettingsModel {
 public:
  explicit TFormMain(HINSTANCE module);
  ~TFormMain() override;
  TFormMain(const TFormMain&) = delete;
  TFormMain& operator=(const TFormMain&) = delete;

  // The window the lookup answers are posted to.
  HWND Handle() const { return lookups_.AnswerWindow(); }

  // Shows the settings window modally and returns when it closes.
  void ShowModal();
  // Whether the window is open (shown modally).
  bool Showing() const;
  // Brings the open window, or the window open over it (the folder
  // chooser, a message box), to the front.
  void BringToFront();

  // The reverse lookup through Windows Sockets, its answer posted to the
  // lookups' window; see win32/host_lookup.h.
  std::string ResolveHostName(const std::string& ip) override;

  // The window's top-left corner on the screen.
  std::int32_t WindowTop() const override;
  std::int32_t WindowLeft() const override;
  void MoveWindow(std::int32_t top, std::int32_t left) override;

  // The text shown for a folder ID (in the host's ANSI code page): the
  // host's name for its mailbox part, "\", and the folder names.
  std::string FolderDisplayText(const std::string& folderId) const;

  // Turns a folder ID into the name shown for it.
  std::function<std::string(const std::string&)> FolderNameHook;
  // The folder chooser the "..." button opens; none, the button does nothing.
  TFormFolder* FolderChooser = nullptr;

  bool OkPressed = false;     // OK was clicked in this show: a close checks and takes over
  std::string PendingFolder;  // the folder chosen in this show; becomes Folder on OK

 private:
  struct Window;

  // The window's event handlers.
  void FormShow();
  void CheckBoxFolderClick();
  void ButtonFolderClick();
  static bool EditTimeOutKeyPress(wchar_t typed);
  bool FormCloseQuery();
  bool FormClose();  // false when the save failed: the window stays open
  void ShowFolder();

  HostLookups lookups_;
  std::unique_ptr<Window> form_;
};

}  // namespace quorn
