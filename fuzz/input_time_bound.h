// A bound on the processor time one fuzz input may take. libFuzzer's own
// -timeout counts whole seconds; a path that costs a sender's message more
// than a tenth of a second must count as a finding too, so each target
// measures its input and aborts past the bound (libFuzzer then keeps the
// input as a crash). The thread's own CPU time is measured, so other
// programs on the machine do not make an input look slow.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace quorn::fuzz {

class InputTimeBound {
 public:
  // `defaultMs` applies unless QUORN_FUZZ_SLOW_MS says otherwise.
  explicit InputTimeBound(double defaultMs = 100.0) : start_(Now()), limitMs_(LimitMs(defaultMs)) {}
  InputTimeBound(const InputTimeBound&) = delete;
  InputTimeBound& operator=(const InputTimeBound&) = delete;
  ~InputTimeBound() {
    const double ms = (Now() - start_) * 1000.0;
    if (ms > limitMs_) {
      std::fprintf(stderr, "slow input: %.1f ms of processor time (bound %.0f ms)\n", ms, limitMs_);
      std::abort();
    }
  }

  static double LimitMs(double defaultMs) {
    const char* text = std::getenv("QUORN_FUZZ_SLOW_MS");
    const double value = text ? std::atof(text) : 0.0;
    return value > 0 ? value : defaultMs;
  }

 private:
  static double Now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
  }

  double start_;
  double limitMs_;
};

// Fails the input with a message when a property does not hold.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace quorn::fuzz
