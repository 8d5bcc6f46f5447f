#include "tools/check/message_source.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>
#include <vector>

#include "engine/bounded_header.h"
#include "tools/check/file_links.h"
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

// Links to folders are not followed: a link can lead anywhere, back up the
// tree too (a loop of two links makes paths without end), and a folder
// wanted is named as an argument. Folders are also not listed twice by
// identity, for loops that show no link (bind mounts, or a link that Wine
// shows as a plain folder).
bool ListFolder(const fs::path& folder, std::vector<MessageFile>& files, std::set<FileIdentity>& listed) {
  if (auto identity = IdentityOf(folder.string()); identity && !listed.insert(*identity).second) return true;
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
      if (!IsLink(entry.string())) ok = ListFolder(entry, files, listed) && ok;
    } else if (!maildir && fs::is_regular_file(entry, ec)) {
      AddFile(entry, files);
    }
  }
  return ok && !ec;
}

// Gives a stream's lines, split at LF and without it, in pieces of at most
// kPiece bytes, so that a line of any length never sits in memory whole.
class LinePieces {
 public:
  static constexpr std::streamsize kPiece = 64 << 10;

  explicit LinePieces(std::istream& in) : in_(in), buffer_(kPiece + 1) {}

  // The next piece of the current line (its first when `starts`, its last
  // when `ends`); false at the end of the stream.
  bool Next(std::string& piece, bool& starts, bool& ends) {
    starts = lineEnded_;
    in_.getline(buffer_.data(), kPiece + 1);
    const std::streamsize got = in_.gcount();
    const bool full = in_.fail() && !in_.eof() && !in_.bad() && got == kPiece;
    if (full) in_.clear();  // a piece of a longer line
    if (got == 0 && (in_.eof() || in_.bad()) && starts) return false;
    const bool hadLf = !full && !in_.eof() && !in_.bad();
    piece.assign(buffer_.data(), static_cast<std::size_t>(hadLf ? got - 1 : got));
    ends = lineEnded_ = !full;
    return true;
  }

 private:
  std::istream& in_;
  std::vector<char> buffer_;
  bool lineEnded_ = true;
};

void ReadMbox(const std::string& path, MessageSink& sink) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    sink.Unreadable(path);
    return;
  }
  int count = 0;
  bool inMessage = false;
  bool inHeader = false;
  bool skipLine = false;     // the rest of an envelope line or a body line
  bool firstLine = true;     // no header line yet
  std::string carriedCr;     // a CR ending a piece: the line's own end, or text
  BoundedHeader header;
  auto finish = [&] {
    if (inMessage) sink.Message(path + "#" + std::to_string(count), header.Take());
  };
  LinePieces lines(in);
  std::string piece;
  bool starts = false, ends = false;
  while (lines.Next(piece, starts, ends)) {
    if (starts) {
      skipLine = false;
      carriedCr.clear();
      if (IsEnvelopeLine(piece)) {
        finish();
        ++count;
        inMessage = inHeader = firstLine = true;
        header = BoundedHeader();
        skipLine = true;
      } else if (!inHeader) {
        skipLine = true;
      } else if (ends && (piece.empty() || piece == "\r")) {
        inHeader = false;
        skipLine = true;
      } else {
        Unquote(piece);
        if (!firstLine) header.Append("\r\n");
        firstLine = false;
      }
    }
    if (skipLine) continue;
    // One CR at the line's end is no part of it.
    header.Append(carriedCr);
    carriedCr.clear();
    if (!piece.empty() && piece.back() == '\r') {
      piece.pop_back();
      if (!ends) carriedCr = "\r";
    }
    header.Append(piece);
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
  std::set<FileIdentity> listed;
  if (fs::is_directory(path, ec)) return ListFolder(path, files, listed);
  files.push_back({path, StartsAsMbox(path) ? MessageFileKind::Mbox : MessageFileKind::Message});
  return true;
}

void DropRepeatedFiles(std::vector<MessageFile>& files) {
  std::set<FileIdentity> seen;
  std::vector<MessageFile> kept;
  for (MessageFile& file : files) {
    auto identity = IdentityOf(file.path);
    if (!identity || seen.insert(*identity).second) kept.push_back(std::move(file));
  }
  files = std::move(kept);
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
