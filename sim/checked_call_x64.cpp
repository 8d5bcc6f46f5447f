// The x86-64 call: one convention, the caller removes the parameters, so the
// stack pointer cannot move across the call. Every parameter of the host
// ABI is passed in an integer register, as a pointer-sized word.
#include "sim/checked_call.h"

namespace sim {

int CheckedCall(FARPROC function, const std::vector<std::uintptr_t>& args, long& moved) {
  using Word = std::uintptr_t;
  void* entry = reinterpret_cast<void*>(function);
  const Word* a = args.data();
  moved = 0;
  switch (args.size()) {
    case 0: return reinterpret_cast<int(WINAPI*)()>(entry)();
    case 1: return reinterpret_cast<int(WINAPI*)(Word)>(entry)(a[0]);
    case 2: return reinterpret_cast<int(WINAPI*)(Word, Word)>(entry)(a[0], a[1]);
    case 3: return reinterpret_cast<int(WINAPI*)(Word, Word, Word)>(entry)(a[0], a[1], a[2]);
    default: return reinterpret_cast<int(WINAPI*)(Word, Word, Word, Word)>(entry)(a[0], a[1], a[2], a[3]);
  }
}

}  // namespace sim
