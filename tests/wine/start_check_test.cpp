// The start check under Wine: real running tools, a real work information
// file beside the library, and executable 0 started from the library's
// directory, reading its hand-off text from the real clipboard.
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "base/win32_owners.h"
#include "e2e_test.h"
#include "file_image.h"
#include "installed_tool.h"
#include "log_file.h"
#include "logged_command_line.h"
#include "named_event.h"
#include "win32_clipboard.h"

namespace e2e {
namespace {

using dremoxa7::FileImage;

constexpr char kMainStarted[] = "Zor Main - started";
constexpr char kHandoff[] = "V7.01,zormain,25,1,TARVELONIK";

std::string work_file() { return program_directory() + "zorwork.inf"; }

bool work_file_exists() {
  return GetFileAttributesA(work_file().c_str()) != INVALID_FILE_ATTRIBUTES;
}

void write_work_file(std::uint8_t start_hold) {
  std::ofstream(work_file(), std::ios::binary | std::ios::trunc)
      << FileImage(570).set(565, {start_hold}).bytes();
}

// Functions 0 and 4 of group 0 are recognised by their titles; executable 0
// is zormain, a fixture tool beside the library.
std::string description(const char* version_field3 = "E1000") {
  return std::string("title 0 0 Zor Main\ntitle 0 4 Zor Servo\n") + "verfile 0 V7.01 F2 " +
         version_field3 +
         " F4\nexename 0 zormain\nexeno 3 23\nexeno 4 24\nexeno 5 25\nexeno 6 26\nexeno 7 27\n";
}

// A tool process that makes its start check (function) once the event is
// set, and logs the answer to log_path; it opens no window and ends.
dremoxa7::UniqueHandle start_checking_tool(const std::string& event, int function,
                                           const std::string& log_path) {
  std::string command_line = quote_argument(program_directory() + "fixture_tool.exe");
  for (const std::string& argument :
       {std::string("--log"), log_path, std::string("--at-event"), event,
        std::string("--start-check"), std::to_string(function)}) {
    command_line += ' ';
    command_line += quote_argument(argument);
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return dremoxa7::UniqueHandle();
  }
  CloseHandle(started.hThread);
  return dremoxa7::UniqueHandle(started.hProcess);
}

class StartCheck : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_EQ(main_.error(), "");
    DeleteFileA(work_file().c_str());
    write_suite_description(description());
    ASSERT_TRUE(dremoxa7::win32_test::put_clipboard_text("before", nullptr));
  }
  void TearDown() override { DeleteFileA(work_file().c_str()); }

  static std::pair<short, short> check(short function) {
    short quit = 77;
    const short result = dll().ZorStartCheck(0, function, &quit);
    return {result, quit};
  }

  // No copy starts within a moment: a start would have logged by then.
  bool main_stays_unstarted() const {
    return !wait_until([&] { return main_.has_run(); }, 1500);
  }
  std::string main_clipboard() const {
    const std::vector<std::string> log = main_.log_lines();
    return log.empty() ? "(nothing logged)" : log.front();
  }

  const InstalledTool main_{program_directory(), "zormain", logging_command_line(kMainStarted)};
};

TEST_F(StartCheck, ExecutableZeroStartsInTheToolsPlaceWithItsHandoff) {
  const ULONGLONG begun = GetTickCount64();
  EXPECT_EQ(check(5), std::make_pair(short{0}, short{1}));
  // The gate is held for the whole call.
  RecordProperty("start_check_ms", static_cast<int>(GetTickCount64() - begun));
  ASSERT_NE(main_.started_window(), nullptr);
  EXPECT_EQ(main_clipboard(), "clipboard " + std::string(kHandoff));
  EXPECT_EQ(logged_command_line(main_), program_directory() + "zormain.exe");
}

// Four tools started at the same moment, each in its own process, while
// nothing of group 0 runs (a launcher, a double click): the first to decide
// starts executable 0, and the others find it and bring it to the front.
TEST_F(StartCheck, ToolsStartingAtOnceStartExecutableZeroOnce) {
  const NamedEvent go("start-at-once");
  ASSERT_EQ(go.error(), "");
  std::vector<std::string> logs;
  std::vector<dremoxa7::UniqueHandle> tools;
  std::vector<HANDLE> waits;
  for (int function : {4, 5, 6, 7}) {
    logs.push_back(program_directory() + "start-at-once-" + std::to_string(function) + ".log");
    DeleteFileA(logs.back().c_str());
    tools.push_back(start_checking_tool(go.name(), function, logs.back()));
    ASSERT_TRUE(tools.back()) << function;
    waits.push_back(tools.back().get());
  }
  // Each tool has loaded the library and waits for the event before it is
  // set, so that their checks begin together.
  const bool all_waiting = wait_until([&] {
    return std::ranges::all_of(logs, [](const std::string& log) {
      return std::ranges::count(log_file_lines(log), std::string("waiting")) != 0;
    });
  });
  ASSERT_TRUE(go.set());  // either way, so that no tool waits on
  ASSERT_TRUE(all_waiting) << "not every tool got to the event";
  ASSERT_EQ(WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), TRUE, 120000),
            WAIT_OBJECT_0);

  std::string times;
  for (const std::string& log : logs) {
    std::string answer;
    for (const std::string& line : log_file_lines(log)) {
      if (line.starts_with("start-check ")) answer = line;
    }
    DeleteFileA(log.c_str());
    SCOPED_TRACE(log);
    // "start-check RESULT QUIT MS"
    EXPECT_EQ(answer.substr(0, std::string_view("start-check 0 1 ").size()), "start-check 0 1 ");
    times += answer.substr(answer.rfind(' ') + 1) + " ";
  }
  RecordProperty("start_check_ms", times);
  ASSERT_NE(main_.started_window(), nullptr);
  EXPECT_EQ(logged_starts(main_), 1);
}

TEST_F(StartCheck, RunningMainToolComesToTheFront) {
  FixtureProcess running({"--window", "Zor Main - running", "--minimized"});
  ASSERT_TRUE(running.ready()) << running.error();
  EXPECT_EQ(check(2), std::make_pair(short{0}, short{1}));
  EXPECT_EQ(foreground_becomes(running.window(0)), running.window(0));
  // The restore reaches the tool through its own message queue.
  EXPECT_TRUE(wait_until([&] { return !IsIconic(running.window(0)); }));
  EXPECT_TRUE(main_stays_unstarted());
}

// Function 4 runs without function 0: its own start brings it to the front,
// unless the work file holds the start hold.
TEST_F(StartCheck, StartHoldEndsTheToolWithoutActivatingAnything) {
  FixtureProcess servo({"--window", "Zor Servo - running"});
  FixtureProcess other({"--window", "Other Program"});
  ASSERT_TRUE(servo.ready()) << servo.error();
  ASSERT_TRUE(other.ready()) << other.error();
  for (const std::uint8_t start_hold : {1, 0}) {
    SCOPED_TRACE(start_hold);
    ASSERT_TRUE(SetForegroundWindow(other.window(0)));
    ASSERT_EQ(foreground_becomes(other.window(0)), other.window(0));
    write_work_file(start_hold);
    EXPECT_EQ(check(4), std::make_pair(short{0}, short{1}));
    if (start_hold == 1) {
      EXPECT_FALSE(wait_until([&] { return GetForegroundWindow() != other.window(0); }, 1500));
    } else {
      EXPECT_EQ(foreground_becomes(servo.window(0)), servo.window(0));
    }
    EXPECT_TRUE(work_file_exists());
  }
  EXPECT_TRUE(main_stays_unstarted());
}

TEST_F(StartCheck, LaunchPathDeletesTheWorkFile) {
  write_work_file(0);
  EXPECT_EQ(check(5), std::make_pair(short{0}, short{1}));
  EXPECT_FALSE(work_file_exists());
  ASSERT_NE(main_.started_window(), nullptr);
  EXPECT_EQ(main_clipboard(), "clipboard " + std::string(kHandoff));
}

// Function 3 of the version "E4301" starts on its own: the work file stays
// and nothing is handed over.
TEST_F(StartCheck, FunctionThreeOfItsVersionKeepsTheWorkFile) {
  write_suite_description(description("E4301"));
  write_work_file(0);
  EXPECT_EQ(check(3), std::make_pair(short{0}, short{0}));
  EXPECT_TRUE(work_file_exists());
  EXPECT_TRUE(main_stays_unstarted());
  const dremoxa7::win32_test::ClipboardText clipboard =
      dremoxa7::win32_test::read_clipboard_text(nullptr);
  EXPECT_EQ(clipboard.text.value_or(""), "before");
}

}  // namespace
}  // namespace e2e
