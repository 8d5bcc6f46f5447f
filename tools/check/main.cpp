// quorn-check: judges message files as the plug-in judges received mail,
// with the built-in default settings or those of an INI file (--settings
// FILE, read and never written), looking up relays without a usable name
// in their line (--timeout MS overrides the settings' time-out), and prints
// one line per message:
//
//   path <TAB> code <TAB> name <TAB> label <TAB> relay address <TAB> host name
//
// Arguments are files or folders (read recursively, in name order). A
// message whose check fails is reported on standard error with the error's
// text, and the checker goes on. Exit status: 0 when every file was judged,
// 1 when any was not, 2 for bad usage.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "engine/general.h"
#include "settings/default_lines.h"
#include "settings/settings_model.h"
#include "settings/value_format.h"
#include "tools/check/checker_settings.h"
#include "tools/check/message_file.h"
#include "tools/check/terminal.h"
#include "tools/check/verdict_row.h"

namespace fs = std::filesystem;

namespace quorn {
namespace {

const char kUsage[] = "usage: quorn-check [--settings FILE] [--timeout MS] FILE|FOLDER...\n";

void ReportFailure(const std::string& path, const std::string& shiftJisText) {
  std::fflush(stdout);
  std::fputs(path.c_str(), stderr);
  std::fputs(": ", stderr);
  WriteForPerson(stderr, shiftJisText);
  std::fputs("\n", stderr);
}

// The files named by one argument; false when it names nothing readable.
bool ExpandArgument(const std::string& arg, std::vector<std::string>& files) {
  std::error_code ec;
  if (fs::is_directory(arg, ec)) {
    std::vector<std::string> found;
    for (auto it = fs::recursive_directory_iterator(arg, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_regular_file(ec)) found.push_back(it->path().generic_string());
    }
    if (ec) return false;
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
    return true;
  }
  files.push_back(arg);
  return true;
}

bool CheckFile(LiveSettings& form, const std::string& path) {
  auto header = ReadMessageHeader(path);
  if (!header) {
    ReportFailure(path, "cannot read the file");
    return false;
  }
  try {
    MessageVerdict verdict = JudgeMessage(form, *header);
    std::printf("%s\n", VerdictRow(path, verdict, form).c_str());
    return true;
  } catch (const TextError& e) {
    ReportFailure(path, e.what());
    return false;
  }
}

int Run(int argc, char** argv) {
  UseBinaryStreams();
  std::vector<std::string> files;
  std::string settingsPath;
  std::optional<std::int32_t> timeout;
  bool ok = true;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (options && arg == "--") {
      options = false;
      continue;
    }
    if (options && arg == "--settings" && i + 1 < argc) {
      settingsPath = argv[++i];
      continue;
    }
    if (options && arg == "--timeout" && i + 1 < argc) {
      auto value = ParseProfileInt(argv[++i]);
      if (!value) {
        std::fputs(kUsage, stderr);
        return 2;
      }
      timeout = value;
      continue;
    }
    if (options && arg.size() > 1 && arg[0] == '-') {
      std::fputs(kUsage, stderr);
      return 2;
    }
    if (!ExpandArgument(arg, files)) {
      ReportFailure(arg, "cannot read the folder");
      ok = false;
    }
  }
  if (files.empty() && ok) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  std::unique_ptr<SettingsModel> settings = MakeCheckerSettings();
  SettingsModel& form = *settings;
  if (settingsPath.empty()) {
    UseDefaultLists();
  } else {
    // The profile functions take a bare name for a file in the system folder.
    std::error_code ec;
    fs::path full = fs::absolute(settingsPath, ec);
    if (ec || !fs::is_regular_file(full, ec)) {
      std::fprintf(stderr, "quorn-check: no settings file %s\n", settingsPath.c_str());
      return 2;
    }
    form.LoadSettings(full.string());
  }
  if (timeout) form.TimeOut = *timeout;
  for (const std::string& path : files) ok = CheckFile(form, path) && ok;
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace quorn

int main(int argc, char** argv) {
  try {
    return quorn::Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorn-check: %s\n", e.what());
    return 1;
  }
}
