// The batch behind the sort and check commands: judges every selected
// message, then moves the spam (sort) or leaves exactly the spam selected
// (check), and reports the count in a message box.
#pragma once

namespace quorn {

// Runs one batch. Needs FormMain and FormProgress. Throws what judging a
// message throws (TextError for a pattern that cannot be used); the progress
// window is hidden again and the host's selection is untouched then.
void ProcessSelectedMail(bool moveSpam);

}  // namespace quorn
