#include "commands/run_report.h"

#include <cstdio>
#include <string>

#include "texts/catalog.h"
#include "win32/message_box.h"

namespace quorn {
namespace {

std::string Counted(const char* format, int count) {
  char text[256];
  std::snprintf(text, sizeof text, format, count);
  return text;
}

}  // namespace

void ReportRun(bool moveSpam, int spamCount, int notMovedCount) {
  if (spamCount == 0) {
    ShowMessage(texts::kNoSpam, MessageKind::Information);
  } else if (!moveSpam) {
    ShowMessage(Counted(texts::kSpamFound, spamCount), MessageKind::Information);
  } else if (notMovedCount == 0) {
    ShowMessage(Counted(texts::kSpamMoved, spamCount), MessageKind::Information);
  } else {
    // Messages left behind are a failure the user must see: an error box,
    // with the moved count on a line of its own above when some did move.
    const int moved = spamCount - notMovedCount;
    std::string text = moved > 0 ? Counted(texts::kSpamMoved, moved) + "\n" : std::string();
    ShowMessage(text + Counted(texts::kSpamNotMoved, notMovedCount), MessageKind::Error);
  }
}

void ReportNoDestination(int spamCount) {
  ShowMessage(Counted(texts::kSpamNoDestination, spamCount), MessageKind::Error);
}

}  // namespace quorn
