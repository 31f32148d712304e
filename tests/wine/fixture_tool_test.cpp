// fixture_tool.exe itself: what later tests of starting and closing tools
// rely on (clipboard read at start, close and registered messages, log).
#include <fstream>
#include <iterator>

#include "e2e_test.h"
#include "win32_clipboard.h"

namespace e2e {
namespace {

std::string read_all(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(FixtureTool, ReactsAsToldOnItsCommandLine) {
  char directory[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(MAX_PATH, directory);
  const std::string log = std::string(directory, n <= MAX_PATH ? n : 0) + "dremoxa7-fixture.log";
  DeleteFileA(log.c_str());
  ASSERT_TRUE(dremoxa7::win32_test::put_clipboard_text("hand-off text", nullptr));

  FixtureProcess tool({"--log", log, "--quit-message", "Dx7 Quit", "--window", "Dx7 Stubborn",
                       "--ignore-close", "--window", "Dx7 Polite"});
  ASSERT_TRUE(tool.ready()) << tool.error();
  const HWND stubborn = tool.window(0);
  const HWND polite = tool.window(1);

  PostMessageA(polite, WM_CLOSE, 0, 0);
  EXPECT_TRUE(wait_until([&] { return !IsWindow(polite); }));
  PostMessageA(stubborn, WM_CLOSE, 0, 0);
  PostMessageA(stubborn, RegisterWindowMessageA("Dx7 Quit"), 0, 0);
  EXPECT_TRUE(wait_until([&] { return !IsWindow(stubborn); }));

  EXPECT_EQ(read_all(log),
            "clipboard hand-off text\r\n"
            "close Dx7 Polite\r\n"
            "close Dx7 Stubborn\r\n"
            "message Dx7 Quit Dx7 Stubborn\r\n");
  DeleteFileA(log.c_str());
}

}  // namespace
}  // namespace e2e
