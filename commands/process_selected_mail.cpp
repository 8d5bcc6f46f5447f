#include "commands/process_selected_mail.h"

#include <string>
#include <utility>
#include <vector>

#include "commands/form_progress.h"
#include "commands/run_report.h"
#include "commands/selected_mail.h"
#include "engine/bounded_header.h"
#include "engine/lists.h"
#include "engine/verdict.h"
#include "hostapi/plugin_state.h"
#include "hostapi/spam_move.h"
#include "hostapi/velmo_api.h"

namespace quorn {
namespace {

using IdList = std::vector<std::string>;

void Select(const IdList& ids, BOOL select) {
  for (const std::string& id : ids) HostAPI.VMA_SetSel(id.c_str(), select);
}

}  // namespace

void ProcessSelectedMail(bool moveSpam) {
  // What the run works with is fixed when it starts: the settings window may
  // replace the lists, and the user switch mailboxes, while a lookup waits.
  const ListSnapshot lists = ListSnapshot::Take();
  const std::string destination = moveSpam ? SpamDestination() : std::string();

  int count = 0;
  ForEachSelectedMail([&](const std::string&) { ++count; });

  // The second pass decides what is judged; the count only sizes the bar.
  IdList spam, clean;
  {
    ProgressShown progress(count);  // the judging pass
    ForEachSelectedMail([&](const std::string& id) {
      FormProgress->StepIt();
      // Judged in bounded memory, as on receipt: the host's text may be huge.
      const char* header = HostAPI.VMA_GetHeader(id.c_str());
      (CheckMessage(*FormMain, HeaderToJudge(header ? header : ""), lists) ? spam : clean).push_back(id);
    });
  }

  Select(clean, FALSE);
  Select(spam, FALSE);
  HostAPI.VMA_SetSel(nullptr, FALSE);

  // A sort with nowhere to move to ("ゴミ箱に捨てる" off, no folder chosen)
  // moves nothing: the spam is left selected, as a check leaves it, and the
  // box says where the destination is set.
  const bool nowhereToMove = moveSpam && destination.empty() && !spam.empty();
  if (!moveSpam || nowhereToMove) {
    HostAPI.VMA_SetSel(nullptr, FALSE);
    Select(spam, TRUE);
    if (nowhereToMove) {
      ReportNoDestination(static_cast<int>(spam.size()));
    } else {
      ReportRun(false, static_cast<int>(spam.size()), 0);
    }
    return;
  }

  IdList notMoved;
  for (const std::string& id : spam) {
    if (!MoveToSpamFolder(id, destination)) notMoved.push_back(id);
  }
  // What stays behind is selected again: the clean messages, then the spam
  // that could not be moved.
  HostAPI.VMA_SetSel(nullptr, FALSE);
  Select(clean, TRUE);
  Select(notMoved, TRUE);
  ReportRun(true, static_cast<int>(spam.size()), static_cast<int>(notMoved.size()));
}

}  // namespace quorn
