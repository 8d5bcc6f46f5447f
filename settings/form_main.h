// TFormMain: the settings window, which also holds the live settings and
// the engine's state (SettingsModel). Its window receives the answers of
// asynchronous reverse lookups (message WM_APP). Until the settings window's
// controls are built, the window stays hidden and showing it shows nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "settings/settings_model.h"

namespace quorn {

class TFormMain : public SettingsModel {
 public:
  explicit TFormMain(HINSTANCE module);
  ~TFormMain() override;
  TFormMain(const TFormMain&) = delete;
  TFormMain& operator=(const TFormMain&) = delete;

  HWND Handle() const { return window_; }

  // Shows the settings window modally.
  void ShowModal();

  // Turns a folder ID into the name shown for it.
  std::function<std::string(const std::string&)> FolderNameHook;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE module_;
  HWND window_ = nullptr;
};

}  // namespace quorn
