// A bound on the processor time one fuzz input may take. libFuzzer's own
// -timeout counts whole seconds; a path that costs a sender's message more
// than a tenth of a second must count as a finding too, so each target
// measures its input and aborts past the bound (libFuzzer then keeps the
// input as a crash). The thread's own CPU time is measured, so other
// programs on the machine do not make an input look slow.
//
// Bounds are stated for an optimized build without instrumentation. Under
// the sanitizers and the fuzzer's coverage counters the same work takes
// about ten times as long (the default Postfix pattern's worst line: 15 ms
// optimized, 210 ms instrumented), so there the bound is ten times larger.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <ctime>

#if defined(__SANITIZE_ADDRESS__)
#define QUORN_FUZZ_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORN_FUZZ_SANITIZED 1
#endif
#endif

namespace quorn::fuzz {

#ifdef QUORN_FUZZ_SANITIZED
constexpr double kInstrumentedSlowdown = 10.0;
#else
constexpr double kInstrumentedSlowdown = 1.0;
#endif

class InputTimeBound {
 public:
  // `optimizedMs` is the bound of an optimized build; QUORN_FUZZ_SLOW_MS
  // overrides the bound in force.
  explicit InputTimeBound(double optimizedMs = 100.0)
      : start_(Now()), limitMs_(LimitMs(optimizedMs * kInstrumentedSlowdown)) {}
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
