// The scenario commands of the message list (see mailbox.h):
//   mail FILE...              adds message files (beside the script), not selected
//   mail-text TEXT            adds a message given in the line ("\r\n" escapes)
//   mail-corpus COUNT [DIR]   adds COUNT messages made of the header files in DIR
//                             (default: $QUORN_CORPUS_HEADERS), cycled, sorted by name
//   select all|none|ID...     selects exactly these messages of the current mailbox
//                             ("#N" stands for the current mailbox's ID with "#N")
//   current #N|ID|none        makes the message current (VMA_GetCurrentMail gives
//                             its ID), or none (the host then gives the empty text)
//   selection-protocol NAME   plain, last-with-end, empty-ids or untouched-end
//   fail-moves FOLDER         moves into FOLDER fail from now on
//   mails                     prints every message with its folder and selection
//   trace on|off              shows or hides the message list's host calls
#pragma once

#include <filesystem>
#include <string>

namespace sim {

// Runs one of the commands above; false when `command` is none of them.
bool ExecuteMailCommand(const std::string& command, const std::string& argument,
                        const std::filesystem::path& scriptFolder);

}  // namespace sim
