// Programs that stop answering, met by the exports that talk to them: none
// may hold the caller for as long as it hangs.
#include <string>

#include "base/win32_owners.h"
#include "e2e_test.h"
#include "installed_tool.h"

namespace e2e {
namespace {

// How long a hung program does not answer.
constexpr DWORD kHangMs = 5000;
// A hang check, not a speed goal: a call that waited for the hung program
// would take the whole hang.
constexpr ULONGLONG kPromptMs = 1000;

template <class Call>
ULONGLONG elapsed_ms(Call call) {
  const ULONGLONG before = GetTickCount64();
  call();
  return GetTickCount64() - before;
}

std::string hang_ms() { return std::to_string(kHangMs); }

class HungTool : public LibraryTest {};

// A tool minimises itself and stops answering: bringing it to the front
// returns at once, and its window is restored once it answers again.
TEST_F(HungTool, ActivationReturnsAtOnceAndRestoresOnceTheToolAnswers) {
  const struct {
    const char* name;
    short (*activate)(const Exports&, HWND window);
  } cases[] = {
      {"SetActiveZorWin",
       [](const Exports& dll, HWND window) { return dll.SetActiveZorWin(window); }},
      {"ZorPacJump",
       [](const Exports& dll, HWND) {
         return dll.ZorPacJump(program_directory().c_str(), "fixture_tool", "Dx7 Hung Tool");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FixtureProcess tool({"--window", std::string("Dx7 Hung Tool - ") + c.name, "--minimized",
                         "--stop-answering", hang_ms()});
    ASSERT_TRUE(tool.ready()) << tool.error();
    const ULONGLONG hang_began = GetTickCount64();
    const HWND window = tool.window(0);
    ASSERT_TRUE(IsIconic(window));

    short result = -99;
    const ULONGLONG ms = elapsed_ms([&] { result = c.activate(dll(), window); });
    RecordProperty(std::string(c.name) + "_hung_tool_ms", static_cast<int>(ms));
    EXPECT_EQ(result, DREMOXA7_OK);
    EXPECT_LT(ms, kPromptMs);
    // Unless this machine stalled for most of the hang, the tool has not
    // answered yet, and so has not been restored yet.
    if (GetTickCount64() - hang_began < kHangMs / 2) {
      EXPECT_TRUE(IsIconic(window));
    }
    EXPECT_TRUE(wait_until([&] { return !IsIconic(window); }, kHangMs + kDefaultWaitMs));
    EXPECT_EQ(foreground_becomes(window), window);
  }
}

}  // namespace
}  // namespace e2e
