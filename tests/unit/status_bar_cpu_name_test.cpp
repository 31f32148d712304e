// The status-bar CPU name: the configuration file's CPU records, the
// centred text, the version file's fixed CPU text and the message boxes.
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dremoxa7.h"
#include "file_image.h"
#include "library_test.h"
#include "temp_dir.h"

namespace dremoxa7 {
namespace {

using namespace std::string_view_literals;

constexpr std::size_t kRecordsStart = 22;
constexpr std::size_t kRecordSize = 14;
constexpr std::size_t kFullConfigurationSize = 274;
constexpr const char* kConfiguration = "Suite/Bin/Zorposcom.cnf";
constexpr const char* kVersion = "Suite/Bin/Zorp.ver";
constexpr const char* kConfigurationPath = "C:\\Suite\\Bin\\Zorposcom.cnf";
constexpr const char* kVersionPath = "C:\\Suite\\Bin\\Zorp.ver";
constexpr const char* kFixedCpuText = " CPU : K41TR-PLX ";

// What the caller's buffer holds before the call; it shows an untouched
// buffer.
const std::string kUntouched(DREMOXA7_CPU_TEXT_CAPACITY + 8, 'Q');

struct Answer {
  short result;
  std::string buffer;
};

std::size_t record_offset(int index) { return kRecordsStart + kRecordSize * index; }

FileImage configuration_with(int index, std::string_view record) {
  FileImage image(kFullConfigurationSize);
  image.text(record_offset(index), record);
  return image;
}

class StaBarCpuNameTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    host::map_drive('C', drive_.path().string());
  }

  // A fresh platform model (no messages, counters at zero, no holds) with
  // the library where start-up found it.
  void fresh_model() {
    host::reset();
    host::load_library("C:\\Suite\\Bin\\dremoxa7.dll");
    host::map_drive('C', drive_.path().string());
  }

  void write(const char* file, std::string_view bytes) { drive_.write(file, std::string(bytes)); }
  void write(const char* file, const FileImage& image) { drive_.write(file, image.bytes()); }

  static Answer call(short index) {
    char buffer[DREMOXA7_CPU_TEXT_CAPACITY + 9];
    std::memcpy(buffer, kUntouched.c_str(), kUntouched.size() + 1);
    const short result = StaBarCpuName(index, buffer);
    return {result, buffer};
  }

  static void expect_message(const char* text) {
    ASSERT_EQ(host::messages().size(), 1u);
    EXPECT_EQ(host::messages()[0].text, text);
    EXPECT_EQ(host::messages()[0].caption, "dremoxa7");
    EXPECT_EQ(host::messages()[0].files_open, 0);  // shown once the file is closed
  }

  TempDir drive_;
};

TEST_F(StaBarCpuNameTest, CpuNameIsCentredToTheStatusBar) {
  struct Case {
    std::string_view record;  // 14 bytes
    const char* text;
  } cases[] = {
      {"AB12          ", "    CPU : AB12    "},
      {"ABC           ", "    CPU : ABC     "},  // the odd space goes right
      {"              ", "      CPU :       "},
      {"\0BCDEFGHIJKLMN"sv, "      CPU :       "},
      {"  XY9 Z       ", "    CPU : XY9     "},  // leading spaces skipped, ends at a space
      {"AB\0CD         "sv, "     CPU : AB     "},
      {"A\tB           ", "    CPU : A\tB     "},  // only the space separates
      {"           XYZ", "    CPU : XYZ     "},    // the name ends with the record
      {"ABCDEFGHIJK   ", "CPU : ABCDEFGHIJK "},    // L = 17
      {"ABCDEFGHIJKL  ", "CPU : ABCDEFGHIJKL"},    // L = 18: no spaces
      {"ABCDEFGHIJKLM ", "CPU : ABCDEFGHIJKLM"},
      {"ABCDEFGHIJKLMN", "CPU : ABCDEFGHIJKLMN"},
  };
  // One case per CPU record, so that each index finds its own record.
  FileImage image(kFullConfigurationSize);
  image.text(0, "header bytes: not read");
  for (std::size_t i = 0; i < std::size(cases); ++i) image.text(record_offset(i), cases[i].record);
  write(kConfiguration, image);

  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const Answer answer = call(static_cast<short>(i));
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    EXPECT_EQ(answer.buffer, cases[i].text);
  }
  EXPECT_TRUE(host::messages().empty());
}

// In code page 932 the CPU name holds whole characters, and a code of the
// version file counts only where a character begins. Code page 1252 gives
// the bytes it always gave.
TEST_F(StaBarCpuNameTest, CpuNameAndVersionCodesAreWholeCharactersIn932) {
  struct Case {
    const char* what;
    std::string_view record;  // 14 bytes
    std::string_view version;
    const char* in_932;
    const char* in_1252;
  } cases[] = {
      {"two-byte characters", "\x95\x5C\x8E\xA6          ", "", "    CPU : \x95\x5C\x8E\xA6    ",
       "    CPU : \x95\x5C\x8E\xA6    "},
      {"a record ending in a lead byte", "ABCDEFGHIJKLM\x95", "", "CPU : ABCDEFGHIJKLM",
       "CPU : ABCDEFGHIJKLM\x95"},
      {"the model code from a second byte on", "AB12          ", "\x83QX7LM-ZOR58T E0001",
       "    CPU : AB12    ", kFixedCpuText},
      {"the version code from a second byte on (ウ is 83 45)", "AB12          ",
       "QX7LM-ZOR58T \x83\x45\x30\x30\x30\x31", "    CPU : AB12    ", kFixedCpuText},
      {"both codes after two-byte characters", "AB12          ",
       "\x83\x45QX7LM-ZOR58T \x95\x5C"
       "E0001",
       kFixedCpuText, kFixedCpuText},
  };
  for (const unsigned code_page : {932u, 1252u}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(code_page) + ": " + c.what);
      fresh_model();
      restart_with_code_page(code_page);
      write(kConfiguration, configuration_with(0, c.record));
      std::filesystem::remove_all(drive_.path() / kVersion);
      if (!c.version.empty()) write(kVersion, c.version);
      const Answer answer = call(0);
      EXPECT_EQ(answer.result, DREMOXA7_OK);
      EXPECT_EQ(answer.buffer, code_page == 932 ? c.in_932 : c.in_1252);
    }
  }
}

TEST_F(StaBarCpuNameTest, OnlyTheLowByteOfTheIndexCounts) {
  FileImage image(kFullConfigurationSize);
  image.text(record_offset(0), "ZERO")
      .text(record_offset(5), "FIVE")
      .text(record_offset(17), "LAST");
  write(kConfiguration, image);
  struct Case {
    short index;
    short result;
    const char* text;  // null: the buffer is untouched
  } cases[] = {
      {-1, DREMOXA7_REFUSED, nullptr},
      {18, DREMOXA7_REFUSED, nullptr},
      {0x1FF, DREMOXA7_REFUSED, nullptr},
      {0x112, DREMOXA7_REFUSED, nullptr},
      {-128, DREMOXA7_REFUSED, nullptr},
      {127, DREMOXA7_REFUSED, nullptr},
      {0x105, DREMOXA7_OK, "    CPU : FIVE    "},
      {-256, DREMOXA7_OK, "    CPU : ZERO    "},
      {17, DREMOXA7_OK, "    CPU : LAST    "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    host::reset_counters();
    const Answer answer = call(c.index);
    EXPECT_EQ(answer.result, c.result);
    EXPECT_EQ(answer.buffer, c.text ? c.text : kUntouched);
    if (c.text == nullptr) {
      EXPECT_EQ(host::counters().existence_tests, 0);
      EXPECT_EQ(host::counters().file_opens, 0);
    }
  }
  EXPECT_TRUE(host::messages().empty());
}

TEST_F(StaBarCpuNameTest, ARecordPastTheEndOfTheFileIsAReadFailure) {
  struct Case {
    std::size_t file_size;
    short index;
    short result;
  } cases[] = {
      {274, 17, DREMOXA7_OK}, {273, 17, DREMOXA7_UNREADABLE}, {100, 10, DREMOXA7_UNREADABLE},
      {36, 0, DREMOXA7_OK},   {35, 0, DREMOXA7_UNREADABLE},   {0, 0, DREMOXA7_UNREADABLE},
  };
  write(kVersion, "QX7LM-ZOR58T E0001");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file_size);
    fresh_model();
    FileImage image(c.file_size);
    write(kConfiguration, std::string_view(image.bytes()));
    const Answer answer = call(c.index);
    EXPECT_EQ(answer.result, c.result);
    EXPECT_EQ(host::open_file_count(), 0);
    if (c.result == DREMOXA7_OK) {
      EXPECT_EQ(answer.buffer, kFixedCpuText);
      EXPECT_TRUE(host::messages().empty());
    } else {
      EXPECT_EQ(answer.buffer, kUntouched);
      expect_message("System file read failed.");
      // Nothing is consulted after the failure.
      EXPECT_EQ(host::counters().file_opens, 1);
    }
  }
}

TEST_F(StaBarCpuNameTest, MissingConfigurationFileIsReportedAsNotFound) {
  write(kVersion, "QX7LM-ZOR58T E0001");
  const Answer answer = call(3);
  EXPECT_EQ(answer.result, DREMOXA7_NOT_FOUND);
  EXPECT_EQ(answer.buffer, kUntouched);
  expect_message("The system file was not found.");
  EXPECT_EQ(host::counters().file_opens, 0);
}

TEST_F(StaBarCpuNameTest, ConfigurationFileThatCannotBeOpened) {
  // Another program that reads and writes the file, sharing both, does not
  // keep the library out; one that shares nothing does, and so does a
  // directory of the file's name.
  const host::Access sharing_writer{true, true, true, true};
  const host::Access exclusive_reader{true, false, false, false};

  write(kConfiguration, configuration_with(0, "AB12"));
  const int shared = host::hold_file(kConfigurationPath, sharing_writer);
  ASSERT_GE(shared, 0);
  EXPECT_EQ(call(0).buffer, "    CPU : AB12    ");
  host::release_file(shared);

  const int held = host::hold_file(kConfigurationPath, exclusive_reader);
  ASSERT_GE(held, 0);
  Answer answer = call(0);
  EXPECT_EQ(answer.result, DREMOXA7_UNREADABLE);
  EXPECT_EQ(answer.buffer, kUntouched);
  expect_message("System file read failed.");
  host::release_file(held);

  fresh_model();
  std::filesystem::remove(drive_.path() / kConfiguration);
  std::filesystem::create_directory(drive_.path() / kConfiguration);
  answer = call(0);
  EXPECT_EQ(answer.result, DREMOXA7_UNREADABLE);
  EXPECT_EQ(answer.buffer, kUntouched);
  expect_message("System file read failed.");
}

TEST_F(StaBarCpuNameTest, VersionFileSelectsTheFixedCpuText) {
  enum class Version { bytes, missing, directory, held };
  struct Case {
    const char* name;
    Version kind;
    std::string_view bytes;
    bool fixed;
  } cases[] = {
      {"both codes", Version::bytes, "QX7LM-ZOR58T E0001", true},
      {"in any order, adjacent", Version::bytes, "E0001QX7LM-ZOR58T", true},
      {"ending at byte 40", Version::bytes, "E0001.......................QX7LM-ZOR58T", true},
      {"only the model", Version::bytes, "QX7LM-ZOR58T", false},
      {"only the version", Version::bytes, "E0001", false},
      {"version in lower case", Version::bytes, "QX7LM-ZOR58T e0001", false},
      {"model in lower case", Version::bytes, "qx7lm-zor58t E0001", false},
      {"a code past byte 40", Version::bytes, "E0001........................QX7LM-ZOR58T", false},
      {"a NUL before a code", Version::bytes, "E0001\0QX7LM-ZOR58T"sv, false},
      {"empty", Version::bytes, "", false},
      {"missing", Version::missing, "", false},
      {"a directory", Version::directory, "", false},
      {"held by another program", Version::held, "QX7LM-ZOR58T E0001", false},
  };
  write(kConfiguration, configuration_with(2, "AB12"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fresh_model();
    std::filesystem::remove_all(drive_.path() / kVersion);
    if (c.kind == Version::directory) {
      std::filesystem::create_directory(drive_.path() / kVersion);
    } else if (c.kind != Version::missing) {
      write(kVersion, c.bytes);
    }
    if (c.kind == Version::held) ASSERT_GE(host::hold_file(kVersionPath, {}), 0);

    const Answer answer = call(2);
    EXPECT_EQ(answer.result, DREMOXA7_OK);
    EXPECT_EQ(answer.buffer, c.fixed ? kFixedCpuText : "    CPU : AB12    ");
    EXPECT_TRUE(host::messages().empty());
    EXPECT_EQ(host::open_file_count(), 0);
  }
}

// Another program changes a file between the library's existence test and
// its open, or between its open and its read: the call ends as if the
// change had come before it.
TEST_F(StaBarCpuNameTest, FilesChangedAfterTheyWereFound) {
  enum class Change { directory, held, removed, shortened };
  const struct {
    const char* what;
    const char* file;
    const char* path;
    Change change;
    host::Call before;  // the change comes before the first such call for the file
    int nth;            // 1: the configuration file's, 2: the version file's
    short result;
  } cases[] = {
      {"configuration file replaced by a directory", kConfiguration, kConfigurationPath,
       Change::directory, host::Call::file_open, 1, DREMOXA7_UNREADABLE},
      {"configuration file taken by an exclusive opener", kConfiguration, kConfigurationPath,
       Change::held, host::Call::file_open, 1, DREMOXA7_UNREADABLE},
      {"configuration file removed", kConfiguration, kConfigurationPath, Change::removed,
       host::Call::file_open, 1, DREMOXA7_UNREADABLE},
      {"configuration file cut short before its record is read", kConfiguration, kConfigurationPath,
       Change::shortened, host::Call::file_read, 1, DREMOXA7_UNREADABLE},
      {"version file replaced by a directory", kVersion, kVersionPath, Change::directory,
       host::Call::file_open, 2, DREMOXA7_OK},
      {"version file taken by an exclusive opener", kVersion, kVersionPath, Change::held,
       host::Call::file_open, 2, DREMOXA7_OK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fresh_model();
    write(kConfiguration, configuration_with(3, "AB12"));
    std::filesystem::remove_all(drive_.path() / kVersion);
    write(kVersion, "QX7LM-ZOR58T E0001");
    int calls = 0;
    int hold = -1;
    host::before(c.before, [&] {
      if (++calls != c.nth) return;
      const std::filesystem::path file = drive_.path() / c.file;
      switch (c.change) {
        case Change::directory:
          std::filesystem::remove(file);
          std::filesystem::create_directory(file);
          break;
        case Change::held:
          hold = host::hold_file(c.path, {true, true, false, false});
          break;
        case Change::removed:
          std::filesystem::remove(file);
          break;
        case Change::shortened:
          std::filesystem::resize_file(file, 30);
          break;
      }
    });
    const Answer answer = call(3);
    EXPECT_EQ(answer.result, c.result);
    if (c.result == DREMOXA7_OK) {
      // The version file could not be read: no fixed text.
      EXPECT_EQ(answer.buffer, "    CPU : AB12    ");
      EXPECT_TRUE(host::messages().empty());
    } else {
      EXPECT_EQ(answer.buffer, kUntouched);
      expect_message("System file read failed.");
    }
    EXPECT_EQ(host::open_file_count(), 0);
    if (c.change == Change::held) {
      EXPECT_GE(hold, 0);
      host::release_file(hold);
    }
  }
}

TEST_F(StaBarCpuNameTest, WorkIsOneRecordReadAndOneVersionRead) {
  write(kConfiguration, configuration_with(4, "AB12"));
  ASSERT_EQ(call(4).result, DREMOXA7_OK);
  // Configuration file: test, open, seek, read; no version file: its test.
  EXPECT_EQ(host::counters().existence_tests, 2);
  EXPECT_EQ(host::counters().file_opens, 1);
  EXPECT_EQ(host::counters().file_seeks, 1);
  EXPECT_EQ(host::counters().file_reads, 1);
  EXPECT_EQ(host::counters().file_closes, 1);

  write(kVersion, "no codes here");
  host::reset_counters();
  ASSERT_EQ(call(4).result, DREMOXA7_OK);
  EXPECT_EQ(host::counters().existence_tests, 2);
  EXPECT_EQ(host::counters().file_opens, 2);
  EXPECT_EQ(host::counters().file_seeks, 1);
  EXPECT_EQ(host::counters().file_reads, 2);
  EXPECT_EQ(host::counters().file_closes, 2);
  EXPECT_EQ(host::open_file_count(), 0);
}

TEST_F(StaBarCpuNameTest, TheLibrarysDirectoryIsLookedUpOnEachCall) {
  write(kConfiguration, configuration_with(1, "AB12"));
  drive_.write("Moved/Zorposcom.cnf", configuration_with(1, "MOVED").bytes());
  EXPECT_EQ(call(1).buffer, "    CPU : AB12    ");
  host::load_library("C:\\Moved\\dremoxa7.dll");
  EXPECT_EQ(call(1).buffer, "   CPU : MOVED    ");
}

}  // namespace
}  // namespace dremoxa7
