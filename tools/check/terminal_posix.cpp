#include <iconv.h>
#include <unistd.h>

#include "tools/check/terminal.h"

namespace quorn {

void WriteForPerson(std::FILE* stream, const std::string& shiftJis) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    std::fwrite(shiftJis.data(), 1, shiftJis.size(), stream);
    return;
  }
  std::string out(shiftJis.size() * 3 + 4, '\0');
  char* in = const_cast<char*>(shiftJis.data());
  std::size_t inLeft = shiftJis.size();
  char* dst = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1)) break;
    // A byte that is no Shift-JIS: show it as '?' and go on.
    if (outLeft == 0) break;
    *dst++ = '?';
    --outLeft;
    ++in;
    --inLeft;
  }
  iconv_close(cd);
  std::fwrite(out.data(), 1, out.size() - outLeft, stream);
}

void UseBinaryStreams() {}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

}  // namespace quorn
