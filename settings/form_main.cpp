#include "settings/form_main.h"

#include <commctrl.h>

#include "engine/lists.h"
#include "engine/networks.h"
#include "engine/text_error.h"
#include "settings/default_lines.h"
#include "settings/folder_text.h"
#include "settings/form_folder.h"
#include "settings/form_main_design.h"
#include "settings/settings_edit_check.h"
#include "texts/catalog.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/font.h"
#include "ui/tabs.h"
#include "win32/message_box.h"
#include "win32/text_convert.h"

namespace quorn {
namespace {

const wchar_t kClassName[] = L"QuornFormMain";
constexpr int kTabPadding = 3;        // pixels left and right of a tab's caption
constexpr int kTabPaddingHeight = 3;  // the system's own, above and below

std::int32_t ReadOsMajorVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;  // the 148-byte record
  return GetVersionExA(&info) ? static_cast<std::int32_t>(info.dwMajorVersion) : 0;
}

// The lists in the order of the editors (kMainFormMemos), and their built-in lines.
SettingList* const kLists[5] = {&Skip, &White, &Black, &Rules, &RecvRegex};
const TextLines& (*const kDefaultLines[5])() = {DefaultSkipLines, DefaultWhiteLines, DefaultBlackLines,
                                                 DefaultRulesLines, DefaultRecvRegexLines};

}  // namespace

// The settings window and its controls, found once by their design names.
struct TFormMain::Window {
  Window()
      : form(MainFormDesign(), MainFormControls()),
        pages(form.Find<ui::TabControl>("PageControl1")),
        paralysis(form.Find<ui::CheckBox>("CheckBoxParalysis")),
        dropTrash(form.Find<ui::CheckBox>("CheckBoxFolder")),
        reverseLookup(form.Find<ui::CheckBox>("CheckBoxReverseLookup")),
        acceptReceivedHost(form.Find<ui::CheckBox>("CheckBoxAcceptReceivedHost")),
        folder(form.Find<ui::Edit>("EditFolder")),
        timeOut(form.Find<ui::Edit>("EditTimeOut")),
        folderButton(form.Find<ui::Button>("ButtonFolder")) {
    for (int i = 0; i < 5; ++i) memos[i] = form.Find<ui::Memo>(kMainFormMemos[i]);
    folder->SetBackground(COLOR_SCROLLBAR);
    // The six tabs in one row of the window's width: less space beside each
    // caption than the system gives by default.
    SendMessageW(pages->hwnd(), TCM_SETPADDING, 0, MAKELPARAM(kTabPadding, kTabPaddingHeight));
    // The tabs are measured again when the font is set.
    SendMessageW(pages->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(ui::UiFont()), TRUE);
  }

  ui::Form form;
  ui::TabControl* pages;
  ui::CheckBox* paralysis;
  ui::CheckBox* dropTrash;
  ui::CheckBox* reverseLookup;
  ui::CheckBox* acceptReceivedHost;
  ui::Edit* folder;
  ui::Edit* timeOut;
  ui::Button* folderButton;
  ui::Memo* memos[5] = {};

  // Fills editor i with a list's lines, remembering them and how the
  // editor shows them.
  void Fill(int i, const TextLines& lines) {
    memos[i]->SetLines(lines);
    filled[i] = lines;
    shown[i] = memos[i]->Lines();
  }
  // The lines of editor i to take over: those the user left as shown keep
  // the list's own bytes.
  TextLines Edited(int i) const { return KeepUnchangedLines(filled[i], shown[i], memos[i]->Lines()); }
  TextLines filled[5], shown[5];
};

TFormMain::TFormMain(HINSTANCE module) : module_(module), form_(std::make_unique<Window>()) {
  OsMajorVersion = ReadOsMajorVersion();
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = module_;
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module_, this);

  // The editors carry the built-in lines until the first show fills them.
  for (int i = 0; i < 5; ++i) form_->memos[i]->SetLines(kDefaultLines[i]());
  Window& w = *form_;
  w.form.onShow = [this] { FormShow(); };
  w.form.onCloseQuery = [this] { return FormCloseQuery() && FormClose(); };
  w.dropTrash->onClick = [this] { CheckBoxFolderClick(); };
  w.folderButton->onClick = [this] { ButtonFolderClick(); };
  w.timeOut->keyFilter = EditTimeOutKeyPress;
  w.form.Find<ui::Button>("ButtonOk")->onClick = [this] { OkPressed = true; };
  w.form.Find<ui::Button>("ButtonCancel")->onClick = [this] { OkPressed = false; };
}

TFormMain::~TFormMain() {
  if (window_) DestroyWindow(window_);
  UnregisterClassW(kClassName, module_);
}

void TFormMain::ShowModal() {
  if (Showing()) {
    BringToFront();
    return;
  }
  form_->form.ShowModal();
}

bool TFormMain::Showing() const { return form_->form.IsModal(); }

void TFormMain::BringToFront() {
  HWND front = GetLastActivePopup(form_->form.hwnd());
  SetForegroundWindow(front ? front : form_->form.hwnd());
}

std::string TFormMain::ResolveHostName(const std::string& ip) {
  return lookups_.Resolve(window_, ip, TimeOut, OsMajorVersion, LookupAnswered);
}

std::int32_t TFormMain::WindowTop() const { return form_->form.Bounds().top; }
std::int32_t TFormMain::WindowLeft() const { return form_->form.Bounds().left; }
void TFormMain::MoveWindow(std::int32_t top, std::int32_t left) { form_->form.SetPosition(left, top); }

std::string TFormMain::FolderDisplayText(const std::string& folderId) const {
  return quorn::FolderDisplayText(folderId, IsHostAnsiLeadByte, [this](const std::string& id) {
    return FolderNameHook ? FolderNameHook(id) : std::string();
  });
}

void TFormMain::ShowFolder() {
  // Host texts are in the host's code page, not the plug-in's Shift-JIS.
  SetWindowTextW(form_->folder->hwnd(), WideFromHostAnsi(FolderDisplayText(PendingFolder)).c_str());
}

void TFormMain::FormShow() {
  Window& w = *form_;
  OkPressed = false;
  w.paralysis->SetChecked(Paralysis);
  w.dropTrash->SetChecked(DropTrash);
  w.reverseLookup->SetChecked(ReverseLookup);
  w.acceptReceivedHost->SetChecked(AcceptReceivedHost);
  CheckBoxFolderClick();
  PendingFolder = Folder;
  ShowFolder();
  w.timeOut->SetText(std::to_string(TimeOut));
  for (int i = 0; i < 5; ++i) w.Fill(i, kLists[i]->Current()->Lines());
  // On that system the lookup waits without a time-out.
  if (OsMajorVersion == 4) w.timeOut->SetEnabled(false);
  // A position saved for a screen that is no longer there.
  w.form.KeepOnWorkArea();
}

void TFormMain::CheckBoxFolderClick() {
  const bool choosable = !form_->dropTrash->Checked();
  form_->folder->SetEnabled(choosable);
  form_->folderButton->SetEnabled(choosable);
}

void TFormMain::ButtonFolderClick() {
  if (!FolderChooser) return;
  const RECT self = form_->form.Bounds();
  const RECT chooser = FolderChooser->Bounds();
  const int top = self.top + ((self.bottom - self.top) - (chooser.bottom - chooser.top)) / 2;
  const int left = self.left + ((self.right - self.left) - (chooser.right - chooser.left)) / 2;
  FolderChooser->SetPosition(left, top);
  FolderChooser->CurrentFolderText = FolderDisplayText(PendingFolder);
  if (FolderChooser->ShowModal()) {
    PendingFolder = FolderChooser->ChosenFolder;
    ShowFolder();
  }
}

bool TFormMain::EditTimeOutKeyPress(wchar_t typed) { return typed < 32 || (typed >= L'0' && typed <= L'9'); }

bool TFormMain::FormCloseQuery() {
  if (!OkPressed) return true;
  const Window& w = *form_;
  const TextLines skip = w.Edited(0), white = w.Edited(1), black = w.Edited(2), rules = w.Edited(3),
                  recvRegex = w.Edited(4);
  std::string error = FirstInvalidLine(skip, rules);
  if (error.empty()) error = FirstLineTheFileChanges({&skip, &white, &black, &rules, &recvRegex});
  if (error.empty()) return true;
  ShowMessage(error, MessageKind::Error);
  return false;
}

bool TFormMain::FormClose() {
  if (!OkPressed) return true;
  Window& w = *form_;
  Paralysis = w.paralysis->Checked();
  DropTrash = w.dropTrash->Checked();
  ReverseLookup = w.reverseLookup->Checked();
  AcceptReceivedHost = w.acceptReceivedHost->Checked();
  Folder = PendingFolder;
  TimeOut = TimeOutFromText(w.timeOut->Text());
  // Each list is replaced whole: a check in progress keeps the versions it
  // started with.
  for (int i = 0; i < 5; ++i) kLists[i]->Replace(w.Edited(i));
  BuildSkipNetworks();
  std::string failure;
  try {
    SaveSettings(IniPath);
    return true;
  } catch (const TextError& e) {
    failure = e.what();
  } catch (...) {
    failure = texts::kCannotWriteFile;
    failure.replace(failure.find("%s"), 2, IniPath);
  }
  // The edits stay in the window; a later OK checks, takes over and saves again.
  ShowMessage(failure, MessageKind::Error);
  return false;
}

LRESULT CALLBACK TFormMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<TFormMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_APP && form) {
    if (form->lookups_.OnAnswer(wParam, lParam)) form->LookupAnswered = true;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quorn
