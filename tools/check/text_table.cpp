#include "tools/check/text_table.h"

#include <algorithm>
#include <cstdio>


namespace quorn {

TextTable::TextTable(std::vector<std::string> heads, std::vector<bool> rightAligned)
    : heads_(std::move(heads)), right_(std::move(rightAligned)) {
  right_.resize(heads_.size(), false);
}

void TextTable::Add(std::vector<std::string> cells) {
  cells.resize(heads_.size());
  rows_.push_back(std::move(cells));
}

std::string TextTable::Render() const {
  std::vector<std::size_t> widths(heads_.size(), 3);
  auto measure = [&](const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], cells[i].size());
  };
  measure(heads_);
  for (const auto& row : rows_) measure(row);

  auto line = [&](const std::vector<std::string>& cells) {
    std::string out = "|";
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::string pad(widths[i] - cells[i].size(), ' ');
      out += ' ' + (right_[i] ? pad + cells[i] : cells[i] + pad) + " |";
    }
    return out + '\n';
  };
  std::string out = line(heads_);
  out += '|';
  for (std::size_t i = 0; i < heads_.size(); ++i) {
    out += right_[i] ? std::string(widths[i] + 1, '-') + ":|" : std::string(widths[i] + 2, '-') + '|';
  }
  out += '\n';
  for (const auto& row : rows_) out += line(row);
  return out;
}

std::string Share(int part, int whole) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %%", whole > 0 ? 100.0 * part / whole : 0.0);
  return text;
}

std::string CellText(const std::string& text, std::size_t limit) {
  const bool cut = text.size() > limit;
  std::string out;
  for (unsigned char c : cut ? text.substr(0, limit) : text) {
    if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    } else {
      if (c == '|') out += '\\';
      out += static_cast<char>(c);
    }
  }
  return cut ? out + "..." : out;
}

}  // namespace quorn
