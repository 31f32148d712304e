// The ladder editor jump: its switches from the work file, the CPU record
// and the short package name; the editor's window by its composed title.
#include <cstdint>
#include <string>
#include <vector>

#include "dremoxa7.h"
#include "file_image.h"
#include "library_test.h"
#include "temp_dir.h"

namespace dremoxa7 {
namespace {

using Window = platform::Window;

constexpr short kSeries = 4;
constexpr const char* kDirectory = "E:\\Ladder\\";
constexpr const char* kExecutable = "E:\\Ladder\\ladder.exe";
constexpr const char* kPrefix = "Ladder Editor";
constexpr const char* kPackage = "Q7G2AB";
constexpr const char* kConfigurationPath = "C:\\Suite\\Bin\\Zorposcom.cnf";

// The fields of the work file that the jump reads; every other byte is 0.
struct Work {
  int cpu_index = 3;
  int s_value = 3;
  std::string p_bytes = "X\r\n";  // from offset 266 on
};

std::string work_file(const Work& work) {
  return FileImage(570)
      .text(266, work.p_bytes)
      .set(523, {static_cast<std::uint8_t>(work.cpu_index)})
      .set(527, {static_cast<std::uint8_t>(work.s_value)})
      .bytes();
}

// Record n names "N<nn>"; the header holds "HDR8" at offset 8, where the
// record of CPU index -1 would start.
FileImage configuration() {
  FileImage image(274, ' ');
  image.text(0, "CONFIGURATION HEADER..").text(8, "HDR8 ");
  for (int n = 0; n <= 17; ++n) {
    image.text(22 + 14 * n, "N" + std::string(n < 10 ? "0" : "") + std::to_string(n));
  }
  return image;
}

class LadderJumpTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    host::map_drive('C', suite_drive_.path().string());
    host::map_drive('E', editor_drive_.path().string());
    editor_drive_.write("Ladder/ladder.exe", "MZ");
    suite_drive_.write("Suite/Bin/Zorposcom.cnf", configuration().bytes());
    write_work(Work{});
    fake::suite().short_pac_names[kSeries] = kPackage;
    other_ = host::add_window("Other program");
    EXPECT_TRUE(platform::set_foreground(other_));
    host::put_clipboard_text("before");
  }

  void write_work(const Work& work) {
    suite_drive_.write("Suite/Bin/zorwork.inf", work_file(work));
  }
  void write_record(int index, const std::string& text) {
    suite_drive_.write("Suite/Bin/Zorposcom.cnf",
                       configuration().text(22 + 14 * index, text).bytes());
  }

  static short jump(const char* directory = kDirectory, const char* exe = "ladder",
                    const char* prefix = kPrefix) {
    return ZorLadderpJump(kSeries, directory, exe, prefix);
  }

  std::vector<std::string> started() const {
    std::vector<std::string> lines;
    for (const auto& p : host::started_programs()) lines.push_back(p.command_line);
    return lines;
  }
  std::vector<std::string> suite_calls() const {
    std::vector<std::string> names;
    for (const fake::Call& call : fake::suite().calls) names.push_back(call.name);
    return names;
  }

  TempDir suite_drive_;
  TempDir editor_drive_;
  Window other_ = nullptr;
};

TEST_F(LadderJumpTest, StartsTheEditorWithItsSwitches) {
  EXPECT_EQ(jump(), DREMOXA7_OK);
  EXPECT_EQ(started(),
            std::vector<std::string>{std::string(kExecutable) + " /MO /TN03 /S3 /O2AB /PX"});
  EXPECT_EQ(suite_calls(),
            (std::vector<std::string>{"ZorFileRead2", "ZorFileRead", "GetZorShortPacName"}));
  EXPECT_EQ(fake::suite().calls[0],
            (fake::Call{"ZorFileRead2", {0, 570}, "C:\\Suite\\Bin\\zorwork.inf"}));
  EXPECT_EQ(fake::suite().calls[2], (fake::Call{"GetZorShortPacName", {kSeries}, {}}));
  EXPECT_EQ(host::foreground_window(), other_);
  EXPECT_EQ(host::clipboard_text(), "before");
  EXPECT_EQ(host::started_programs()[0].clipboard, "before");
}

TEST_F(LadderJumpTest, CpuIndexSelectsTheRecordOffset) {
  const struct Case {
    int index;
    long offset;
    short result;
    const char* cpu_name;
  } cases[] = {
      {7, 36, 0, "N01"},   {1, 36, 0, "N01"},    {0, 22, 0, "N00"}, {8, 134, 0, "N08"},
      {17, 260, 0, "N17"}, {-1, 8, 0, "HDR8"},   {18, 274, 5, ""},  {-2, -6, 5, ""},
      {127, 1800, 5, ""},  {-128, -1770, 5, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("CPU index " + std::to_string(c.index));
    SetUp();
    write_work({.cpu_index = c.index});
    EXPECT_EQ(jump(), c.result);
    EXPECT_EQ(fake::suite().calls_of("ZorFileRead"),
              (std::vector<fake::Call>{{"ZorFileRead", {c.offset, 14}, kConfigurationPath}}));
    if (c.result == DREMOXA7_OK) {
      EXPECT_EQ(started(), std::vector<std::string>{std::string(kExecutable) + " /MO /T" +
                                                    c.cpu_name + " /S3 /O2AB /PX"});
    } else {
      EXPECT_TRUE(started().empty());
      EXPECT_TRUE(fake::suite().calls_of("GetZorShortPacName").empty());
    }
  }
}

TEST_F(LadderJumpTest, SwitchValues) {
  const struct Case {
    const char* what;
    Work work;
    const char* package;
    std::string record;  // of CPU index 3
    const char* switches;
  } cases[] = {
      {"S byte 0xC8", {.s_value = 0xC8}, kPackage, "N03", " /MO /TN03 /S200 /O2AB /PX"},
      {"S byte 0", {.s_value = 0}, kPackage, "N03", " /MO /TN03 /S0 /O2AB /PX"},
      {"no G", {}, "Q7K2AB", "N03", " /MO /TN03 /S3 /O /PX"},
      {"G last", {}, "Q7AB2G", "N03", " /MO /TN03 /S3 /O /PX"},
      {"G and two more", {}, "Q7GAB", "N03", " /MO /TN03 /S3 /OAB /PX"},
      {"G and six more", {}, "QGABCDEF", "N03", " /MO /TN03 /S3 /OABCD /PX"},
      {"a later G", {}, "QGAB2GZZ", "N03", " /MO /TN03 /S3 /OAB2G /PX"},
      {"lower-case g", {}, "Qg12", "N03", " /MO /TN03 /S3 /O /PX"},
      {"lower-case g, then G", {}, "Qg12G34", "N03", " /MO /TN03 /S3 /O34 /PX"},
      {"empty P", {.p_bytes = "\r\n"}, kPackage, "N03", " /MO /TN03 /S3 /O2AB /P"},
      {"P ends before CR LF",
       {.p_bytes = "my proj\r\nmore"},
       kPackage,
       "N03",
       " /MO /TN03 /S3 /O2AB /Pmy proj"},
      {"P ends at a zero byte",
       {.p_bytes = std::string("AB\0CD\r", 6)},
       kPackage,
       "N03",
       " /MO /TN03 /S3 /O2AB /PAB"},
      {"record of spaces", {}, kPackage, "              ", " /MO /T /S3 /O2AB /PX"},
      {"record of leading spaces", {}, kPackage, "  XY9 Z       ", " /MO /TXY9 /S3 /O2AB /PX"},
      {"record beginning with a zero byte",
       {},
       kPackage,
       std::string("\0N03", 4),
       " /MO /T /S3 /O2AB /PX"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    write_work(c.work);
    write_record(3, c.record);
    fake::suite().short_pac_names[kSeries] = c.package;
    EXPECT_EQ(jump(), DREMOXA7_OK);
    EXPECT_EQ(started(), std::vector<std::string>{kExecutable + std::string(c.switches)});
  }
}

// In code page 932 the switch values count and hold whole characters: the
// G must be a character of its own, the four after it are characters, and
// no value ends in half of one, whose lone lead byte would take the blank
// after it. Code page 1252 gives the bytes it always gave.
TEST_F(LadderJumpTest, SwitchValuesHoldWholeCharactersIn932) {
  const struct Case {
    const char* what;
    Work work;
    std::string package;
    std::string record;  // of CPU index 3
    std::string in_932;
    std::string in_1252;
  } cases[] = {
      {"G as the second byte of エ, then a G",
       {},
       "\x83\x47G12",
       "N03",
       " /MO /TN03 /S3 /O12 /PX",
       " /MO /TN03 /S3 /OG12 /PX"},
      {"G only as the second byte of エ",
       {},
       "\x83\x47\x31\x32",
       "N03",
       " /MO /TN03 /S3 /O /PX",
       " /MO /TN03 /S3 /O12 /PX"},
      {"a two-byte fourth character",
       {},
       "GABC\x95\x5C",
       "N03",
       " /MO /TN03 /S3 /OABC\x95\x5C /PX",
       " /MO /TN03 /S3 /OABC\x95 /PX"},
      {"four two-byte characters",
       {},
       "QG\x83\x47\x83\x43\x83\x45\x95\x5CZ",
       "N03",
       " /MO /TN03 /S3 /O\x83\x47\x83\x43\x83\x45\x95\x5C /PX",
       " /MO /TN03 /S3 /O\x83\x47\x83\x43 /PX"},
      {"a name ending in a lead byte",
       {},
       "QGAB\x95",
       "N03",
       " /MO /TN03 /S3 /OAB /PX",
       " /MO /TN03 /S3 /OAB\x95 /PX"},
      {"a CPU name of two-byte characters",
       {},
       "Q7G2AB",
       "\x95\x5C\x8E\xA6 N",
       " /MO /T\x95\x5C\x8E\xA6 /S3 /O2AB /PX",
       " /MO /T\x95\x5C\x8E\xA6 /S3 /O2AB /PX"},
      {"a record ending in a lead byte",
       {},
       "Q7G2AB",
       "ABCDEFGHIJKLM\x95",
       " /MO /TABCDEFGHIJKLM /S3 /O2AB /PX",
       " /MO /TABCDEFGHIJKLM\x95 /S3 /O2AB /PX"},
      {"a lead byte before the blank of the record",
       {},
       "Q7G2AB",
       "AB\x95 CD",
       " /MO /TAB /S3 /O2AB /PX",
       " /MO /TAB\x95 /S3 /O2AB /PX"},
      {"a P text of two-byte characters",
       {.p_bytes = "proj\x95\x5C\r\n"},
       "Q7G2AB",
       "N03",
       " /MO /TN03 /S3 /O2AB /Pproj\x95\x5C",
       " /MO /TN03 /S3 /O2AB /Pproj\x95\x5C"},
      {"a P text ending in a lead byte before CR",
       {.p_bytes = "AB\x95\r\n"},
       "Q7G2AB",
       "N03",
       " /MO /TN03 /S3 /O2AB /PAB",
       " /MO /TN03 /S3 /O2AB /PAB\x95"},
      {"a P text filling its field with a lead byte last",
       {.p_bytes = std::string(256, 'p') + "\x95"},
       "Q7G2AB",
       "N03",
       " /MO /TN03 /S3 /O2AB /P" + std::string(256, 'p'),
       " /MO /TN03 /S3 /O2AB /P" + std::string(256, 'p') + "\x95"},
  };
  for (const unsigned code_page : {932u, 1252u}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(code_page) + ": " + c.what);
      SetUp();
      restart_with_code_page(code_page);
      write_work(c.work);
      write_record(3, c.record);
      fake::suite().short_pac_names[kSeries] = c.package;
      EXPECT_EQ(jump(), DREMOXA7_OK);
      EXPECT_EQ(started(),
                std::vector<std::string>{kExecutable + (code_page == 932 ? c.in_932 : c.in_1252)});
    }
  }
}

// The longest path, in quotes for its blank, and the longest value of each
// switch make the command line whole; the P text ends with its field.
TEST_F(LadderJumpTest, LongestInputsFitWhole) {
  const std::string folder = std::string(124, 'a') + " " + std::string(125, 'a');
  const std::string directory = "E:\\" + folder + "\\" + std::string(250, 'b') + "\\";
  const std::string exe = "ladder1234";
  const std::string path = directory + exe + ".exe";
  ASSERT_EQ(path.size(), 519u);
  editor_drive_.write(folder + "/" + std::string(250, 'b') + "/" + exe + ".exe", "MZ");
  write_work({.cpu_index = 3, .s_value = 255, .p_bytes = std::string(257, 'p')});
  write_record(3, "ABCDEFGHIJKLMN");
  fake::suite().fill_buffers = true;
  fake::suite().short_pac_names[kSeries] =
      "PKG" + std::string("WXYZ") + std::string(25, 'k') + "beyond";

  EXPECT_EQ(jump(directory.c_str(), exe.c_str()), DREMOXA7_OK);
  EXPECT_EQ(started(),
            std::vector<std::string>{"\"" + path + "\" /MO /TABCDEFGHIJKLMN /S255 /OWXYZ /P" +
                                     std::string(257, 'p')});
}

// The title is matched whole: one longer than any window title can be read
// finds nothing, not a window whose title shares its first 349 characters.
TEST_F(LadderJumpTest, TitleIsSearchedOnlyWhole) {
  const std::string fits(340, 'L');  // 340 + " - Q7G2AB": 349 characters
  const Window editor = host::add_window(fits + " - Q7G2AB - main.lad");
  EXPECT_EQ(jump(kDirectory, "ladder", fits.c_str()), DREMOXA7_OK);
  EXPECT_EQ(host::foreground_window(), editor);
  EXPECT_TRUE(started().empty());

  SetUp();
  const std::string longer(341, 'L');  // 350 characters
  host::add_window(longer + " - Q7G2AX");
  EXPECT_EQ(jump(kDirectory, "ladder", longer.c_str()), DREMOXA7_OK);
  EXPECT_EQ(host::foreground_window(), other_);
  EXPECT_EQ(started().size(), 1u);
}

// The files and the package name are read even when the editor runs.
TEST_F(LadderJumpTest, RunningEditorComesToTheFront) {
  const Window editor = host::add_window("Ladder Editor - Q7G2AB - main.lad", true);
  EXPECT_EQ(jump(), DREMOXA7_OK);
  EXPECT_EQ(host::foreground_window(), editor);
  EXPECT_FALSE(host::window_iconic(editor));
  EXPECT_TRUE(started().empty());
  EXPECT_EQ(suite_calls(),
            (std::vector<std::string>{"ZorFileRead2", "ZorFileRead", "GetZorShortPacName"}));
  EXPECT_EQ(host::clipboard_text(), "before");

  // The title counts by case.
  SetUp();
  host::add_window("Ladder Editor - Q7G2AB - main.lad");
  EXPECT_EQ(jump(kDirectory, "ladder", "ladder editor"), DREMOXA7_OK);
  EXPECT_EQ(host::foreground_window(), other_);
  EXPECT_EQ(started().size(), 1u);
}

TEST_F(LadderJumpTest, StartedEditorIsBroughtToTheFrontByTheNextJump) {
  host::on_start([](const std::string&) { host::add_window("Ladder Editor - Q7G2AB"); });
  EXPECT_EQ(jump(), DREMOXA7_OK);
  EXPECT_EQ(jump(), DREMOXA7_OK);
  EXPECT_EQ(started().size(), 1u);
  EXPECT_EQ(host::foreground_window(), host::z_order().front());
}

TEST_F(LadderJumpTest, MissingExecutableReadsAndActivatesNothing) {
  host::add_window("Ladder Editor - Q7G2AB - main.lad");
  const std::string overlong = "E:\\" + std::string(5000, 'd') + "\\";
  for (const auto& [directory, exe] : {std::pair<std::string, std::string>{kDirectory, "missing"},
                                       {overlong, "ladder"},
                                       {kDirectory, std::string(600, 'n')}}) {
    SCOPED_TRACE(exe);
    EXPECT_EQ(jump(directory.c_str(), exe.c_str()), DREMOXA7_NO_EXECUTABLE);
  }
  EXPECT_TRUE(fake::suite().calls.empty());
  EXPECT_EQ(host::foreground_window(), other_);
  EXPECT_TRUE(started().empty());
}

// A failing read or package name ends the jump with its code, before the
// window search, whether or not the editor runs.
TEST_F(LadderJumpTest, FailuresPassThrough) {
  const struct Case {
    const char* what;
    const char* call;
    long key;
    short result;
    std::vector<std::string> calls;
  } cases[] = {
      {"missing work file", nullptr, 0, 3, {"ZorFileRead2"}},
      {"work file read", "ZorFileRead2", 0, -9, {"ZorFileRead2"}},
      {"record read", "ZorFileRead", 64, -9, {"ZorFileRead2", "ZorFileRead"}},
      {"package name",
       "GetZorShortPacName",
       kSeries,
       -9,
       {"ZorFileRead2", "ZorFileRead", "GetZorShortPacName"}},
  };
  for (const Case& c : cases) {
    for (bool running : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (running ? ", editor running" : ""));
      SetUp();
      if (c.call == nullptr) std::filesystem::remove(suite_drive_.path() / "Suite/Bin/zorwork.inf");
      if (c.call != nullptr) fake::suite().failures[c.call][c.key] = -9;
      if (running) host::add_window("Ladder Editor - Q7G2AB");
      host::reset_counters();
      EXPECT_EQ(jump(), c.result);
      EXPECT_EQ(suite_calls(), c.calls);
      EXPECT_EQ(host::counters().enumerations, 0);
      EXPECT_EQ(host::foreground_window(), other_);
      EXPECT_TRUE(started().empty());
    }
  }
}

TEST_F(LadderJumpTest, SeriesOutOfRangeTouchesNothing) {
  for (short series : {16, -1}) {
    EXPECT_EQ(ZorLadderpJump(series, kDirectory, "ladder", kPrefix), DREMOXA7_OUT_OF_RANGE);
  }
  EXPECT_EQ(host::counters().existence_tests, 0);
  EXPECT_TRUE(fake::suite().calls.empty());
  EXPECT_TRUE(started().empty());
}

// A decoy where the path would stop at its blank never starts; the
// switches stay as they are, blanks and all.
TEST_F(LadderJumpTest, ADirectoryWithABlankStartsTheEditorItself) {
  editor_drive_.write("Suite Tools/ladder.exe", "MZ");
  editor_drive_.write("Suite.exe", "MZ");
  write_work({.p_bytes = "my proj\r"});
  EXPECT_EQ(jump("E:\\Suite Tools\\"), DREMOXA7_OK);
  EXPECT_EQ(started(), std::vector<std::string>{
                           "\"E:\\Suite Tools\\ladder.exe\" /MO /TN03 /S3 /O2AB /Pmy proj"});
}

}  // namespace
}  // namespace dremoxa7
