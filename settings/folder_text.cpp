#include "settings/folder_text.h"

namespace quorn {

std::size_t FindFolderSeparator(std::string_view text, const LeadByteTest& isLeadByte) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\\') return i;
    // A lead byte at the very end stands alone.
    i += isLeadByte(byte) && i + 1 < text.size() ? 2 : 1;
  }
  return std::string_view::npos;
}

std::vector<std::string> SplitFolderText(std::string_view text, const LeadByteTest& isLeadByte) {
  std::vector<std::string> parts;
  while (!text.empty()) {
    const std::size_t separator = FindFolderSeparator(text, isLeadByte);
    parts.emplace_back(text.substr(0, separator));
    if (separator == std::string_view::npos) break;
    text.remove_prefix(separator + 1);
  }
  return parts;
}

std::string WithFolderSeparator(std::string text, const LeadByteTest& isLeadByte) {
  bool endsInSeparator = false;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    endsInSeparator = byte == '\\';
    i += isLeadByte(byte) && i + 1 < text.size() ? 2 : 1;
  }
  if (!endsInSeparator) text += '\\';
  return text;
}

std::string FolderDisplayText(const std::string& folderId, const LeadByteTest& isLeadByte,
                              const std::function<std::string(const std::string&)>& folderName) {
  const std::size_t separator = FindFolderSeparator(folderId, isLeadByte);
  if (separator == std::string::npos) return folderName(folderId) + "\\";
  return folderName(folderId.substr(0, separator + 1)) + "\\" + folderId.substr(separator + 1);
}

}  // namespace quorn
