// Tools by function number, and the running tools of a group.
#include <array>
#include <random>
#include <string>

#include "dremoxa7.h"
#include "library_test.h"
#include "windows/function_table.h"

namespace dremoxa7 {
namespace {

using Window = platform::Window;
using Handles = std::array<DREMOXA7_WINDOW, DREMOXA7_FUNCTION_COUNT>;

DREMOXA7_WINDOW garbage() { return reinterpret_cast<DREMOXA7_WINDOW>(0x5a5a); }

class FunctionWindowsTest : public LibraryTest {
 protected:
  // A running tool: its window, titled after the prefix the suite gives.
  Window run_tool(int function, int series = 0) {
    const std::string prefix = "Tool" + std::to_string(function);
    fake::suite().titles[{series, function}] = prefix;
    return host::add_window(prefix + " - project");
  }

  struct Group {
    short result;
    short count;
    Handles windows;
  };
  static Group find_group(short series, short group) {
    Group g{0, 77, {}};
    g.windows.fill(garbage());
    g.result = FindZorWin(series, group, &g.count, g.windows.data());
    return g;
  }
};

TEST_F(FunctionWindowsTest, FindFuncWinUsesTheSeriesPrefix) {
  const Window first = run_tool(3, /*series=*/2);
  fake::suite().q_titles[{2, 3}] = "Second";
  const Window second = host::add_window("Second series tool");

  DREMOXA7_WINDOW window = garbage();
  EXPECT_EQ(FindFuncWin(2, 3, &window), DREMOXA7_OK);
  EXPECT_EQ(window, first);
  EXPECT_EQ(QFindFuncWin(2, 3, &window), DREMOXA7_OK);
  EXPECT_EQ(window, second);
  // No prefix for the function: nothing searched, nothing found.
  EXPECT_EQ(FindFuncWin(2, 4, &window), DREMOXA7_OK);
  EXPECT_EQ(window, nullptr);

  EXPECT_EQ(fake::suite().calls_of("GetZorFuncWinTitle"),
            (std::vector<fake::Call>{{"GetZorFuncWinTitle", {2, 3}, {}},
                                     {"GetZorFuncWinTitle", {2, 4}, {}}}));
  EXPECT_EQ(fake::suite().calls_of("QGetZorFuncWinTitle").size(), 1u);
}

// A prefix that fills the suite's 80-byte buffer has no terminator: all 80
// characters count, and nothing beyond the buffer.
TEST_F(FunctionWindowsTest, PrefixFillingItsBufferIsReadToTheBufferEnd) {
  fake::suite().fill_buffers = true;
  const std::string prefix(80, 'T');
  fake::suite().titles[{0, 1}] = prefix + "beyond";
  host::add_window(std::string(79, 'T') + " short");
  const Window tool = host::add_window(prefix + " - project");
  DREMOXA7_WINDOW window = nullptr;
  EXPECT_EQ(FindFuncWin(0, 1, &window), DREMOXA7_OK);
  EXPECT_EQ(window, tool);
  const Group g = find_group(0, 0);
  EXPECT_EQ(g.windows[1], tool);
}

TEST_F(FunctionWindowsTest, SuiteCodesPassThroughWithTheWindowCleared) {
  run_tool(3);
  fake::suite().failures["GetZorFuncWinTitle"][3] = 7;
  fake::suite().failures["QGetZorFuncWinTitle"][3] = -9;
  for (auto find : {FindFuncWin, QFindFuncWin}) {
    DREMOXA7_WINDOW window = garbage();
    const short expected = find == FindFuncWin ? 7 : -9;
    EXPECT_EQ(find(0, 3, &window), expected);
    EXPECT_EQ(window, nullptr);
  }
}

TEST_F(FunctionWindowsTest, GroupsFollowTheFunctionTable) {
  Handles running{};
  for (int f : {0, 8, 9, 10, 11, 32}) running[f] = run_tool(f);

  const Group g0 = find_group(0, 0);
  const Group g1 = find_group(0, 1);
  for (const Group& g : {g0, g1}) {
    EXPECT_EQ(g.result, DREMOXA7_OK);
    EXPECT_EQ(g.count, 3);  // 0, 8 and 10; never 9, 11 or 32
    for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) {
      const bool member = f == 0 || f == 8 || f == 10;
      EXPECT_EQ(g.windows[f], member ? running[f] : nullptr) << f;
    }
  }
  // Only members are asked for their prefix, in ascending order.
  std::vector<long> asked;
  for (const fake::Call& call : fake::suite().calls_of("GetZorFuncWinTitle")) {
    asked.push_back(call.numbers[1]);
  }
  const std::vector<long> members = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10};
  EXPECT_EQ(asked, [&] {
    std::vector<long> twice = members;
    twice.insert(twice.end(), members.begin(), members.end());
    return twice;
  }());
}

TEST_F(FunctionWindowsTest, OutOfRangeArgumentsClearTheOutputs) {
  run_tool(0);
  const std::pair<short, short> cases[] = {{0, 2}, {0, -1}, {16, 0}, {-1, 1}};
  for (const auto& [series, group] : cases) {
    const Group g = find_group(series, group);
    EXPECT_EQ(g.result, DREMOXA7_OUT_OF_RANGE);
    EXPECT_EQ(g.count, 0);
    for (DREMOXA7_WINDOW w : g.windows) EXPECT_EQ(w, nullptr);
  }
  EXPECT_TRUE(fake::suite().calls.empty());
}

TEST_F(FunctionWindowsTest, FailingMemberKeepsWhatWasFoundBefore) {
  const Window w1 = run_tool(1);
  run_tool(6);
  fake::suite().failures["GetZorFuncWinTitle"][5] = 12;
  const Group g = find_group(0, 0);
  EXPECT_EQ(g.result, 12);
  EXPECT_EQ(g.count, 1);
  EXPECT_EQ(g.windows[1], w1);
  EXPECT_EQ(g.windows[6], nullptr);
  EXPECT_EQ(fake::suite().calls_of("GetZorFuncWinTitle").back().numbers[1], 5);
}

TEST_F(FunctionWindowsTest, OneWindowCanServeSeveralMembers) {
  fake::suite().titles[{0, 2}] = "Suite";
  fake::suite().titles[{0, 3}] = "Suite Tool";
  const Window top = host::add_window("Suite Tool 3");
  host::add_window("Suite Tool 2");
  const Group g = find_group(0, 0);
  EXPECT_EQ(g.count, 2);
  EXPECT_EQ(g.windows[2], top);
  EXPECT_EQ(g.windows[3], top);
}

TEST_F(FunctionWindowsTest, LastAppCheckCountsGroupOne) {
  struct Case {
    std::vector<int> running;
    short is_last;
  } cases[] = {{{}, 0}, {{4}, 1}, {{10}, 1}, {{4, 10}, 0}, {{9, 11, 32}, 0}, {{9, 2}, 1}};
  for (const Case& c : cases) {
    SetUp();
    for (int f : c.running) run_tool(f);
    short is_last = 5;
    EXPECT_EQ(LastAppCheck(0, &is_last), DREMOXA7_OK);
    EXPECT_EQ(is_last, c.is_last) << ::testing::PrintToString(c.running);
  }
}

TEST_F(FunctionWindowsTest, LastAppCheckPassesCodesThrough) {
  run_tool(0);
  fake::suite().failures["GetZorFuncWinTitle"][-1] = 3;
  short is_last = 5;
  EXPECT_EQ(LastAppCheck(0, &is_last), 3);
  EXPECT_EQ(is_last, 0);
  EXPECT_EQ(LastAppCheck(16, &is_last), DREMOXA7_OUT_OF_RANGE);
  EXPECT_EQ(is_last, 0);
}

// One pass over the desktop serves the whole group.
TEST_F(FunctionWindowsTest, GroupQueryWalksTheDesktopOnce) {
  for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) {
    fake::suite().titles[{0, f}] = "Tool" + std::to_string(f) + " ";
  }
  for (int i = 0; i < 999; ++i) host::add_window("Window " + std::to_string(i));
  const Window last = host::add_window("Tool8 - last");
  host::reset_counters();
  const Group g = find_group(0, 0);
  EXPECT_EQ(g.count, 1);
  EXPECT_EQ(g.windows[8], last);
  EXPECT_EQ(host::counters().enumerations, 1);
  EXPECT_EQ(host::counters().title_reads, 1000);

  // Once every member has its window, the walk stops.
  for (int f : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10}) {
    platform::set_foreground(host::add_window("Tool" + std::to_string(f) + " on top"));
  }
  host::reset_counters();
  EXPECT_EQ(find_group(0, 0).count, 10);
  EXPECT_EQ(host::counters().title_reads, 10);
}

// The single pass gives what one search per member would give, on desktops
// whose titles and prefixes overlap in every way.
TEST_F(FunctionWindowsTest, GroupQueryMatchesOneSearchPerMember) {
  std::mt19937 random(7);
  const char* pieces[] = {"A", "B", "AB", "", "A B", "BA"};
  auto piece = [&] { return std::string(pieces[random() % std::size(pieces)]); };
  for (int round = 0; round < 200; ++round) {
    SetUp();
    for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) {
      if (random() % 4 != 0) fake::suite().titles[{0, f}] = piece() + piece();
    }
    const int failing = static_cast<int>(random() % 60);  // often none
    if (failing < DREMOXA7_FUNCTION_COUNT)
      fake::suite().failures["GetZorFuncWinTitle"][failing] = 9;
    for (int i = static_cast<int>(random() % 12); i > 0; --i) host::add_window(piece() + piece());

    for (short group : {0, 1}) {
      const Group g = find_group(0, group);
      short count = 0;
      short expected_result = 0;
      for (int f = 0; f < DREMOXA7_FUNCTION_COUNT && expected_result == 0; ++f) {
        if (!windows::in_group(group, f)) continue;
        DREMOXA7_WINDOW w = nullptr;
        expected_result = FindFuncWin(0, static_cast<short>(f), &w);
        if (expected_result != 0) break;
        EXPECT_EQ(g.windows[f], w) << "round " << round << " function " << f;
        count = static_cast<short>(count + (w != nullptr));
      }
      EXPECT_EQ(g.result, expected_result) << "round " << round;
      EXPECT_EQ(g.count, count) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace dremoxa7
