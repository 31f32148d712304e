// Programs that stop answering, met by the exports that talk to them: none
// may hold the caller for as long as it hangs.
#include <fstream>
#include <string>

#include "base/win32_owners.h"
#include "e2e_test.h"
#include "installed_tool.h"
#include "named_event.h"

namespace e2e {
namespace {

// A hung program answers again once the test lets it (after the call has
// returned) or ends it, or at the latest after a minute (the bound of the
// fixture tool's --stop-answering-until), so that a faulty library only
// makes a test slow: a call that waited for the hang would take that
// minute. Half of it is a hang check that no slow machine reaches, not a
// speed goal.
constexpr DWORD kLongestHangMs = 60000;
constexpr ULONGLONG kWaitedForTheHangMs = kLongestHangMs / 2;

template <class Call>
ULONGLONG elapsed_ms(Call call) {
  const ULONGLONG before = GetTickCount64();
  call();
  return GetTickCount64() - before;
}

class HungTool : public LibraryTest {};

// A tool minimises itself and stops answering: bringing it to the front
// returns while it still hangs, and its window is restored once it answers
// again.
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
    const NamedEvent answer_again("hung-tool");
    ASSERT_EQ(answer_again.error(), "");
    FixtureProcess tool({"--window", std::string("Dx7 Hung Tool - ") + c.name, "--minimized",
                         "--stop-answering-until", answer_again.name()});
    ASSERT_TRUE(tool.ready()) << tool.error();
    const HWND window = tool.window(0);
    ASSERT_TRUE(IsIconic(window));

    short result = -99;
    const ULONGLONG ms = elapsed_ms([&] { result = c.activate(dll(), window); });
    RecordProperty(std::string(c.name) + "_hung_tool_ms", static_cast<int>(ms));
    EXPECT_EQ(result, DREMOXA7_OK);
    EXPECT_LT(ms, kWaitedForTheHangMs);
    // The restore is the tool's to carry out: it has not answered yet.
    EXPECT_TRUE(IsIconic(window));
    ASSERT_TRUE(answer_again.set());
    EXPECT_TRUE(wait_until([&] { return !IsIconic(window); }));
    EXPECT_EQ(foreground_becomes(window), window);
  }
}

// The program that last put something on the clipboard is told when the
// hand-off empties it, and the system waits for its answer up to a limit of
// its own (5 s under Wine), not for as long as it hangs.
TEST_F(HungTool, HandoffPastAClipboardOwnerThatDoesNotAnswer) {
  const std::string directory = program_directory() + "hung-peer\\";
  write_suite_description("exeno 5 50\nexename 50 handofftool\ninstallpath 0 " + directory + "\n");
  const InstalledTool started(directory, "handofftool", {"Handoff Tool - started", {}, {}});
  ASSERT_EQ(started.error(), "");
  // It hangs until the test ends it.
  FixtureProcess owner({"--window", "Dx7 Clipboard Owner", "--own-clipboard", "owned text",
                        "--stop-answering", std::to_string(kLongestHangMs)});
  ASSERT_TRUE(owner.ready()) << owner.error();

  short result = -99;
  const ULONGLONG ms = elapsed_ms([&] { result = dll().ZorFuncJump(0, 5, "handed over"); });
  RecordProperty("hung_clipboard_owner_jump_ms", static_cast<int>(ms));
  EXPECT_EQ(result, DREMOXA7_OK);
  EXPECT_LT(ms, kWaitedForTheHangMs);
  ASSERT_NE(started.started_window(), nullptr);
  EXPECT_EQ(started.log_lines().at(0), "clipboard handed over");
}

// The help engine is another program. Help goes to one that answers; one
// that does not answer leaves the caller alone, and the request is dropped.
class HelpEngine : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    DeleteFileA(log_path().c_str());
  }
  // Help needs the caller's active window; the engine's window, once open,
  // no longer takes the activation from it.
  void activate_owner() {
    owner_ = dremoxa7::UniqueWindow(CreateWindowExA(0, "STATIC", "Dx7 Help Owner",
                                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                                    100, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(owner_);
    SetForegroundWindow(owner_.get());
    SetActiveWindow(owner_.get());
    ASSERT_TRUE(wait_until([&] { return GetActiveWindow() == owner_.get(); }));
  }
  void TearDown() override { DeleteFileA(log_path().c_str()); }
  static std::string log_path() { return program_directory() + "help-engine.log"; }

  // The requests the engine has logged by now.
  static int requests() {
    std::ifstream log(log_path(), std::ios::binary);
    int count = 0;
    for (std::string line; std::getline(log, line);) count += line.rfind("copydata ", 0) == 0;
    return count;
  }

 private:
  dremoxa7::UniqueWindow owner_;
};

TEST_F(HelpEngine, AnAnsweringEngineGetsEachRequest) {
  FixtureProcess engine(
      {"--log", log_path(), "--window-class", "MS_WINHELP", "--window", "Dx7 Help Engine"});
  ASSERT_TRUE(engine.ready()) << engine.error();
  ASSERT_NO_FATAL_FAILURE(activate_owner());
  EXPECT_EQ(dll().OpenZorHelp(0, "suite.hlp", nullptr), DREMOXA7_OK);
  EXPECT_EQ(dll().OpenZorHelp(1, "suite.hlp", "Axis"), DREMOXA7_OK);
  EXPECT_EQ(requests(), 2);
}

TEST_F(HelpEngine, AnEngineThatDoesNotAnswerLeavesTheCallerAlone) {
  // It hangs until the test ends it.
  FixtureProcess engine({"--window-class", "MS_WINHELP", "--window", "Dx7 Help Engine",
                         "--stop-answering", std::to_string(kLongestHangMs)});
  ASSERT_TRUE(engine.ready()) << engine.error();
  ASSERT_NO_FATAL_FAILURE(activate_owner());
  for (short mode : {0, 1}) {
    short result = -99;
    const ULONGLONG ms = elapsed_ms([&] { result = dll().OpenZorHelp(mode, "suite.hlp", "Axis"); });
    RecordProperty("hung_help_engine_mode" + std::to_string(mode) + "_ms", static_cast<int>(ms));
    EXPECT_EQ(result, DREMOXA7_OK);
    EXPECT_LT(ms, kWaitedForTheHangMs) << mode;
  }
}

// A window of the caller's own program, on a thread that stops answering
// (a worker busy with a long computation) until the worker goes.
class BusyWorker {
 public:
  BusyWorker()
      : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = dremoxa7::UniqueHandle(CreateThread(nullptr, 0, run, this, 0, nullptr));
    WaitForSingleObject(ready_.get(), kDefaultWaitMs);
  }
  ~BusyWorker() {
    SetEvent(done_.get());
    WaitForSingleObject(thread_.get(), INFINITE);
  }
  BusyWorker(const BusyWorker&) = delete;
  BusyWorker& operator=(const BusyWorker&) = delete;
  HWND window() const { return window_; }

 private:
  static DWORD WINAPI run(void* parameter) {
    auto* worker = static_cast<BusyWorker*>(parameter);
    const dremoxa7::UniqueWindow window(CreateWindowExA(0, "STATIC", "Dx7 Busy Worker",
                                                        WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                                        nullptr, nullptr, nullptr, nullptr));
    worker->window_ = window.get();
    SetEvent(worker->ready_.get());
    WaitForSingleObject(worker->done_.get(), kLongestHangMs);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return 0;
  }

  dremoxa7::UniqueHandle ready_;
  dremoxa7::UniqueHandle done_;
  dremoxa7::UniqueHandle thread_;
  HWND window_ = nullptr;
};

TEST_F(HungTool, TitleSearchPastAWindowOfABusyThreadOfTheCaller) {
  const BusyWorker worker;
  ASSERT_NE(worker.window(), nullptr);
  char title[DREMOXA7_TITLE_CAPACITY] = "x";
  DREMOXA7_WINDOW found = poison_window();
  short result = -99;
  const ULONGLONG ms =
      elapsed_ms([&] { result = dll().FindWinTitleP("Dx7 Busy Worker", title, &found); });
  RecordProperty("busy_own_thread_title_search_ms", static_cast<int>(ms));
  EXPECT_EQ(result, DREMOXA7_OK);
  EXPECT_LT(ms, kWaitedForTheHangMs);
  EXPECT_EQ(found, worker.window());
  EXPECT_STREQ(title, "Dx7 Busy Worker");
}

}  // namespace
}  // namespace e2e
