// Jumps under Wine: real process starts from the stand-in install directory
// and the real clipboard hand-off.
#include <fstream>
#include <sstream>
#include <string>

#include "e2e_test.h"
#include "installed_tool.h"
#include "win32_clipboard.h"

namespace e2e {
namespace {

// The jump target is a copy of the fixture tool named jumptarget.exe in an
// install directory of its own; started without arguments, it takes its
// options from jumptarget.args beside it: it logs the clipboard it finds
// and opens its window.
constexpr char kStartedTitle[] = "Jump Target - started";

std::string install_directory() { return program_directory() + "jump-install\\"; }
std::string log_path() { return install_directory() + "jumptarget.log"; }

std::string read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string clipboard_text() {
  const dremoxa7::win32_test::ClipboardText read =
      dremoxa7::win32_test::read_clipboard_text(nullptr);
  return read.opened ? read.text.value_or("") : "(clipboard unavailable)";
}

// Closes whatever jump target a test started, and waits until it is gone.
class StartedTarget {
 public:
  ~StartedTarget() {
    HWND window = FindWindowA(nullptr, kStartedTitle);
    if (window == nullptr) return;
    PostMessageA(window, WM_CLOSE, 0, 0);
    wait_until([&] { return !IsWindow(window); });
  }
  // The first line the started tool logged about the clipboard.
  static std::string clipboard_line() {
    wait_until([] { return FindWindowA(nullptr, kStartedTitle) != nullptr; });
    const std::string log = read_file(log_path());
    return log.substr(0, log.find("\r\n"));
  }
};

class JumpTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    const std::string directory = install_directory();
    CreateDirectoryA(directory.c_str(), nullptr);
    // The copy an earlier test started may hold its executable for a moment
    // after its window has gone.
    ASSERT_TRUE(wait_until([&] {
      return CopyFileA((program_directory() + "fixture_tool.exe").c_str(),
                       (directory + "jumptarget.exe").c_str(), FALSE) != FALSE;
    }));
    std::ofstream(directory + "jumptarget.args", std::ios::binary)
        << "--log\r\n"
        << log_path() << "\r\n--window\r\n"
        << kStartedTitle << "\r\n";
    DeleteFileA(log_path().c_str());
    write_suite_description(
        "title 0 5 Jump Target\nqtitle 0 5 Jump Target\n"
        "exeno 5 50\nexename 50 jumptarget\n"
        "exeno 6 60\nexename 60 missingtool\n"
        "installpath 0 " +
        directory + "\nqinstallpath 0 " + directory + "\nainstallpath 0 " + directory + "\n");
    ASSERT_TRUE(dremoxa7::win32_test::put_clipboard_text("before", nullptr));
  }
  void TearDown() override { DeleteFileA(log_path().c_str()); }
};

TEST_F(JumpTest, StartedToolReceivesTheHandoffText) {
  const std::string exact(399, 'x');
  const std::string longer = std::string(399, 'y') + std::string(101, 'z');
  const struct {
    decltype(&::ZorFuncJump) Exports::*jump;
    std::string text;
    std::string arrives;
  } cases[] = {
      {&Exports::ZorFuncJump, "P1,conveyor.prj,3", "P1,conveyor.prj,3"},
      {&Exports::QZorFuncJump, exact, exact},
      {&Exports::AZorFuncJump, longer, std::string(399, 'y')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.size());
    DeleteFileA(log_path().c_str());
    const StartedTarget target;
    EXPECT_EQ((dll().*c.jump)(0, 5, c.text.c_str()), DREMOXA7_OK);
    EXPECT_EQ(StartedTarget::clipboard_line(), "clipboard " + c.arrives);
  }
}

TEST_F(JumpTest, EmptyTextLeavesTheClipboardAlone) {
  const StartedTarget target;
  EXPECT_EQ(dll().ZorFuncJump(0, 5, ""), DREMOXA7_OK);
  EXPECT_EQ(StartedTarget::clipboard_line(), "clipboard before");
}

TEST_F(JumpTest, RunningToolComesToTheFrontAndNothingStarts) {
  FixtureProcess running({"--window", "Jump Target - running", "--minimized"});
  ASSERT_TRUE(running.ready()) << running.error();
  EXPECT_EQ(dll().ZorFuncJump(0, 5, "not handed over"), DREMOXA7_OK);
  EXPECT_EQ(foreground_becomes(running.window(0)), running.window(0));
  // The restore is the tool's to carry out, once it handles the request.
  EXPECT_TRUE(wait_until([&] { return !IsIconic(running.window(0)); }));
  EXPECT_EQ(clipboard_text(), "before");
  // A start would have logged within moments.
  EXPECT_FALSE(wait_until(
      [] { return GetFileAttributesA(log_path().c_str()) != INVALID_FILE_ATTRIBUTES; }, 1500));
}

TEST_F(JumpTest, MissingExecutableStartsAndActivatesNothing) {
  EXPECT_EQ(dll().ZorFuncJump(0, 6, "text"), DREMOXA7_NO_EXECUTABLE);
  EXPECT_EQ(dll().ZorPacJump(install_directory().c_str(), "missingtool", nullptr),
            DREMOXA7_NO_EXECUTABLE);
  EXPECT_EQ(clipboard_text(), "before");
}

TEST_F(JumpTest, PackageJumpStartsOrActivates) {
  {
    const StartedTarget target;
    EXPECT_EQ(dll().ZorPacJump(install_directory().c_str(), "jumptarget", nullptr), DREMOXA7_OK);
    EXPECT_EQ(StartedTarget::clipboard_line(), "clipboard before");
  }
  FixtureProcess running({"--window", "Package Tool - running"});
  ASSERT_TRUE(running.ready()) << running.error();
  DeleteFileA(log_path().c_str());
  EXPECT_EQ(dll().ZorPacJump(install_directory().c_str(), "jumptarget", "Package Tool"),
            DREMOXA7_OK);
  EXPECT_EQ(foreground_becomes(running.window(0)), running.window(0));
}

// A path that does not name its folder: the test for the file would look
// in the current folder, but the system looks for a bare name, or a path
// relative to the current folder, in the caller's own folder first.
// Neither copy starts, whatever the jump.
TEST_F(JumpTest, ABareNameStartsNothing) {
  const std::string current = program_directory() + "bare-current\\";
  const InstalledTool in_current(current, "ladx", {"Bare Ladx - current", {}, {}});
  const InstalledTool beside_caller(program_directory(), "ladx", {"Bare Ladx - caller", {}, {}});
  const InstalledTool in_current_sub(current + "sub\\", "ladx", {"Bare Ladx - sub", {}, {}});
  const InstalledTool beside_caller_sub(program_directory() + "sub\\", "ladx",
                                        {"Bare Ladx - caller sub", {}, {}});
  for (const InstalledTool* tool :
       {&in_current, &beside_caller, &in_current_sub, &beside_caller_sub}) {
    ASSERT_EQ(tool->error(), "");
  }
  char before[MAX_PATH + 1] = {};
  ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, before), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
  write_suite_description("title 0 5 Jump Target\nexeno 5 50\nexename 50 ladx\ninstallpath 0 \n");
  const short results[] = {
      dll().ZorPacJump("", "ladx", "Bare Ladx"),
      dll().ZorPacJump(nullptr, "ladx", "Bare Ladx"),
      dll().ZorPacJump("sub\\", "ladx", "Bare Ladx"),
      dll().ZorLadderpJump(0, "", "ladx", "Bare Ladx"),
      dll().ZorLadderpJump(0, nullptr, "ladx", "Bare Ladx"),
      dll().ZorFuncJump(0, 5, "text"),
  };
  SetCurrentDirectoryA(before);
  for (const short result : results) EXPECT_EQ(result, DREMOXA7_NO_EXECUTABLE);
  EXPECT_FALSE(wait_until(
      [&] {
        return in_current.has_run() || beside_caller.has_run() || in_current_sub.has_run() ||
               beside_caller_sub.has_run();
      },
      1500));
  EXPECT_EQ(clipboard_text(), "before");
  for (const std::string& folder :
       {current, program_directory(), current + "sub\\", program_directory() + "sub\\"}) {
    DeleteFileA((folder + "ladx.exe").c_str());
  }
}

// Another program keeps the clipboard open: the hand-off is given up after
// a few tries, and the jump still starts the tool.
TEST_F(JumpTest, HeldClipboardDoesNotStopTheJump) {
  FixtureProcess holder({"--window", "Clipboard Holder", "--hold-clipboard"});
  ASSERT_TRUE(holder.ready()) << holder.error();
  const StartedTarget target;
  const ULONGLONG before = GetTickCount64();
  EXPECT_EQ(dll().ZorFuncJump(0, 5, "lost text"), DREMOXA7_OK);
  RecordProperty("held_clipboard_jump_ms", static_cast<int>(GetTickCount64() - before));
  EXPECT_EQ(StartedTarget::clipboard_line(), "clipboard unavailable");
  holder.end();
  EXPECT_EQ(clipboard_text(), "before");
}

}  // namespace
}  // namespace e2e
