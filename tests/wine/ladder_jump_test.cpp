// The ladder editor jump under Wine: the editor, a fixture tool that logs
// its command line, started from a real work file and configuration file
// beside the library, and brought to the front by the next jump.
#include <fstream>
#include <string>
#include <vector>

#include "e2e_test.h"
#include "file_image.h"
#include "installed_tool.h"
#include "logged_command_line.h"

namespace e2e {
namespace {

using dremoxa7::FileImage;

constexpr char kEditorTitle[] = "Ladder Editor - Q7G2AB - main.lad";

std::string beside_library(const char* name) { return program_directory() + name; }

void write_file(const std::string& path, const FileImage& image) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << image.bytes();
}

// CPU index 3, S value 200 and the P text p_text (ended by a carriage
// return) in the work file; record 3 names N03.
class LadderJump : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    write_suite_description("shortpac 0 Q7G2AB\n");
    write_file(beside_library("Zorposcom.cnf"), FileImage(274, ' ').text(22 + 14 * 3, "N03"));
  }
  void TearDown() override {
    DeleteFileA(beside_library("zorwork.inf").c_str());
    DeleteFileA(beside_library("Zorposcom.cnf").c_str());
  }
  static void write_work_file(const std::string& p_text) {
    write_file(beside_library("zorwork.inf"),
               FileImage(570).text(266, p_text + "\r\n").set(523, {3}).set(527, {200}));
  }
};

TEST_F(LadderJump, StartsTheEditorThenBringsItToTheFront) {
  const std::string directory = program_directory() + "ladder-install\\";
  const InstalledTool editor(directory, "ladder", logging_command_line(kEditorTitle));
  ASSERT_EQ(editor.error(), "");
  write_work_file("proj1");
  ASSERT_EQ(dll().ZorLadderpJump(0, directory.c_str(), "ladder", "Ladder Editor"), DREMOXA7_OK);
  const HWND window = editor.started_window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(logged_command_line(editor), directory + "ladder.exe /MO /TN03 /S200 /O2AB /Pproj1");

  FixtureProcess other({"--window", "Other Program"});
  ASSERT_TRUE(other.ready()) << other.error();
  ASSERT_EQ(foreground_becomes(other.window(0)), other.window(0));
  EXPECT_EQ(dll().ZorLadderpJump(0, directory.c_str(), "ladder", "Ladder Editor"), DREMOXA7_OK);
  EXPECT_EQ(foreground_becomes(window), window);
  // A second start would have logged again within moments.
  EXPECT_FALSE(wait_until([&] { return logged_starts(editor) > 1; }, 1500));
}

// The editor lies in a directory with a blank; a decoy lies where the path
// would end at that blank. The editor itself starts, its switches as they
// are, blanks and all.
TEST_F(LadderJump, ADirectoryWithABlankStartsTheEditorItself) {
  const std::string directory = program_directory() + "ladder tools\\";
  const InstalledTool editor(directory, "ladder", logging_command_line(kEditorTitle));
  const InstalledTool decoy(program_directory(), "ladder", {"Ladder Decoy", {}, {}});
  ASSERT_EQ(editor.error(), "");
  ASSERT_EQ(decoy.error(), "");
  write_work_file("my proj");
  ASSERT_EQ(dll().ZorLadderpJump(0, directory.c_str(), "ladder", "Ladder Editor"), DREMOXA7_OK);
  ASSERT_NE(editor.started_window(), nullptr);
  EXPECT_EQ(logged_command_line(editor),
            "\"" + directory + "ladder.exe\" /MO /TN03 /S200 /O2AB /Pmy proj");
  EXPECT_FALSE(wait_until([&] { return decoy.has_run(); }, 1500));
}

}  // namespace
}  // namespace e2e
