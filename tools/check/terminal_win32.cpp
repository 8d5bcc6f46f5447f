#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <string>

#include "tools/check/terminal.h"

namespace quorn {
namespace {

std::wstring FromCodePage932(const std::string& text) {
  if (text.empty()) return std::wstring();
  int size = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  int written = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), size);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return wide;
}

std::string ToUtf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                 nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string text(static_cast<std::size_t>(size), '\0');
  int written = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                    text.data(), size, nullptr, nullptr);
  text.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return text;
}

}  // namespace

void WriteForPerson(std::FILE* stream, const std::string& shiftJis) {
  std::wstring wide = FromCodePage932(shiftJis);
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    std::fflush(stream);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::string utf8 = ToUtf8(wide);
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

void UseBinaryStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace quorn
