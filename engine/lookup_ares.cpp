#include <arpa/inet.h>
#include <netdb.h>
#include <ares.h>
#include <sys/select.h>

#include <algorithm>
#include <chrono>

#include "engine/ip_address.h"
#include "engine/lookup.h"

namespace quorn {
namespace {

using Clock = std::chrono::steady_clock;

struct Answer {
  bool done = false;
  std::string name;
};

void OnHost(void* arg, int status, int, struct hostent* entry) {
  auto* answer = static_cast<Answer*>(arg);
  answer->done = true;
  if (status == ARES_SUCCESS && entry && entry->h_name) answer->name = entry->h_name;
}

// One channel per lookup, so each reads the resolver configuration as it
// stands; destroying it ends every callback, and c-ares runs no thread of
// its own, so nothing outlives the call.
class Channel {
 public:
  Channel() {
    static const bool initialized = ares_library_init(ARES_LIB_INIT_ALL) == ARES_SUCCESS;
    ok_ = initialized && ares_init(&channel_) == ARES_SUCCESS;
  }
  ~Channel() {
    if (ok_) ares_destroy(channel_);
  }
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;

  bool ok() const { return ok_; }
  ares_channel get() const { return channel_; }

  // Handles the channel's sockets for at most `waitMs` milliseconds.
  void Process(std::int64_t waitMs) {
    fd_set readers, writers;
    FD_ZERO(&readers);
    FD_ZERO(&writers);
    int count = ares_fds(channel_, &readers, &writers);
    timeval limit{static_cast<time_t>(waitMs / 1000), static_cast<suseconds_t>((waitMs % 1000) * 1000)};
    timeval* wait = ares_timeout(channel_, &limit, &limit);
    select(count, &readers, &writers, nullptr, wait);
    ares_process(channel_, &readers, &writers);
  }

 private:
  ares_channel channel_ = nullptr;
  bool ok_ = false;
};

}  // namespace

std::string LookUpHostName(const std::string& ip, std::int32_t timeoutMs,
                          const std::function<void()>& processEvents) {
  const LookupTarget target = ReverseLookupTarget(ip);
  in_addr address{};
  in6_addr address6{};
  if (target.kind == LookupTarget::IPv6) {
    std::copy(target.v6.begin(), target.v6.end(), address6.s6_addr);
  } else if (target.kind == LookupTarget::MappedIPv4) {
    address.s_addr = htonl(target.v4);
  } else if (inet_pton(AF_INET, ip.c_str(), &address) != 1) {
    address.s_addr = INADDR_NONE;
  }

  Channel channel;
  if (!channel.ok()) return std::string();
  Answer answer;
  if (target.kind == LookupTarget::IPv6) {
    ares_gethostbyaddr(channel.get(), &address6, sizeof address6, AF_INET6, OnHost, &answer);
  } else {
    ares_gethostbyaddr(channel.get(), &address, sizeof address, AF_INET, OnHost, &answer);
  }

  if (timeoutMs <= 0) {
    ares_cancel(channel.get());
    return std::string();
  }
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!answer.done) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    channel.Process(left < kLookupPauseMs ? left : kLookupPauseMs);
    if (processEvents) processEvents();
  }
  if (!answer.done) ares_cancel(channel.get());  // the callback sees ARES_ECANCELLED
  return answer.done ? answer.name : std::string();
}

}  // namespace quorn
