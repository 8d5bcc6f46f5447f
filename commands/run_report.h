// The box that ends a sort or check run.
#pragma once

namespace quorn {

// Shows the count of a run: for a check, how many messages were spam; for a
// sort, how many were moved and, in an error box, how many could not be.
void ReportRun(bool moveSpam, int spamCount, int notMovedCount);

// Ends a sort that had no destination to move its spam to, in an error box.
void ReportNoDestination(int spamCount);

}  // namespace quorn
