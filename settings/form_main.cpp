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

  // The lines of the editor of `list`.
  TextLines LinesOf(const SettingList& list) const {
    for (std::size_t i = 0; i < kListCount; ++i) {
      if (&ListBindings()[i].list == &list) return editors[i]->Lines();
    }
    return TextLines();
  }

  ui::Form form;
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
  for (std::size_t i = 0; i < kListCount; ++i) w.editors[i]->SetLines(ListBindings()[i].list.Current()->Lines());
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
  std::string error = FirstInvalidLine(form_->LinesOf(Skip), form_->LinesOf(Rules));
  if (error.empty()) {
    std::vector<TextLines> lines;
    for (const ui::Memo* editor : form_->editors) lines.push_back(editor->Lines());
    std::vector<const TextLines*> inOrder;
    for (const TextLines& list : lines) inOrder.push_back(&list);
    error = FirstTooLongLine(inOrder);
  }
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
  for (std::size_t i = 0; i < kListCount; ++i) ListBindings()[i].list.Replace(w.editors[i]->Lines());
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
