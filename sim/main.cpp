// quorn-host: a stand-in for the mail client Velmo. It loads a plug-in DLL
// with LoadLibrary, drives it only through the host ABI as a scenario script
// says, and prints a transcript of what the plug-in did: results, actions
// and texts, stamps, moves, selections and message boxes (answered at once).
//
//   quorn-host PLUGIN.dll SCRIPT
//
// The host keeps a data folder in a temporary directory, removed at the
// end; the transcript shows it as "<data>". Exit status 0, or 2 for a
// script the simulator does not understand.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <io.h>

#include "sim/data_folder.h"
#include "sim/host.h"
#include "sim/host_calls.h"
#include "sim/message_boxes.h"
#include "sim/scenario.h"
#include "sim/window_actions.h"
#include "win32/text_convert.h"

namespace fs = std::filesystem;

namespace sim {

Host TheHost;

void Say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::string Show(const std::string& shiftJis) {
  return quorn::Utf8FromWide(quorn::WideFromShiftJis(shiftJis));
}

std::string ShowPath(const std::string& path) {
  if (path.compare(0, TheHost.dataFolder.size(), TheHost.dataFolder) == 0) {
    return "<data>\\" + path.substr(TheHost.dataFolder.size());
  }
  return path;
}

std::string HideDataFolder(std::string text) {
  const std::string& folder = TheHost.dataFolder;
  for (std::size_t at; !folder.empty() && (at = text.find(folder)) != std::string::npos;) {
    text.replace(at, folder.size(), "<data>\\");
  }
  return text;
}

namespace {

std::string MakeDataFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "quorn-host-" + std::to_string(GetCurrentProcessId()) +
                       "-" + std::to_string(GetTickCount()) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

}  // namespace
}  // namespace sim

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc != 3) {
    std::fputs("usage: quorn-host PLUGIN.dll SCRIPT\n", stderr);
    return 2;
  }
  sim::TheHost.dataFolder = sim::MakeDataFolder();
  sim::MakeMailboxes();
  sim::AnswerMessageBoxes();
  sim::AddHostCallListener(sim::RunWindowActionsAt);

  std::error_code ec;
  std::string dll = fs::absolute(argv[1], ec).string();
  int status = sim::RunScenario(dll, fs::u8path(argv[2]));

  fs::remove_all(sim::TheHost.dataFolder, ec);
  return status;
}
