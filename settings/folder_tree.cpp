#include "settings/folder_tree.h"

#include "win32/text_convert.h"

namespace quorn {
namespace {

// Not all of these are named by the MinGW headers.
constexpr DWORD kSparse = 0x200;
constexpr DWORD kReparsePoint = 0x400;
constexpr DWORD kCompressed = 0x800;
constexpr DWORD kOffline = 0x1000;               // data moved to other storage
constexpr DWORD kNotContentIndexed = 0x2000;
constexpr DWORD kEncrypted = 0x4000;
constexpr DWORD kIntegrityStream = 0x8000;       // ReFS, set on whole volumes
constexpr DWORD kNoScrubData = 0x20000;          // ReFS
constexpr DWORD kRecallOnOpen = 0x40000;         // cloud files
constexpr DWORD kPinned = 0x80000;               // cloud files: kept on this machine
constexpr DWORD kUnpinned = 0x100000;            // cloud files: may be freed
constexpr DWORD kRecallOnDataAccess = 0x400000;  // cloud files

// The cloud-files reparse tags (0x9000001A with a sub-tag in bits 12-15).
bool IsCloudReparseTag(DWORD tag) { return (tag & ~0xF000u) == 0x9000001Au; }

bool IsDotEntry(const std::wstring& name) { return name == L"." || name == L".."; }

// Closes a find handle on every way out.
class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (valid()) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

const DWORD kStorageAttributes = kSparse | kCompressed | kOffline | kNotContentIndexed | kEncrypted |
                                 kIntegrityStream | kNoScrubData | kRecallOnOpen | kPinned | kUnpinned |
                                 kRecallOnDataAccess;

bool ShowsAsFolder(DWORD attributes, DWORD reparseTag) {
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  DWORD others = attributes & ~(FILE_ATTRIBUTE_DIRECTORY | kStorageAttributes);
  // A synced folder is a reparse point of the cloud-files provider: its
  // data lives with the provider, the directory is the host's. Junctions,
  // symbolic links and mount points lead out of the mailbox's own tree (or
  // back into it) and stay out.
  if ((others & kReparsePoint) && IsCloudReparseTag(reparseTag)) others &= ~kReparsePoint;
  return others == 0;
}

std::vector<std::string> ListFolderNames(const std::string& path) {
  std::vector<std::string> names;
  const std::wstring widePath = WideFromHostAnsi(path);
  if (path.empty() || widePath.empty()) return names;
  WIN32_FIND_DATAW entry = {};
  FindHandle find(FindFirstFileW((widePath + L"*").c_str(), &entry));
  if (!find.valid()) return names;
  do {
    const std::wstring name = entry.cFileName;
    const DWORD tag = (entry.dwFileAttributes & kReparsePoint) ? entry.dwReserved0 : 0;
    if (!ShowsAsFolder(entry.dwFileAttributes, tag) || IsDotEntry(name)) continue;
    if (name.empty() || name[0] == L'!' || name[0] == L'#') continue;
    std::string hostName;
    if (!HostAnsiFromWide(name, hostName)) continue;  // the host could not address it
    if (path.size() + hostName.size() + 1 > kMaxFolderPath) continue;
    names.push_back(std::move(hostName));
  } while (FindNextFileW(find.get(), &entry));
  return names;
}

}  // namespace quorn
