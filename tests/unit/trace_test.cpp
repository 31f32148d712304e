// The diagnostic trace: switched by DREMOXA7_TRACE at load, lines of a fixed
// shape in the order of the call's work, one write each, and no change to
// any answer.
#include "frame/trace.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "dremoxa7.h"
#include "file_image.h"
#include "library_test.h"
#include "temp_dir.h"

namespace dremoxa7 {
namespace {

constexpr short kSeries = 2;
constexpr const char* kTraceFile = "C:\\Logs\\trace.txt";
constexpr const char* kWorkFile = "Suite/Bin/zorwork.inf";

// "<ms> <pid> <tid> <export> <text>" and CR LF.
const std::regex kLineShape(R"((\d+) (\d+) (\d+) (\S+) ([^\r\n]*)\r\n)");

struct TraceLine {
  unsigned long pid = 0;
  unsigned long tid = 0;
  std::string text;  // "<export> <text>"
};

class TraceTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    host::map_drive('C', drive_.path().string());
    // Cases of a table run one after another on the same drive.
    std::filesystem::remove_all(drive_.path());
    std::filesystem::create_directories(drive_.path() / "Logs");
  }

  // The library loads again with the variable set so (nullopt: unset).
  static void load_with(const std::optional<std::string>& value) {
    host::set_environment_variable("DREMOXA7_TRACE", value);
    module_app().init_instance();
    host::reset_counters();
  }

  std::string trace_file_bytes() const {
    std::ifstream file(drive_.path() / "Logs" / "trace.txt", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
  }

  // Splits written lines, each of which must have the line's shape whole.
  static std::vector<TraceLine> parse(const std::vector<std::string>& written) {
    std::vector<TraceLine> lines;
    for (const std::string& line : written) {
      std::smatch m;
      EXPECT_TRUE(std::regex_match(line, m, kLineShape)) << '"' << line << '"';
      if (m.empty()) continue;
      lines.push_back({std::stoul(m[2]), std::stoul(m[3]), m[4].str() + " " + m[5].str()});
    }
    return lines;
  }

  static std::vector<std::string> split_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(bytes.substr(start, end + 2 - start));
    }
    EXPECT_EQ(start, bytes.size()) << "a line without its end";
    return lines;
  }

  std::vector<TraceLine> file_lines() const { return parse(split_lines(trace_file_bytes())); }

  static std::vector<std::string> texts(const std::vector<TraceLine>& lines) {
    std::vector<std::string> out;
    for (const TraceLine& line : lines) out.push_back(line.text);
    return out;
  }

  // Each expected text is found after the one before it.
  static void expect_in_order(const std::vector<std::string>& lines,
                              const std::vector<std::string>& expected) {
    auto at = lines.begin();
    for (const std::string& text : expected) {
      at = std::find(at, lines.end(), text);
      if (at == lines.end()) {
        ADD_FAILURE() << "missing or out of order: " << text << "\nlines:\n"
                      << testing::PrintToString(lines);
        return;
      }
      ++at;
    }
  }

  TempDir drive_;
};

// Two calls whose answers are known, under each setting of the variable.
TEST_F(TraceTest, TheVariableChoosesWhereLinesGoAndNoAnswerChanges) {
  const std::vector<std::string> expected = {
      "StaBarCpuName call index 99",
      "StaBarCpuName result -1 (CPU index out of range)",
      "FindWinTitle call text \"Nothing here\"",
      "FindWinTitle title prefix \"Nothing here\" found no window",
      "FindWinTitle result 0 (ok)",
  };
  const struct Case {
    const char* what;
    std::optional<std::string> value;
    bool to_debug_output;
    bool to_file;
  } cases[] = {
      {"unset", std::nullopt, false, false},
      {"empty", "", false, false},
      {"debug", "debug", true, false},
      {"debug in capitals", "DEBUG", true, false},
      {"a file", kTraceFile, false, true},
      {"a file in a folder that does not exist", "C:\\Missing\\trace.txt", false, false},
      {"a folder", "C:\\Logs", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    host::add_window("Some program");
    load_with(c.value);

    char cpu_text[DREMOXA7_CPU_TEXT_CAPACITY] = "untouched";
    EXPECT_EQ(StaBarCpuName(99, cpu_text), -1);
    EXPECT_STREQ(cpu_text, "untouched");
    char title[DREMOXA7_TITLE_CAPACITY] = "x";
    DREMOXA7_WINDOW window = reinterpret_cast<DREMOXA7_WINDOW>(0x77);
    EXPECT_EQ(FindWinTitle("Nothing here", title, &window), 0);
    EXPECT_STREQ(title, "");
    EXPECT_EQ(window, nullptr);
    EXPECT_TRUE(host::messages().empty());

    const std::vector<TraceLine> debug = parse(host::debug_output());
    EXPECT_EQ(texts(debug), c.to_debug_output ? expected : std::vector<std::string>{});
    EXPECT_EQ(texts(file_lines()), c.to_file ? expected : std::vector<std::string>{});
    // One write per line; a trace that is off opens and writes nothing.
    EXPECT_EQ(host::counters().appends, c.to_file ? 5 : 0);
    EXPECT_EQ(host::counters().file_opens, 0);
    EXPECT_FALSE(std::filesystem::exists(drive_.path() / "Missing"));
    for (const TraceLine& line : debug) EXPECT_EQ(line.pid, static_cast<unsigned long>(getpid()));
  }
}

TEST_F(TraceTest, LinesStampTheModelClock) {
  load_with("debug");
  char text[DREMOXA7_CPU_TEXT_CAPACITY];
  EXPECT_EQ(StaBarCpuName(99, text), -1);
  platform::sleep_ms(1500);
  EXPECT_EQ(StaBarCpuName(99, text), -1);
  const std::vector<std::string> written = host::debug_output();
  ASSERT_EQ(written.size(), 4u);
  EXPECT_EQ(written[0].substr(0, 2), "0 ");
  EXPECT_EQ(written[3].substr(0, 5), "1500 ");
}

// Texts are quoted, cut at 64 bytes with their length, and control bytes
// cannot break a line.
TEST_F(TraceTest, ArgumentTextsAreQuotedAndCut) {
  const std::string long_text = "A\r\nB" + std::string(66, 'x');
  const struct Case {
    const char* text;
    const char* call_line;
  } cases[] = {
      {"Editor \"p1\"", "FindWinTitleP call text \"Editor \"p1\"\""},
      {"", "FindWinTitleP call text \"\""},
      {nullptr, "FindWinTitleP call text null"},
      {"tab\there\x7f", "FindWinTitleP call text \"tab\\x09here\\x7F\""},
      {long_text.c_str(),
       "FindWinTitleP call text \"A\\x0D\\x0AB"
       "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\"... (70 bytes)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call_line);
    SetUp();
    load_with("debug");
    char title[DREMOXA7_TITLE_CAPACITY];
    DREMOXA7_WINDOW window;
    EXPECT_EQ(FindWinTitleP(c.text, title, &window), 0);
    const std::vector<TraceLine> lines = parse(host::debug_output());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, c.call_line);
  }
}

// Under a double-byte code page a quoted text and a whole line are cut
// between characters: a lead byte left alone would swallow what follows it.
TEST_F(TraceTest, UnderCodePage932TextsAreCutOnWholeCharacters) {
  host::set_code_page(932);
  load_with("debug");
  std::string text = "x";
  for (int i = 0; i < 40; ++i) text += "\x83\x41";  // ア
  trace::line("quoted", trace::quoted(text.c_str()));
  std::string many;
  for (int i = 0; i < 600; ++i) many += "\x83\x41";
  trace::line("word", many);
  const std::vector<std::string> written = host::debug_output();
  ASSERT_EQ(written.size(), 2u);
  std::string shown = "\"x";
  for (int i = 0; i < 31; ++i) shown += "\x83\x41";
  EXPECT_NE(written[0].find(" quoted " + shown + "\"... (81 bytes)\r\n"), std::string::npos);
  EXPECT_TRUE(written[1].ends_with("\x83\x41 ...\r\n"));
}

// A line is bounded: what does not fit is cut and marked. Outside an
// export a line names none.
TEST_F(TraceTest, ALineTooLongIsCutAndMarked) {
  load_with("debug");
  trace::line("word", std::string(2000, 'a'));
  const std::vector<std::string> written = host::debug_output();
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].size(), 1024u);
  EXPECT_TRUE(std::regex_match(written[0], std::regex(R"(\d+ \d+ \d+ - word a+ \.\.\.\r\n)")));
}

// The start check tells what it found and did, in the order it did it.
TEST_F(TraceTest, StartCheckShowsItsDecisionsInOrder) {
  const struct Case {
    const char* what;
    std::vector<int> running;
    int start_hold;  // -1: no work file
    short series;
    short asking;
    std::vector<std::string> expected;
  } cases[] = {
      {"function 4 runs, start hold 0, 4 asks",
       {4},
       0,
       kSeries,
       4,
       {"ZorStartCheck call series 2 function 4",
        "ZorStartCheck work file \"C:\\Suite\\Bin\\zorwork.inf\" present",
        "ZorStartCheck function 4 title prefix \"Func 04\" found 0x2 \"Func 04 - project\"",
        "ZorStartCheck group 0 of series 2 running 1",
        "ZorStartCheck work file \"C:\\Suite\\Bin\\zorwork.inf\" read",
        "ZorStartCheck activate 0x2 in front", "ZorStartCheck result 0 (ok) quit 1"}},
      {"none runs, no work file, 5 asks",
       {},
       -1,
       kSeries,
       5,
       {"ZorStartCheck call series 2 function 5", "ZorStartCheck start gate taken after 0 ms",
        "ZorStartCheck work file \"C:\\Suite\\Bin\\zorwork.inf\" absent",
        "ZorStartCheck group 0 of series 2 running 0",
        "ZorStartCheck clipboard text put \"V7.01,zormain,25,1,TARVELONIK\"",
        "ZorStartCheck started \"C:\\Suite\\Bin\\zormain.exe\"",
        "ZorStartCheck result 0 (ok) quit 1"}},
      {"none runs, work file, 5 asks",
       {},
       0,
       kSeries,
       5,
       {"ZorStartCheck work file \"C:\\Suite\\Bin\\zorwork.inf\" present",
        "ZorStartCheck group 0 of series 2 running 0",
        "ZorStartCheck work file \"C:\\Suite\\Bin\\zorwork.inf\" deleted",
        "ZorStartCheck clipboard text put \"V7.01,zormain,25,1,TARVELONIK\""}},
      {"series out of range",
       {},
       -1,
       16,
       5,
       {"ZorStartCheck call series 16 function 5",
        "ZorStartCheck result 4 (series or function out of range) quit 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    fake::Suite& s = fake::suite();
    for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) {
      s.titles[{kSeries, f}] = std::string(f < 10 ? "Func 0" : "Func ") + std::to_string(f);
      s.exe_numbers[f] = static_cast<std::int16_t>(20 + f);
    }
    s.exe_names[0] = "zormain";
    s.version_fields[kSeries] = {"V7.01", "F2", "E1000", "F4"};
    host::add_window("Other program");
    for (int f : c.running) host::add_window("Func 0" + std::to_string(f) + " - project");
    if (c.start_hold >= 0) {
      drive_.write(kWorkFile,
                   FileImage(570).set(565, {static_cast<std::uint8_t>(c.start_hold)}).bytes());
    }
    load_with(kTraceFile);
    short quit = 0;
    ZorStartCheck(c.series, c.asking, &quit);
    expect_in_order(texts(file_lines()), c.expected);
  }
}

// Each layer tells what it found and decided, before the result.
TEST_F(TraceTest, EachLayerTellsWhatItDecided) {
  const struct Case {
    const char* what;
    std::function<void(const TempDir& drive)> set_up;
    std::function<void()> call;
    std::vector<std::string> expected;
  } cases[] = {
      {"the clipboard is held",
       [](const TempDir& drive) {
         fake::Suite& s = fake::suite();
         s.titles[{kSeries, 5}] = "Motion Tool";
         s.exe_numbers[5] = 21;
         s.exe_names[21] = "motion";
         s.install_paths[kSeries] = "C:\\Tools\\";
         drive.write("Tools/motion.exe", "MZ");
         host::hold_clipboard(-1);
       },
       [] { ZorFuncJump(kSeries, 5, "Line 3"); },
       {"ZorFuncJump call series 2 function 5 handoff \"Line 3\"",
        "ZorFuncJump function 5 of series 2 has title prefix \"Motion Tool\"",
        "ZorFuncJump title prefix \"Motion Tool\" found no window",
        "ZorFuncJump clipboard held by another program at each of 5 attempts: no hand-off "
        "\"Line 3\"",
        "ZorFuncJump result 0 (ok)"}},
      {"help for a keyword",
       [](const TempDir&) { host::set_active_window(host::add_window("Tool")); },
       [] { OpenZorHelp(1, "C:\\Suite\\suite.hlp", "Servo axis"); },
       {"OpenZorHelp call mode 1",
        "OpenZorHelp help keyword \"Servo axis\" of \"C:\\Suite\\suite.hlp\" for window 0x1",
        "OpenZorHelp result 0 (ok)"}},
      {"help without an active window",
       [](const TempDir&) {},
       [] { OpenZorHelp(0, "C:\\Suite\\suite.hlp", nullptr); },
       {"OpenZorHelp help: no active window, nothing opened"}},
      {"no configuration file",
       [](const TempDir&) {},
       [] {
         char text[DREMOXA7_CPU_TEXT_CAPACITY];
         StaBarCpuName(0, text);
       },
       {"StaBarCpuName configuration file \"C:\\Suite\\Bin\\Zorposcom.cnf\" missing",
        "StaBarCpuName message box \"The system file was not found.\"",
        "StaBarCpuName result -2 (configuration file not found)"}},
      {"no system file",
       [](const TempDir&) { fake::suite().set_cpu_spec(7, 4); },
       [] {
         unsigned char table[DREMOXA7_AXIS_TABLE_SIZE];
         UseAxis("C:\\Proj\\", 7, 0, table);
       },
       {"UseAxis call directory \"C:\\Proj\\\" cpu 7 qualifier 0",
        "UseAxis system file \"C:\\Proj\\Temp\\axsystem.bin\" missing",
        "UseAxis result -2 (system file not found)"}},
      {"the suite library refuses a title",
       [](const TempDir&) {
         fake::suite().titles[{kSeries, 7}] = "Func 07";
         fake::suite().failures["GetZorFuncWinTitle"][7] = 20;
       },
       [] {
         DREMOXA7_WINDOW window;
         FindFuncWin(kSeries, 7, &window);
       },
       {"FindFuncWin call series 2 function 7",
        "FindFuncWin GetZorFuncWinTitle series 2 function 7 failed with 20",
        "FindFuncWin result 20 (passed through from the suite library) window 0x0"}},
      {"the CPU library refuses",
       [](const TempDir&) { fake::suite().failures["CDbCpuSpec"][7] = 9; },
       [] {
         unsigned char table[DREMOXA7_AXIS_TABLE_SIZE];
         UseAxis("C:\\Proj\\", 7, 0, table);
       },
       {"UseAxis CDbCpuSpec cpu 7 qualifier 0 failed with 9",
        "UseAxis result 9 (passed through from the CPU library)"}},
      {"a jump by a bare name",
       [](const TempDir&) {},
       [] { ZorPacJump("", "ladx", nullptr); },
       {"ZorPacJump executable \"ladx.exe\" names no folder: not started",
        "ZorPacJump result 6 (no executable)"}},
      {"close-all waits for a tool's prompt",
       [](const TempDir&) {
         fake::suite().titles[{kSeries, 4}] = "Func 04";
         fake::suite().work1_flag = 0;
         const platform::Window tool = host::add_window("Func 04 - project");
         host::prompt_when_posted(tool, 16, "Func 04 - project: save changes?", 2);
       },
       [] { AllExeEnd(kSeries, 0); },
       {"AllExeEnd close set 1 2 3 4 5 6 7 8 32",
        "AllExeEnd function 4 asked: WM_CLOSE posted to 0x1",
        "AllExeEnd function 4 waiting for 0x2 of a program asked",
        "AllExeEnd function 4 gone after 1000 ms and 2 polls", "AllExeEnd result 0 (ok)"}},
      {"the foreground is refused",
       [](const TempDir&) {
         host::add_window("Tool");
         host::refuse_foreground(true);
       },
       [] { SetActiveZorWin(reinterpret_cast<DREMOXA7_WINDOW>(1)); },
       {"SetActiveZorWin call window 0x1", "SetActiveZorWin activate 0x1 refused the foreground",
        "SetActiveZorWin result -1 (foreground change refused)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    c.set_up(drive_);
    load_with("debug");
    c.call();
    expect_in_order(texts(parse(host::debug_output())), c.expected);
  }
}

// Four threads calling at once: every line whole, and each names the
// export of its own thread's call.
TEST_F(TraceTest, LinesOfThreadsAtOnceAreWholeAndTheirOwn) {
  load_with(kTraceFile);
  constexpr int kCalls = 50;
  std::vector<std::thread> threads;
  threads.emplace_back([] {
    char text[DREMOXA7_CPU_TEXT_CAPACITY];
    for (int i = 0; i < kCalls; ++i) StaBarCpuName(99, text);
  });
  threads.emplace_back([] {
    char title[DREMOXA7_TITLE_CAPACITY];
    DREMOXA7_WINDOW window;
    for (int i = 0; i < kCalls; ++i) FindWinTitle("Nothing here", title, &window);
  });
  threads.emplace_back([] {
    short quit;
    for (int i = 0; i < kCalls; ++i) ZorStartCheck(16, 0, &quit);
  });
  threads.emplace_back([] {
    short count;
    for (int i = 0; i < kCalls; ++i) FindZorWin(kSeries, 5, &count, nullptr);
  });
  for (std::thread& t : threads) t.join();

  const std::vector<TraceLine> lines = file_lines();
  EXPECT_EQ(lines.size(), 450u);
  std::map<unsigned long, std::set<std::string>> exports_by_thread;
  for (const TraceLine& line : lines) {
    exports_by_thread[line.tid].insert(line.text.substr(0, line.text.find(' ')));
  }
  EXPECT_EQ(exports_by_thread.size(), 4u);
  for (const auto& [tid, exports] : exports_by_thread) EXPECT_EQ(exports.size(), 1u) << tid;
}

}  // namespace
}  // namespace dremoxa7
