// FindZorWin and LastAppCheck counting real running tools.
#include <array>
#include <memory>

#include "e2e_test.h"

namespace e2e {
namespace {

// The tool of function f has a title beginning "Dx7 Fn ff:" (series 0).
std::string tool_title(int function) {
  return "Dx7 Fn " + std::string(function < 10 ? "0" : "") + std::to_string(function) + ":";
}

std::string title_lines(std::initializer_list<int> functions) {
  std::string lines;
  for (const int f : functions)
    lines += "title 0 " + std::to_string(f) + " " + tool_title(f) + "\n";
  return lines;
}

std::string all_title_lines() {
  std::string lines;
  for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) lines += title_lines({f});
  return lines;
}

FixtureProcess start_tool(int function) {
  return FixtureProcess({"--window", tool_title(function) + " running"});
}

using Windows = std::array<HWND, DREMOXA7_FUNCTION_COUNT>;

Windows poisoned_windows() {
  Windows windows;
  windows.fill(poison_window());
  return windows;
}

// Group 0 and 1 members 0, 4 and 10 run, and two tools of no group (9, 11).
class GroupWindows : public LibraryTest {
 protected:
  static void SetUpTestSuite() {
    tools_ = std::make_unique<std::vector<FixtureProcess>>();
    for (const int f : {0, 4, 9, 10, 11}) tools_->push_back(start_tool(f));
  }
  static void TearDownTestSuite() { tools_.reset(); }
  void SetUp() override {
    LibraryTest::SetUp();
    for (const FixtureProcess& tool : *tools_) ASSERT_TRUE(tool.ready()) << tool.error();
    write_suite_description(all_title_lines());
  }
  static HWND tool_window(int function) {
    const int index[] = {0, -1, -1, -1, 1, -1, -1, -1, -1, 2, 3, 4};
    return (*tools_)[index[function]].window(0);
  }
  // Expects exactly the listed functions' windows, and null elsewhere.
  static void expect_windows(const Windows& windows, std::initializer_list<int> functions) {
    for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) {
      bool listed = false;
      for (const int g : functions) listed = listed || g == f;
      EXPECT_EQ(windows[f], listed ? tool_window(f) : nullptr) << "function " << f;
    }
  }
  static std::unique_ptr<std::vector<FixtureProcess>> tools_;
};

std::unique_ptr<std::vector<FixtureProcess>> GroupWindows::tools_;

TEST_F(GroupWindows, CountsRunningMembersOfEachGroup) {
  for (const short group : {0, 1}) {
    SCOPED_TRACE(group);
    short count = -1;
    Windows windows = poisoned_windows();
    EXPECT_EQ(dll().FindZorWin(0, group, &count, windows.data()), DREMOXA7_OK);
    EXPECT_EQ(count, 3);
    expect_windows(windows, {0, 4, 10});
  }
}

TEST_F(GroupWindows, OutOfRangeClearsOutputs) {
  const struct { short series, group; } cases[] = {{0, 2}, {0, -1}, {16, 0}, {-1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "series " << c.series << " group " << c.group);
    short count = 99;
    Windows windows = poisoned_windows();
    EXPECT_EQ(dll().FindZorWin(c.series, c.group, &count, windows.data()), DREMOXA7_OUT_OF_RANGE);
    EXPECT_EQ(count, 0);
    expect_windows(windows, {});
  }
}

// 16-bit arguments count by the low half of their slot, whatever a caller
// leaves in the upper half.
TEST_F(GroupWindows, SixteenBitArgumentsUseTheLowHalfOfTheirSlot) {
  using WideFindZorWin = short(DREMOXA7_API*)(int, int, short*, HWND*);
  using WideFindFuncWin = short(DREMOXA7_API*)(int, int, HWND*);
  const auto find_group = as_signature<WideFindZorWin>(dll().FindZorWin);
  const auto find_function = as_signature<WideFindFuncWin>(dll().FindFuncWin);

  short count = -1;
  Windows windows = poisoned_windows();
  EXPECT_EQ(find_group(0x7ABC0000, 0x00010001, &count, windows.data()), DREMOXA7_OK);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(find_group(0x7ABC0000, 0x00010002, &count, windows.data()), DREMOXA7_OUT_OF_RANGE);
  // 0x0001FFFF is -1 in its low half.
  EXPECT_EQ(find_group(0x0001FFFF, 0, &count, windows.data()), DREMOXA7_OUT_OF_RANGE);

  HWND window = poison_window();
  EXPECT_EQ(find_function(0x00050000, 0x7FFF0004, &window), DREMOXA7_OK);
  EXPECT_EQ(window, tool_window(4));
}

TEST_F(GroupWindows, FailureOfALaterMemberKeepsEarlierOnes) {
  write_suite_description(all_title_lines() + "fail GetZorFuncWinTitle 7 5\n");
  short count = -1;
  Windows windows = poisoned_windows();
  EXPECT_EQ(dll().FindZorWin(0, 0, &count, windows.data()), 7);
  EXPECT_EQ(count, 2);
  expect_windows(windows, {0, 4});
}

TEST_F(GroupWindows, LastAppCheckCountsGroupOne) {
  const struct {
    const char* what;
    std::string description;
    short result;
    short is_last;
  } cases[] = {
      {"one running", title_lines({0, 9, 11}), DREMOXA7_OK, 1},
      {"two running", title_lines({0, 10}), DREMOXA7_OK, 0},
      {"none running", title_lines({1, 2, 9}), DREMOXA7_OK, 0},
      {"title call fails", all_title_lines() + "fail GetZorFuncWinTitle 9\n", 9, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    write_suite_description(c.description);
    short is_last = 7;
    EXPECT_EQ(dll().LastAppCheck(0, &is_last), c.result);
    EXPECT_EQ(is_last, c.is_last);
  }
}

// Tools that end take their windows with them, and the answer follows.
TEST(LastAppCheckLive, FollowsToolsEnding) {
  const Library& library = Library::get();
  ASSERT_EQ(library.error(), "");
  write_suite_description(all_title_lines());
  FixtureProcess editor = start_tool(2);
  FixtureProcess monitor = start_tool(10);
  ASSERT_TRUE(editor.ready()) << editor.error();
  ASSERT_TRUE(monitor.ready()) << monitor.error();

  short is_last = 7;
  EXPECT_EQ(library.exports().LastAppCheck(0, &is_last), DREMOXA7_OK);
  EXPECT_EQ(is_last, 0);
  monitor.end();
  EXPECT_EQ(library.exports().LastAppCheck(0, &is_last), DREMOXA7_OK);
  EXPECT_EQ(is_last, 1);
  editor.end();
  EXPECT_EQ(library.exports().LastAppCheck(0, &is_last), DREMOXA7_OK);
  EXPECT_EQ(is_last, 0);
}

}  // namespace
}  // namespace e2e
