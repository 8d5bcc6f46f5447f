#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <string>

#include "tools/check/terminal.h"
#include "win32/text_convert.h"

namespace quorn {

void WriteForPerson(std::FILE* stream, const std::string& shiftJis) {
  std::wstring wide = WideFromShiftJis(shiftJis);
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    std::fflush(stream);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::string utf8 = Utf8FromWide(wide);
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

void UseBinaryStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

bool IsTerminal(std::FILE* stream) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

}  // namespace quorn
