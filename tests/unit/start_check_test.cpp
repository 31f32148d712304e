// The start check: which running window takes a tool's start over, the work
// file's start hold, and executable 0 started with its hand-off text.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "dremoxa7.h"
#include "file_image.h"
#include "library_test.h"
#include "temp_dir.h"

namespace dremoxa7 {
namespace {

using Window = platform::Window;

constexpr short kSeries = 2;
constexpr int kGroup0[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10};
constexpr const char* kWorkFile = "Suite/Bin/zorwork.inf";
constexpr const char* kMainPath = "C:\\Suite\\Bin\\zormain.exe";
constexpr std::size_t kStartHoldOffset = 565;
constexpr int kNone = -1;

std::string prefix_of(int function) {
  return "Func " + std::string(function < 10 ? "0" : "") + std::to_string(function);
}

// The hand-off text for the asking function's executable number 20 + n.
std::string handoff_for(int function) {
  return "V7.01,zormain," + std::to_string(20 + function) + ",1,TARVELONIK";
}

class StartCheckTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    host::map_drive('C', drive_.path().string());
    // Cases of a table run one after another on the same drive.
    std::filesystem::remove_all(drive_.path() / kWorkFile);
    fake::Suite& s = fake::suite();
    for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) {
      s.titles[{kSeries, f}] = prefix_of(f);
      s.exe_numbers[f] = static_cast<std::int16_t>(20 + f);
    }
    s.exe_names[0] = "zormain";
    s.version_fields[kSeries] = {"V7.01", "F2", "E1000", "F4"};
    other_ = host::add_window("Other program");
    EXPECT_TRUE(platform::set_foreground(other_));
    host::put_clipboard_text("before");
  }

  Window run(int function) { return host::add_window(prefix_of(function) + " - project"); }

  void write_work_file(int start_hold) {
    drive_.write(
        kWorkFile,
        FileImage(570).set(kStartHoldOffset, {static_cast<std::uint8_t>(start_hold)}).bytes());
  }
  bool work_file_exists() const { return std::filesystem::exists(drive_.path() / kWorkFile); }

  std::vector<std::string> started() const {
    std::vector<std::string> lines;
    for (const auto& p : host::started_programs()) lines.push_back(p.command_line);
    return lines;
  }

  // The call, with quit poisoned first to show that it is always written.
  static std::pair<short, short> check(short series, short function) {
    short quit = 77;
    const short result = ZorStartCheck(series, function, &quit);
    return {result, quit};
  }

  TempDir drive_;
  Window other_ = nullptr;
};

TEST_F(StartCheckTest, DecisionTable) {
  const struct Case {
    const char* what;
    std::vector<int> running;
    int start_hold;  // kNone: no work file
    int asking;
    // expected
    short result;
    short quit;
    int front;  // the function whose window is in front; kNone: the other program
    bool reads_work_file;
    bool work_file_kept;
    bool starts_main;
  } cases[] = {
      // No tool of group 0 runs: executable 0 starts in the asker's place.
      {"none runs, no work file", {}, kNone, 5, 0, 1, kNone, false, false, true},
      {"none runs, start hold 0", {}, 0, 5, 0, 1, kNone, false, false, true},
      {"none runs, start hold 1 has no say", {}, 1, 5, 0, 1, kNone, false, false, true},
      {"function 3 of another version", {}, 0, 3, 0, 1, kNone, false, false, true},
      {"function 9 runs but is no member", {9}, kNone, 5, 0, 1, kNone, false, false, true},
      // Function 0 runs alone.
      {"0 alone, no work file, 2 asks", {0}, kNone, 2, 0, 1, 0, false, false, false},
      {"0 alone, no work file, 0 asks", {0}, kNone, 0, 0, 1, 0, false, false, false},
      {"0 alone, start hold 0, 2 asks", {0}, 0, 2, 0, 0, kNone, true, true, false},
      {"0 alone, start hold 0, 0 asks", {0}, 0, 0, 0, 1, 0, true, true, false},
      {"0 alone, start hold 1, 0 asks", {0}, 1, 0, 0, 1, kNone, true, true, false},
      {"0 alone, start hold 2, 0 asks", {0}, 2, 0, 0, 1, 0, true, true, false},
      // Function 0 and another run: function 0 takes over, unread file.
      {"0 and 4, no work file, 6 asks", {0, 4}, kNone, 6, 0, 1, 0, false, false, false},
      {"0 and 4, start hold 1, 4 asks", {0, 4}, 1, 4, 0, 1, 0, false, true, false},
      {"0 and 10, start hold 0, 10 asks", {0, 10}, 0, 10, 0, 1, 0, false, true, false},
      // Function 0 does not run.
      {"4 alone, start hold 1, 4 asks", {4}, 1, 4, 0, 1, kNone, true, true, false},
      {"4 alone, start hold 0, 4 asks", {4}, 0, 4, 0, 1, 4, true, true, false},
      {"4 alone, start hold 0, 6 asks", {4}, 0, 6, 0, 0, kNone, true, true, false},
      {"4 alone, start hold 2, 6 asks", {4}, 2, 6, 0, 0, kNone, true, true, false},
      {"4 and 6, start hold 0, 6 asks", {4, 6}, 0, 6, 0, 1, 6, true, true, false},
      {"10 alone, start hold 0, 10 asks", {10}, 0, 10, 0, 1, 10, true, true, false},
      {"4 alone, start hold 0, 11 asks", {4}, 0, 11, 0, 0, kNone, true, true, false},
      // The read is made for a missing file: its code is the answer.
      {"4 alone, no work file, 4 asks", {4}, kNone, 4, 3, 0, kNone, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    Window windows[DREMOXA7_FUNCTION_COUNT] = {};
    for (int f : c.running) windows[f] = run(f);
    if (c.start_hold != kNone) write_work_file(c.start_hold);

    EXPECT_EQ(check(kSeries, static_cast<short>(c.asking)), std::make_pair(c.result, c.quit));
    EXPECT_EQ(host::foreground_window(), c.front == kNone ? other_ : windows[c.front]);
    EXPECT_EQ(fake::suite().calls_of("ZorFileRead2").size(), c.reads_work_file ? 1u : 0u);
    EXPECT_EQ(work_file_exists(), c.work_file_kept);
    EXPECT_EQ(started(),
              c.starts_main ? std::vector<std::string>{kMainPath} : std::vector<std::string>{});
    const std::string clipboard = c.starts_main ? handoff_for(c.asking) : "before";
    EXPECT_EQ(host::clipboard_text(), clipboard);
    if (c.starts_main) EXPECT_EQ(host::started_programs()[0].clipboard, clipboard);
  }
}

// Each call looks for the work file once, walks the desktop once and reads
// the work file once at most.
TEST_F(StartCheckTest, ThePathsAndTheReadAreTheCallsOwn) {
  run(4);
  write_work_file(0);
  EXPECT_EQ(check(kSeries, 6), std::make_pair(short{0}, short{0}));
  EXPECT_EQ(host::counters().existence_tests, 1);
  EXPECT_EQ(host::counters().enumerations, 1);
  EXPECT_EQ(fake::suite().calls_of("ZorFileRead2"),
            (std::vector<fake::Call>{{"ZorFileRead2", {0, 570}, "C:\\Suite\\Bin\\zorwork.inf"}}));
}

// Only function 3 of the version named "E4301", whole and byte for byte,
// starts on its own beside the work file.
TEST_F(StartCheckTest, VersionThatKeepsTheWorkFile) {
  const struct Case {
    const char* field3;
    int asking;
    bool work_file;
    bool kept;
  } cases[] = {
      {"E4301", 3, true, true},  {"E4301 ", 3, true, false}, {"E430", 3, true, false},
      {"e4301", 3, true, false}, {"E4301", 4, true, false},  {"E4301", 3, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.field3 + "\", function " + std::to_string(c.asking));
    SetUp();
    fake::suite().version_fields[kSeries][2] = c.field3;
    if (c.work_file) write_work_file(0);
    EXPECT_EQ(check(kSeries, static_cast<short>(c.asking)),
              std::make_pair(short{0}, short{c.kept ? short{0} : short{1}}));
    EXPECT_EQ(work_file_exists(), c.kept);
    EXPECT_EQ(started().size(), c.kept ? 0u : 1u);
    EXPECT_EQ(host::clipboard_text(), c.kept ? "before" : handoff_for(c.asking));
  }
}

// Executable 0 starts by its own path: its number written signed, a
// directory with a blank in quotes; a name no file can have (a double quote
// would end the quoted path early) starts nothing, and the asking tool goes
// on by itself.
TEST_F(StartCheckTest, ExecutableZeroStartsByItsOwnPath) {
  const struct Case {
    const char* library;
    const char* name;
    std::int16_t number;
    std::pair<short, short> answer;
    std::vector<std::string> started;
    const char* clipboard;
  } cases[] = {
      {"C:\\Suite\\Bin\\dremoxa7.dll",
       "zormain",
       -1,
       {0, 1},
       {"C:\\Suite\\Bin\\zormain.exe"},
       "V7.01,zormain,-1,1,TARVELONIK"},
      {"C:\\Suite\\Bin\\dremoxa7.dll",
       "zormain",
       -32768,
       {0, 1},
       {"C:\\Suite\\Bin\\zormain.exe"},
       "V7.01,zormain,-32768,1,TARVELONIK"},
      {"C:\\Suite Tools\\Bin\\dremoxa7.dll",
       "zormain",
       25,
       {0, 1},
       {"\"C:\\Suite Tools\\Bin\\zormain.exe\""},
       "V7.01,zormain,25,1,TARVELONIK"},
      {"C:\\Suite\\Bin\\dremoxa7.dll", "Zq\" \"Main0", 25, {6, 0}, {}, "before"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.library) + " " + c.name);
    SetUp();
    host::load_library(c.library);
    module_app().init_instance();
    fake::suite().exe_names[0] = c.name;
    fake::suite().exe_numbers[5] = c.number;
    EXPECT_EQ(check(kSeries, 5), c.answer);
    EXPECT_EQ(started(), c.started);
    EXPECT_EQ(host::clipboard_text(), c.clipboard);
  }
}

constexpr char kGate[] = "Local\\dremoxa7 start check";

// The whole decision, from the search to the start of executable 0, is
// made under the session's gate, and nothing keeps it afterwards.
TEST_F(StartCheckTest, TheGateIsHeldFromTheSearchToTheStart) {
  std::vector<bool> held;
  host::before(host::Call::title_read, [&] { held.push_back(host::gate_held_here(kGate)); });
  host::on_start([&](const std::string&) { held.push_back(host::gate_held_here(kGate)); });
  EXPECT_EQ(check(kSeries, 5), std::make_pair(short{0}, short{1}));
  EXPECT_EQ(held, std::vector<bool>(2, true));  // the one window's title, then the start
  EXPECT_FALSE(host::gate_held_here(kGate));
  EXPECT_EQ(host::counters().gate_waits, 0);
}

// A holder that hangs delays the check by the bound at most; one that
// ended without letting go delays it not at all. Either way the check
// then goes on as it would alone.
TEST_F(StartCheckTest, AHungOrAbandonedHolderDelaysTheCheckAtMostItsBound) {
  const struct Case {
    const char* holder;
    void (*set)(const std::string&);
    long waited_ms;
    long gate_waits;
  } cases[] = {
      {"hangs", host::hold_gate, 30'000, 1},
      {"ended", host::abandon_gate, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.holder);
    SetUp();
    c.set(kGate);
    EXPECT_EQ(check(kSeries, 5), std::make_pair(short{0}, short{1}));
    EXPECT_EQ(host::clock_ms(), c.waited_ms);
    EXPECT_EQ(host::counters().gate_waits, c.gate_waits);
    EXPECT_EQ(started(), std::vector<std::string>{kMainPath});
  }
}

// A second tool that asks while the first one's check is searching waits
// for it, then finds executable 0's window and brings it to the front
// instead of starting executable 0 again.
TEST_F(StartCheckTest, AToolAskingMeanwhileFindsExecutableZeroStarted) {
  std::thread second;
  std::pair<short, short> second_answer;
  std::atomic<bool> asked{false};
  host::before(host::Call::title_read, [&] {
    if (asked.exchange(true)) return;
    second = std::thread([&] { second_answer = check(kSeries, 6); });
    // Bounded, so that a check made without the gate fails rather than hangs;
    // generous, since the second thread may be slow to start (ThreadSanitizer,
    // a busy machine) and a gated check ends the wait at once.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (host::gate_waiters(kGate) == 0 && std::chrono::steady_clock::now() < give_up) {
      std::this_thread::yield();
    }
  });
  std::atomic<Window> main{nullptr};
  host::on_start([&](const std::string&) { main = host::add_window(prefix_of(0) + " - started"); });
  EXPECT_EQ(check(kSeries, 5), std::make_pair(short{0}, short{1}));
  second.join();
  EXPECT_EQ(second_answer, std::make_pair(short{0}, short{1}));
  EXPECT_EQ(started(), std::vector<std::string>{kMainPath});
  EXPECT_EQ(host::foreground_window(), main);
  EXPECT_EQ(host::counters().gate_waits, 1);
}

// A suite library that fills a buffer leaves no terminator: version field 1
// and the name end with their buffers, and all of both is handed over.
TEST_F(StartCheckTest, FullSuiteBuffersAreTakenWhole) {
  fake::Suite& s = fake::suite();
  s.fill_buffers = true;
  const std::string version(32, 'v');
  const std::string name(64, 'n');
  s.version_fields[kSeries] = {version + "beyond", "F2", "E1000", "F4"};
  s.exe_names[0] = name + "beyond";
  s.exe_numbers[5] = -32768;
  EXPECT_EQ(check(kSeries, 5), std::make_pair(short{0}, short{1}));
  EXPECT_EQ(started(), std::vector<std::string>{"C:\\Suite\\Bin\\" + name + ".exe"});
  EXPECT_EQ(host::clipboard_text(), version + "," + name + ",-32768,1,TARVELONIK");
}

// Each suite call failing in turn: its code, quit 0, nothing started or
// activated and the clipboard untouched. A file deleted before the failure
// stays deleted.
TEST_F(StartCheckTest, SuiteFailuresPassThrough) {
  const struct Case {
    const char* call;
    long key;
    std::vector<int> running;
    bool work_file_kept;
  } cases[] = {
      {"GetZorFuncWinTitle", 4, {}, true},
      {"ZorFileRead2", 0, {4}, true},
      {"GetZorVerFileInfo", kSeries, {}, true},
      {"GetZorExeName", 0, {}, false},
      {"GetZorExeNo", 5, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    SetUp();
    for (int f : c.running) run(f);
    write_work_file(0);
    fake::suite().failures[c.call][c.key] = -9;
    EXPECT_EQ(check(kSeries, 5), std::make_pair(short{-9}, short{0}));
    EXPECT_EQ(work_file_exists(), c.work_file_kept);
    EXPECT_TRUE(started().empty());
    EXPECT_EQ(host::foreground_window(), other_);
    EXPECT_EQ(host::clipboard_text(), "before");
  }
}

TEST_F(StartCheckTest, OutOfRangeTouchesNothing) {
  write_work_file(0);
  for (const auto& [series, function] :
       {std::pair<short, short>{16, 5}, {-1, 5}, {kSeries, 48}, {kSeries, -1}}) {
    SCOPED_TRACE(std::to_string(series) + ", " + std::to_string(function));
    EXPECT_EQ(check(series, function), std::make_pair(short{DREMOXA7_OUT_OF_RANGE}, short{0}));
  }
  EXPECT_TRUE(work_file_exists());
  EXPECT_EQ(host::counters().existence_tests, 0);
  EXPECT_EQ(host::counters().file_deletes, 0);
  EXPECT_TRUE(fake::suite().calls.empty());
  EXPECT_TRUE(started().empty());
}

// Only the search decides presence: a directory of the work file's name
// counts, and stays when the file would be deleted.
TEST_F(StartCheckTest, ADirectoryNamedLikeTheWorkFileCounts) {
  std::filesystem::create_directories(drive_.path() / kWorkFile);
  EXPECT_EQ(check(kSeries, 2), std::make_pair(short{0}, short{1}));
  EXPECT_EQ(host::counters().file_deletes, 1);
  EXPECT_TRUE(std::filesystem::is_directory(drive_.path() / kWorkFile));
  EXPECT_EQ(started(), std::vector<std::string>{kMainPath});
}

TEST_F(StartCheckTest, RefusedActivationStillEndsTheTool) {
  run(0);
  host::refuse_foreground(true);
  EXPECT_EQ(check(kSeries, 5), std::make_pair(short{0}, short{1}));
  EXPECT_EQ(host::foreground_window(), other_);
}

TEST_F(StartCheckTest, NullQuitFlagIsNotWritten) {
  EXPECT_EQ(ZorStartCheck(kSeries, 5, nullptr), DREMOXA7_OK);
  EXPECT_EQ(started(), std::vector<std::string>{kMainPath});
}

}  // namespace
}  // namespace dremoxa7
