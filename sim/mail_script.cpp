#include "sim/mail_script.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

#include "sim/built_text.h"
#include "sim/host.h"
#include "sim/mailbox.h"
#include "tools/check/message_file.h"
#include "win32/text_convert.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

std::string ReadBytes(const fs::path& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  ok = static_cast<bool>(in);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// "\r", "\n", "\t" and "\\" in a script's text.
std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '\\' && (c == 'r' || c == 'n' || c == 't' || c == '\\')) {
      out.push_back(c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : '\\');
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

void Add(std::string text, const std::string& name, bool verbose) {
  const Message& m = AddMessage(Message{NewMessageId(), TheHost.currentMailBox, std::move(text)});
  if (verbose) Say("  " + m.id + ": " + name);
}

// A header file as a message: CR LF line ends, an empty line, no body.
std::string MessageOfHeader(const std::string& bytes) {
  std::string header = quorn::WithCrLfLineEnds(bytes);
  if (header.size() < 2 || header.compare(header.size() - 2, 2, "\r\n") != 0) header += "\r\n";
  return header + "\r\n";
}

void MailCorpus(const std::string& argument) {
  std::vector<std::string> words = Words(argument);
  const char* fromEnvironment = std::getenv("QUORN_CORPUS_HEADERS");
  fs::path folder = words.size() > 1 ? fs::u8path(words[1]) : fs::u8path(fromEnvironment ? fromEnvironment : "");
  long count = words.empty() ? 0 : std::strtol(words[0].c_str(), nullptr, 10);
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  if (files.empty() || count <= 0) {
    Say("  no corpus headers (give COUNT and a folder, or set QUORN_CORPUS_HEADERS)");
    return;
  }
  std::vector<std::string> texts;
  for (const fs::path& file : files) {
    bool ok = false;
    texts.push_back(MessageOfHeader(ReadBytes(file, ok)));
  }
  const std::size_t first = TheHost.messages.size();
  for (long i = 0; i < count; ++i) {
    const std::size_t at = static_cast<std::size_t>(i) % files.size();
    Add(texts[at], files[at].filename().string(), count <= 100);
  }
  if (count > 100) {
    Say("  " + TheHost.messages[first].id + " .. " + TheHost.messages.back().id + ": " +
        std::to_string(count) + " corpus headers");
  }
}

void Select(const std::string& argument) {
  std::vector<std::string> words = Words(argument);
  bool all = words.size() == 1 && words[0] == "all";
  for (Message& m : TheHost.messages) {
    if (m.folder == TheHost.currentMailBox) SetSelection(m.id.c_str(), all);
  }
  if (all || (words.size() == 1 && words[0] == "none")) return;
  for (const std::string& word : words) {
    std::string id = word[0] == '#' ? TheHost.currentMailBox + word : word;
    const Message* m = FindMessage(id);
    if (!m || m->folder != TheHost.currentMailBox) {
      Say("  no message " + id + " in view");
      continue;
    }
    SetSelection(id.c_str(), true);
  }
}

}  // namespace

bool ExecuteMailCommand(const std::string& command, const std::string& argument,
                        const fs::path& scriptFolder) {
  if (command == "mail") {
    for (const std::string& name : Words(argument)) {
      bool ok = false;
      std::string text = ReadBytes(scriptFolder / fs::u8path(name), ok);
      if (!ok) {
        Say("  cannot read " + name);
        continue;
      }
      Add(quorn::WithCrLfLineEnds(text), name, true);
    }
  } else if (command == "mail-text") {
    Add(Unescape(argument), "a text", true);
  } else if (command == "mail-built") {
    std::optional<std::string> text = BuildText(argument);
    if (!text) return false;
    const std::string name = "a built text of " + std::to_string(text->size()) + " bytes";
    Add(std::move(*text), name, true);
  } else if (command == "mail-corpus") {
    MailCorpus(argument);
  } else if (command == "select") {
    Select(argument);
  } else if (command == "current") {
    const std::string id = argument.empty() || argument == "none" ? "" : argument[0] == '#' ? TheHost.currentMailBox + argument : argument;
    if (!id.empty() && !FindMessage(id)) Say("  no message " + id);
    TheHost.currentMail = id;
  } else if (command == "selection-protocol") {
    if (!ParseSelectionProtocol(argument, TheHost.selectionProtocol)) Say("  unknown protocol " + argument);
  } else if (command == "fail-moves") {
    FailMovesTo(quorn::ShiftJisFromUtf8(argument));
  } else if (command == "mails") {
    PrintMessages();
  } else if (command == "trace") {
    TheHost.traceCalls = argument != "off";
  } else {
    return false;
  }
  return true;
}

}  // namespace sim
