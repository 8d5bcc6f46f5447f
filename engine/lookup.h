// The reverse lookup contract, on every platform: the registered host name
// of an IPv4 or IPv6 address (an IPv4-mapped one is looked up as the IPv4
// address it carries), or the empty text when there is none, the lookup
// failed or `timeoutMs` milliseconds ran out. While it waits it keeps the
// caller's user interface alive by calling `processEvents` at least every
// 100 milliseconds. A time-out of 0 or less returns at once, after the
// request was made and abandoned. An abandoned request leaves nothing
// behind that could write into released memory, and its late answer can
// never pass for the answer to a later request. An address text that is no
// dotted quad nor IPv6 address is looked up as 255.255.255.255, as the
// system's inet_addr reads it. Where the system offers no IPv6 lookup, the
// lookup of an IPv6 address fails like any other.
//
// In the DLL the settings window implements it with Windows Sockets
// (settings/form_lookup_win32.cpp); natively lookup_ares.cpp does, with
// c-ares, reading the system's hosts file and name servers afresh each time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace quorn {

// The longest pause between two calls of the event hook.
constexpr std::int32_t kLookupPauseMs = 100;

std::string LookUpHostName(const std::string& ip, std::int32_t timeoutMs,
                          const std::function<void()>& processEvents);

}  // namespace quorn
