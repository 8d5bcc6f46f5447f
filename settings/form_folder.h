// TFormFolder: the folder chooser. It picks the spam destination from the
// host's folder tree on disk. Until its window is built it holds only what
// the plug-in tells it: the host's data folder, and the current mailbox and
// its display name when the settings are opened.
#pragma once

#include <string>

namespace quorn {

class TFormFolder {
 public:
  std::string DataFolder;
  std::string MailBox;
  std::string RootCaption;
};

}  // namespace quorn
