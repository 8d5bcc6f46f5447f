#include "settings/profile_text.h"

#include "engine/text_error.h"
#include "settings/file_access.h"
#include "settings/profile_document.h"
#include "texts/catalog.h"
#include "texts/fill.h"

namespace quorn {

std::string CannotWriteText(const std::string& path) { return texts::Filled(texts::kCannotWriteFile, {path}); }

ProfileDocument& TextProfileFile::Document() {
  // A file that is missing or cannot be read reads as empty, as the
  // platform reads it.
  if (!document_) document_ = ProfileDocument::Parse(ReadWholeFile(path_).value_or(std::string()));
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

std::vector<ProfileEntry> TextProfileFile::ReadSection(const std::string& section) {
  return Document().Entries(section);
}

bool TextProfileFile::HasSection(const std::string& section) {
  return Document().HasKeys(section);
}

void TextProfileFile::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value) {
  WriteKeys({ProfileWrite{section, key, value}});
}

void TextProfileFile::WriteKeys(const std::vector<ProfileWrite>& writes) {
  // A read-only file refuses every write, as the platform's functions do,
  // even one that would change nothing.
  if (IsReadOnlyFile(path_)) throw TextError(CannotWriteText(path_));
  ProfileDocument changed = Document();
  const std::optional<std::string> bytes = changed.SetAll(writes);
  if (!bytes) return;
  if (!ReplaceWholeFile(path_, *bytes)) throw TextError(CannotWriteText(path_));
  document_ = std::move(changed);
}

}  // namespace quorn
