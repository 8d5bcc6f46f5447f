#include "commands/commands.h"

#include "commands/command_guard.h"
#include "commands/form_progress.h"
#include "commands/form_received.h"
#include "commands/process_selected_mail.h"
#include "engine/bounded_header.h"
#include "engine/text_error.h"
#include "hostapi/plugin_state.h"
#include "hostapi/velmo_api.h"
#include "texts/catalog.h"
#include "win32/message_box.h"

namespace quorn {
namespace {

// A handler's whole run. Nothing may reach the host: an error while judging
// ends the run with its text in an error box (the progress window is hidden
// by then), before any selection call or move.
void RunSelectedMail(bool moveSpam) noexcept {
  try {
    CommandGuard guard;
    if (!guard.Held()) return;
    if (!FormMain || !FormProgress) {
      ShowMessage(texts::kNotReady, MessageKind::Information);
      return;
    }
    try {
      ProcessSelectedMail(moveSpam);
    } catch (const TextError& e) {
      ShowMessage(e.what(), MessageKind::Error);
    } catch (...) {
      ShowMessage(texts::kCommandFailed, MessageKind::Error);
    }
  } catch (...) {
  }
}

}  // namespace

void WINAPI SortSpamCommand(HWND, LPARAM) { RunSelectedMail(true); }
void WINAPI CheckSpamCommand(HWND, LPARAM) { RunSelectedMail(false); }

// Shows the inspector on the current message. It takes the guard for its
// whole show: its fill waits for lookups, and a command (this one too)
// called meanwhile must not start a run or a second fill.
void WINAPI InspectReceivedCommand(HWND, LPARAM) {
  try {
    CommandGuard guard;
    if (!guard.Held()) return;
    if (!FormMain || !FormProgress || !FormReceived) {
      ShowMessage(texts::kNotReady, MessageKind::Information);
      return;
    }
    // With no current message the host gives no ID: there is no header to
    // ask for, and the inspector lists no relay. The header is kept in
    // bounded memory, as on receipt, with the same relays listed.
    const std::string id = HostText(HostAPI.VMA_GetCurrentMail());
    const char* header = id.empty() ? nullptr : HostAPI.VMA_GetHeader(id.c_str());
    FormReceived->SetHeader(HeaderToJudge(header ? header : ""));
    FormReceived->ShowModal();
  } catch (...) {
  }
}

}  // namespace quorn
