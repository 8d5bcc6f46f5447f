// The profile file through the platform's GetPrivateProfileStringA and
// WritePrivateProfileStringA, one key per call.
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
  bool HasSection(const std::string& section) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  std::string path_;
};

}  // namespace quorn
