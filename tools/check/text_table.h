// A table printed as Markdown whose columns are padded to line up, so that
// it reads well on a terminal and pastes into a document unchanged.
#pragma once

#include <string>
#include <vector>

namespace quorn {

class TextTable {
 public:
  // `rightAligned[i]` for the columns of numbers.
  TextTable(std::vector<std::string> heads, std::vector<bool> rightAligned);

  void Add(std::vector<std::string> cells);
  std::string Render() const;

 private:
  std::vector<std::string> heads_;
  std::vector<bool> right_;
  std::vector<std::vector<std::string>> rows_;
};

// "12.3 %": `part` as a share of `whole` (0.0 % of nothing).
std::string Share(int part, int whole);

// A text for a table cell: '|' escaped as \|, control bytes shown as \xNN, and
// cut after `limit` bytes with "..." (the text may be a sender's).
std::string CellText(const std::string& text, std::size_t limit = 80);

}  // namespace quorn
