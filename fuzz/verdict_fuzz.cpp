// Fuzz target: the verdict on one message header, with the setting lists
// and the name service's answers taken from the input too.
//
// Input: the header's bytes, then optionally up to six parts, each after the
// separator "\0--\0": Skip, White, Black, Rules, RecvRegex (one entry a
// line) and the reverse lookup's answers (one a line, given in order; once
// they run out every lookup fails). A list not given keeps its built-in
// lines, so a plain header judges with the settings of a first start. With
// answers given, host names in Received: lines are not accepted, so every
// relay is looked up. No lookup leaves the process.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "engine/general.h"
#include "fuzz/input_time_bound.h"
#include "settings/default_lines.h"

namespace quorn {
namespace {

constexpr std::string_view kSeparator("\0--\0", 4);

class AnsweringResolver : public LiveSettings {
 public:
  std::deque<std::string> answers;

  std::string ResolveHostName(const std::string&) override {
    if (answers.empty()) return std::string();
    std::string answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
};

std::vector<std::string_view> SplitParts(std::string_view input) {
  std::vector<std::string_view> parts;
  for (;;) {
    std::size_t at = input.find(kSeparator);
    if (at == std::string_view::npos) break;
    parts.push_back(input.substr(0, at));
    input.remove_prefix(at + kSeparator.size());
  }
  parts.push_back(input);
  return parts;
}

TextLines SplitLines(std::string_view text) {
  TextLines lines;
  std::size_t from = 0;
  for (;;) {
    std::size_t lf = text.find('\n', from);
    lines.emplace_back(text.substr(from, lf == std::string_view::npos ? std::string_view::npos : lf - from));
    if (lf == std::string_view::npos) return lines;
    from = lf + 1;
  }
}

}  // namespace
}  // namespace quorn

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorn;
  const std::vector<std::string_view> parts =
      SplitParts(std::string_view(reinterpret_cast<const char*>(data), size));
  SettingList* const lists[] = {&Skip, &White, &Black, &Rules, &RecvRegex};
  UseDefaultLists();
  const std::size_t listsGiven = parts.size() - 1 < 5 ? parts.size() - 1 : 5;
  for (std::size_t i = 0; i < listsGiven; ++i) lists[i]->Replace(SplitLines(parts[i + 1]));
  BuildSkipNetworks();

  AnsweringResolver form;
  if (parts.size() > 6) {
    for (std::string& answer : SplitLines(parts[6])) form.answers.push_back(std::move(answer));
    form.AcceptReceivedHost = false;
  }

  const std::string header(parts[0]);
  fuzz::InputTimeBound bound;
  try {
    const MessageVerdict verdict = JudgeMessage(form, header);
    fuzz::Require(verdict.spam == IsSpamVerdict(verdict.hop.code, form.ReverseLookup),
                  "the spam decision follows the verdict code");
    fuzz::Require(form.LastVerdict == verdict.hop.code, "LastVerdict records the verdict");
  } catch (const TextError&) {
    // A pattern of the user's that cannot be used: only a list from the
    // input can hold one.
    fuzz::Require(listsGiven >= 4, "the built-in patterns never raise an error");
  }
  return 0;
}
