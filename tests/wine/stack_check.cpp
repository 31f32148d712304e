#include "stack_check.h"

#include <cstdio>
#include <cstdlib>

namespace e2e {
namespace {

void report_and_abort(const char* export_name, long bytes_left) {
  std::fprintf(stderr, "%s returned with the stack pointer %ld bytes off its stdcall clean-up\n",
               export_name, bytes_left);
  std::abort();
}

StackFaultReport current_report = &report_and_abort;

}  // namespace

StackFaultReport set_stack_fault_report(StackFaultReport report) {
  const StackFaultReport before = current_report;
  current_report = report;
  return before;
}

namespace stack_check {

void report(const char* export_name, long bytes_left) { current_report(export_name, bytes_left); }

// Kept out of line: every register the callee may change is either named
// below or dead at a call, so nothing of the caller lives across it.
__attribute__((noinline)) std::uint32_t call_with_slots(const void* function,
                                                        const std::uint32_t* slots,
                                                        std::uint32_t count, long& bytes_left) {
  std::uint32_t eax;
  std::uint32_t ecx = count;
  const std::uint32_t* edx = slots;
  asm volatile(
      // ESI keeps the stack pointer to put back at the end.
      "movl %%esp, %%esi\n\t"
      // Room for the slots, placed so that the call sees a 16-byte aligned
      // stack as compiled callers give it.
      "leal (,%%ecx,4), %%eax\n\t"
      "subl %%eax, %%esp\n\t"
      "andl $-16, %%esp\n\t"
      "addl %%eax, %%esp\n\t"
      // EDI: where a stdcall callee leaves the stack pointer.
      "movl %%esp, %%edi\n\t"
      "jecxz 2f\n"
      "1:\n\t"
      "pushl -4(%%edx,%%ecx,4)\n\t"  // the last slot first
      "loop 1b\n"
      "2:\n\t"
      "call *%[function]\n\t"
      "movl %%edi, %%ecx\n\t"
      "subl %%esp, %%ecx\n\t"
      "movl %%esi, %%esp\n\t"
      : "=&a"(eax), "+c"(ecx), "+d"(edx)
      : [function] "r"(function)
      : "esi", "edi", "memory", "cc");
  bytes_left = static_cast<std::int32_t>(ecx);
  return eax;
}

}  // namespace stack_check
}  // namespace e2e
