// One settings file read and written with the rules of the platform's
// profile-string functions. Two implementations: the platform's own
// functions in the DLL, and a portable reader and writer (profile_text.h)
// with the same observable rules.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace quorn {

// Values are read up to this many characters; the rest is lost.
constexpr std::size_t kProfileValueLimit = 2047;

// A key with its value, as read or to be written.
struct ProfileEntry {
  std::string key;
  std::string value;
};

// One key to set.
struct ProfileWrite {
  std::string section;
  std::string key;
  std::string value;
};

class ProfileFile {
 public:
  virtual ~ProfileFile() = default;

  // The key's value with blanks around it and one pair of enclosing quotes
  // dropped, or `fallback` when the key is missing.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) = 0;

  // Every key of the section that has a value, in file order, each value
  // as ReadString gives it, read at once. When a name occurs twice,
  // ReadString gives the first.
  virtual std::vector<ProfileEntry> ReadSection(const std::string& section) = 0;

  // Whether the section holds at least one key.
  virtual bool HasSection(const std::string& section) = 0;

  // Sets the key, in place or appended at the end of its section (the
  // section appended at the end of the file when missing). Throws TextError
  // "<path> に書き込めません" when the system refuses the write; the file then
  // keeps what it held.
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;

  // The file as WriteString for each key in order leaves it. Throws the
  // same error; implementations that write the file once for all keys then
  // leave it as it was.
  virtual void WriteKeys(const std::vector<ProfileWrite>& writes) {
    for (const ProfileWrite& w : writes) WriteString(w.section, w.key, w.value);
  }
};

// The platform's implementation for the file at `path` (a full path).
std::unique_ptr<ProfileFile> OpenProfileFile(const std::string& path);

// The write error's text for a path.
std::string CannotWriteText(const std::string& path);

}  // namespace quorn
