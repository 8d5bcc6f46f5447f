// The portable profile file: a reader and writer of our own with the
// observable rules of the platform's profile functions (profile_document.h).
// An object serves one operation (a load or a save): it reads the file once,
// at its first call; a write that changes something (one key, or all the
// keys of a save at once) replaces the whole file through a temporary file
// in the same folder, so a failure part-way never leaves a truncated file
// behind.
#pragma once

#include <optional>
#include <string>

#include "settings/profile_document.h"
#include "settings/profile_file.h"

namespace quorn {

class TextProfileFile : public ProfileFile {
 public:
  explicit TextProfileFile(std::string path) : path_(std::move(path)) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) override;
  std::vector<ProfileEntry> ReadSection(const std::string& section) override;
  bool HasSection(const std::string& section) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  void WriteKeys(const std::vector<ProfileWrite>& writes) override;

 private:
  // The file's content as last read or written by this object.
  ProfileDocument& Document();

  std::string path_;
  std::optional<ProfileDocument> document_;
};

}  // namespace quorn
