#include "settings/list_bindings.h"

#include "settings/default_lines.h"
#include "texts/catalog.h"

namespace quorn {

const std::array<ListBinding, kListCount>& ListBindings() {
  static const std::array<ListBinding, kListCount> bindings = {{
      {"Skip", Skip, DefaultSkipLines, "MemoSkip", "TabSheetSkip", texts::kTabSkip},
      {"White", White, DefaultWhiteLines, "MemoWhite", "TabSheetWhite", texts::kTabWhite},
      {"Black", Black, DefaultBlackLines, "MemoBlack", "TabSheetBlack", texts::kTabBlack},
      {"Rules", Rules, DefaultRulesLines, "MemoRules", "TabSheetS25R", texts::kTabRules},
      {"RecvRegex", RecvRegex, DefaultRecvRegexLines, "MemoRecvRegex", "TabSheetRecvRegex", texts::kTabRecvRegex},
  }};
  return bindings;
}

}  // namespace quorn
