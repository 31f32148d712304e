// AllExeEnd against real tools: polite, slow, hung, stubborn, and one that
// talks back to the caller while it closes. The call runs on a worker
// thread, so that the test keeps control of a call that waits.
#include <algorithm>
#include <string>
#include <vector>

#include "e2e_test.h"
#include "log_file.h"
#include "named_event.h"
#include "time_stamp.h"

namespace e2e {
namespace {

constexpr short kSeries = 0;
constexpr char kQuit[] = "Sfc Quit Message";
// How long a call that closes tools may take before a test gives up on it.
// The call awaits the tools one after another, and without a window manager
// Wine takes about 2 s to take each shown window away: ten take some 20 s,
// and longer on a busy machine.
constexpr DWORD kCallReturnsMs = 120000;

std::string title_of(int function) {
  if (function == 11) return "Dx7 Display - PKG project";
  return "Dx7 Tool " + std::to_string(function) + " - project";
}

// Functions 0..10 and 32 are found by "Dx7 Tool N -"; 11 by the title put
// together from the work 1 display text and the short package name.
std::string suite_description() {
  std::string text = "work1 1 Dx7 Display\nshortpac 0 PKG\n";
  for (int f : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 32}) {
    text += "title 0 " + std::to_string(f) + " Dx7 Tool " + std::to_string(f) + " -\n";
  }
  return text;
}

// The options of a tool process whose windows are the tools of these
// functions, followed by further options for the last of them; it logs
// with time stamps.
std::vector<std::string> tool_options(const std::string& log, std::vector<int> functions,
                                      std::vector<std::string> last = {}) {
  std::vector<std::string> options = {"--stamp", "--log", log, "--quit-message", kQuit};
  for (int f : functions) {
    options.push_back("--window");
    options.push_back(title_of(f));
  }
  options.insert(options.end(), last.begin(), last.end());
  return options;
}

struct LogLine {
  long long us;
  std::string text;  // without the stamp
};

// The time-stamped lines of a tool's log (the clipboard line at its start
// is left out).
std::vector<LogLine> read_log(const std::string& path) {
  std::vector<LogLine> lines;
  for (const std::string& line : log_file_lines(path)) {
    const std::size_t blank = line.find(' ');
    if (line.rfind("clipboard", 0) == 0 || blank == std::string::npos) continue;
    lines.push_back({std::stoll(line.substr(0, blank)), line.substr(blank + 1)});
  }
  return lines;
}

// What the tools were asked, in the order they took it.
std::vector<std::string> requests(const std::vector<LogLine>& log) {
  std::vector<std::string> out;
  for (const LogLine& line : log) {
    if (line.text.rfind("close ", 0) == 0 || line.text.rfind("message ", 0) == 0) {
      out.push_back(line.text);
    }
  }
  return out;
}

// When the log says text, or -1.
long long stamp_of(const std::vector<LogLine>& log, const std::string& text) {
  for (const LogLine& line : log) {
    if (line.text == text) return line.us;
  }
  return -1;
}

// AllExeEnd(series, except) on a worker thread. The worker may own a
// window of its own, as a tool's user-interface thread does.
class CloseCall {
 public:
  CloseCall() = default;
  CloseCall(const CloseCall&) = delete;
  CloseCall& operator=(const CloseCall&) = delete;
  ~CloseCall() {
    // Whoever made the call wait has ended its tools by now.
    if (thread_) WaitForSingleObject(thread_.get(), kCallReturnsMs);
  }

  void start(short except, std::string own_window = {}) {
    except_ = except;
    own_window_ = std::move(own_window);
    thread_.reset(CreateThread(nullptr, 0, run, this, 0, nullptr));
  }

  // True once the call has returned, waiting at most timeout_ms for it.
  bool returned_within(DWORD timeout_ms) const {
    return WaitForSingleObject(thread_.get(), timeout_ms) == WAIT_OBJECT_0;
  }

  short result() const { return result_; }
  long long started_us() const { return started_us_; }
  long long returned_us() const { return returned_us_; }

 private:
  static DWORD WINAPI run(void* context) {
    auto& call = *static_cast<CloseCall*>(context);
    HWND own = nullptr;
    if (!call.own_window_.empty()) {
      own = CreateWindowExA(0, "STATIC", call.own_window_.c_str(), WS_OVERLAPPED, 0, 0, 100, 50,
                            nullptr, nullptr, nullptr, nullptr);
    }
    call.started_us_ = time_stamp_us();
    call.result_ = Library::get().exports().AllExeEnd(kSeries, call.except_);
    call.returned_us_ = time_stamp_us();
    if (own != nullptr) DestroyWindow(own);
    return 0;
  }

  short except_ = 0;
  std::string own_window_;
  dremoxa7::UniqueHandle thread_;
  short result_ = -99;
  long long started_us_ = 0;
  long long returned_us_ = 0;
};

class CloseAll : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    write_suite_description(suite_description());
  }
  void TearDown() override {
    for (const std::string& log : logs_) DeleteFileA(log.c_str());
  }

  // A fresh log file in the temporary directory.
  std::string new_log() {
    char directory[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(MAX_PATH, directory);
    std::string path = std::string(directory, n <= MAX_PATH ? n : 0) + "dremoxa7-close-" +
                       std::to_string(GetCurrentProcessId()) + "-" + std::to_string(logs_.size()) +
                       ".log";
    DeleteFileA(path.c_str());
    logs_.push_back(path);
    return path;
  }

  std::vector<std::string> logs_;
};

TEST_F(CloseAll, TheSuiteClosesInOrderAndFunction32Last) {
  const std::string members_log = new_log();
  const std::string others_log = new_log();
  CloseCall call;
  FixtureProcess members(tool_options(members_log, {0, 1, 2, 3, 4, 6, 7, 8, 11, 32}));
  FixtureProcess others(tool_options(others_log, {5, 9, 10}));
  ASSERT_TRUE(members.ready()) << members.error();
  ASSERT_TRUE(others.ready()) << others.error();

  call.start(5);
  ASSERT_TRUE(call.returned_within(kCallReturnsMs));
  EXPECT_EQ(call.result(), DREMOXA7_OK);

  // One tool thread takes its messages in the order they were posted.
  const std::vector<LogLine> log = read_log(members_log);
  EXPECT_EQ(
      requests(log),
      (std::vector<std::string>{
          "close Dx7 Tool 0 - project", "close Dx7 Tool 1 - project", "close Dx7 Tool 2 - project",
          "message Sfc Quit Message Dx7 Tool 3 - project", "close Dx7 Tool 4 - project",
          "close Dx7 Tool 6 - project", "close Dx7 Tool 7 - project", "close Dx7 Tool 8 - project",
          "close Dx7 Display - PKG project", "close Dx7 Tool 32 - project"}));

  // 32 was asked only after the others had gone and the pause had passed,
  // and the call returned only after 32 had gone.
  long long others_gone = 0;
  for (int f : {0, 1, 2, 3, 4, 6, 7, 8, 11}) {
    const long long gone = stamp_of(log, "gone " + title_of(f));
    EXPECT_GT(gone, call.started_us()) << f;
    others_gone = std::max(others_gone, gone);
  }
  const long long asked_32 = stamp_of(log, "close " + title_of(32));
  EXPECT_GE(asked_32 - others_gone, 500'000);
  const long long gone_32 = stamp_of(log, "gone " + title_of(32));
  EXPECT_GT(gone_32, asked_32);
  EXPECT_GT(call.returned_us(), gone_32);

  // The caller's own tool (5), 9 and 10 were not asked and still run.
  EXPECT_TRUE(requests(read_log(others_log)).empty());
  for (std::size_t i = 0; i < others.window_count(); ++i) EXPECT_TRUE(IsWindow(others.window(i)));
}

TEST_F(CloseAll, SlowAndHungToolsAreAwaitedWithoutHoldingUpTheOthers) {
  const std::string hung_log = new_log();
  const std::string slow_log = new_log();
  const std::string polite_log = new_log();
  const NamedEvent answer_again("close-all-hung-tool");
  ASSERT_EQ(answer_again.error(), "");
  CloseCall call;
  FixtureProcess slow(tool_options(slow_log, {4}, {"--close-delay", "2000"}));
  FixtureProcess polite(tool_options(polite_log, {6}));
  FixtureProcess hung(
      tool_options(hung_log, {2}, {"--minimized", "--stop-answering-until", answer_again.name()}));
  ASSERT_TRUE(slow.ready()) << slow.error();
  ASSERT_TRUE(polite.ready()) << polite.error();
  ASSERT_TRUE(hung.ready()) << hung.error();

  call.start(5);
  // The hung tool (2) comes before 4 and 6. It answers again once both have
  // been asked; should the call wait for it first, it answers on its own
  // after a minute, before they are asked.
  const auto asked = [&](const std::string& log, int function) {
    return stamp_of(read_log(log), "close " + title_of(function));
  };
  wait_until([&] { return asked(slow_log, 4) != -1 && asked(polite_log, 6) != -1; });
  ASSERT_TRUE(answer_again.set());
  ASSERT_TRUE(call.returned_within(kCallReturnsMs));
  EXPECT_EQ(call.result(), DREMOXA7_OK);

  // Both were asked while 2 still hung.
  const std::vector<LogLine> slow_tool = read_log(slow_log);
  const std::vector<LogLine> polite_tool = read_log(polite_log);
  const std::vector<LogLine> hung_tool = read_log(hung_log);
  const long long asked_4 = stamp_of(slow_tool, "close " + title_of(4));
  const long long asked_6 = stamp_of(polite_tool, "close " + title_of(6));
  const long long answered_2 = stamp_of(hung_tool, "answers again");
  EXPECT_GT(asked_4, call.started_us());
  EXPECT_GT(asked_6, call.started_us());
  EXPECT_LT(asked_4, answered_2);
  EXPECT_LT(asked_6, answered_2);

  // The slow tool took its 2 s, the hung one closed once it answered again,
  // and the call waited for both.
  const long long gone_4 = stamp_of(slow_tool, "gone " + title_of(4));
  EXPECT_GE(gone_4 - asked_4, 2'000'000);
  const long long gone_2 = stamp_of(hung_tool, "gone " + title_of(2));
  EXPECT_GT(gone_2, answered_2);
  EXPECT_GT(call.returned_us(), std::max(gone_2, gone_4));
}

TEST_F(CloseAll, AToolThatIgnoresTheCloseMessageKeepsTheCallWaiting) {
  const std::string log = new_log();
  CloseCall call;
  FixtureProcess stubborn(tool_options(log, {6}, {"--ignore-close"}));
  ASSERT_TRUE(stubborn.ready()) << stubborn.error();

  call.start(5);
  const std::vector<std::string> asked = {"close " + title_of(6)};
  EXPECT_TRUE(wait_until([&] { return requests(read_log(log)) == asked; }));
  EXPECT_FALSE(call.returned_within(3000));
  EXPECT_EQ(requests(read_log(log)), asked);
  stubborn.end();
  ASSERT_TRUE(call.returned_within(kCallReturnsMs));
  EXPECT_EQ(call.result(), DREMOXA7_OK);
}

// A tool that sends to the caller's window while it closes waits for the
// caller's thread; the call, which waits for the tool, answers it.
TEST_F(CloseAll, AToolThatSendsToTheCallerWhileClosingIsAnswered) {
  const std::string log = new_log();
  CloseCall call;
  FixtureProcess talker(tool_options(log, {1}, {"--send-on-close", "Dx7 Caller"}));
  ASSERT_TRUE(talker.ready()) << talker.error();

  call.start(5, "Dx7 Caller");
  const bool returned = call.returned_within(kCallReturnsMs);
  if (!returned) talker.end();
  EXPECT_TRUE(returned);
  const std::vector<LogLine> lines = read_log(log);
  EXPECT_NE(stamp_of(lines, "sent Dx7 Caller"), -1);
  EXPECT_NE(stamp_of(lines, "gone " + title_of(1)), -1);
  ASSERT_TRUE(call.returned_within(kCallReturnsMs));
  EXPECT_EQ(call.result(), DREMOXA7_OK);
}

// A tool that asks "save changes?" when it is asked to close: its prompt,
// titled like the tool, is waited for until the user answers it, and never
// sent a close request, which would cancel it.
TEST_F(CloseAll, AToolThatPromptsIsAskedOnceAndTheUserAnswers) {
  const std::string log = new_log();
  CloseCall call;
  FixtureProcess asking(tool_options(log, {4}, {"--prompt-on-close", "3000"}));
  ASSERT_TRUE(asking.ready()) << asking.error();

  call.start(5);
  const bool returned = call.returned_within(kCallReturnsMs);
  if (!returned) asking.end();
  ASSERT_TRUE(returned);
  EXPECT_EQ(call.result(), DREMOXA7_OK);
  std::vector<std::string> lines;
  for (const LogLine& line : read_log(log)) {
    if (line.text.rfind("clipboard ", 0) != 0) lines.push_back(line.text);
  }
  const std::string prompt = title_of(4) + ": save changes?";
  EXPECT_EQ(lines, (std::vector<std::string>{"close " + title_of(4), "prompt " + prompt,
                                             "answered " + prompt, "gone " + prompt,
                                             "gone " + title_of(4)}));
}

// The caller's own window titled like a member cannot close while the call
// holds its thread: it is asked, but the call does not wait for it. Another
// program's window of that member is still asked and awaited.
TEST_F(CloseAll, TheCallersOwnMemberWindowIsNotAwaited) {
  const std::string log = new_log();
  CloseCall call;
  FixtureProcess other(tool_options(log, {5}));
  ASSERT_TRUE(other.ready()) << other.error();

  call.start(6, title_of(5));
  const bool returned = call.returned_within(kCallReturnsMs);
  if (!returned) other.end();
  ASSERT_TRUE(returned);
  EXPECT_EQ(call.result(), DREMOXA7_OK);
  EXPECT_NE(stamp_of(read_log(log), "gone " + title_of(5)), -1);
}

TEST_F(CloseAll, ArgumentsOutOfRangeAndSuiteFailures) {
  EXPECT_EQ(dll().AllExeEnd(16, 0), DREMOXA7_OUT_OF_RANGE);
  EXPECT_EQ(dll().AllExeEnd(0, 48), DREMOXA7_OUT_OF_RANGE);
  // The stand-in still writes the work 1 answer when told to fail.
  write_suite_description(suite_description() + "fail GetZorWork1Info 17\n");
  EXPECT_EQ(dll().AllExeEnd(0, 5), 17);
  write_suite_description(suite_description() + "fail GetZorFuncWinTitle -7 4\n");
  EXPECT_EQ(dll().AllExeEnd(0, 5), -7);
}

}  // namespace
}  // namespace e2e
