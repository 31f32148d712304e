// Started tools that are slow to reach their message loop, or never do: the
// system's program start waits for a started tool until it is ready for
// input, up to a limit of its own.
#include <string>

#include "e2e_test.h"
#include "installed_tool.h"

namespace e2e {
namespace {

std::string install_directory() { return program_directory() + "slow-start\\"; }

template <class Call>
ULONGLONG elapsed_ms(Call call) {
  const ULONGLONG before = GetTickCount64();
  call();
  return GetTickCount64() - before;
}

class SlowStart : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    write_suite_description(
        "exeno 5 50\nexename 50 slowtool\nexeno 6 60\nexename 60 quicktool\n"
        "installpath 0 " +
        install_directory() + "\n");
  }
};

// A tool that never gets ready holds the jump only up to the system's limit
// (30 s under Wine), not for as long as it hangs. It hangs far longer than
// the limit, so that a busy machine, which makes the jump slower, still
// tells the two apart; the test ends it.
TEST_F(SlowStart, AToolThatNeverGetsReadyHoldsTheJumpOnlyUpToTheSystemsLimit) {
  constexpr DWORD kToolHangMs = 120000;
  const InstalledTool tool(
      install_directory(), "slowtool",
      {"Slow Tool - started", {}, {"--stop-answering", std::to_string(kToolHangMs)}});
  ASSERT_EQ(tool.error(), "");
  short result = -99;
  const ULONGLONG ms = elapsed_ms([&] { result = dll().ZorFuncJump(0, 5, "never ready"); });
  RecordProperty("never_ready_tool_jump_ms", static_cast<int>(ms));
  EXPECT_EQ(result, DREMOXA7_OK);
  EXPECT_LT(ms, kToolHangMs * 3 / 4);
  EXPECT_NE(tool.started_window(), nullptr);
}

// Each tool reads its hand-off at its start, before its message loop: a
// second jump made at once must not replace the first one's text before
// the first tool has read it.
TEST_F(SlowStart, ASecondJumpDoesNotOvertakeTheFirstHandoff) {
  const InstalledTool slow(install_directory(), "slowtool",
                           {"Slow Tool - started", {"--sleep", "2000"}, {}});
  const InstalledTool quick(install_directory(), "quicktool", {"Quick Tool - started", {}, {}});
  ASSERT_EQ(slow.error(), "");
  ASSERT_EQ(quick.error(), "");

  const ULONGLONG ms = elapsed_ms([&] {
    EXPECT_EQ(dll().ZorFuncJump(0, 5, "for the slow tool"), DREMOXA7_OK);
    EXPECT_EQ(dll().ZorFuncJump(0, 6, "for the quick tool"), DREMOXA7_OK);
  });
  RecordProperty("two_jumps_ms", static_cast<int>(ms));
  ASSERT_NE(slow.started_window(), nullptr);
  ASSERT_NE(quick.started_window(), nullptr);
  EXPECT_EQ(slow.log_lines().at(0), "clipboard for the slow tool");
  EXPECT_EQ(quick.log_lines().at(0), "clipboard for the quick tool");
}

}  // namespace
}  // namespace e2e
