#include "sim/scenario.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

#include "host/plugin_api.h"
#include "sim/built_text.h"
#include "sim/checked_call.h"
#include "sim/data_folder.h"
#include "sim/deferred.h"
#include "sim/host.h"
#include "sim/mail_script.h"
#include "sim/mailbox.h"
#include "sim/message_boxes.h"
#include "sim/nested_receipt.h"
#include "sim/run_timer.h"
#include "sim/window_actions.h"
#include "tools/check/message_file.h"
#include "win32/text_convert.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

std::string ReadFileBytes(const fs::path& path, bool* ok = nullptr) {
  std::ifstream in(path, std::ios::binary);
  if (ok) *ok = static_cast<bool>(in);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// "\r", "\n" and "\t" in a script's text argument.
std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      char c = text[i + 1];
      if (c == 'r' || c == 'n' || c == 't' || c == '\\') {
        out.push_back(c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : '\\');
        ++i;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

// The plug-in's callbacks, each called through its pointer with the stack
// pointer checked (checked_call.h).
struct PlugIn {
  HMODULE module = nullptr;
  std::map<std::string, FARPROC> entries;
};

const char* const kCallbacks[] = {
    "VMC_OnStart", "VMC_OnExit", "VMC_OnEveryMinute", "VMC_OnMenuInit", "VMC_OnPlugInSetup",
    "VMC_OnPlugInInfo", "VMC_OnBeforeFilter", "VMC_OnOpenFolder", "VMC_OnOpenMail", "VMC_OnSend",
    "VMC_OnFinishRetrieve", "VMC_OnOpenCompose", "VMC_OnOutgoing", "VMC_OnRetrieve", "VMC_OnKeyDispatch",
    "VMC_OnDragDrop",
};

// A parameter of a callback as the word it is passed in.
template <class T>
std::uintptr_t Word(T* pointer) {
  return reinterpret_cast<std::uintptr_t>(pointer);
}
std::uintptr_t Word(int value) { return static_cast<std::uintptr_t>(value); }

// Calls `function` through `entry` with the stack pointer checked; a moved
// one is a line of the transcript, so that every scenario catches it.
int Call(const char* function, FARPROC entry, const std::vector<std::uintptr_t>& args) {
  long moved = 0;
  int result = CheckedCall(entry, args, moved);
  if (moved != 0) {
    Say(std::string("  STACK POINTER MOVED BY ") + std::to_string(moved) + " BYTES ACROSS " + function);
  }
  return result;
}

class Scenario {
 public:
  Scenario(std::string dll, fs::path script) : dll_(std::move(dll)), script_(std::move(script)) {}
  int Run();

 private:
  bool Execute(const std::string& command, const std::string& argument);
  bool ExecuteLine(const std::string& line);
  void RunCommand(const std::string& which);
  bool Loaded();
  // Calls the plug-in's callback `name` (bound at the load).
  int Callback(const char* name, const std::vector<std::uintptr_t>& args);
  void OtherCallbacks();
  std::string IniPath() const { return TheHost.dataFolder + "PlugIns\\Quorn.ini"; }
  // With `bytes`, every byte outside printable ASCII is shown as \xHH.
  void PrintIni(bool bytes = false);
  void IniState();
  void Menu(int type);
  void Info();
  // Delivers one received message; returns the stamp's label ("" for none).
  std::string Receive(const std::string& name, std::string text, bool verbose);
  void Corpus(const fs::path& folder);

  std::string dll_;
  fs::path script_;
  PlugIn plugIn_;
  std::string iniSnapshot_;
  std::map<int, std::string> captions_;  // of the menu items built last
};

bool Scenario::Loaded() {
  if (plugIn_.module) return true;
  Say("  (the plug-in is not loaded)");
  return false;
}

int Scenario::Callback(const char* name, const std::vector<std::uintptr_t>& args) {
  return Call(name, plugIn_.entries.at(name), args);
}

// The callbacks the simulator has no event for, each with parameters of the
// kinds its signature gives: each answers 0, with the stack as it was.
void Scenario::OtherCallbacks() {
  char mail[] = "MailBox1\\#1";
  char mailBox[] = "MailBox1\\";
  const struct {
    const char* name;
    std::vector<std::uintptr_t> args;
  } calls[] = {
      {"VMC_OnEveryMinute", {}},
      {"VMC_OnOpenFolder", {Word(mailBox)}},
      {"VMC_OnOpenMail", {Word(mail)}},
      {"VMC_OnSend", {Word(mail)}},
      {"VMC_OnFinishRetrieve", {Word(3)}},
      {"VMC_OnOpenCompose", {Word(GetDesktopWindow()), Word(1)}},
      {"VMC_OnOutgoing", {Word(GetDesktopWindow()), Word(2)}},
      {"VMC_OnRetrieve", {Word(mail), Word(mailBox)}},
      {"VMC_OnKeyDispatch", {Word(GetDesktopWindow()), Word(VK_F5), Word(1)}},
      {"VMC_OnDragDrop", {Word(mail), Word(mailBox), Word(1), Word(0)}},
  };
  for (const auto& call : calls) Say(std::string("  ") + call.name + ": result " + std::to_string(Callback(call.name, call.args)));
}

void Scenario::PrintIni(bool asBytes) {
  bool ok = false;
  std::string bytes = ReadFileBytes(IniPath(), &ok);
  if (!ok) {
    Say("  (no file " + ShowPath(IniPath()) + ")");
    return;
  }
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t lf = bytes.find('\n', pos);
    std::string line = bytes.substr(pos, lf == std::string::npos ? std::string::npos : lf - pos);
    bool crlf = !line.empty() && line.back() == '\r';
    if (crlf) line.pop_back();
    std::string shown;
    if (asBytes) {
      for (unsigned char c : line) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        shown += c >= 0x20 && c < 0x7F && c != '\\' ? std::string(1, static_cast<char>(c)) : hex;
      }
    } else {
      shown = Show(line);
    }
    Say("  | " + shown + (crlf || lf == std::string::npos ? "" : "  <LF only>"));
    if (lf == std::string::npos) break;
    pos = lf + 1;
  }
}

void Scenario::IniState() {
  bool ok = false;
  std::string bytes = ReadFileBytes(IniPath(), &ok);
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(IniPath().c_str(), GetFileExInfoStandard, &data);
  std::string stamp = bytes + std::to_string(data.ftLastWriteTime.dwLowDateTime) + ":" +
                      std::to_string(data.ftLastWriteTime.dwHighDateTime);
  if (!ok) {
    Say("  ini: missing");
  } else {
    Say(stamp == iniSnapshot_ ? "  ini: unchanged" : "  ini: written");
  }
  iniSnapshot_ = ok ? stamp : std::string();
}

void Scenario::Menu(int type) {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 100, "Host item");
  int result = Callback("VMC_OnMenuInit", {0, Word(menu), Word(type)});
  Say("  result " + std::to_string(result));
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) {
      Say("  item ----");
      continue;
    }
    // As the menu shows it: the caption as the system holds it, in UTF-16.
    wchar_t caption[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 256, MF_BYPOSITION);
    captions_[static_cast<int>(GetMenuItemID(menu, i))] = quorn::ShiftJisFromWide(caption);
    Say("  item " + std::to_string(GetMenuItemID(menu, i)) + " " + quorn::Utf8FromWide(caption));
  }
  DestroyMenu(menu);
}

void Scenario::Info() {
  VMPlugInInfo info;
  std::memset(&info, '*', sizeof info);
  int result = Callback("VMC_OnPlugInInfo", {Word(&info)});
  Say("  result " + std::to_string(result));
  auto field = [](const char* name, const char* text, std::size_t width) {
    std::size_t length = strnlen(text, width);
    Say(std::string("  ") + name + ": " +
        (length == width ? "NOT TERMINATED" : Show(std::string(text, length)) + " (" +
                                                  std::to_string(length + 1) + " bytes)"));
  };
  field("name", info.Name, sizeof info.Name);
  field("vendor", info.Vendor, sizeof info.Vendor);
  field("version", info.Version, sizeof info.Version);
  field("description", info.Description, sizeof info.Description);
}

std::string Scenario::Receive(const std::string& name, std::string text, bool verbose) {
  Message message{NewMessageId(), TheHost.currentMailBox, std::move(text)};
  if (verbose) Say("receive " + name + " as " + message.id);
  std::string label;
  for (int call = 1;; ++call) {
    if (call > 3) {
      Say("  TOO MANY CALLS");
      break;
    }
    int action = -1;
    char untouched[] = "(untouched)";
    char* answer = untouched;
    int result = Callback("VMC_OnBeforeFilter", {Word(message.text.c_str()), Word(&action), Word(&answer)});
    if (result == velmo::kLeaveMessage) {
      bool same = action == -1 && answer == untouched;
      if (verbose) {
        Say(std::string("  result 0, ") + (same ? "action and text untouched" : "ACTION OR TEXT CHANGED"));
        Say("  stays in " + message.folder);
      }
      break;
    }
    if (!answer) {
      Say("  result " + std::to_string(result) + " with a NULL TEXT");
      break;
    }
    std::string given = answer;
    if (verbose) {
      Say("  result " + std::to_string(result) + ", action " + std::to_string(action) + ", text \"" +
          Show(given) + "\"");
    }
    if (result == velmo::kDoAction && action == velmo::kActionAddHeader) {
      std::size_t end = message.text.find("\r\n\r\n");
      message.text.insert(end == std::string::npos ? message.text.size() : end, "\r\n" + given);
      const std::string prefix = "X-Quorn: type=";
      label = given.compare(0, prefix.size(), prefix) == 0 ? given.substr(prefix.size()) : given;
      if (verbose) Say("  header line added");
      continue;
    }
    if (result == velmo::kMoveMessage && action == velmo::kActionMove) {
      if (given.empty()) {
        if (verbose) Say("  no folder given: stays in " + message.folder);
      } else {
        message.folder = given;
        if (verbose) Say("  moved to " + Show(given));
      }
      break;
    }
    Say("  UNEXPECTED ANSWER");
    break;
  }
  AddMessage(std::move(message));
  return label;
}

void Scenario::Corpus(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    std::string header = quorn::WithCrLfLineEnds(ReadFileBytes(file));
    if (header.size() < 2 || header.compare(header.size() - 2, 2, "\r\n") != 0) header += "\r\n";
    std::string label = Receive(file.filename().string(), header + "\r\n", false);
    Say(file.filename().string() + "\t" + label);
  }
}

bool Scenario::Execute(const std::string& command, const std::string& argument) {
  const fs::path here = script_.parent_path();
  if (command == "version") {
    TheHost.version = argument;
  } else if (command == "mailbox") {
    TheHost.currentMailBox = quorn::ShiftJisFromUtf8(argument);
  } else if (command == "display-name") {
    Say("  \"" + Show(FolderDisplayName(quorn::ShiftJisFromUtf8(argument))) + "\"");
  } else if (command == "folder") {
    fs::create_directories(fs::u8path(TheHost.dataFolder + argument));
  } else if (command == "folder-dir") {
    if (!FolderDirCommand(argument)) return false;
  } else if (command == "folder-list") {
    FolderListCommand(argument);
  } else if (command == "box-screenshot") {
    ShootNextBox(argument);
  } else if (command == "after-box") {
    AfterNextBox([this, argument] {
      Say("  after the box: " + argument);
      ExecuteLine(argument);
    });
  } else if (command == "answer") {
    SetBoxAnswer(argument == "no" ? BoxAnswer::No : BoxAnswer::Yes);
  } else if (command == "box-icons") {
    ShowBoxIcons(argument != "off");
  } else if (command == "window") {
    if (!QueueWindowAction(argument, [this](const std::string& l) { ExecuteLine(l); })) return false;
  } else if (command == "window-pending") {
    ReportPendingWindowActions();
  } else if (command == "ini-write") {
    std::istringstream words(argument);
    std::string section, key, value;
    words >> section >> key;
    std::getline(words, value);
    if (!value.empty() && value[0] == ' ') value.erase(0, 1);
    CreateDirectoryA((TheHost.dataFolder + "PlugIns").c_str(), nullptr);
    WritePrivateProfileStringA(section.c_str(), key.c_str(), quorn::ShiftJisFromUtf8(value).c_str(),
                               IniPath().c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath().c_str());
  } else if (command == "codepage") {
    Say("  ANSI code page " + std::to_string(GetACP()));
  } else if (command == "ini-readonly") {
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
  } else if (command == "ini-writable") {
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  } else if (command == "block-plugins-folder") {
    std::ofstream(TheHost.dataFolder + "PlugIns") << "a file where the folder should be";
  } else if (command == "ini-built") {
    // The whole file from a recipe (sim/built_text.h): bytes the profile
    // functions would not write as they are.
    const std::optional<std::string> bytes = BuildText(argument);
    if (!bytes) return false;
    CreateDirectoryA((TheHost.dataFolder + "PlugIns").c_str(), nullptr);
    std::ofstream(IniPath(), std::ios::binary) << *bytes;
  } else if (command == "ini") {
    PrintIni();
  } else if (command == "ini-bytes") {
    PrintIni(true);
  } else if (command == "ini-state") {
    IniState();
  } else if (command == "load") {
    plugIn_.module = LoadLibraryA(dll_.c_str());
    if (!plugIn_.module) {
      Say("  refused (error " + std::to_string(GetLastError()) + ")");
      return true;
    }
    Say("  loaded");
    for (const char* name : kCallbacks) {
      FARPROC entry = GetProcAddress(plugIn_.module, name);
      if (!entry) Say(std::string("  MISSING EXPORT ") + name);
      plugIn_.entries[name] = entry;
    }
  } else if (command == "unload") {
    if (Loaded()) {
      FreeLibrary(plugIn_.module);
      plugIn_ = PlugIn();
      TheHost.commands.clear();  // their handlers went with the module
      captions_.clear();
      Say("  unloaded");
    }
  } else if (command == "start") {
    if (Loaded()) Say("  result " + std::to_string(Callback("VMC_OnStart", {})));
  } else if (command == "exit") {
    if (Loaded()) Say("  result " + std::to_string(Callback("VMC_OnExit", {})));
  } else if (command == "menu") {
    if (Loaded()) Menu(std::stoi(argument));
  } else if (command == "info") {
    if (Loaded()) Info();
  } else if (command == "setup") {
    if (Loaded()) Say("  result " + std::to_string(Callback("VMC_OnPlugInSetup", {0})));
  } else if (command == "other-callbacks") {
    if (Loaded()) OtherCallbacks();
  } else if (command == "command") {
    RunCommand(argument);
  } else if (ExecuteMailCommand(command, argument, here) ||
             ExecuteDeferredCommand(command, argument, [this](const std::string& l) { ExecuteLine(l); }) ||
             ExecuteTimedCommand(command, argument, [this](const std::string& l) { ExecuteLine(l); }) ||
             ExecuteMemoryCommand(command, argument, [this](const std::string& l) { ExecuteLine(l); }) ||
             ExecuteBuiltTextCommand(command, argument, [this](const std::string& name, std::string text) {
               if (Loaded()) Receive(name, std::move(text), true);
             })) {
  } else if (command == "receive") {
    bool ok = false;
    std::string text = ReadFileBytes(here / fs::u8path(argument), &ok);
    if (!ok) {
      Say("  cannot read " + argument);
      return false;
    }
    if (Loaded()) Receive(argument, quorn::WithCrLfLineEnds(text), true);
  } else if (command == "receive-text") {
    if (Loaded()) Receive("a text", Unescape(argument), true);
  } else if (command == "receive-nested") {
    std::vector<Delivery> deliveries;
    std::istringstream names(argument);
    for (std::string name; names >> name;) {
      bool ok = false;
      std::string text = ReadFileBytes(here / fs::u8path(name), &ok);
      if (!ok) {
        Say("  cannot read " + name);
        return false;
      }
      deliveries.push_back({name, quorn::WithCrLfLineEnds(text)});
    }
    if (Loaded()) {
      ReceiveNested(std::move(deliveries),
                    [this](const std::string& name, std::string text) { Receive(name, std::move(text), true); });
    }
  } else if (command == "corpus") {
    if (Loaded()) Corpus(fs::u8path(argument));
  } else {
    return false;
  }
  return true;
}

// "command N" runs the Nth registered command; "command ID" the command
// with that ID; "command CAPTION" the menu item with that caption (from the
// menu built last) or the command with that status text.
void Scenario::RunCommand(const std::string& which) {
  const std::string wanted = quorn::ShiftJisFromUtf8(which);
  const Command* found = nullptr;
  char* end = nullptr;
  long number = std::strtol(which.c_str(), &end, 10);
  for (std::size_t i = 0; i < TheHost.commands.size() && !found; ++i) {
    const Command& c = TheHost.commands[i];
    if (!which.empty() && *end == '\0') {
      if (number == static_cast<long>(i + 1) || number == c.id) found = &c;
    } else if (captions_[c.id] == wanted || c.status == wanted) {
      found = &c;
    }
  }
  if (!found) {
    Say("  no command " + which);
    return;
  }
  const Command c = *found;  // a handler may register commands
  Say("  run " + std::to_string(c.id) + ": " + Show(c.status));
  // The handler returns nothing; its result word is ignored.
  Call("the command handler", reinterpret_cast<FARPROC>(reinterpret_cast<void*>(c.handler)), {0, 0});
  Say("  end of run " + std::to_string(c.id));
}

bool Scenario::ExecuteLine(const std::string& line) {
  std::size_t space = line.find(' ');
  std::string command = line.substr(0, space);
  std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
  if (Execute(command, argument)) return true;
  Say("  cannot do \"" + line + "\"");
  return false;
}

int Scenario::Run() {
  std::ifstream in(script_, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "quorn-host: cannot read %s\n", script_.string().c_str());
    return 2;
  }
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    line.erase(0, start);
    Say("> " + line);
    std::size_t space = line.find(' ');
    std::string command = line.substr(0, space);
    std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
    if (!Execute(command, argument)) {
      std::fprintf(stderr, "quorn-host: line %d: cannot do \"%s\"\n", number, line.c_str());
      return 2;
    }
  }
  return 0;
}
}  // namespace

int RunScenario(const std::string& dll, const fs::path& script) { return Scenario(dll, script).Run(); }

}  // namespace sim
