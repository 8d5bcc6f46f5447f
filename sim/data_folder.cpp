#include "sim/data_folder.h"

#include <windows.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "sim/host.h"
#include "win32/text_convert.h"

namespace sim {
namespace {

std::wstring DataFolder() { return quorn::WideFromShiftJis(TheHost.dataFolder); }

struct Bit {
  const char* name;
  DWORD value;
};
const Bit kBits[] = {
    {"archive", FILE_ATTRIBUTE_ARCHIVE}, {"readonly", FILE_ATTRIBUTE_READONLY},
    {"hidden", FILE_ATTRIBUTE_HIDDEN},   {"system", FILE_ATTRIBUTE_SYSTEM},
};

// The bits as the system reports them; a file's archive bit (every file
// carries it) is not named.
std::string Describe(DWORD attributes) {
  const bool directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  std::string text = directory ? "directory" : "file";
  DWORD rest = attributes & ~(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_NORMAL);
  if (!directory) rest &= ~FILE_ATTRIBUTE_ARCHIVE;
  for (const Bit& bit : kBits) {
    if (rest & bit.value) text += std::string(", ") + bit.name;
    rest &= ~bit.value;
  }
  if (rest) {
    char hex[16];
    wsprintfA(hex, ", 0x%lX", static_cast<unsigned long>(rest));
    text += hex;
  }
  return text;
}

// Creates `path` (relative, "\" between levels) and every directory above
// it; returns the full path.
std::wstring MakeDirectories(const std::wstring& path) {
  std::wstring full = DataFolder();
  std::wstringstream parts(path);
  for (std::wstring part; std::getline(parts, part, L'\\');) {
    if (part.empty()) continue;
    full += part + L"\\";
    CreateDirectoryW(full.c_str(), nullptr);
  }
  return full;
}

void MakeFile(const std::wstring& path) {
  HANDLE file = CreateFileW((DataFolder() + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

void ListBelow(const std::wstring& folder) {
  std::vector<std::pair<std::wstring, DWORD>> entries;
  WIN32_FIND_DATAW entry = {};
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") entries.emplace_back(name, entry.dwFileAttributes);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  std::sort(entries.begin(), entries.end());  // the disk's order differs between file systems
  for (const auto& [name, attributes] : entries) {
    const std::wstring full = folder + name;
    Say("  <data>\\" + quorn::Utf8FromWide(full.substr(DataFolder().size())) + ": " + Describe(attributes));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) ListBelow(full + L"\\");
  }
}

}  // namespace

void MakeMailboxes() {
  const wchar_t* const folders[] = {
      L"MailBox1\\!Trash", L"MailBox1\\#Temp", L"MailBox1\\Spam", L"MailBox1\\Junk\\Spam",
      L"MailBox1\\ソフト\\表計算", L"MailBox1\\能力", L"MailBox2\\Spam", L"MailBox2\\表示\\Spam",
  };
  for (const wchar_t* folder : folders) MakeDirectories(folder);
  MakeFile(L"MailBox1\\Spam.idx");
  SetFileAttributesW(MakeDirectories(L"MailBox1\\Archived").c_str(), FILE_ATTRIBUTE_ARCHIVE);
  SetFileAttributesW(MakeDirectories(L"MailBox1\\ReadOnly").c_str(), FILE_ATTRIBUTE_READONLY);
}

bool FolderDirCommand(const std::string& argument) {
  std::istringstream words(argument);
  std::string path;
  words >> path;
  DWORD attributes = 0;
  for (std::string name; words >> name;) {
    auto bit = std::find_if(std::begin(kBits), std::end(kBits), [&](const Bit& b) { return name == b.name; });
    if (bit == std::end(kBits)) return false;
    attributes |= bit->value;
  }
  if (path.empty()) return false;
  std::wstring full = MakeDirectories(quorn::WideFromUtf8(path));
  if (attributes) SetFileAttributesW(full.c_str(), attributes);
  full.pop_back();
  Say("  " + path + ": " + Describe(GetFileAttributesW(full.c_str())));
  return true;
}

void FolderListCommand(const std::string& argument) {
  std::wstring folder = DataFolder() + quorn::WideFromUtf8(argument);
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  ListBelow(folder);
}

}  // namespace sim
