// The five setting lists bound once: the section of the settings file that
// holds each, the engine's list, its built-in lines, and the design names
// of the editor that shows it in the settings window and of the page that
// holds the editor, with the page's caption. The settings model reads and
// writes the file through this table, the settings window fills and takes
// over its editors through it, and its design makes a page and an editor
// for each entry. Portable: design names only, no window.
#pragma once

#include <array>
#include <cstddef>

#include "engine/lists.h"

namespace quorn {

struct ListBinding {
  const char* section;
  SettingList& list;
  const TextLines& (*defaultLines)();
  const char* editor;
  const char* page;
  const char* pageCaption;  // Shift-JIS
};

constexpr std::size_t kListCount = 5;

// In file order, which is also the order of the window's pages.
const std::array<ListBinding, kListCount>& ListBindings();

}  // namespace quorn
