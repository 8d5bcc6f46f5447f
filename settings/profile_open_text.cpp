#include "settings/profile_text.h"

namespace quorn {

std::unique_ptr<ProfileFile> OpenProfileFile(const std::string& path) {
  return std::make_unique<TextProfileFile>(path);
}

}  // namespace quorn
