// TFormMain: the settings window, which also holds the live settings and
// the engine's state (SettingsModel). Its window receives the answers of
// asynchronous reverse lookups (message WM_APP) and sets LookupAnswered for
// the answer to the current request. Until the settings window's
// controls are built, the window stays hidden and showing it shows nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "settings/settings_model.h"
#include "win32/host_lookup.h"

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

  // The reverse lookup through Windows Sockets, its answer posted to this
  // window; see win32/host_lookup.h.
  std::string ResolveHostName(const std::string& ip) override;

  // Turns a folder ID into the name shown for it.
  std::function<std::string(const std::string&)> FolderNameHook;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE module_;
  HWND window_ = nullptr;
  HostLookups lookups_;
};

}  // namespace quorn
