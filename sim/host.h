// The host simulator's state: a stand-in for the mail client, as the plug-in
// sees it through the host functions it calls.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "hostapi/velmo_api.h"

namespace sim {

struct Message {
  std::string id;      // "<mailbox>#<n>"
  std::string folder;  // the folder ID it lies in
  std::string text;    // header, empty line, body; CR LF line ends
  bool selected = false;
};

struct Command {
  int id;
  std::string status;  // Shift-JIS, as registered
  int menuType;
  quorn::VelmoCommandHandler handler;
};

// How VMA_GetNextMail delivers the selection. Positions are the host's own.
enum class SelectionProtocol {
  Plain,         // each selected ID with a position; then -1 with an empty ID
  LastWithEnd,   // the last selected ID comes together with -1
  EmptyIds,      // an empty ID before every selected one (to be skipped)
  UntouchedEnd,  // the final -1 leaves the caller's buffer as it was
};

struct Host {
  std::string version = "2.00.10";
  std::string dataFolder;             // ends with "\"
  std::string currentMailBox = "MailBox1\\";
  std::string currentMail;
  std::vector<Message> messages;
  std::vector<Command> commands;
  int nextCommandId = 40001;
  SelectionProtocol selectionProtocol = SelectionProtocol::Plain;
  bool traceCalls = true;  // the transcript shows the calls of the message list
  // Buffers behind the texts the host hands out, one per function (valid
  // until that function's next call).
  std::map<std::string, std::string> returned;
};

extern Host TheHost;

// What VMA_GetFolderDisplayName answers for a folder ID (Shift-JIS).
std::string FolderDisplayName(const std::string& id);

// One line of the transcript, UTF-8.
void Say(const std::string& line);
// A Shift-JIS text of the plug-in, for the transcript.
std::string Show(const std::string& shiftJis);
// A path under the data folder, shown as "<data>\...".
std::string ShowPath(const std::string& path);
// A text with every mention of the data folder shown as "<data>\".
std::string HideDataFolder(std::string text);

}  // namespace sim
