#include "tools/check/check_run.h"

#include <cstdio>
#include <exception>

#include "engine/text_error.h"
#include "tools/check/terminal.h"
#include "tools/check/verdict_row.h"

namespace quorn {

bool CheckRun::Judge(const std::vector<MessageFile>& files, VerdictTally& tally) {
  tally_ = &tally;
  ok_ = true;
  for (const MessageFile& file : files) {
    progress_.FileStarted();
    // Memory or the system may still fail on one file: the run goes on.
    try {
      ReadMessages(file, *this);
    } catch (const std::exception&) {
      Unreadable(file.path);
    }
  }
  tally_ = nullptr;
  return ok_;
}

void CheckRun::Message(const std::string& name, const std::string& header) {
  progress_.MessageJudged();
  try {
    MessageVerdict verdict = JudgeMessage(form_, header, lists_);
    tally_->Add(name, verdict, form_);
    if (printRows_) std::printf("%s\n", VerdictRow(name, verdict, form_).c_str());
  } catch (const TextError& e) {
    tally_->AddUnjudged();
    ReportFailure(name, e.what());
  }
}

void CheckRun::Unreadable(const std::string& name) {
  tally_->AddUnjudged();
  ReportFailure(name, "cannot read the file");
}

void CheckRun::ReportFailure(const std::string& name, const std::string& shiftJisText) {
  ok_ = false;
  progress_.Clear();
  std::fflush(stdout);
  std::fputs(name.c_str(), stderr);
  std::fputs(": ", stderr);
  WriteForPerson(stderr, shiftJisText);
  std::fputs("\n", stderr);
}

}  // namespace quorn
