#include "tools/check/verdict_row.h"

#include <cstdio>

namespace quorn {

std::string EscapedField(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

std::string VerdictRow(const std::string& name, const MessageVerdict& verdict, const LiveSettings& form) {
  const VerdictCode code = verdict.hop.code;
  return EscapedField(name) + '\t' + std::to_string(static_cast<int>(code)) + '\t' + VerdictName(code) +
         '\t' + (verdict.spam ? VerdictLabel(form) : "") + '\t' + EscapedField(verdict.hop.ip) + '\t' +
         EscapedField(verdict.hop.host);
}

}  // namespace quorn
