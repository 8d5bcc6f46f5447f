#include "sim/built_text.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace sim {
namespace {

constexpr std::size_t kMaxBuiltSize = std::size_t{1} << 30;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out.push_back(text[i]);
      continue;
    }
    if (++i >= text.size()) return std::nullopt;
    switch (text[i]) {
      case 's': out.push_back(' '); break;
      case 'r': out.push_back('\r'); break;
      case 'n': out.push_back('\n'); break;
      case 't': out.push_back('\t'); break;
      case '0': out.push_back('\0'); break;
      case '\\': out.push_back('\\'); break;
      case 'x': {
        int high = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
        int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return out;
}

}  // namespace

namespace {

// A recipe is read twice: first only measured, then built into a text that
// holds its whole size from the start. A text of hundreds of MiB then costs
// one block of memory, with no copy of it beside it and no growth past it,
// so that a 32-bit process (2 GiB of address space) can build it too.
struct Measure {
  std::size_t size = 0;
};

bool Fits(std::size_t size, std::size_t piece, unsigned long long count) {
  return piece == 0 || count <= (kMaxBuiltSize - size) / piece;
}

bool AppendRepeated(Measure& out, const Measure& piece, unsigned long long count) {
  if (!Fits(out.size, piece.size, count)) return false;
  out.size += piece.size * static_cast<std::size_t>(count);
  return true;
}

// Appends `count` copies of `text` by doubling in place, so that megabytes
// cost a few copies and a timed delivery measures the delivery; false past
// the size limit.
bool AppendRepeated(std::string& out, const std::string& text, unsigned long long count) {
  if (text.empty() || count == 0) return true;
  if (!Fits(out.size(), text.size(), count)) return false;
  const std::size_t start = out.size();
  const std::size_t total = text.size() * static_cast<std::size_t>(count);
  out.reserve(start + total);
  out += text;
  while (out.size() - start < total) {
    const std::size_t done = out.size() - start;
    out.append(out, start, std::min(done, total - done));  // whole copies: sizes are multiples
  }
  return true;
}

bool AppendText(Measure& out, const std::string& text, unsigned long long count) {
  return AppendRepeated(out, Measure{text.size()}, count);
}
bool AppendText(std::string& out, const std::string& text, unsigned long long count) {
  return AppendRepeated(out, text, count);
}

// Reads the next piece; false at the end of the recipe.
bool NextPiece(std::istringstream& pieces, unsigned long long& count, std::string& piece) {
  if (!(pieces >> piece)) return false;
  count = 1;
  const std::size_t star = piece.find('*');
  if (star != std::string::npos && star > 0 && piece.find_first_not_of("0123456789") == star) {
    count = std::strtoull(piece.substr(0, star).c_str(), nullptr, 10);
    piece.erase(0, star + 1);
  }
  return true;
}

// Appends the pieces up to the "}" that closes the group (or the recipe's
// end when `inGroup` is false) to `out`, once.
template <class Out>
bool BuildGroup(std::istringstream& pieces, bool inGroup, Out& out) {
  unsigned long long times = 0;
  for (std::string piece; NextPiece(pieces, times, piece);) {
    if (piece == "}") {
      if (!inGroup || times != 1) return false;
      return true;
    }
    if (piece == "{") {
      Out group;
      if (!BuildGroup(pieces, true, group) || !AppendRepeated(out, group, times)) return false;
      continue;
    }
    const std::optional<std::string> text = Unescape(piece);
    if (!text || !AppendText(out, *text, times)) return false;
  }
  return !inGroup;  // a group needs its "}"
}

}  // namespace

std::optional<std::string> BuildText(const std::string& recipe) {
  Measure measure;
  std::istringstream measured(recipe);
  if (!BuildGroup(measured, false, measure)) return std::nullopt;
  // With room for the header line the plug-in adds: the host inserts it
  // in place, as a second block of hundreds of MiB has no room beside the
  // first in a 32-bit simulator.
  std::string built;
  built.reserve(measure.size + 1024);
  std::istringstream pieces(recipe);
  BuildGroup(pieces, false, built);
  return built;
}

bool ExecuteBuiltTextCommand(const std::string& command, const std::string& argument,
                             const std::function<void(const std::string& name, std::string text)>& receive) {
  if (command != "receive-built") return false;
  std::optional<std::string> text = BuildText(argument);
  if (!text) return false;
  const std::string name = "a built text of " + std::to_string(text->size()) + " bytes";
  receive(name, std::move(*text));
  return true;
}

}  // namespace sim
