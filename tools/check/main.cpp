// quorn-check: judges messages as the plug-in judges received mail, with
// the built-in default settings or those of an INI file (--settings FILE,
// read and never written), looking up relays without a usable name in
// their line (--timeout MS overrides the settings' time-out).
//
//   quorn-check [--stats] [--quiet] FILE|FOLDER...
//     prints one line per message (not with --quiet):
//       name <TAB> code <TAB> code name <TAB> label <TAB> relay address <TAB> host name
//     and with --stats a summary after them (stats_report.h).
//   quorn-check --evaluate --ham PATH... --spam PATH... [--show-false-positives]
//     judges a set of ham and one of spam and prints how the filter did
//     (evaluation_report.h); --ham and --spam may be given more than once.
//
// Arguments are message files, mbox files, Maildirs or folders
// (message_source.h). A message whose check fails is reported on standard
// error with the error's text, and the checker goes on. Exit status: 0 when
// every message was judged, 1 when any was not, 2 for bad usage.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "settings/default_lines.h"
#include "settings/value_format.h"
#include "tools/check/check_run.h"
#include "tools/check/checker_settings.h"
#include "tools/check/evaluation_report.h"
#include "tools/check/stats_report.h"
#include "tools/check/terminal.h"

namespace fs = std::filesystem;

namespace quorn {
namespace {

const char kUsage[] =
    "usage: quorn-check [--settings FILE] [--timeout MS] [--stats] [--quiet] FILE|FOLDER...\n"
    "       quorn-check [--settings FILE] [--timeout MS] --evaluate --ham FILE|FOLDER --spam FILE|FOLDER\n"
    "                   [--show-false-positives]\n";

struct Options {
  std::string settingsPath;
  std::optional<std::int32_t> timeout;
  bool stats = false;
  bool quiet = false;
  bool evaluate = false;
  bool showFalsePositives = false;
  std::vector<std::string> paths, ham, spam;
};

// The options and paths, or nullopt for bad usage.
std::optional<Options> ParseArguments(int argc, char** argv) {
  Options o;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (!options || arg.size() < 2 || arg[0] != '-') {
      o.paths.push_back(arg);
    } else if (arg == "--") {
      options = false;
    } else if (arg == "--settings" && hasValue) {
      o.settingsPath = argv[++i];
    } else if (arg == "--timeout" && hasValue) {
      o.timeout = ParseProfileInt(argv[++i]);
      if (!o.timeout) return std::nullopt;
    } else if (arg == "--ham" && hasValue) {
      o.ham.push_back(argv[++i]);
    } else if (arg == "--spam" && hasValue) {
      o.spam.push_back(argv[++i]);
    } else if (arg == "--stats") {
      o.stats = true;
    } else if (arg == "--quiet") {
      o.quiet = true;
    } else if (arg == "--evaluate") {
      o.evaluate = true;
    } else if (arg == "--show-false-positives") {
      o.showFalsePositives = true;
    } else {
      return std::nullopt;
    }
  }
  if (o.evaluate) {
    if (o.ham.empty() || o.spam.empty() || !o.paths.empty() || o.stats || o.quiet) return std::nullopt;
  } else if (o.paths.empty() || !o.ham.empty() || !o.spam.empty() || o.showFalsePositives) {
    return std::nullopt;
  }
  return o;
}

// The message files of the paths; false when a folder could not be listed.
bool ListPaths(const std::vector<std::string>& paths, std::vector<MessageFile>& files) {
  bool ok = true;
  for (const std::string& path : paths) {
    if (!ListMessageFiles(path, files)) {
      std::fprintf(stderr, "%s: cannot read the folder\n", path.c_str());
      ok = false;
    }
  }
  DropRepeatedFiles(files);
  return ok;
}

// False when the settings file is missing.
bool LoadCheckerSettings(SettingsModel& form, const Options& o) {
  if (o.settingsPath.empty()) {
    UseDefaultLists();
  } else {
    // The profile functions take a bare name for a file in the system folder.
    std::error_code ec;
    fs::path full = fs::absolute(o.settingsPath, ec);
    if (ec || !fs::is_regular_file(full, ec)) {
      std::fprintf(stderr, "quorn-check: no settings file %s\n", o.settingsPath.c_str());
      return false;
    }
    form.LoadSettings(full.string());
  }
  if (o.timeout) form.TimeOut = *o.timeout;
  return true;
}

int Run(int argc, char** argv) {
  UseBinaryStreams();
  std::optional<Options> o = ParseArguments(argc, argv);
  if (!o) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  LookupLog lookups;
  std::unique_ptr<SettingsModel> settings = MakeCheckerSettings(lookups);
  if (!LoadCheckerSettings(*settings, *o)) return 2;
  const ListSnapshot lists = ListSnapshot::Take();
  const std::vector<std::string> rules = EffectiveRules(*lists.rules);

  std::vector<MessageFile> files, spamFiles;
  bool ok = ListPaths(o->evaluate ? o->ham : o->paths, files);
  ok = ListPaths(o->spam, spamFiles) && ok;
  const bool printRows = !o->quiet && !o->evaluate;
  ProgressLine progress(IsTerminal(stderr) && !(printRows && IsTerminal(stdout)), files.size() + spamFiles.size());
  CheckRun run(*settings, lists, printRows, progress);

  std::string report;
  if (o->evaluate) {
    VerdictTally ham(o->showFalsePositives), spam;
    ok = run.Judge(files, ham) && ok;
    ok = run.Judge(spamFiles, spam) && ok;
    report = EvaluationReport(spam, ham, rules, settings->ReverseLookup) + '\n' + lookups.Summary() + '\n';
    if (o->showFalsePositives) {
      report += "\nham that would be stamped (" + std::to_string(ham.Stamped()) + "):\n" +
                FalsePositiveList(ham, rules);
    }
  } else {
    VerdictTally tally;
    ok = run.Judge(files, tally) && ok;
    if (o->stats) report = (printRows ? "\n" : "") + StatsReport(tally, lookups, rules);
  }
  progress.Clear();
  std::fflush(stdout);
  WriteForPerson(stdout, report);
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
