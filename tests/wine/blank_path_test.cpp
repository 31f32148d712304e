// An install directory whose path holds a blank, with a program where the
// system would stop an unquoted path: the jumps start the tool itself.
#include <string>
#include <vector>

#include "e2e_test.h"
#include "installed_tool.h"
#include "win32_clipboard.h"

namespace e2e {
namespace {

constexpr char kStartedTitle[] = "Blank Path Tool - started";

std::string root_directory() { return program_directory() + "blank-path\\"; }
// Unquoted, "<root>\Suite Tools\blanktool.exe" would start <root>\Suite.exe
// with "Tools\blanktool.exe" as its arguments.
std::string install_directory() { return root_directory() + "Suite Tools\\"; }

class BlankPathTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    CreateDirectoryA(root_directory().c_str(), nullptr);
    write_suite_description(
        "title 0 5 Blank Path Tool\nexeno 5 50\nexename 50 blanktool\n"
        "installpath 0 " +
        install_directory() + "\nainstallpath 0 " + install_directory() + "\n");
  }
};

TEST_F(BlankPathTest, JumpsStartTheToolAndNeverTheProgramBeforeTheBlank) {
  const struct {
    const char* name;
    short (*jump)(const Exports&);
    const char* arrives;  // the clipboard text the started tool finds
  } cases[] = {
      {"ZorFuncJump", [](const Exports& dll) { return dll.ZorFuncJump(0, 5, "P1,blank.prj"); },
       "P1,blank.prj"},
      {"AZorFuncJump", [](const Exports& dll) { return dll.AZorFuncJump(0, 5, "P2,blank.prj"); },
       "P2,blank.prj"},
      {"ZorPacJump",
       [](const Exports& dll) {
         return dll.ZorPacJump(install_directory().c_str(), "blanktool", nullptr);
       },
       "before"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // The decoy logs that it ran, with the arguments it was given, and ends.
    const InstalledTool decoy(root_directory(), "Suite", {});
    const InstalledTool tool(install_directory(), "blanktool", {kStartedTitle, {}, {}});
    ASSERT_EQ(decoy.error(), "");
    ASSERT_EQ(tool.error(), "");
    ASSERT_TRUE(dremoxa7::win32_test::put_clipboard_text("before", nullptr));

    EXPECT_EQ(c.jump(dll()), DREMOXA7_OK);
    ASSERT_NE(tool.started_window(), nullptr) << "the tool did not start";
    EXPECT_EQ(tool.log_lines().at(0), std::string("clipboard ") + c.arrives);
    // One start starts one program: once the tool runs, the decoy never will.
    EXPECT_FALSE(decoy.has_run()) << "the decoy ran and logged: "
                                  << (decoy.log_lines().empty() ? "" : decoy.log_lines().back());
  }
}

}  // namespace
}  // namespace e2e
