#include "settings/profile_document.h"

#include <unordered_map>

#include "settings/profile_file.h"

namespace quorn {

bool IsProfileBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
  return text;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string LowerName(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = AsciiLower(c);
  return lower;
}

}  // namespace

ProfileDocument ProfileDocument::Parse(std::string_view bytes) {
  ProfileDocument doc;
  doc.sections_.push_back(Section{});
  bool previousKeyUnnamed = false;
  bool sectionHasKeys = false;

  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t lf = bytes.find('\n', pos);
    std::size_t next = lf == std::string_view::npos ? bytes.size() : lf + 1;
    std::string_view line = TrimBlanks(bytes.substr(pos, next - pos));
    pos = next;
    if (line.empty()) continue;

    if (line.front() == '[') {
      std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        doc.sections_.push_back(Section{std::string(TrimBlanks(line.substr(1, close - 1))), {}});
        sectionHasKeys = false;
        continue;
      }
    }

    Key key;
    std::size_t eq = line.find('=');
    if (eq != std::string_view::npos) {
      std::string_view name = line.substr(0, eq);
      while (!name.empty() && IsProfileBlank(name.back())) name.remove_suffix(1);
      key.name = std::string(name);
      key.value = std::string(TrimLeadingBlanks(line.substr(eq + 1)));
    } else {
      key.name = std::string(line);
    }
    // A key without a name directly after another one is dropped.
    if (!key.name.empty() || !sectionHasKeys || !previousKeyUnnamed) {
      previousKeyUnnamed = key.name.empty();
      sectionHasKeys = true;
      doc.sections_.back().keys.push_back(std::move(key));
    }
  }
  return doc;
}

std::string ProfileDocument::Serialize() const {
  std::string out;
  for (const Section& section : sections_) {
    if (!section.name.empty()) out += "[" + section.name + "]\r\n";
    for (const Key& key : section.keys) {
      out += key.name;
      if (key.value) out += "=" + *key.value;
      out += "\r\n";
    }
  }
  return out;
}

const ProfileDocument::Section* ProfileDocument::FindSection(std::string_view name) const {
  name = TrimBlanks(name);
  for (const Section& section : sections_) {
    if (!section.name.empty() && SameName(section.name, name)) return &section;
  }
  return nullptr;
}

ProfileDocument::Section* ProfileDocument::FindSection(std::string_view name) {
  return const_cast<Section*>(static_cast<const ProfileDocument*>(this)->FindSection(name));
}

std::optional<std::string> ProfileDocument::Value(std::string_view section,
                                                  std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  key = TrimBlanks(key);
  for (const Key& k : found->keys) {
    if (SameName(k.name, key)) return k.value;
  }
  return std::nullopt;
}

std::vector<ProfileEntry> ProfileDocument::Entries(std::string_view section) const {
  std::vector<ProfileEntry> entries;
  if (const Section* found = FindSection(section)) {
    for (const Key& k : found->keys) {
      if (k.value) entries.push_back(ProfileEntry{k.name, ProfileReadValue(*k.value)});
    }
  }
  return entries;
}

bool ProfileDocument::HasKeys(std::string_view section) const {
  // Unlike key look-ups, the listing does not drop blanks around the name.
  const Section* found = nullptr;
  for (const Section& s : sections_) {
    if (!s.name.empty() && SameName(s.name, section)) {
      found = &s;
      break;
    }
  }
  if (!found) return false;
  // The platform lists the section's key names, skipping comments and keys
  // without "="; a list that starts with an empty name reads as no list.
  for (const Key& k : found->keys) {
    if (!k.value || (!k.name.empty() && k.name.front() == ';')) continue;
    return !k.name.empty();
  }
  return false;
}

bool ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  value = TrimLeadingBlanks(value);
  Section* found = FindSection(section);
  if (!found) {
    sections_.push_back(Section{std::string(TrimLeadingBlanks(section)), {}});
    found = &sections_.back();
  }
  std::string_view trimmedKey = TrimBlanks(key);
  for (Key& k : found->keys) {
    if (!SameName(k.name, trimmedKey)) continue;
    if (k.value && *k.value == value) return false;
    k.value = std::string(value);
    return true;
  }
  found->keys.push_back(Key{std::string(TrimLeadingBlanks(key)), std::string(value)});
  return true;
}

namespace {

// A write whose line the next read of the file would not give back as the
// same section and key: a name holding "=" or a line feed, a key name that
// would read as a section line or as no name, a value holding a line feed.
bool ChangesLines(const ProfileWrite& w) {
  std::string_view section = TrimBlanks(w.section), key = TrimBlanks(w.key);
  return section.empty() || section.find('\n') != std::string_view::npos || key.empty() ||
         key.find_first_of("=\n") != std::string_view::npos ||
         (key.front() == '[' && key.find(']') != std::string_view::npos) ||
         w.value.find('\n') != std::string::npos;
}

}  // namespace

std::optional<std::string> ProfileDocument::SetAll(const std::vector<ProfileWrite>& writes) {
  // The platform rewrites the file for each write that changes something
  // and reads it again for the next: the document is kept as that read
  // gives it (names and values without trailing blanks), and the last
  // change is written out as Set made it.
  struct LastChange {
    std::size_t section, key;
    std::string sectionName, keyName, value;  // as written
  };
  std::optional<LastChange> last;
  std::optional<std::string> lastBytes;  // after a change that altered the lines
  // For each section written: its keys' names in lower case, each mapped to
  // the first key of that name, as Set finds it.
  std::unordered_map<std::size_t, std::unordered_map<std::string, std::size_t>> indexes;
  // The first change is made the platform's way, writing and reading
  // again, because that read may also regroup the file's lines (a section
  // without a name joins the one before it).
  bool readAgain = false;
  // The first key of a write's name in a section, through that section's
  // index (built at the first look).
  auto indexedKey = [&](Section& section, std::string_view key) -> std::optional<std::size_t> {
    const std::size_t sectionIndex = static_cast<std::size_t>(&section - sections_.data());
    auto [index, fresh] = indexes.try_emplace(sectionIndex);
    auto& names = index->second;
    if (fresh) {
      for (std::size_t i = 0; i < section.keys.size(); ++i) names.emplace(LowerName(section.keys[i].name), i);
    }
    auto found = names.find(LowerName(TrimBlanks(key)));
    if (found == names.end()) return std::nullopt;
    return found->second;
  };

  for (const ProfileWrite& w : writes) {
    if (!readAgain) {
      // Until the first change, a write of the value a key already holds is
      // passed over through the index: a save that changes nothing in a
      // long list must not search the section once per key.
      if (Section* found = FindSection(w.section)) {
        auto key = indexedKey(*found, w.key);
        if (key && found->keys[*key].value == std::string(TrimLeadingBlanks(w.value))) continue;
      }
    }
    if (!readAgain || ChangesLines(w)) {
      if (!Set(w.section, w.key, w.value)) continue;
      lastBytes = Serialize();
      *this = Parse(*lastBytes);
      readAgain = true;
      indexes.clear();
      last.reset();
      continue;
    }
    std::string_view value = TrimLeadingBlanks(w.value);
    Section* found = FindSection(w.section);
    std::string sectionName;
    if (!found) {
      sections_.push_back(Section{std::string(TrimBlanks(w.section)), {}});
      found = &sections_.back();
      sectionName = std::string(TrimLeadingBlanks(w.section));
    } else {
      sectionName = found->name;
    }
    const std::size_t sectionIndex = static_cast<std::size_t>(found - sections_.data());
    const std::optional<std::size_t> key = indexedKey(*found, w.key);
    std::size_t keyIndex;
    std::string keyName;
    if (key) {
      Key& k = found->keys[*key];
      if (k.value && *k.value == value) continue;
      k.value = std::string(TrimBlanks(value));
      keyIndex = *key;
      keyName = k.name;
    } else {
      found->keys.push_back(Key{std::string(TrimBlanks(w.key)), std::string(TrimBlanks(value))});
      keyIndex = found->keys.size() - 1;
      indexes[sectionIndex].emplace(LowerName(found->keys.back().name), keyIndex);
      keyName = std::string(TrimLeadingBlanks(w.key));
    }
    last = LastChange{sectionIndex, keyIndex, std::move(sectionName), std::move(keyName), std::string(value)};
    lastBytes.reset();
  }

  if (lastBytes) return lastBytes;
  if (!last) return std::nullopt;
  // The last change as Set made it: its names and value as written.
  Section& section = sections_[last->section];
  Key& key = section.keys[last->key];
  std::swap(section.name, last->sectionName);
  std::swap(key.name, last->keyName);
  std::swap(*key.value, last->value);
  std::string bytes = Serialize();
  std::swap(section.name, last->sectionName);
  std::swap(key.name, last->keyName);
  std::swap(*key.value, last->value);
  return bytes;
}

std::size_t ShiftJisCut(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  // Values are Shift-JIS on the host's home system: a cut that would split a
  // double-byte character keeps only the whole characters before it, as the
  // platform's reader does there.
  std::size_t at = 0;
  while (at < limit) {
    auto byte = static_cast<unsigned char>(text[at]);
    bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    std::size_t next = lead ? at + 2 : at + 1;
    if (next > limit) break;
    at = next;
  }
  return at;
}

std::string ProfileValueAfterWrite(std::string_view value) { return ProfileReadValue(TrimBlanks(value)); }

std::string ProfileReadValue(std::string_view raw) {
  bool quoted = raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') &&
                raw.back() == raw.front();
  if (quoted) raw.remove_prefix(1);
  std::string value(raw.substr(0, ShiftJisCut(raw, kProfileValueLimit)));
  // The closing quote goes only when the whole value fitted.
  if (quoted && raw.size() <= kProfileValueLimit + 1 && !value.empty()) value.pop_back();
  return value;
}

}  // namespace quorn
