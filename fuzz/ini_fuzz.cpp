// Fuzz target: the settings file. The input's bytes are a settings file;
// it is loaded, saved over itself, loaded again and saved again. The second
// load must give what the first gave, and the second save must leave the
// file byte for byte as the first left it.
//
// One loss is the file format's own: a text that, as loaded, still has
// blanks at its ends or a pair of enclosing quotes (a value quoted twice, or
// blanks inside the quotes) is written bare and comes back without them.
// For such a file each load must give exactly the one before with that
// loss, until a load changes nothing; the save after it must then write
// the bytes of the save before.
//
// The file lives in a private folder under /dev/shm when there is one (or
// TMPDIR), so that the many writes cost no disk.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "engine/lists.h"
#include "engine/text_error.h"
#include "fuzz/input_time_bound.h"
#include "settings/file_access.h"
#include "settings/profile_document.h"
#include "settings/settings_model.h"

namespace quorn {
namespace {

std::string FilePath() {
  static const std::string path = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : (tmp ? tmp : "/tmp");
    std::string folder = base + "/quorn-ini-fuzz-XXXXXX";
    if (!mkdtemp(folder.data())) std::abort();
    return folder + "/quorn.ini";
  }();
  return path;
}

// Everything a load takes over.
struct Loaded {
  std::int32_t top, left;
  bool paralysis, dropTrash, reverseLookup, acceptReceivedHost;
  std::string folder;
  std::int32_t timeOut;
  std::vector<TextLines> lists;

  bool operator==(const Loaded& o) const {
    return top == o.top && left == o.left && paralysis == o.paralysis && dropTrash == o.dropTrash &&
           reverseLookup == o.reverseLookup && acceptReceivedHost == o.acceptReceivedHost &&
           folder == o.folder && timeOut == o.timeOut && lists == o.lists;
  }
};

// Loads the file into fresh settings; none when the load fails.
std::optional<Loaded> Load(SettingsModel& model, const std::string& path) {
  try {
    model.LoadSettings(path);
  } catch (const TextError&) {
    return std::nullopt;
  }
  Loaded loaded{model.WindowTop(), model.WindowLeft(), model.Paralysis, model.DropTrash,
                model.ReverseLookup, model.AcceptReceivedHost, model.Folder, model.TimeOut, {}};
  for (const SettingList* list : {&Skip, &White, &Black, &Rules, &RecvRegex}) {
    loaded.lists.push_back(list->Current()->Lines());
  }
  return loaded;
}

bool IsProfileBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

// A text as a save and a load give it back: blanks at its ends and one
// pair of enclosing quotes dropped (and cut as a read cuts it).
std::string WrittenAndRead(const std::string& text) {
  std::size_t first = 0, end = text.size();
  while (first < end && IsProfileBlank(text[first])) ++first;
  while (end > first && IsProfileBlank(text[end - 1])) --end;
  return ProfileReadValue(std::string_view(text).substr(first, end - first));
}

Loaded AfterSave(Loaded loaded) {
  loaded.folder = WrittenAndRead(loaded.folder);
  for (TextLines& lines : loaded.lists) {
    for (std::string& line : lines) line = WrittenAndRead(line);
  }
  return loaded;
}

}  // namespace
}  // namespace quorn

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorn;
  using fuzz::Require;
  const std::string path = FilePath();
  Require(ReplaceWholeFile(path, std::string(reinterpret_cast<const char*>(data), size)),
          "the input is written as a file");
  // A file of a few bytes may name a list of kMaxTrustedCount lines, which
  // then takes its linear time (some 2 s for 100,000 lines instrumented): a
  // slow path here is one that grows faster than that.
  fuzz::InputTimeBound bound(500.0);

  // Round after round until the loads stop changing: each load must give
  // the one before with the format's loss, and once a load gives what the
  // one before gave, its save must leave the file's bytes alone. Each
  // round peels at most one pair of quotes off a text, so a text quoted
  // deeper than the rounds allowed is left unfinished.
  std::optional<Loaded> previous;
  std::optional<std::string> previousBytes;
  for (int round = 0; round < 8; ++round) {
    SettingsModel model;
    const std::optional<Loaded> loaded = Load(model, path);
    Require(loaded.has_value(), "every file loads");
    const bool stable = previous && *loaded == *previous;
    if (previous) Require(*loaded == AfterSave(*previous), "a load gives what the one before gave");
    model.SaveSettings(path);
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (stable) {
      Require(bytes == previousBytes, "a save after a load that changed nothing writes the same bytes");
      break;
    }
    previous = loaded;
    previousBytes = bytes;
  }
  return 0;
}
