// i686: the exports reached through a check of the stack pointer. A tool
// program calls every export with stdcall, so the export must take exactly
// its argument bytes off the stack; one that takes another amount leaves the
// caller's stack pointer wrong, and the caller crashes somewhere later. Each
// export is called through a thunk instead: it pushes the caller's argument
// slots as they came, calls the export, compares the stack pointer with
// where stdcall leaves it and puts it back either way, so that a wrong
// clean-up is reported with the export's name.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace e2e {

// Hears of an export that left bytes_left bytes of the stack behind
// (negative: it took that many too many off).
using StackFaultReport = void (*)(const char* export_name, long bytes_left);

// Replaces the report and answers the one before; the first one writes the
// export's name to stderr and aborts.
StackFaultReport set_stack_fault_report(StackFaultReport report);

namespace stack_check {

void report(const char* export_name, long bytes_left);

// Calls function with count 4-byte argument slots (slots[0] is the first
// argument), answers EAX and stores how many bytes it left on the stack.
std::uint32_t call_with_slots(const void* function, const std::uint32_t* slots, std::uint32_t count,
                              long& bytes_left);

template <auto Id, class Function>
struct Thunk;

template <auto Id, class Result, class... Args>
struct Thunk<Id, Result(__stdcall*)(Args...)> {
  static_assert(std::is_integral_v<Result> && sizeof(Result) <= 4, "results come back in EAX");
  static constexpr std::size_t argument_bytes = 4 * sizeof...(Args);

  static inline const void* target = nullptr;
  static inline const char* name = nullptr;

  template <class>
  using Slot = std::uint32_t;

  // Every argument is taken as its whole slot: the upper half that a caller
  // leaves in the slot of a 16-bit argument reaches the export unchanged.
  static Result __stdcall call(Slot<Args>... slots) {
    const std::array<std::uint32_t, sizeof...(Args)> raw = {slots...};
    long bytes_left = 0;
    const std::uint32_t eax = call_with_slots(target, raw.data(), raw.size(), bytes_left);
    if (bytes_left != 0) report(name, bytes_left);
    return static_cast<Result>(eax);
  }
};

}  // namespace stack_check

// The function to call in place of the export found at address: the thunk of
// Id (one per export). ArgumentBytes is the export's stdcall argument size
// as the export list gives it; it must agree with the parameters.
template <auto Id, std::size_t ArgumentBytes, class Function>
Function checked(const void* address, const char* name) {
  using Thunk = stack_check::Thunk<Id, Function>;
  static_assert(Thunk::argument_bytes == ArgumentBytes,
                "the export list's argument bytes disagree with the header's parameters");
  Thunk::target = address;
  Thunk::name = name;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(&Thunk::call));
}

}  // namespace e2e
