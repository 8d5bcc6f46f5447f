// The host's data folder on disk: mailboxes as directories, their folders
// as nested directories, as the plug-in's folder chooser reads them. Names
// are given in UTF-8 by scripts and stored through the wide functions;
// the host addresses them in Shift-JIS.
#pragma once

#include <string>

namespace sim {

// Fills a new data folder: MailBox1 and MailBox2 with nested folders, the
// host's own directories (!Trash, #Temp), a plain file, directories with
// the archive or read-only bit and Shift-JIS names with a 0x5C second byte.
void MakeMailboxes();

// "folder-dir PATH [archive|readonly|hidden|system]...": a directory (and
// the ones above it) below the data folder with those bits, then the bits
// the system reports for it. False for an unknown bit name.
bool FolderDirCommand(const std::string& argument);

// "folder-list [PATH]": every entry below PATH (the data folder by
// default), a line each, with the attribute bits the system reports.
void FolderListCommand(const std::string& argument);

}  // namespace sim
