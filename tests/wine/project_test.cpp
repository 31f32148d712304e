// Project queries under Wine: StaBarCpuName against real configuration and
// version files beside the library, with its real message boxes; the four
// axis-usage queries against real system files of a project directory and
// the stand-in CPU and code libraries; share modes against files that other
// openers hold; the exports' argument slots through the real calling
// convention.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "e2e_test.h"
#include "log_file.h"
#include "message_boxes.h"
#include "project_files.h"

namespace e2e {
namespace {

// A file kept open here for reading and writing, sharing both with others.
class SharedOpener {
 public:
  explicit SharedOpener(const std::string& path)
      : file_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  bool open() const { return static_cast<bool>(file_); }

 private:
  dremoxa7::UniqueFile file_;
};

// Another tool that holds the files open for reading and writing without
// sharing them.
FixtureProcess exclusive_holder(const std::vector<std::string>& paths) {
  std::vector<std::string> options = {"--window", "Dx7 Project File Holder"};
  for (const std::string& path : paths) {
    options.push_back("--hold-file");
    options.push_back(path);
  }
  return FixtureProcess(options);
}

// --- Status-bar CPU name ----------------------------------------------------

constexpr char kNotFoundMessage[] = "The system file was not found.";
constexpr char kReadFailedMessage[] = "System file read failed.";
constexpr char kFixedCpuText[] = " CPU : K41TR-PLX ";
constexpr char kVersionNamingFixedCpu[] = "Model QX7LM-ZOR58T Ver E0001";

// The caller's buffer, with room past the library's capacity to show that
// nothing is written beyond it.
using CpuTextBuffer = std::array<char, DREMOXA7_CPU_TEXT_CAPACITY + 11>;

CpuTextBuffer marked_buffer() {
  CpuTextBuffer buffer;
  buffer.fill('~');
  return buffer;
}

// Every test starts without the two files beside the library; each case
// removes what it wrote there.
class ProjectCpuName : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    bin_.clear(kConfigurationFile);
    bin_.clear(kVersionFile);
  }
  Scratch bin_{program_directory(), false};
};

TEST_F(ProjectCpuName, TextFromTheRecordOrTheVersionFile) {
  enum class Holder { none, configuration_shared, version_shared, version_exclusive };
  const struct {
    const char* what;
    short index;
    const char* version;  // null: no version file
    Holder holder;
    const char* text;
  } cases[] = {
      {"record 0", 0, nullptr, Holder::none, kRecord0Text},
      {"leading spaces skipped", 5, nullptr, Holder::none, kRecord5Text},
      {"last record of a 274-byte file, 20 characters", 17, nullptr, Holder::none, kRecord17Text},
      {"version file names the fixed CPU", 5, kVersionNamingFixedCpu, Holder::none, kFixedCpuText},
      {"configuration file open elsewhere with sharing", 0, nullptr, Holder::configuration_shared,
       kRecord0Text},
      {"version file open elsewhere with sharing", 5, kVersionNamingFixedCpu,
       Holder::version_shared, kFixedCpuText},
      {"version file held elsewhere without sharing", 5, kVersionNamingFixedCpu,
       Holder::version_exclusive, kRecord5Text},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch files(program_directory(), false);
    files.write(kConfigurationFile, configuration());
    if (c.version) files.write(kVersionFile, c.version);
    std::optional<SharedOpener> shared;
    std::optional<FixtureProcess> holder;
    if (c.holder == Holder::configuration_shared || c.holder == Holder::version_shared) {
      shared.emplace(
          files.path(c.holder == Holder::version_shared ? kVersionFile : kConfigurationFile));
      ASSERT_TRUE(shared->open());
    } else if (c.holder == Holder::version_exclusive) {
      holder = exclusive_holder({files.path(kVersionFile)});
      ASSERT_TRUE(holder->ready()) << holder->error();
    }

    CpuTextBuffer buffer = marked_buffer();
    MessageBoxWatcher watcher;
    EXPECT_EQ(dll().StaBarCpuName(c.index, buffer.data()), DREMOXA7_OK);
    EXPECT_TRUE(watcher.boxes().empty()) << "no message box on success";
    EXPECT_STREQ(buffer.data(), c.text);
    EXPECT_EQ(std::string(buffer.begin() + DREMOXA7_CPU_TEXT_CAPACITY, buffer.end()),
              std::string(buffer.size() - DREMOXA7_CPU_TEXT_CAPACITY, '~'))
        << "written past the capacity";
  }
}

TEST_F(ProjectCpuName, UnreadableConfigurationShowsAMessageBox) {
  enum class Configuration { missing, held_exclusive, directory, short_file };
  const struct {
    const char* what;
    Configuration configuration;
    short index;
    short result;
    const char* message;  // null: no message box
  } cases[] = {
      {"missing (the version file cannot stand in)", Configuration::missing, 5, DREMOXA7_NOT_FOUND,
       kNotFoundMessage},
      {"held by another tool without sharing", Configuration::held_exclusive, 5,
       DREMOXA7_UNREADABLE, kReadFailedMessage},
      {"a directory of that name", Configuration::directory, 5, DREMOXA7_UNREADABLE,
       kReadFailedMessage},
      {"273 bytes: the last record is cut", Configuration::short_file, 17, DREMOXA7_UNREADABLE,
       kReadFailedMessage},
      {"index 18: refused before any file", Configuration::missing, 18, DREMOXA7_REFUSED, nullptr},
      {"index -1: refused before any file", Configuration::missing, -1, DREMOXA7_REFUSED, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch files(program_directory(), false);
    files.write(kVersionFile, kVersionNamingFixedCpu);
    std::optional<FixtureProcess> holder;
    switch (c.configuration) {
      case Configuration::missing:
        break;
      case Configuration::held_exclusive:
        files.write(kConfigurationFile, configuration());
        holder = exclusive_holder({files.path(kConfigurationFile)});
        ASSERT_TRUE(holder->ready()) << holder->error();
        break;
      case Configuration::directory:
        files.make_directory(kConfigurationFile);
        break;
      case Configuration::short_file:
        files.write(kConfigurationFile, configuration(273));
        break;
    }

    CpuTextBuffer buffer = marked_buffer();
    MessageBoxWatcher watcher;
    EXPECT_EQ(dll().StaBarCpuName(c.index, buffer.data()), c.result);
    const std::vector<MessageBoxSeen> boxes = watcher.boxes();
    EXPECT_EQ(buffer, marked_buffer()) << "the buffer is written only on success";
    if (c.message == nullptr) {
      EXPECT_TRUE(boxes.empty());
      continue;
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "dremoxa7");
    EXPECT_EQ(boxes[0].text, c.message);
    EXPECT_TRUE(boxes[0].exclamation_icon);
    EXPECT_FALSE(boxes[0].owned);
  }
}

// A copy of the library under another file name captions its boxes with
// that name: the caption names the library's own file as loaded.
TEST_F(ProjectCpuName, RenamedCopyIsCaptionedByItsOwnFile) {
  const std::string copy = program_directory() + "dremoxa8.dll";
  ASSERT_TRUE(CopyFileA(Library::get().path().c_str(), copy.c_str(), FALSE));
  {
    const dremoxa7::UniqueModule module(LoadLibraryA(copy.c_str()));
    ASSERT_NE(module.get(), nullptr);
    const auto cpu_name =
        as_signature<decltype(&::StaBarCpuName)>(GetProcAddress(module.get(), "StaBarCpuName"));
    ASSERT_NE(cpu_name, nullptr);
    CpuTextBuffer buffer = marked_buffer();
    MessageBoxWatcher watcher;
    EXPECT_EQ(cpu_name(5, buffer.data()), DREMOXA7_NOT_FOUND);
    const std::vector<MessageBoxSeen> boxes = watcher.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "dremoxa8");
    EXPECT_EQ(boxes[0].text, kNotFoundMessage);
  }
  DeleteFileA(copy.c_str());
}

// --- Axis usage ---------------------------------------------------------------

using AxisQuery = decltype(&::UseAxis);

// A project directory of the test's own beside the library, with the four
// system files in it.
class ProjectAxes : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    write_suite_description(suite_description());
  }
  void TearDown() override { write_suite_description(""); }

  struct Query {
    const char* name;
    AxisQuery Exports::*query;
    short cpu_type;
    AxisTable table;  // from the file it reads, as write_system_files() wrote it
  };
  static std::vector<Query> queries() {
    return {
        {"UseAxis", &Exports::UseAxis, 1, first_series_table(0x20)},
        {"UseAxisP", &Exports::UseAxisP, 1, first_series_table(0x40)},
        {"QUseAxis", &Exports::QUseAxis, 14, second_series_table(0x20)},
        {"QUseAxisP", &Exports::QUseAxisP, 14, second_series_table(0x40)},
        {"QUseAxis H", &Exports::QUseAxis, 15, h_table(33, 44)},
        {"QUseAxisP H", &Exports::QUseAxisP, 16, h_table(34, 55)},
    };
  }
  short call(const Query& q, AxisTable& table, const char* directory = nullptr) const {
    return (dll().*q.query)(directory ? directory : project_.base().c_str(), q.cpu_type, kQualifier,
                            table.data());
  }

  Scratch project_{program_directory() + "dremoxa7-project-test\\", true};
};

TEST_F(ProjectAxes, EachQueryReadsItsOwnFile) {
  write_system_files(project_);
  for (const Query& q : queries()) {
    SCOPED_TRACE(testing::Message() << q.name << " type " << q.cpu_type);
    AxisTable table = marked_table();
    EXPECT_EQ(call(q, table), DREMOXA7_OK);
    EXPECT_EQ(describe(table), describe(q.table));
  }
}

// A null directory names the files relative to the current directory.
TEST_F(ProjectAxes, NullDirectoryIsTheCurrentDirectory) {
  write_system_files(project_);
  char previous[MAX_PATH + 1] = {};
  const DWORD n = GetCurrentDirectoryA(sizeof previous, previous);
  ASSERT_TRUE(n > 0 && n < sizeof previous);
  ASSERT_TRUE(SetCurrentDirectoryA(project_.base().c_str()));
  struct Restore {
    const char* directory;
    ~Restore() { SetCurrentDirectoryA(directory); }
  } restore{previous};

  for (const Query& q : queries()) {
    SCOPED_TRACE(q.name);
    AxisTable table = marked_table();
    EXPECT_EQ((dll().*q.query)(nullptr, q.cpu_type, kQualifier, table.data()), DREMOXA7_OK);
    EXPECT_EQ(describe(table), describe(q.table));
  }
}

TEST_F(ProjectAxes, UnreachableFileLeavesTheTable) {
  enum class Files { missing, directories, held_exclusive, held_shared };
  const struct {
    const char* what;
    Files files;
    short result;
  } cases[] = {
      {"no Temp directory, no files", Files::missing, DREMOXA7_NOT_FOUND},
      {"directories of those names", Files::directories, DREMOXA7_UNREADABLE},
      {"held by another tool without sharing", Files::held_exclusive, DREMOXA7_UNREADABLE},
      {"open elsewhere, sharing reading and writing", Files::held_shared, DREMOXA7_UNREADABLE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch project(program_directory() + "dremoxa7-project-unreachable\\", true);
    std::optional<FixtureProcess> holder;
    std::vector<SharedOpener> shared;
    if (c.files == Files::directories) {
      project.make_directory("Temp");
      for (const char* file : {kTempSystemFile, kSystemFile, kTempHFile, kHFile}) {
        project.make_directory(file);
      }
    } else if (c.files != Files::missing) {
      write_system_files(project);
      const std::vector<std::string> paths = {project.path(kTempSystemFile),
                                              project.path(kSystemFile), project.path(kTempHFile),
                                              project.path(kHFile)};
      if (c.files == Files::held_exclusive) {
        holder = exclusive_holder(paths);
        ASSERT_TRUE(holder->ready()) << holder->error();
      } else {
        for (const std::string& path : paths) {
          shared.emplace_back(path);
          ASSERT_TRUE(shared.back().open());
        }
      }
    }

    for (const Query& q : queries()) {
      SCOPED_TRACE(q.name);
      AxisTable table = marked_table();
      EXPECT_EQ(call(q, table, project.base().c_str()), c.result);
      EXPECT_EQ(describe(table), "untouched");
    }
    // The CPU library is asked first: its failure comes before the file.
    write_suite_description(suite_description("fail CDbCpuSpec 7\n"));
    for (const Query& q : queries()) {
      SCOPED_TRACE(testing::Message() << q.name << ", CPU library fails");
      AxisTable table = marked_table();
      EXPECT_EQ(call(q, table, project.base().c_str()), 7);
      EXPECT_EQ(describe(table), "untouched");
    }
    write_suite_description(suite_description());
  }
}

TEST_F(ProjectAxes, CodeLibraryFailurePassesThrough) {
  write_system_files(project_);
  const std::string log = project_.path("standin.log");
  const struct {
    const char* what;
    const char* description;
    short result;
    const char* calls;  // the code library calls, in order
  } cases[] = {
      {"conversion of the second entry fails", "fail QHA_CodeToMCode 5 35\n", 5,
       "QHA_CodeToMCode 3 33 -> 0|M_Codeinf 70000 -> 0|QHA_CodeToMCode 3 35 -> 5|"},
      {"code information fails", "fail M_Codeinf 9 70000\n", 9,
       "QHA_CodeToMCode 3 33 -> 0|M_Codeinf 70000 -> 9|"},
  };
  const Query h_query = queries()[4];
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    project_.write("standin.log", "");
    write_suite_description(suite_description(std::string(c.description) + "log " + log + "\n"));
    AxisTable table = marked_table();
    EXPECT_EQ(call(h_query, table), c.result);
    EXPECT_EQ(describe(table), "untouched");

    std::string calls;
    for (const std::string& line : log_file_lines(log)) {
      if (line.rfind("CDbCpuSpec", 0) != 0) calls += line + "|";
    }
    EXPECT_EQ(calls, c.calls);
  }
}

// --- Argument slots -----------------------------------------------------------

// A caller may leave anything in the upper half of a slot that carries a
// 16-bit argument: the exports are called here through signatures with
// full-width slots.
TEST(ProjectArgumentSlots, SixteenBitArgumentsCountByTheirLowHalf) {
  const Library& library = Library::get();
  ASSERT_EQ(library.error(), "");
  Scratch bin(program_directory(), false);
  bin.clear(kVersionFile);
  bin.write(kConfigurationFile, configuration());
  Scratch project(program_directory() + "dremoxa7-project-slots\\", true);
  project.make_directory("Temp");
  project.write(kTempHFile, h_file(33));
  project.write(kTempSystemFile, system_file(0x20));
  write_suite_description(suite_description());

  using WideCpuName = short(DREMOXA7_API*)(int, char*);
  const auto cpu_name = as_signature<WideCpuName>(library.exports().StaBarCpuName);
  const struct {
    int index;
    short result;
    const char* text;
  } names[] = {
      {static_cast<int>(0xABCD0005u), DREMOXA7_OK, kRecord5Text},
      {0x0000FF05, DREMOXA7_OK, kRecord5Text},  // only the low 8 bits count
      {0x000001FF, DREMOXA7_REFUSED, nullptr},  // -1
      {static_cast<int>(0xABCD0012u), DREMOXA7_REFUSED, nullptr},
  };
  for (const auto& c : names) {
    SCOPED_TRACE(testing::Message() << std::hex << "index 0x" << c.index);
    CpuTextBuffer buffer = marked_buffer();
    MessageBoxWatcher watcher;
    EXPECT_EQ(cpu_name(c.index, buffer.data()), c.result);
    EXPECT_TRUE(watcher.boxes().empty());
    if (c.text) {
      EXPECT_STREQ(buffer.data(), c.text);
    } else {
      EXPECT_EQ(buffer, marked_buffer());
    }
  }

  // The CPU type picks the H file by its low half, and reaches the CPU
  // library (whose line names type and qualifier) as that.
  using WideAxisQuery = short(DREMOXA7_API*)(const char*, int, int, unsigned char*);
  const auto axes = as_signature<WideAxisQuery>(library.exports().QUseAxis);
  const struct {
    int cpu_type;
    AxisTable table;
  } types[] = {
      {static_cast<int>(0x5A5A000Fu), h_table(33, 44)},
      {0x00010010, h_table(33, 44)},
      {static_cast<int>(0xFFFF000Eu), second_series_table(0x20)},
  };
  for (const auto& c : types) {
    SCOPED_TRACE(testing::Message() << std::hex << "type 0x" << c.cpu_type);
    AxisTable table = marked_table();
    EXPECT_EQ(axes(project.base().c_str(), c.cpu_type, kQualifier, table.data()), DREMOXA7_OK);
    EXPECT_EQ(describe(table), describe(c.table));
  }
  write_suite_description("");
}

}  // namespace
}  // namespace e2e
