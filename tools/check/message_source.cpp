#include "tools/check/message_source.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "tools/check/message_file.h"

namespace fs = std::filesystem;

namespace quorn {
namespace {

bool IsEnvelopeLine(const std::string& line) { return line.compare(0, 5, "From ") == 0; }

// ">From " quoted once or more loses one '>'.
void Unquote(std::string& line) {
  std::size_t marks = line.find_first_not_of('>');
  if (marks > 0 && marks != std::string::npos && line.compare(marks, 5, "From ") == 0) line.erase(0, 1);
}

std::vector<fs::path> SortedEntries(const fs::path& folder, std::error_code& ec) {
  std::vector<fs::path> entries;
  for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    entries.push_back(it->path());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

void AddFile(const fs::path& path, std::vector<MessageFile>& files) {
  const std::string name = path.generic_string();
  files.push_back({name, StartsAsMbox(name) ? MessageFileKind::Mbox : MessageFileKind::Message});
}

bool ListFolder(const fs::path& folder, std::vector<MessageFile>& files) {
  std::error_code ec;
  const bool maildir = IsMaildir(folder.string());
  if (maildir) {
    for (const char* part : {"cur", "new"}) {
      for (const fs::path& entry : SortedEntries(folder / part, ec)) {
        if (entry.filename().string().compare(0, 1, ".") != 0 && fs::is_regular_file(entry, ec)) {
          AddFile(entry, files);
        }
      }
      if (ec) return false;
    }
  }
  bool ok = true;
  for (const fs::path& entry : SortedEntries(folder, ec)) {
    const std::string leaf = entry.filename().string();
    if (maildir && (leaf == "cur" || leaf == "new" || leaf == "tmp")) continue;
    if (fs::is_directory(entry, ec)) {
      ok = ListFolder(entry, files) && ok;
    } else if (!maildir && fs::is_regular_file(entry, ec)) {
      AddFile(entry, files);
    }
  }
  return ok && !ec;
}

void ReadMbox(const std::string& path, MessageSink& sink) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    sink.Unreadable(path);
    return;
  }
  int count = 0;
  bool inMessage = false;
  bool inHeader = false;
  std::string header;
  auto finish = [&] {
    if (inMessage) sink.Message(path + "#" + std::to_string(count), header);
  };
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsEnvelopeLine(line)) {
      finish();
      ++count;
      inMessage = inHeader = true;
      header.clear();
      continue;
    }
    if (!inHeader) continue;
    if (line.empty()) {
      inHeader = false;
      continue;
    }
    Unquote(line);
    if (!header.empty()) header += "\r\n";
    header += line;
  }
  if (in.bad()) {
    sink.Unreadable(path);
    return;
  }
  finish();
}

}  // namespace

bool StartsAsMbox(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char start[5] = {};
  return in.read(start, sizeof start) && IsEnvelopeLine(std::string(start, sizeof start));
}

bool IsMaildir(const std::string& path) {
  std::error_code ec;
  const fs::path folder(path);
  return fs::is_directory(folder / "cur", ec) && fs::is_directory(folder / "new", ec) &&
         fs::is_directory(folder / "tmp", ec);
}

bool ListMessageFiles(const std::string& path, std::vector<MessageFile>& files) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return ListFolder(path, files);
  files.push_back({path, StartsAsMbox(path) ? MessageFileKind::Mbox : MessageFileKind::Message});
  return true;
}

void ReadMessages(const MessageFile& file, MessageSink& sink) {
  if (file.kind == MessageFileKind::Mbox) {
    ReadMbox(file.path, sink);
    return;
  }
  auto header = ReadMessageHeader(file.path);
  if (header) {
    sink.Message(file.path, *header);
  } else {
    sink.Unreadable(file.path);
  }
}

}  // namespace quorn
