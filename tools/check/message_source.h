// The messages a path names, in the forms mail comes in:
//
//   - a message file: the whole file is one message;
//   - an mbox file: a file whose first line starts with "From ". Every line
//     starting with "From " begins a message and is no part of it; lines of
//     the form ">From ", ">>From ", ... lose one '>' (the quoting mbox
//     writers add to body lines that start with "From ");
//   - a Maildir: a folder holding cur/, new/ and tmp/; its messages are the
//     files in cur/ and new/ whose names do not start with a dot (tmp/
//     holds deliveries not yet finished). Its other subfolders (the folders
//     of Maildir++) are read as folders;
//   - any other folder: every file and folder in it, recursively; links to
//     folders (on Windows also junctions) are not followed, links to files
//     are.
//
// Within a folder, entries are read in the order of their names. A message
// in an mbox file is named "path#n", n counted from 1; every other message
// by its path.
#pragma once

#include <string>
#include <vector>

namespace quorn {

enum class MessageFileKind { Message, Mbox };

struct MessageFile {
  std::string path;
  MessageFileKind kind = MessageFileKind::Message;
};

// Whether the file's first line starts with "From " (false when unreadable).
bool StartsAsMbox(const std::string& path);

// Whether `path` is a folder holding cur/, new/ and tmp/.
bool IsMaildir(const std::string& path);

// The message files one argument names, appended to `files`: the argument
// itself when it is no folder (whether readable or not is found when it is
// read). False when a folder cannot be listed.
bool ListMessageFiles(const std::string& path, std::vector<MessageFile>& files);

// Leaves only the first of the names that lead to the same file (through
// links, or arguments naming a file twice), so that no message is judged
// twice in one run.
void DropRepeatedFiles(std::vector<MessageFile>& files);

// Receives the messages of a file one by one: its name and its header as
// the plug-in sees it on receipt (lines ending in CR LF, the text before the
// first empty line; see message_file.h).
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Message(const std::string& name, const std::string& header) = 0;
  virtual void Unreadable(const std::string& name) = 0;
};

// Reads every message of one file into `sink`, in bounded memory whatever
// the file holds: a header as BoundedHeader keeps it, an mbox file in
// pieces of lines.
void ReadMessages(const MessageFile& file, MessageSink& sink);

}  // namespace quorn
