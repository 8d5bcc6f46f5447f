// What the settings window makes of its editors when the user confirms:
// the check of the exclusion and rule lines before anything is taken over,
// and the time-out read from its box. Portable: no window is involved.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/lists.h"

namespace quorn {

// The error text for the first line that cannot be used, or the empty text
// when all can. Exclusion lines come first: a line that is not empty and
// denotes no address or network ("\"%s\"は不正なアドレスです"). Then the
// rules: a line that is not empty and no comment, and that does not compile
// or fails searching the empty text ("\"%s\"は不正な正規表現です").
std::string FirstInvalidLine(const TextLines& skip, const TextLines& rules);

// The error text for the first line, in the lists in the order given, that
// is longer than the settings file keeps (kProfileValueLimit bytes), or the
// empty text. Such a line would come back cut at the next start: a rule or
// pattern cut in two no longer compiles, and a whitelist text cut short
// matches more relays than the one the user wrote.
std::string FirstTooLongLine(const std::vector<const TextLines*>& lists);

// The error text for the first line, in the lists in the order given, that
// a save and the next load would not give back as it is, or the empty
// text: a line too long (as FirstTooLongLine), one with a blank at either
// end, or one enclosed in a pair of quotes (" or '); the file drops those
// blanks and quotes. A rule "^mail " would come back as "^mail" and match
// every relay whose name starts so.
std::string FirstLineTheFileChanges(std::initializer_list<const TextLines*> lists);

// The lines to take over from an editor that was filled with `filled` and
// showed them as `shown` (each line as the editor gave it back right after
// the fill), when it now holds `edited`. The editors hold wide text, and
// some Shift-JIS bytes do not come back the same from it (NEC and IBM
// extension characters, a lone lead byte, a lead byte before a blank): a
// line whose text the user left as it was shown keeps its original bytes.
// Lines are paired by their place: the unchanged lines before and after
// the edited part, then, within it, each edited line with the first
// unpaired filled line it still shows as. With `shown` not line for line
// `filled`, the edited lines are taken as they are.
TextLines KeepUnchangedLines(const TextLines& filled, const TextLines& shown, const TextLines& edited);

// The time-out the box's text stands for: a decimal integer with an
// optional sign. Empty text, anything that is no such number and a number
// beyond 32 bits give kTimeOutNotANumber.
constexpr std::int32_t kTimeOutNotANumber = 2000;
std::int32_t TimeOutFromText(std::string_view text);

}  // namespace quorn
