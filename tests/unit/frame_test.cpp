// Start-up: the module directory, and the string table.
#include <string>

#include "frame/module_path.h"
#include "frame/state.h"
#include "frame/strings.h"
#include "japanese_code_page.h"
#include "library_test.h"

namespace dremoxa7 {
namespace {

struct ModuleCase {
  const char* library_file;  // the file the library was loaded from
  const char* executable;
  const char* directory;
  const char* application_name;
  unsigned code_page = 1252;
};

class ModuleDirectoryTest : public LibraryTest {};

TEST_F(ModuleDirectoryTest, StartUpFixesTheDirectoryAndTheApplicationName) {
  const ModuleCase cases[] = {
      {"D:\\X\\Y\\dremoxa7.dll", "C:\\T\\t.exe", "D:\\X\\Y\\", "dremoxa7"},
      {"E:\\dremoxa7.dll", "C:\\T\\t.exe", "E:\\", "dremoxa7"},
      // Module names compare without case, as Windows compares them.
      {"F:\\Suite\\DREMOXA7.DLL", "C:\\T\\t.exe", "F:\\Suite\\", "DREMOXA7"},
      // Loaded under another name: no module carries the library's name, so
      // the executable's directory serves; the caption still names the file.
      {"D:\\X\\dremoxa8.dll", "C:\\Tools\\Bin\\tool.exe", "C:\\Tools\\Bin\\", "dremoxa8"},
      // In code page 932 the second byte of 表 (95 5C) is no separator; in
      // 1252 the same bytes are two characters, the second a backslash.
      {"D:\\X\\dremoxa8.dll", "C:\\Tools\\\x95\x5C.exe", "C:\\Tools\\", "dremoxa8", 932},
      {"D:\\X\\dremoxa8.dll", "C:\\Tools\\\x95\x5C.exe", "C:\\Tools\\\x95\\", "dremoxa8"},
      {"D:\\\x95\x5C\\\x95\x5C.dll", "C:\\T\\t.exe", "C:\\T\\", "\x95\x5C", 932},
      {"D:\\\x95\x5C\\\x95\x5C.dll", "C:\\T\\t.exe", "C:\\T\\", ""},
      {"E:\\\x95\x5C\\dremoxa7.dll", "C:\\T\\t.exe", "E:\\\x95\x5C\\", "dremoxa7", 932},
  };
  for (const ModuleCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.code_page) + " " + c.library_file);
    host::reset();
    host::set_code_page(c.code_page);
    host::load_library(c.library_file);
    host::set_executable(c.executable);
    ASSERT_TRUE(module_app().init_instance());
    EXPECT_EQ(module_state().module_directory.view(), c.directory);
    EXPECT_EQ(module_state().application_name.view(), c.application_name);
  }
}

TEST(SplitPath, ComponentsAreCutOnAWholeCharacterIn932) {
  const CodePage japanese = japanese_code_page();
  // A separator and 253 bytes, then 表 across the 255-byte limit of a
  // component.
  const std::string file_name = "C:\\" + std::string(253, 'd') + "\x95\x5C\\x.dll";
  EXPECT_EQ(split_path(file_name, japanese).directory.view(), "\\" + std::string(253, 'd'));
  EXPECT_EQ(split_path(file_name, CodePage()).directory.view(),
            "\\" + std::string(253, 'd') + "\x95");
}

struct SplitCase {
  const char* file_name;
  const char* drive;
  const char* directory;
  const char* base_name;
  const char* extension;
};

TEST(SplitPath, PartsAsThePlatformSplitsThem) {
  const SplitCase cases[] = {
      {"C:\\Suite\\Bin\\dremoxa7.dll", "C:", "\\Suite\\Bin\\", "dremoxa7", ".dll"},
      {"\\\\server\\share\\lib.v2.dll", "", "\\\\server\\share\\", "lib.v2", ".dll"},
      {"C:/mixed\\seps/x.dll", "C:", "/mixed\\seps/", "x", ".dll"},
      {"C:noslash", "C:", "", "noslash", ""},
      {"", "", "", "", ""},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.file_name);
    const PathParts parts = split_path(c.file_name, CodePage());
    EXPECT_EQ(parts.drive.view(), c.drive);
    EXPECT_EQ(parts.directory.view(), c.directory);
    EXPECT_EQ(parts.base_name.view(), c.base_name);
    EXPECT_EQ(parts.extension.view(), c.extension);
  }
}

TEST(SplitPath, OverlongComponentsAreCutToTheirBuffers) {
  const std::string directory(400, 'd');
  const PathParts parts =
      split_path("C:\\" + directory + "\\" + std::string(300, 'b') + ".dll", CodePage());
  EXPECT_EQ(parts.directory.size(), kPathComponentCapacity - 1);
  EXPECT_EQ(parts.base_name.size(), kPathComponentCapacity - 1);
  EXPECT_EQ(directory_of("C:\\" + directory + "\\x.dll", CodePage()).size(),
            2 + kPathComponentCapacity - 1);
}

TEST(Strings, TableHoldsTheLibrarysTexts) {
  const std::pair<strings::Id, const char*> table[] = {
      {strings::kLibraryFileName, "dremoxa7.dll"},
      {strings::kConfigurationFile, "Zorposcom.cnf"},
      {strings::kCpuLabel, "CPU : "},
      {strings::kVersionFile, "Zorp.ver"},
      {strings::kSoftwareModelCode, "QX7LM-ZOR58T"},
      {strings::kVersionCode, "E0001"},
      {strings::kFixedCpuText, " CPU : K41TR-PLX "},
      {strings::kTempSystemFile, "Temp\\axsystem.bin"},
      {strings::kSystemFile, "axsystem.bin"},
      {strings::kStartHoldVersion, "E4301"},
      {strings::kSystemFileNotFound, "The system file was not found."},
      {strings::kSystemFileReadFailed, "System file read failed."},
  };
  for (const auto& [id, text] : table) EXPECT_EQ(strings::load(id).view(), text) << id;
}

}  // namespace
}  // namespace dremoxa7
