// Every message box the plug-in shows is recorded in the transcript and
// answered at once, so no scenario can block on a dialog.
#pragma once

#include <functional>
#include <string>

namespace sim {

enum class BoxAnswer { Yes, No };

// Starts answering the boxes of this thread.
void AnswerMessageBoxes();
// How the next boxes with Yes and No are answered (OK boxes get OK).
void SetBoxAnswer(BoxAnswer answer);
// Whether the transcript names each box's icon (information, question,
// error, warning) after its buttons.
void ShowBoxIcons(bool show);
// Takes a picture of the next box, before it is answered, into `path`.
void ShootNextBox(const std::string& path);
// Runs `action` once the next box has been answered, while it closes: the
// user fixes what the box reported before going on.
void AfterNextBox(std::function<void()> action);

}  // namespace sim
