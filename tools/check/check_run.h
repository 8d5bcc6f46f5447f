// Judging the messages of a list of files with one settings object, as the
// plug-in judges received mail: a row per message on standard output (when
// wanted), every verdict counted in a tally, and a message that cannot be
// read or judged reported on standard error with the reason.
#pragma once

#include <string>
#include <vector>

#include "engine/lists.h"
#include "settings/settings_model.h"
#include "tools/check/message_source.h"
#include "tools/check/progress_line.h"
#include "tools/check/verdict_tally.h"

namespace quorn {

class CheckRun : public MessageSink {
 public:
  CheckRun(SettingsModel& form, const ListSnapshot& lists, bool printRows, ProgressLine& progress)
      : form_(form), lists_(lists), printRows_(printRows), progress_(progress) {}

  // Judges every message of `files` into `tally`; false when any message
  // could not be read or judged.
  bool Judge(const std::vector<MessageFile>& files, VerdictTally& tally);

  void Message(const std::string& name, const std::string& header) override;
  void Unreadable(const std::string& name) override;

 private:
  void ReportFailure(const std::string& name, const std::string& shiftJisText);

  SettingsModel& form_;
  const ListSnapshot& lists_;
  bool printRows_;
  ProgressLine& progress_;
  VerdictTally* tally_ = nullptr;
  bool ok_ = true;
};

}  // namespace quorn
