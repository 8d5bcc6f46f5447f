// Measures the reverse lookup's wait, inside a network namespace made by
// tests/lookup/netns.sh (bench/lookup_bench.sh runs both measurements):
//
//   lookup_bench gaps        a 3-second wait on a name server that never
//                            answers: the longest gap between two calls of
//                            the event processing (goal: at most 110 ms)
//   lookup_bench notice MS   a name server that answers after MS: how late
//                            after the answer's arrival the lookup returns
//                            (goal: at most the 100 ms pause)
//
// Natively the event hook is called directly; on Windows (the DLL's own
// implementation under Wine) a 10 ms thread timer shows when the wait lets
// window messages through.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/lookup/lookup_adapter.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

int Gaps() {
  for (int run = 0; run < 3; ++run) {
    std::vector<Clock::time_point> calls;
    auto start = Clock::now();
    quorn::PlatformLookup("192.0.2.77", 3000, [&] { calls.push_back(Clock::now()); });
    auto end = Clock::now();
    double longest = calls.empty() ? Ms(end - start) : Ms(calls.front() - start);
    for (std::size_t i = 1; i < calls.size(); ++i) longest = std::max(longest, Ms(calls[i] - calls[i - 1]));
    if (!calls.empty()) longest = std::max(longest, Ms(end - calls.back()));
    std::printf("wait %.0f ms: %zu event calls, longest gap %.1f ms\n", Ms(end - start), calls.size(), longest);
  }
  return 0;
}

int Notice(int delayMs) {
  std::vector<double> late;
  for (int run = 0; run < 10; ++run) {
    auto start = Clock::now();
    std::string name = quorn::PlatformLookup("192.0.2.77", 3000);
    double took = Ms(Clock::now() - start);
    if (name.empty()) {
      std::printf("run %d: no answer\n", run);
      return 1;
    }
    late.push_back(took - delayMs);
  }
  std::sort(late.begin(), late.end());
  std::printf("answer after %d ms noticed late by: min %.1f, median %.1f, max %.1f ms (10 runs)\n", delayMs,
              late.front(), late[late.size() / 2], late.back());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "gaps") return Gaps();
  if (mode == "notice" && argc > 2) return Notice(std::atoi(argv[2]));
  std::fputs("usage: lookup_bench gaps | notice DELAY_MS\n", stderr);
  return 2;
}
