#include "settings/form_main.h"

#include <commctrl.h>

#include "engine/lists.h"
#include "engine/networks.h"
#include "engine/text_error.h"
#include "settings/folder_text.h"
#include "settings/form_folder.h"
#include "settings/form_main_design.h"
#include "settings/list_bindings.h"
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

constexpr int kTabPadding = 3;        // pixels left and right of a tab's caption
constexpr int kTabPaddingHeight = 3;  // the system's own, above and below

}  // namespace

// The settings window, its controls handed back by the build.
struct TFormMain::Window : MainFormControls {
  Window() : form(MainFormDesign(), MainFormControlTable(*this)) {
    folder->SetBackground(COLOR_SCROLLBAR);
    // The six tabs in one row of the window's width: less space beside each
    // caption than the system gives by default.
    SendMessageW(pages->hwnd(), TCM_SETPADDING, 0, MAKELPARAM(kTabPadding, kTabPaddingHeight));
    // The tabs are measured again when the font is set.
    SendMessageW(pages->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(ui::UiFont()), TRUE);
  }

  ui::Form form;

  // Fills editor i with a list's lines, remembering them and how the
  // editor shows them.
  void Fill(std::size_t i, const TextLines& lines) {
    editors[i]->SetLines(lines);
    filled[i] = lines;
    shown[i] = editors[i]->Lines();
  }
  // The lines of editor i to take over: those the user left as shown keep
  // the list's own bytes.
  TextLines Edited(std::size_t i) const { return KeepUnchangedLines(filled[i], shown[i], editors[i]->Lines()); }
  TextLines filled[kListCount], shown[kListCount];
};

TFormMain::TFormMain(HINSTANCE module) : lookups_(module, LookupAnswered), form_(std::make_unique<Window>()) {
  OsMajorVersion = SystemMajorVersion();

  // The editors carry the built-in lines until the first show fills them.
  for (std::size_t i = 0; i < kListCount; ++i) form_->editors[i]->SetLines(ListBindings()[i].defaultLines());
  Window& w = *form_;
  w.form.onShow = [this] { FormShow(); };
  w.form.onCloseQuery = [this] { return FormCloseQuery() && FormClose(); };
  w.dropTrash->onClick = [this] { CheckBoxFolderClick(); };
  w.folderButton->onClick = [this] { ButtonFolderClick(); };
  w.timeOut->keyFilter = EditTimeOutKeyPress;
  w.ok->onClick = [this] { OkPressed = true; };
  w.cancel->onClick = [this] { OkPressed = false; };
}

TFormMain::~TFormMain() = default;

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
  return lookups_.Resolve(ip, TimeOut, OsMajorVersion);
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
  for (std::size_t i = 0; i < kListCount; ++i) w.Fill(i, ListBindings()[i].list.Current()->Lines());
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
  FolderChooser->CentreOver(form_->form.Bounds());
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
  static_assert(kListCount == 5, "the lists checked on OK");
  TextLines edited[kListCount];
  for (std::size_t i = 0; i < kListCount; ++i) edited[i] = w.Edited(i);
  auto editedOf = [&](const SettingList& list) -> const TextLines& {
    std::size_t i = 0;
    while (&ListBindings()[i].list != &list) ++i;
    return edited[i];
  };
  std::string error = FirstInvalidLine(editedOf(Skip), editedOf(Rules));
  if (error.empty()) error = FirstLineTheFileChanges({&edited[0], &edited[1], &edited[2], &edited[3], &edited[4]});
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
  for (std::size_t i = 0; i < kListCount; ++i) ListBindings()[i].list.Replace(w.Edited(i));
  BuildSkipNetworks();
  std::string failure;
  try {
    SaveSettings(IniPath);
    return true;
  } catch (const TextError& e) {
    failure = e.what();
  } catch (...) {
    failure = CannotWriteText(IniPath);
  }
  // The edits stay in the window; a later OK checks, takes over and saves again.
  ShowMessage(failure, MessageKind::Error);
  return false;
}

}  // namespace quorn
