// The profile file through the platform's profile functions: keys read with
// GetPrivateProfileStringA, single keys written with
// WritePrivateProfileStringA. Sections (the lists) are read from the
// file's bytes by our own reader, which keeps them as they stand; in a file
// with a byte-order mark, whose text the functions convert, with
// GetPrivateProfileSectionA. A save's many keys are written at once by our
// own writer, which leaves the file as the platform's functions would, key
// after key (the tests compare the two); a file with a byte-order mark
// keeps the mark and its encoding (UTF-8, UTF-16), the names and values
// converted from the ANSI code page as the functions convert them.
#pragma once

#include <string>

#include "settings/profile_file.h"

namespace quorn {

class Win32ProfileFile : public ProfileFile {
 public:
  explicit Win32ProfileFile(std::string path) : path_(std::move(path)) {}
  // Drops the platform's cached copy of the file, so that the next
  // operation reads the file as it stands on disk.
  ~Win32ProfileFile() override;

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) override;
  std::vector<ProfileEntry> ReadSection(const std::string& section) override;
  bool HasSection(const std::string& section) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  void WriteKeys(const std::vector<ProfileWrite>& writes) override;

 private:
  void DropCachedCopy();

  std::string path_;
};

}  // namespace quorn
