// i686: the driver's check of the stack pointer around every export call
// (stack_check.h). Here an export that unbalances the stack fails the
// running test with its name, and the driver goes on.
#include "stack_check.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e {
namespace {

void fail_running_test(const char* export_name, long bytes_left) {
  ADD_FAILURE() << export_name << " returned with the stack pointer " << bytes_left
                << " bytes off its stdcall clean-up (positive: bytes left on the stack)";
}

[[maybe_unused]] const StackFaultReport installed = set_stack_fault_report(&fail_running_test);

// Callees with the wrong clean-up for a three-argument stdcall signature.
__attribute__((cdecl, noinline)) short takes_none(short, short, int) { return 7; }
__attribute__((stdcall, noinline)) short takes_four_more(short, short, int, int) { return 8; }
__attribute__((stdcall, noinline)) short takes_all(short series, short function, int) {
  return static_cast<short>(series + function);
}

using ThreeSlots = short(__stdcall*)(short, short, int);

struct Heard {
  std::string name;
  long bytes_left = 0;
};
Heard heard;

void record(const char* export_name, long bytes_left) { heard = {export_name, bytes_left}; }

TEST(StackCheck, AWrongCleanUpIsReportedWithTheExportsName) {
  enum class Id { none, more, exact };
  const struct {
    ThreeSlots function;
    short result;
    const char* name;
    long bytes_left;
  } cases[] = {
      {checked<Id::none, 12, ThreeSlots>(reinterpret_cast<const void*>(&takes_none), "Cdecl"), 7,
       "Cdecl", 12},
      {checked<Id::more, 12, ThreeSlots>(reinterpret_cast<const void*>(&takes_four_more), "Wider"),
       8, "Wider", -4},
      {checked<Id::exact, 12, ThreeSlots>(reinterpret_cast<const void*>(&takes_all), "Exact"), 5,
       "", 0},
  };
  const StackFaultReport before = set_stack_fault_report(&record);
  for (const auto& c : cases) {
    heard = {};
    // The stack is put back: the call returns here with the export's result.
    EXPECT_EQ(c.function(2, 3, 0), c.result) << c.name;
    EXPECT_EQ(heard.name, c.name);
    EXPECT_EQ(heard.bytes_left, c.bytes_left) << c.name;
  }
  set_stack_fault_report(before);
}

}  // namespace
}  // namespace e2e
