#include "win32/text_convert.h"

#include <windows.h>

namespace quorn {
namespace {

constexpr UINT kShiftJis = 932;

std::wstring Widen(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  int written = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return out;
}

std::string Narrow(UINT codePage, const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string out(static_cast<std::size_t>(size), '\0');
  int written = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                    out.data(), size, nullptr, nullptr);
  out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return out;
}

}  // namespace

std::wstring WideFromShiftJis(const std::string& text) { return Widen(kShiftJis, text); }

std::string ShiftJisFromWide(const std::wstring& text) { return Narrow(kShiftJis, text); }

std::string Utf8FromWide(const std::wstring& text) { return Narrow(CP_UTF8, text); }

std::wstring WideFromUtf8(const std::string& text) { return Widen(CP_UTF8, text); }

std::string ShiftJisFromUtf8(const std::string& text) { return Narrow(kShiftJis, Widen(CP_UTF8, text)); }

}  // namespace quorn

namespace quorn {

std::wstring WideFromHostAnsi(const std::string& text) { return Widen(CP_ACP, text); }

bool HostAnsiFromWide(const std::wstring& text, std::string& out) {
  out.clear();
  if (text.empty()) return true;
  BOOL usedDefault = FALSE;
  const int length = static_cast<int>(text.size());
  int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0,
                                 nullptr, &usedDefault);
  if (size <= 0 || usedDefault) return false;
  out.resize(static_cast<std::size_t>(size));
  int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, out.data(),
                                    size, nullptr, &usedDefault);
  // Some characters map to bytes that read back as another character (no
  // default character is used for them): only an exact round trip names
  // the same directory.
  if (written != size || usedDefault || WideFromHostAnsi(out) != text) {
    out.clear();
    return false;
  }
  return true;
}

bool IsHostAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

}  // namespace quorn
