#include "sim/mailbox.h"

#include <windows.h>

#include <set>
#include <vector>
#include <unordered_map>

namespace sim {
namespace {

std::unordered_map<std::string, std::size_t> IndexById;
std::set<std::size_t> SelectedIndexes;  // of every folder, in list order
std::set<std::string> FailingFolders;
int LastMessageNumber = 0;

bool InView(const Message& m) { return m.folder == TheHost.currentMailBox; }

void Mark(std::size_t index, bool select) {
  TheHost.messages[index].selected = select;
  if (select) {
    SelectedIndexes.insert(index);
  } else {
    SelectedIndexes.erase(index);
  }
}

// The first selected message in view at or after `from`; npos when none.
std::size_t SelectedFrom(std::size_t from) {
  for (auto it = SelectedIndexes.lower_bound(from); it != SelectedIndexes.end(); ++it) {
    if (InView(TheHost.messages[*it])) return *it;
  }
  return std::string::npos;
}

void Deliver(char* buffer, int size, const std::string& id) {
  if (buffer && size > 0) lstrcpynA(buffer, id.c_str(), size);
}

}  // namespace

bool ParseSelectionProtocol(const std::string& name, SelectionProtocol& protocol) {
  if (name == "plain") protocol = SelectionProtocol::Plain;
  else if (name == "last-with-end") protocol = SelectionProtocol::LastWithEnd;
  else if (name == "empty-ids") protocol = SelectionProtocol::EmptyIds;
  else if (name == "untouched-end") protocol = SelectionProtocol::UntouchedEnd;
  else return false;
  return true;
}

std::string NewMessageId() { return TheHost.currentMailBox + "#" + std::to_string(++LastMessageNumber); }

const Message& AddMessage(Message message) {
  const std::size_t index = TheHost.messages.size();
  const bool selected = message.selected;
  IndexById[message.id] = index;
  TheHost.messages.push_back(std::move(message));
  Mark(index, selected);
  return TheHost.messages.back();
}

Message* FindMessage(const std::string& id) {
  auto found = IndexById.find(id);
  return found == IndexById.end() ? nullptr : &TheHost.messages[found->second];
}

// A position is twice the index of the message it refers to, plus 1 once
// that message was delivered; an even position (empty-ids only) means its
// message is next.
int NextSelected(int start, char* buffer, int size) {
  const SelectionProtocol protocol = TheHost.selectionProtocol;
  std::size_t next;
  if (start < 0) {
    next = SelectedFrom(0);
  } else if (start % 2 == 0) {
    next = SelectedFrom(static_cast<std::size_t>(start / 2));
  } else {
    next = SelectedFrom(static_cast<std::size_t>(start / 2) + 1);
  }
  if (next == std::string::npos) {
    if (protocol != SelectionProtocol::UntouchedEnd) Deliver(buffer, size, "");
    return -1;
  }
  if (protocol == SelectionProtocol::EmptyIds && (start < 0 || start % 2 == 1)) {
    Deliver(buffer, size, "");
    return static_cast<int>(next * 2);
  }
  Deliver(buffer, size, TheHost.messages[next].id);
  if (protocol == SelectionProtocol::LastWithEnd && SelectedFrom(next + 1) == std::string::npos) return -1;
  return static_cast<int>(next * 2 + 1);
}

std::string HeaderOf(const std::string& id) {
  const Message* m = FindMessage(id);
  if (!m) return std::string();
  return m->text.substr(0, m->text.find("\r\n\r\n"));
}

bool SetSelection(const char* id, bool select) {
  if (!id) {
    if (select) {
      for (std::size_t i = 0; i < TheHost.messages.size(); ++i) {
        if (InView(TheHost.messages[i])) Mark(i, true);
      }
    } else {
      SelectedIndexes.clear();
      for (Message& m : TheHost.messages) m.selected = false;
    }
    return true;
  }
  auto found = IndexById.find(id);
  if (found == IndexById.end()) return false;
  Mark(found->second, select);
  return true;
}

bool MoveSelection(const std::string& folder, bool copy) {
  const std::vector<std::size_t> chosen(SelectedIndexes.begin(), SelectedIndexes.end());
  const bool fails = folder.empty() || FailingFolders.count(folder) != 0;
  for (std::size_t index : chosen) {
    Message& m = TheHost.messages[index];
    if (TheHost.traceCalls) {
      Say("  move " + m.id + (copy ? " copied" : "") + " -> " + Show(folder) + (fails ? " FAILED" : ""));
    }
    if (fails || copy) continue;  // a copy leaves the list in view as it is
    m.folder = folder;
    Mark(index, false);  // gone from the list in view
  }
  return !fails;
}

void FailMovesTo(const std::string& folder) { FailingFolders.insert(folder); }

void PrintMessages() {
  for (const Message& m : TheHost.messages) {
    Say(std::string("  ") + (m.selected ? "[x] " : "[ ] ") + m.id + " in " + Show(m.folder));
  }
}

}  // namespace sim
