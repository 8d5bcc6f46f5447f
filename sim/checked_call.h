// Calls into the plug-in through a pointer with the stack pointer compared
// before and after. A 32-bit callee that removes more or fewer bytes of
// parameters than its WINAPI signature says (an export left cdecl, a
// parameter too many or too few) moves the caller's stack pointer, which a
// real host does not survive for long; the simulator reports it instead.
// On x86-64 there is one calling convention and the caller removes the
// parameters, so there the call is a plain one and never moves anything.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace sim {

// Calls `function`, a WINAPI function returning int whose parameters are
// `args` (each a pointer-sized word), and returns its result. `moved` gets
// the bytes the stack pointer moved across the call: 0 when the callee
// removed exactly its parameters, minus their size when it removed none.
int CheckedCall(FARPROC function, const std::vector<std::uintptr_t>& args, long& moved);

}  // namespace sim
