// Every export family from several threads at once, on one desktop and one
// set of files: each thread checks every answer it gets. Under the
// ThreadSanitizer build (host-tsan) this also shows that no call shares
// mutable state with another.
#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "axis_query_test.h"
#include "dremoxa7.h"
#include "file_image.h"
#include "library_test.h"
#include "temp_dir.h"

namespace dremoxa7 {
namespace {

constexpr int kRounds = 200;
constexpr short kSeries = 2;

// One thread's work: a round returns "" when every answer was right, or
// what was wrong.
struct Family {
  const char* name;
  std::function<std::string()> round;
};

class ThreadStressTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    host::map_drive('C', suite_drive_.path().string());
    host::map_drive('P', project_drive_.path().string());
    // Many windows above the ones searched for, so that searches overlap.
    for (int i = 0; i < 100; ++i) host::add_window("Other window " + std::to_string(i));
    alpha_ = host::add_window("Tool A - alpha");
    beta_ = host::add_window("Tool B - beta", true);
    host::set_active_window(alpha_);

    fake::Suite& s = fake::suite();
    s.titles[{kSeries, 1}] = "Tool A";
    s.titles[{kSeries, 2}] = "Tool B";
    s.q_titles[{kSeries, 3}] = "Tool B";
    s.exe_numbers[5] = 50;
    s.exe_names[50] = "absent";
    s.install_paths[kSeries] = "C:\\Suite\\Bin\\";
    s.set_cpu_spec(7, 4);
    suite_drive_.write("Suite/Bin/absent.exe", "MZ");
    suite_drive_.write("Suite/Bin/tool.exe", "MZ");

    FileImage configuration(274);
    configuration.text(22, "AB12").text(22 + 14 * 17, "ABCDEFGHIJKLMN");
    suite_drive_.write("Suite/Bin/Zorposcom.cnf", configuration.bytes());
    // The start hold is set; the ladder editor's title is "Tool A - alpha".
    suite_drive_.write("Suite/Bin/zorwork.inf", FileImage(570).set(565, {1}).bytes());
    s.short_pac_names[kSeries] = "alpha";

    project_drive_.write("Proj/Temp/axsystem.bin", FileImage(188).set(106, {1, 0x11}).bytes());
    project_drive_.write("Proj/axsystem.bin", FileImage(188).set(106, {2, 0x22}).bytes());
  }

  // Runs each family on its own thread, all at once, and expects no wrong
  // answer from any.
  static void run_together(const std::vector<Family>& families) {
    std::atomic<bool> go{false};
    std::vector<std::string> first_wrong(families.size());
    std::vector<int> wrong(families.size(), 0);
    std::vector<std::thread> threads;
    for (std::size_t f = 0; f < families.size(); ++f) {
      threads.emplace_back([&, f] {
        while (!go.load()) std::this_thread::yield();
        for (int round = 0; round < kRounds; ++round) {
          const std::string problem = families[f].round();
          if (problem.empty()) continue;
          if (wrong[f]++ == 0) first_wrong[f] = problem;
        }
      });
    }
    go = true;
    for (std::thread& thread : threads) thread.join();
    for (std::size_t f = 0; f < families.size(); ++f) {
      EXPECT_EQ(wrong[f], 0) << families[f].name << ": " << first_wrong[f];
    }
  }

  TempDir suite_drive_;
  TempDir project_drive_;
  platform::Window alpha_ = nullptr;
  platform::Window beta_ = nullptr;
};

std::string check(bool right, const std::string& what) { return right ? "" : what; }

TEST_F(ThreadStressTest, EveryFamilyAnswersRightWhileTheOthersRun) {
  const platform::Window alpha = alpha_;
  const platform::Window beta = beta_;
  const auto search = [](auto find, const char* text, platform::Window window, const char* title) {
    char found[DREMOXA7_TITLE_CAPACITY];
    DREMOXA7_WINDOW handle = nullptr;
    const short result = find(text, found, &handle);
    return check(result == DREMOXA7_OK && handle == window && std::string(found) == title, text);
  };
  const auto axes = [](auto query, int axis, std::uint8_t type_code) {
    unsigned char table[DREMOXA7_AXIS_TABLE_SIZE];
    const short result = query("P:\\Proj\\", 7, 0, table);
    return check(result == DREMOXA7_OK && AxisTableBytes(std::to_array(table)) ==
                                              table_of({{axis, 1, 2, type_code, 0, 0, 0}}),
                 "axis table, result " + std::to_string(result));
  };
  const std::vector<Family> families = {
      {"FindWinTitle", [&] { return search(FindWinTitle, "Tool A", alpha, "Tool A - alpha"); }},
      {"FindWinTitle, other text",
       [&] { return search(FindWinTitle, "Tool B", beta, "Tool B - beta"); }},
      {"FindWinTitleP", [&] { return search(FindWinTitleP, "beta", beta, "Tool B - beta"); }},
      {"FindWinTitleP, other text",
       [&] { return search(FindWinTitleP, "alpha", alpha, "Tool A - alpha"); }},
      {"function windows",
       [&] {
         DREMOXA7_WINDOW first = nullptr;
         DREMOXA7_WINDOW second = nullptr;
         DREMOXA7_WINDOW list[DREMOXA7_FUNCTION_COUNT];
         short count = -1;
         short is_last = -1;
         const bool right = FindFuncWin(kSeries, 1, &first) == DREMOXA7_OK && first == alpha &&
                            QFindFuncWin(kSeries, 3, &second) == DREMOXA7_OK && second == beta &&
                            FindZorWin(kSeries, 0, &count, list) == DREMOXA7_OK && count == 2 &&
                            list[1] == alpha && list[2] == beta &&
                            LastAppCheck(kSeries, &is_last) == DREMOXA7_OK && is_last == 0;
         return check(right, "function windows");
       }},
      {"activation and jumps",
       [&] {
         const bool right =
             SetActiveZorWin(beta) == DREMOXA7_OK &&
             SetActiveZorWin(nullptr) == DREMOXA7_NOT_FOUND &&
             ZorFuncJump(kSeries, 5, "hand-off") == DREMOXA7_OK &&
             ZorPacJump("C:\\Suite\\Bin\\", "tool", "Tool A") == DREMOXA7_OK &&
             ZorPacJump("C:\\Suite\\Bin\\", "missing", nullptr) == DREMOXA7_NO_EXECUTABLE &&
             OpenZorHelp(0, "suite.hlp", nullptr) == DREMOXA7_OK &&
             OpenZorHelp(2, "suite.hlp", nullptr) == DREMOXA7_OUT_OF_RANGE;
         return check(right, "activation and jumps");
       }},
      {"start check and ladder editor jump",
       [] {
         short quit = 0;
         const bool right =
             ZorStartCheck(kSeries, 1, &quit) == DREMOXA7_OK && quit == 1 &&
             ZorStartCheck(kSeries, 48, &quit) == DREMOXA7_OUT_OF_RANGE && quit == 0 &&
             ZorLadderpJump(kSeries, "C:\\Suite\\Bin\\", "tool", "Tool A") == DREMOXA7_OK &&
             ZorLadderpJump(kSeries, "C:\\Suite\\Bin\\", "missing", "Tool A") ==
                 DREMOXA7_NO_EXECUTABLE;
         return check(right, "start check and ladder editor jump");
       }},
      {"status-bar CPU name",
       [] {
         char first[DREMOXA7_CPU_TEXT_CAPACITY];
         char last[DREMOXA7_CPU_TEXT_CAPACITY];
         const bool right = StaBarCpuName(0, first) == DREMOXA7_OK &&
                            std::string(first) == "    CPU : AB12    " &&
                            StaBarCpuName(17, last) == DREMOXA7_OK &&
                            std::string(last) == "CPU : ABCDEFGHIJKLMN" &&
                            StaBarCpuName(18, last) == DREMOXA7_REFUSED;
         return check(right, "status-bar CPU name");
       }},
      {"axis usage", [&] { return axes(UseAxis, 1, 0x11) + axes(UseAxisP, 2, 0x22); }},
  };
  run_together(families);

  // Every jump round started the absent tool once, with its hand-off text.
  const auto& started = host::started_programs();
  ASSERT_EQ(started.size(), static_cast<std::size_t>(kRounds));
  for (const host::StartedProgram& program : started) {
    EXPECT_EQ(program.command_line, "C:\\Suite\\Bin\\absent.exe");
  }
  EXPECT_EQ(host::open_file_count(), 0);
  EXPECT_FALSE(host::clipboard_is_open());
}

}  // namespace
}  // namespace dremoxa7
