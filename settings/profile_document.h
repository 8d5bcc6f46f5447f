// The content of a profile file as the platform's profile functions see it,
// and the file as they write it back.
//
// Grammar read, line by line (a line ends at LF; blanks, CR and ^Z around a
// line are dropped; empty lines are dropped):
//   [name]        opens a section; the name runs to the last "]", blanks
//                 around it dropped. A "[" line without "]" is a key line.
//   name=value    a key; blanks around the name and before the value dropped
//   name          a key without a value (kept, never read)
// Lines before the first section belong to an unnamed section. Nothing is
// an error: every byte sequence reads as some document. Writing produces
// "[name]" and "name=value" lines ending in CR LF, without blank lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/profile_file.h"

namespace quorn {

class ProfileDocument {
 public:
  struct Key {
    std::string name;
    std::optional<std::string> value;  // none for a line without "="
  };
  struct Section {
    std::string name;  // empty for the lines before the first section
    std::vector<Key> keys;
  };

  static ProfileDocument Parse(std::string_view bytes);
  std::string Serialize() const;

  // The key's raw value; none when the first section of that name (names
  // compared without regard to case) lacks the key or the key has no value.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // The keys with a value of the first section of that name, in order, each
  // value as a read returns it.
  std::vector<ProfileEntry> Entries(std::string_view section) const;

  // Whether the first section of that name holds a key, as the platform
  // tells: its first key with a value and no comment mark has a name.
  bool HasKeys(std::string_view section) const;

  // Sets a key (its value's leading blanks dropped); false when the key
  // already held that value and nothing changed.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // The file's bytes after Set for each key in order, as the platform's
  // functions leave it writing key after key (each change rewrites the
  // file, which the next write reads again); none when nothing changed.
  // The document then holds the file as read again. Time linear in the
  // keys written and held.
  std::optional<std::string> SetAll(const std::vector<ProfileWrite>& writes);

 private:
  Section* FindSection(std::string_view name);
  const Section* FindSection(std::string_view name) const;

  std::vector<Section> sections_;
};

// The value a read returns for a raw value: one pair of enclosing quotes
// (" or ') dropped, cut to kProfileValueLimit characters.
std::string ProfileReadValue(std::string_view raw);

// The blanks the profile functions drop around names and values: ASCII
// white space, and ^Z (DOS end of file).
bool IsProfileBlank(char c);

// The value the next read gives back of a value written: the blanks
// around it dropped, then as ProfileReadValue.
std::string ProfileValueAfterWrite(std::string_view value);

// How many bytes of a Shift-JIS text fit in `limit` bytes without splitting
// a double-byte character.
std::size_t ShiftJisCut(std::string_view text, std::size_t limit);

}  // namespace quorn
