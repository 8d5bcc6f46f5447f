// One settings file read and written one key at a time, with the rules of
// the platform's profile-string functions. Two implementations: the
// platform's own functions in the DLL, and a portable reader and writer
// (profile_text.h) with the same observable rules.
#pragma once

#include <memory>
#include <string>

namespace quorn {

// Values are read up to this many characters; the rest is lost.
constexpr std::size_t kProfileValueLimit = 2047;

class ProfileFile {
 public:
  virtual ~ProfileFile() = default;

  // The key's value with blanks around it and one pair of enclosing quotes
  // dropped, or `fallback` when the key is missing.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) = 0;

  // Whether the section holds at least one key.
  virtual bool HasSection(const std::string& section) = 0;

  // Sets the key, in place or appended at the end of its section (the
  // section appended at the end of the file when missing). Throws TextError
  // "<path> に書き込めません" when the system refuses the write; the file then
  // keeps what it held.
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

// The platform's implementation for the file at `path` (a full path).
std::unique_ptr<ProfileFile> OpenProfileFile(const std::string& path);

// The write error's text for a path.
std::string CannotWriteText(const std::string& path);

}  // namespace quorn
