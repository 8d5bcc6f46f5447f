// The 32-bit checked call: parameters pushed from a saved stack pointer,
// the call, and the difference read before the saved pointer is put back,
// all in one routine of its own, so that no code of the compiler's runs
// with a stack pointer the callee may have left wrong. %esi holds the saved
// pointer across the call, a register every WINAPI callee must keep.
#include "sim/checked_call.h"

extern "C" int QuornCountedCall(FARPROC function, const std::uintptr_t* args, unsigned count, long* moved);

asm(R"(
  .text
  .globl _QuornCountedCall
  .def _QuornCountedCall; .scl 2; .type 32; .endef
_QuornCountedCall:
  pushl %ebp
  movl %esp, %ebp
  pushl %esi
  pushl %edi
  movl 12(%ebp), %edi
  movl 16(%ebp), %ecx
  movl %esp, %esi
1:
  testl %ecx, %ecx
  jz 2f
  decl %ecx
  pushl (%edi,%ecx,4)
  jmp 1b
2:
  call *8(%ebp)
  movl %esp, %edx
  subl %esi, %edx
  movl %esi, %esp
  movl 20(%ebp), %ecx
  movl %edx, (%ecx)
  popl %edi
  popl %esi
  popl %ebp
  ret
)");

namespace sim {

int CheckedCall(FARPROC function, const std::vector<std::uintptr_t>& args, long& moved) {
  return QuornCountedCall(function, args.data(), static_cast<unsigned>(args.size()), &moved);
}

}  // namespace sim
