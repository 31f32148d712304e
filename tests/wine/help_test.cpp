// Help under Wine: the caller's active window decides.
#include "e2e_test.h"

namespace e2e {
namespace {

class HelpTest : public LibraryTest {};

TEST_F(HelpTest, ModesNeedAnActiveWindow) {
  dremoxa7::UniqueWindow owner(
      CreateWindowExA(0, "STATIC", "Help Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  ASSERT_TRUE(owner);
  const HWND window = owner.get();
  SetForegroundWindow(window);
  SetActiveWindow(window);
  ASSERT_TRUE(wait_until([&] { return GetActiveWindow() == window; }));
  for (short mode : {2, 7, -1}) {
    EXPECT_EQ(dll().OpenZorHelp(mode, "suite.hlp", "Axis"), DREMOXA7_OUT_OF_RANGE) << mode;
  }
  // The mode counts by the low half of its slot: 0x00010002 is mode 2.
  using WideOpenZorHelp = short(DREMOXA7_API*)(int, const char*, const char*);
  EXPECT_EQ(as_signature<WideOpenZorHelp>(dll().OpenZorHelp)(0x00010002, "suite.hlp", "Axis"),
            DREMOXA7_OUT_OF_RANGE);

  owner.reset();
  ASSERT_EQ(GetActiveWindow(), nullptr);
  for (short mode : {0, 1, 2, 7}) {
    EXPECT_EQ(dll().OpenZorHelp(mode, "suite.hlp", "Axis"), DREMOXA7_OK) << mode;
  }
}

}  // namespace
}  // namespace e2e
