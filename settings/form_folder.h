// TFormFolder: the folder chooser. It picks the spam destination from the
// host's folder tree on disk: the current mailbox's directory below the
// host's data folder. The settings window gives it the display text of the
// folder chosen so far, shows it modally and reads the folder ID chosen.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace quorn {

class TFormFolder {
 public:
  TFormFolder();
  ~TFormFolder();
  TFormFolder(const TFormFolder&) = delete;
  TFormFolder& operator=(const TFormFolder&) = delete;

  // Shows the chooser modally: builds the tree from the disk, pre-selects
  // CurrentFolderText. True when it closed with OK; ChosenFolder then holds
  // the folder ID of the selected node. Without a current mailbox it says
  // so in a box instead and returns false.
  bool ShowModal();

  // Places the chooser's window on the screen (its top-left corner).
  void SetPosition(int left, int top);
  // Centres the chooser over `owner` (a rectangle on the screen).
  void CentreOver(const RECT& owner);

  std::string DataFolder;         // ends in "\"
  std::string MailBox;            // the current mailbox's ID, ending in "\"
  std::string RootCaption;        // the mailbox's display name
  std::string CurrentFolderText;  // FolderDisplayText of the folder chosen so far
  std::string ChosenFolder;       // set by OK

 private:
  struct Window;
  std::unique_ptr<Window> window_;
};

}  // namespace quorn
