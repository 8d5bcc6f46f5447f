// A message header collected piece by piece in bounded memory, with the
// verdict the plug-in would give the whole header.
//
// A header up to a size bound is kept whole. Past it only what the check
// reads is kept: its Received: lines, as the engine finds them (received.h),
// and only as far as the engine's reading bounds let a line count; a line
// longer than the line bound is cut just past it (any such line is
// unreadable alike), and once a line is past the bounds nothing later can
// change the verdict, so the rest is not needed (Settled). The header to
// judge is then those lines, one per line.
//
// The engine unfolds a header and finds its Received: lines; the header is
// cut for that into fields at each LF followed by a byte other than a blank,
// CR or LF. No fold and no Received: line spans such a place, so each field
// gives the same lines alone as within the whole header. A field longer
// than its own bound (no real header field comes near it) is not kept:
// without "Received:" in it, it gives no line (folding cannot make one);
// with one, it is taken as one unreadable line, which the engine judges as
// spam whatever the settings: the same verdict whenever that line runs on
// past the line bound, as it does when the field begins with it, and never
// a pass the plug-in would not give.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorn {

class BoundedHeader {
 public:
  struct Limits {
    std::size_t whole = std::size_t{4} << 20;  // kept as is up to this size
    std::size_t field = std::size_t{1} << 20;  // a longer field is not kept
  };

  BoundedHeader() = default;
  explicit BoundedHeader(Limits limits) : limits_(limits) {}

  void Append(std::string_view text);
  // Whether more text can no longer change the verdict.
  bool Settled() const { return settled_; }
  // The header to judge.
  std::string Take();

 private:
  void AppendToFields(std::string_view text);
  void AddToField(std::string_view text);
  void EndField();
  void Keep(std::string line);

  Limits limits_;
  std::string whole_;
  bool past_ = false;  // past the whole-header bound
  std::string field_;
  bool giant_ = false;                 // the field is past its bound, not kept
  bool giantHasReceived_ = false;
  std::string giantTail_;              // its last bytes, for a "Received:" across two pieces
  bool lineEnded_ = false;             // the last byte was an LF
  std::vector<std::string> lines_;
  unsigned long long squares_ = 0;
  bool settled_ = false;
};

// The header to judge of a text held whole elsewhere (the host's), read in
// pieces so that no copy of it is made: the same as one Append of it.
std::string HeaderToJudge(std::string_view header);

}  // namespace quorn
