// Opening the suite's help file.
#include "dremoxa7.h"
#include "library_test.h"

namespace dremoxa7 {
namespace {

class HelpTest : public LibraryTest {};

TEST_F(HelpTest, NoActiveWindowOpensNothingWhateverTheMode) {
  host::add_window("Tool");
  for (short mode : {0, 1, 2, 7, -1}) {
    EXPECT_EQ(OpenZorHelp(mode, "suite.hlp", "Axis"), DREMOXA7_OK) << mode;
  }
  EXPECT_TRUE(host::help_requests().empty());
}

TEST_F(HelpTest, ModesOpenTheirCommandsForTheActiveWindow) {
  const platform::Window tool = host::add_window("Tool");
  host::set_active_window(tool);
  const char keyword[] = "Servo axis";
  EXPECT_EQ(OpenZorHelp(0, "C:\\Suite\\suite.hlp", keyword), DREMOXA7_OK);
  EXPECT_EQ(OpenZorHelp(1, "C:\\Suite\\suite.hlp", keyword), DREMOXA7_OK);
  for (short mode : {2, -1, 256})
    EXPECT_EQ(OpenZorHelp(mode, "x.hlp", keyword), DREMOXA7_OUT_OF_RANGE);

  const auto& requests = host::help_requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].owner, tool);
  EXPECT_EQ(requests[0].file, "C:\\Suite\\suite.hlp");
  EXPECT_EQ(requests[0].command, 11u);
  EXPECT_EQ(requests[0].data, 0u);
  EXPECT_EQ(requests[1].command, 0x0101u);
  // The keyword is handed on as it is, not copied or changed.
  EXPECT_EQ(requests[1].data, reinterpret_cast<std::uintptr_t>(keyword));
  EXPECT_EQ(requests[1].keyword, "Servo axis");
}

}  // namespace
}  // namespace dremoxa7
