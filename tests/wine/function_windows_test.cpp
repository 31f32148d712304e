// FindFuncWin and QFindFuncWin: title prefixes from the suite information
// library (the stand-in), searched among real windows.
#include <memory>

#include "e2e_test.h"

namespace e2e {
namespace {

constexpr char kTitles[] =
    "title 0 3 Dx7 Func Three\n"
    "qtitle 0 3 Dx7 QFunc Three\n"
    "title 1 3 Dx7 Nobody Runs\n";

enum Tool { kNone = -1, kFirst, kSecond };

class FunctionWindows : public LibraryTest {
 protected:
  static void SetUpTestSuite() {
    tools_ = std::make_unique<FixtureProcess>(std::vector<std::string>{
        "--window", "Dx7 Func Three - proj", "--window", "Dx7 QFunc Three - proj"});
  }
  static void TearDownTestSuite() { tools_.reset(); }
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(tools_->ready()) << tools_->error();
  }
  static std::unique_ptr<FixtureProcess> tools_;
};

std::unique_ptr<FixtureProcess> FunctionWindows::tools_;

TEST_F(FunctionWindows, FindsByPrefixOrPassesTheFailureOn) {
  struct Case {
    const char* what;
    const char* extra_lines;
    bool second_series;
    short series;
    short function;
    short result;
    int tool;
  };
  const Case cases[] = {
      {"first series", "", false, 0, 3, DREMOXA7_OK, kFirst},
      {"second series", "", true, 0, 3, DREMOXA7_OK, kSecond},
      {"prefix of no window", "", false, 1, 3, DREMOXA7_OK, kNone},
      {"no title: not searched", "", false, 0, 4, DREMOXA7_OK, kNone},
      {"title call fails", "fail GetZorFuncWinTitle 7\n", false, 0, 3, 7, kNone},
      {"negative code", "fail QGetZorFuncWinTitle -5 3\n", true, 0, 3, -5, kNone},
      {"other series' call fails", "fail QGetZorFuncWinTitle 7\n", false, 0, 3, DREMOXA7_OK,
       kFirst},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    write_suite_description(std::string(kTitles) + c.extra_lines);
    const auto find = c.second_series ? dll().QFindFuncWin : dll().FindFuncWin;
    HWND window = poison_window();
    EXPECT_EQ(find(c.series, c.function, &window), c.result);
    EXPECT_EQ(window, c.tool == kNone ? nullptr : tools_->window(c.tool));
  }
}

}  // namespace
}  // namespace e2e
