#include "settings/profile_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "engine/text_error.h"
#include "settings/file_access.h"
#include "settings/profile_document.h"
#include "win32/text_convert.h"

namespace quorn {
namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

std::string Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

// A file that starts with a byte-order mark holds text in the encoding it
// names; the profile functions read it as that and write it back so.
enum class Encoding { Ansi, Utf8, Utf16Le, Utf16Be };

Encoding EncodingOf(const std::string& bytes) {
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return Encoding::Utf8;
  if (bytes.rfind("\xFF\xFE", 0) == 0) return Encoding::Utf16Le;
  if (bytes.rfind("\xFE\xFF", 0) == 0) return Encoding::Utf16Be;
  return Encoding::Ansi;
}

bool StartsWithByteOrderMark(const std::string& bytes) { return EncodingOf(bytes) != Encoding::Ansi; }

// The file's text after its mark, as UTF-8, or the file with that UTF-8
// text: our writer works on it, whose structure (brackets, "=", blanks,
// line feeds) is ASCII.
std::string Utf8Text(Encoding encoding, const std::string& bytes) {
  if (encoding == Encoding::Utf8) return bytes.substr(3);
  std::wstring wide;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
    wide.push_back(static_cast<wchar_t>(encoding == Encoding::Utf16Le ? first | second << 8 : second | first << 8));
  }
  return Utf8FromWide(wide);
}

std::string MarkedFile(Encoding encoding, const std::string& utf8) {
  if (encoding == Encoding::Utf8) return "\xEF\xBB\xBF" + utf8;
  std::string bytes = encoding == Encoding::Utf16Le ? "\xFF\xFE" : "\xFE\xFF";
  for (wchar_t c : WideFromUtf8(utf8)) {
    const char low = static_cast<char>(c & 0xFF), high = static_cast<char>((c >> 8) & 0xFF);
    bytes += encoding == Encoding::Utf16Le ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

}  // namespace

Win32ProfileFile::~Win32ProfileFile() { DropCachedCopy(); }

void Win32ProfileFile::DropCachedCopy() {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}

std::string Win32ProfileFile::ReadString(const std::string& section, const std::string& key,
                                         const std::string& fallback) {
  std::vector<char> buffer(kProfileValueLimit + 1);
  DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                          buffer.data(), static_cast<DWORD>(buffer.size()),
                                          path_.c_str());
  // Cutting a value inside a double-byte character, the functions fill the
  // buffer with whole characters only but still report the full length.
  return std::string(buffer.data(), strnlen(buffer.data(), length));
}

std::vector<ProfileEntry> Win32ProfileFile::ReadSection(const std::string& section) {
  // A file in the system's code page is read as its bytes stand: the
  // functions pass every value through the code page and back, which
  // changes some Shift-JIS bytes (NEC and IBM extension characters come
  // back as their IBM forms, a lone lead byte as a middle dot, a lead byte
  // before a blank takes the blank with it) in lines nobody edited.
  DropCachedCopy();  // so that the file on disk is complete
  if (std::optional<std::string> bytes = ReadWholeFile(path_); bytes && !StartsWithByteOrderMark(*bytes)) {
    return ProfileDocument::Parse(*bytes).Entries(section);
  }
  // The whole section in one call: "name=value" texts, each ended by a NUL,
  // the values as they stand in the file. The buffer grows until it holds
  // the section (a full buffer is reported as its size less two).
  std::vector<char> buffer(1 << 16);
  DWORD length;
  for (;;) {
    length = GetPrivateProfileSectionA(Trimmed(section).c_str(), buffer.data(),
                                       static_cast<DWORD>(buffer.size()), path_.c_str());
    if (length + 2 < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  std::vector<ProfileEntry> entries;
  std::string_view all(buffer.data(), length);
  while (!all.empty()) {
    std::string_view line = all.substr(0, all.find('\0'));
    all.remove_prefix(std::min(all.size(), line.size() + 1));
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;  // a key without a value reads as missing
    entries.push_back(
        ProfileEntry{Trimmed(line.substr(0, eq)), ProfileReadValue(Trimmed(line.substr(eq + 1)))});
  }
  return entries;
}

bool Win32ProfileFile::HasSection(const std::string& section) {
  // With no key name the functions list the section's key names.
  char names[4] = {};
  GetPrivateProfileStringA(section.c_str(), nullptr, "", names, sizeof names, path_.c_str());
  return names[0] != '\0';
}

void Win32ProfileFile::WriteString(const std::string& section, const std::string& key,
                                   const std::string& value) {
  // Some implementations of the profile functions report success for a
  // read-only file they could not write; such a file refuses every write.
  if (IsReadOnlyFile(path_) ||
      !WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str())) {
    throw TextError(CannotWriteText(path_));
  }
}

void Win32ProfileFile::WriteKeys(const std::vector<ProfileWrite>& writes) {
  // The profile functions rewrite the whole file for every key. Here the
  // file is read once, changed as they change it, and written once.
  if (IsReadOnlyFile(path_)) throw TextError(CannotWriteText(path_));
  DropCachedCopy();  // so that the file on disk is complete
  std::optional<std::string> bytes;
  if (FileExists(path_)) {
    bytes = ReadWholeFile(path_);
    if (!bytes) throw TextError(CannotWriteText(path_));
  } else {
    bytes.emplace();
  }
  const Encoding encoding = EncodingOf(*bytes);
  std::optional<std::string> changed;
  if (encoding == Encoding::Ansi) {
    changed = ProfileDocument::Parse(*bytes).SetAll(writes);
  } else {
    // The functions convert the names and values from the ANSI code page.
    // A file whose text does not come back whole through UTF-8 (an odd
    // byte count, a lone surrogate, a broken UTF-8 sequence) is left to
    // them, key by key.
    const std::string text = Utf8Text(encoding, *bytes);
    if (MarkedFile(encoding, text) != *bytes) {
      ProfileFile::WriteKeys(writes);
      return;
    }
    std::vector<ProfileWrite> converted;
    converted.reserve(writes.size());
    for (const ProfileWrite& w : writes) {
      converted.push_back({Utf8FromWide(WideFromHostAnsi(w.section)), Utf8FromWide(WideFromHostAnsi(w.key)),
                         Utf8FromWide(WideFromHostAnsi(w.value))});
    }
    changed = ProfileDocument::Parse(text).SetAll(converted);
    if (changed) changed = MarkedFile(encoding, *changed);
  }
  if (!changed) return;
  bool written = ReplaceWholeFile(path_, *changed);
  DropCachedCopy();
  if (!written) throw TextError(CannotWriteText(path_));
}

}  // namespace quorn
