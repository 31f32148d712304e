// The library called from several threads at once: title searches over a
// crowd of this program's own windows, axis queries on projects of their
// own and CPU names from one configuration file. Each call's answer is
// checked against what the test built; the figures are recorded for the
// test report.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "base/win32_owners.h"
#include "e2e_test.h"
#include "message_boxes.h"
#include "project_files.h"

namespace e2e {
namespace {

constexpr int kThreads = 4;
constexpr int kCallsPerThread = 400;

// What one thread saw: its calls, the wrong answers and the first of them.
struct Tally {
  int calls = 0;
  int wrong = 0;
  std::string first_wrong;

  // Counts a call; describe() says what was wrong when it was.
  template <class Describe>
  void count(bool right, Describe describe) {
    ++calls;
    if (right) return;
    if (wrong++ == 0) first_wrong = describe();
  }
};

// The figures of one run, recorded as test properties and printed on one
// line.
struct Figures {
  int threads = 0;
  int calls = 0;
  int wrong = 0;
  long long elapsed_ms = 0;
  std::string first_wrong;
};

// Runs each job on a thread of its own, all released at once, and returns
// once all have ended. Meanwhile the calling thread answers the messages
// sent to it: a title read of a window of this thread (the system may have
// made one for it) from a job waits for this thread to answer. The gates
// are the system's events: std::latch and the runtime's other atomic waits
// can hang for good with MinGW's threads under Wine.
Figures run_together(const std::vector<std::function<void(Tally&)>>& jobs) {
  const dremoxa7::UniqueHandle go(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  const dremoxa7::UniqueHandle all_ended(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  std::vector<Tally> tallies(jobs.size());
  std::atomic<std::size_t> running = jobs.size();
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    threads.emplace_back([&, i] {
      WaitForSingleObject(go.get(), INFINITE);
      jobs[i](tallies[i]);
      if (--running == 0) SetEvent(all_ended.get());
    });
  }
  const auto began = std::chrono::steady_clock::now();
  SetEvent(go.get());
  const HANDLE ended = all_ended.get();
  while (MsgWaitForMultipleObjects(1, &ended, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  const auto elapsed = std::chrono::steady_clock::now() - began;
  for (std::thread& thread : threads) thread.join();

  Figures figures;
  figures.threads = static_cast<int>(jobs.size());
  figures.elapsed_ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  for (const Tally& tally : tallies) {
    figures.calls += tally.calls;
    figures.wrong += tally.wrong;
    if (figures.first_wrong.empty()) figures.first_wrong = tally.first_wrong;
  }
  return figures;
}

void report(const char* what, const Figures& figures) {
  testing::Test::RecordProperty("threads", figures.threads);
  testing::Test::RecordProperty("calls", figures.calls);
  testing::Test::RecordProperty("wrong_results", figures.wrong);
  testing::Test::RecordProperty("elapsed_ms", static_cast<int>(figures.elapsed_ms));
  std::printf("[ figures  ] %s: %d calls on %d threads, %d wrong, %lld ms\n", what, figures.calls,
              figures.threads, figures.wrong, figures.elapsed_ms);
}

// --- Title searches -----------------------------------------------------------

// Hidden top-level windows of this program with the given titles, of one
// window class. A thread of their own makes them, answers their messages
// (a title read from another thread of this program is a message to it)
// and destroys them again when the crowd goes.
class WindowCrowd {
 public:
  explicit WindowCrowd(std::vector<std::string> titles) : titles_(std::move(titles)) {
    std::promise<bool> made;
    std::future<bool> answer = made.get_future();
    thread_ = std::thread([this, &made] { run(made); });
    ready_ = answer.get();
  }
  WindowCrowd(const WindowCrowd&) = delete;
  WindowCrowd& operator=(const WindowCrowd&) = delete;
  ~WindowCrowd() {
    PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
  }

  bool ready() const { return ready_; }
  HWND window(std::size_t index) const { return windows_[index]; }

 private:
  static constexpr char kClassName[] = "Dx7ConcurrencyCrowd";

  // The class, registered for as long as the crowd's windows exist.
  class WindowClass {
   public:
    WindowClass() {
      WNDCLASSEXA window_class{};
      window_class.cbSize = sizeof window_class;
      window_class.lpfnWndProc = DefWindowProcA;
      window_class.hInstance = GetModuleHandleA(nullptr);
      window_class.lpszClassName = kClassName;
      registered_ = RegisterClassExA(&window_class) != 0;
    }
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;
    ~WindowClass() {
      if (registered_) UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
    }
    explicit operator bool() const { return registered_; }

   private:
    bool registered_ = false;
  };

  void run(std::promise<bool>& made) {
    const WindowClass window_class;
    std::vector<dremoxa7::UniqueWindow> owned;  // destroyed on this thread, before the class goes
    bool all_made = static_cast<bool>(window_class);
    for (const std::string& title : titles_) {
      if (!all_made) break;
      owned.emplace_back(CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW,
                                         CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr));
      all_made = static_cast<bool>(owned.back());
      windows_.push_back(owned.back().get());
    }
    thread_id_ = GetCurrentThreadId();
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before WM_QUIT comes
    made.set_value(all_made);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  }

  std::vector<std::string> titles_;
  std::vector<HWND> windows_;
  DWORD thread_id_ = 0;
  bool ready_ = false;
  std::thread thread_;
};

constexpr int kCrowd = 200;

// Window i's title: a number that no other title holds at its start or
// inside, then from 0 to 398 more characters, so that some titles are cut
// at the 349 a search reads and the lengths differ call to call.
std::string crowd_title(int i) {
  char number[16] = {};
  std::snprintf(number, sizeof number, "Dx7 Crowd %03d:", i);
  std::string title = number;
  title.append(static_cast<std::size_t>(i * 37 % 399), static_cast<char>('a' + i % 26));
  return title;
}

TEST(Concurrency, TitleSearchesFromFourThreads) {
  const Library& library = Library::get();
  ASSERT_EQ(library.error(), "");
  std::vector<std::string> titles;
  for (int i = 0; i < kCrowd; ++i) titles.push_back(crowd_title(i));
  const WindowCrowd crowd(titles);
  ASSERT_TRUE(crowd.ready());

  // Thread t asks on call k for window 4k + t (mod 200): two threads by
  // the title's start, two by a text inside it, never the same text at
  // once.
  const auto searches = [&](decltype(&::FindWinTitle) search, bool by_start, int t) {
    return [&, search, by_start, t](Tally& tally) {
      for (int k = 0; k < kCallsPerThread; ++k) {
        const int i = (kThreads * k + t) % kCrowd;
        const std::string text = by_start ? titles[i].substr(0, 14) : titles[i].substr(4, 10);
        const std::string expected = titles[i].substr(0, DREMOXA7_TITLE_CAPACITY - 1);
        char title[DREMOXA7_TITLE_CAPACITY];
        std::memset(title, 'Q', sizeof title);
        HWND window = poison_window();
        const short result = search(text.c_str(), title, &window);
        const std::string_view found(title, strnlen(title, sizeof title));
        tally.count(result == DREMOXA7_OK && window == crowd.window(i) && found == expected, [&] {
          return "thread " + std::to_string(t) + " looking for \"" + text + "\" got result " +
                 std::to_string(result) + " and \"" + std::string(found.substr(0, 40)) + "...\"";
        });
      }
    };
  };
  const Exports& dll = library.exports();
  const Figures figures =
      run_together({searches(dll.FindWinTitle, true, 0), searches(dll.FindWinTitle, true, 1),
                    searches(dll.FindWinTitleP, false, 2), searches(dll.FindWinTitleP, false, 3)});
  report("title searches over 200 windows", figures);
  EXPECT_EQ(figures.calls, kThreads * kCallsPerThread);
  EXPECT_EQ(figures.wrong, 0) << figures.first_wrong;
}

// --- Project queries ----------------------------------------------------------

TEST(Concurrency, AxisQueriesFromFourThreadsOnTheirOwnProjects) {
  const Library& library = Library::get();
  ASSERT_EQ(library.error(), "");
  const Exports& dll = library.exports();
  write_suite_description(suite_description());

  // Each thread's project holds the one file its query reads, with its own
  // codes.
  const struct {
    decltype(&::UseAxis) query;
    short cpu_type;
    const char* file;
    FileImage image;
    AxisTable table;
  } threads[kThreads] = {
      {dll.UseAxis, 1, kTempSystemFile, system_file(0x20), first_series_table(0x20)},
      {dll.UseAxis, 1, kTempSystemFile, system_file(0x40), first_series_table(0x40)},
      {dll.QUseAxis, 14, kTempSystemFile, system_file(0x30), second_series_table(0x30)},
      {dll.QUseAxis, 15, kTempHFile, h_file(34), h_table(34, 55)},
  };
  std::vector<std::unique_ptr<Scratch>> projects;
  std::vector<std::function<void(Tally&)>> jobs;
  for (int t = 0; t < kThreads; ++t) {
    projects.push_back(std::make_unique<Scratch>(
        program_directory() + "dremoxa7-concurrency-" + std::to_string(t) + "\\", true));
    Scratch& project = *projects.back();
    project.make_directory("Temp");
    project.write(threads[t].file, threads[t].image);
    jobs.push_back([&, t, directory = project.base()](Tally& tally) {
      for (int k = 0; k < kCallsPerThread; ++k) {
        AxisTable table = marked_table();
        const short result =
            threads[t].query(directory.c_str(), threads[t].cpu_type, kQualifier, table.data());
        tally.count(result == DREMOXA7_OK && table == threads[t].table, [&] {
          return "thread " + std::to_string(t) + " got result " + std::to_string(result) +
                 " and\n" + describe(table);
        });
      }
    });
  }
  MessageBoxWatcher watcher;
  const Figures figures = run_together(jobs);
  EXPECT_TRUE(watcher.boxes().empty());
  write_suite_description("");
  report("axis queries", figures);
  EXPECT_EQ(figures.calls, kThreads * kCallsPerThread);
  EXPECT_EQ(figures.wrong, 0) << figures.first_wrong;
}

TEST(Concurrency, CpuNamesFromFourThreadsOnOneConfiguration) {
  const Library& library = Library::get();
  ASSERT_EQ(library.error(), "");
  Scratch bin(program_directory(), false);
  bin.clear(kVersionFile);
  bin.write(kConfigurationFile, configuration());

  const struct {
    short index;
    const char* text;
  } threads[kThreads] = {
      {0, kRecord0Text}, {5, kRecord5Text}, {9, kRecord9Text}, {17, kRecord17Text}};
  std::vector<std::function<void(Tally&)>> jobs;
  for (int t = 0; t < kThreads; ++t) {
    jobs.push_back([&, t](Tally& tally) {
      for (int k = 0; k < kCallsPerThread; ++k) {
        char text[DREMOXA7_CPU_TEXT_CAPACITY];
        std::memset(text, '~', sizeof text);
        const short result = library.exports().StaBarCpuName(threads[t].index, text);
        const std::string_view found(text, strnlen(text, sizeof text));
        tally.count(result == DREMOXA7_OK && found == threads[t].text, [&] {
          return "thread " + std::to_string(t) + " got result " + std::to_string(result) +
                 " and \"" + std::string(found) + "\"";
        });
      }
    });
  }
  MessageBoxWatcher watcher;
  const Figures figures = run_together(jobs);
  EXPECT_TRUE(watcher.boxes().empty());
  report("CPU names", figures);
  EXPECT_EQ(figures.calls, kThreads * kCallsPerThread);
  EXPECT_EQ(figures.wrong, 0) << figures.first_wrong;
}

}  // namespace
}  // namespace e2e
