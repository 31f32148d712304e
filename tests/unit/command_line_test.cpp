// Command lines of started tools: a path with a blank is quoted, anything
// else stays byte for byte.
#include "launch/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace dremoxa7::launch {
namespace {

TEST(CommandLine, QuotesOnlyAnExecutablePathWithABlank) {
  struct Case {
    const char* executable;
    const char* switches;
    const char* line;
  } cases[] = {
      {"C:\\Suite\\Bin\\tool.exe", "", "C:\\Suite\\Bin\\tool.exe"},
      {"C:\\Suite Tools\\tool.exe", "", "\"C:\\Suite Tools\\tool.exe\""},
      {"C:\\Suite\tTools\\tool.exe", "", "\"C:\\Suite\tTools\\tool.exe\""},
      // Blanks in the switches are the switches' own.
      {"D:\\E\\L.exe", " /MO /TC1 /S3 /OAB12 /PX", "D:\\E\\L.exe /MO /TC1 /S3 /OAB12 /PX"},
      {"D:\\Ladder Editor\\L.exe", " /MO /T /S0 /O /P",
       "\"D:\\Ladder Editor\\L.exe\" /MO /T /S0 /O /P"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.executable);
    const auto line = command_line(c.executable, c.switches);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->view(), c.line);
  }
}

TEST(CommandLine, ALineThatDoesNotFitIsNoLine) {
  const std::string path(1021, 'p');
  EXPECT_TRUE(command_line(path, "x").has_value());        // 1022 characters
  EXPECT_TRUE(command_line(path, "xy").has_value());       // 1023: the last that fits
  EXPECT_FALSE(command_line(path, "xyz").has_value());     // 1024
  EXPECT_FALSE(command_line(path + " ", "").has_value());  // 1022 and two quotes
}

}  // namespace
}  // namespace dremoxa7::launch
