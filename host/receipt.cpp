#include "host/receipt.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "engine/bounded_header.h"
#include "engine/text_error.h"
#include "engine/verdict.h"
#include "host/plugin_api.h"
#include "hostapi/plugin_state.h"
#include "hostapi/velmo_api.h"
#include "texts/catalog.h"
#include "win32/message_box.h"

namespace quorn {

bool MovePending = false;
char StampBuffer[kStampBufferSize] = {};

namespace {

// The folder text of the last move answer; the host reads it after the call.
std::string MoveAnswer;

// Shows the first error of the receipt filter; later ones stay silent until
// the settings are opened again.
void ReportFilterError(const std::string& text) {
  if (!FilterErrorShown) ShowMessage(text, MessageKind::Error);
  FilterErrorShown = true;
}

}  // namespace

}  // namespace quorn

using namespace quorn;

int WINAPI VMC_OnBeforeFilter(const char* message, int* action, char** text) {
  return Guarded(velmo::kLeaveMessage, [&]() -> int {
    if (!action || !text) return velmo::kLeaveMessage;
    if (MovePending) {
      MoveAnswer = FormMain ? FormMain->Folder : std::string();
      *action = velmo::kActionMove;
      *text = MoveAnswer.data();
      MovePending = false;
      return velmo::kMoveMessage;
    }
    if (!FormMain || FormMain->Paralysis || !message) return velmo::kLeaveMessage;

    // A message with no body may leave out the empty line: the sender
    // chooses that, so the whole text is then the header, never a pass.
    const char* end = std::strstr(message, "\r\n\r\n");
    if (!end) end = message + std::strlen(message);
    // A header of hundreds of MiB copied whole would exhaust a 32-bit
    // process: it is judged in bounded memory, with the same verdict.
    try {
      if (!CheckMessage(*FormMain, HeaderToJudge(std::string_view(message, static_cast<std::size_t>(end - message))))) {
        return velmo::kLeaveMessage;
      }
    } catch (const TextError& e) {
      ReportFilterError(e.what());
      return velmo::kLeaveMessage;
    } catch (...) {
      ReportFilterError(texts::kFilterFailed);
      return velmo::kLeaveMessage;
    }

    MovePending = true;
    std::snprintf(StampBuffer, sizeof StampBuffer, "X-Quorn: type=%s", VerdictLabel(*FormMain));
    *action = velmo::kActionAddHeader;
    *text = StampBuffer;
    return velmo::kDoAction;
  });
}
