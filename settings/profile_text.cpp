#include "settings/profile_text.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "engine/text_error.h"
#include "settings/profile_document.h"
#include "texts/catalog.h"

namespace quorn {
namespace {

namespace fs = std::filesystem;

// The file's bytes; empty when it does not exist or cannot be read, as the
// platform reads such a file.
std::string ReadAll(const std::string& path) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  if (!in) return std::string();
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool IsReadOnly(const fs::path& file) {
  std::error_code ec;
  fs::file_status status = fs::status(file, ec);
  if (ec || !fs::exists(status)) return false;
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// Replaces the file with `bytes`, or leaves it as it was.
bool ReplaceFile(const std::string& path, const std::string& bytes) {
  const fs::path target = fs::u8path(path);
  fs::path temporary = target;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code ec;
  fs::file_status before = fs::status(target, ec);
  if (!ec && fs::exists(before)) fs::permissions(temporary, before.permissions(), ec);  // keep the file's mode
  ec.clear();
  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace

std::string CannotWriteText(const std::string& path) {
  std::string text = texts::kCannotWriteFile;
  return text.replace(text.find("%s"), 2, path);
}

ProfileDocument& TextProfileFile::Document() {
  if (!document_) document_ = ProfileDocument::Parse(ReadAll(path_));
  return *document_;
}

std::string TextProfileFile::ReadString(const std::string& section, const std::string& key,
                                        const std::string& fallback) {
  auto raw = Document().Value(section, key);
  if (raw) return ProfileReadValue(*raw);
  std::string defaultValue = fallback;  // trailing spaces of a default are dropped
  while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.pop_back();
  return ProfileReadValue(defaultValue);
}

bool TextProfileFile::HasSection(const std::string& section) {
  return Document().HasKeys(section);
}

void TextProfileFile::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value) {
  // A read-only file refuses every write, as the platform's functions do,
  // even one that would change nothing.
  if (IsReadOnly(fs::u8path(path_))) throw TextError(CannotWriteText(path_));
  ProfileDocument changed = Document();
  if (!changed.Set(section, key, value)) return;
  if (!ReplaceFile(path_, changed.Serialize())) throw TextError(CannotWriteText(path_));
  document_ = std::move(changed);
}

}  // namespace quorn
