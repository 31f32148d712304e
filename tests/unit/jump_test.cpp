// Jumps by function number and by executable path.
#include <string>
#include <vector>

#include "dremoxa7.h"
#include "library_test.h"
#include "temp_dir.h"

namespace dremoxa7 {
namespace {

using Window = platform::Window;
using Jump = short (*)(short, short, const char*);

struct Variant {
  const char* name;
  Jump jump;
  const char* title_call;
  const char* install_call;
  std::map<int, std::string> fake::Suite::*install_paths;
  std::map<std::pair<int, int>, std::string> fake::Suite::*titles;
};

const Variant kVariants[] = {
    {"ZorFuncJump", ZorFuncJump, "GetZorFuncWinTitle", "GetZorInstallPath",
     &fake::Suite::install_paths, &fake::Suite::titles},
    {"QZorFuncJump", QZorFuncJump, "QGetZorFuncWinTitle", "QGetZorInstallPath",
     &fake::Suite::q_install_paths, &fake::Suite::q_titles},
    {"AZorFuncJump", AZorFuncJump, "GetZorFuncWinTitle", "AGetZorInstallPath",
     &fake::Suite::a_install_paths, &fake::Suite::titles},
};

constexpr short kSeries = 3;
constexpr short kFunction = 5;
constexpr std::int16_t kExeNumber = 21;

class JumpTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    host::map_drive('I', files_.path().string());
    host::put_clipboard_text("before");
  }

  // The suite names the tool of kFunction for the variant; its executable
  // lies in I:\<variant>\ when present.
  std::string describe_tool(const Variant& v, bool executable_present) {
    fake::Suite& s = fake::suite();
    (s.*v.titles)[{kSeries, kFunction}] = "Motion Tool";
    s.exe_numbers[kFunction] = kExeNumber;
    s.exe_names[kExeNumber] = "motion";
    (s.*v.install_paths)[kSeries] = std::string("I:\\") + v.name + "\\";
    const std::string file = std::string(v.name) + "/motion.exe";
    if (executable_present) {
      files_.write(file, "MZ");
    } else {
      std::filesystem::remove(files_.path() / file);
    }
    return std::string("I:\\") + v.name + "\\motion.exe";
  }

  std::vector<std::string> started() const {
    std::vector<std::string> lines;
    for (const auto& p : host::started_programs()) lines.push_back(p.command_line);
    return lines;
  }

  TempDir files_;
};

TEST_F(JumpTest, ActivatesOrStartsByWhatRunsAndWhatExists) {
  const struct Case {
    const char* what;
    bool running;
    bool present;
    const char* handoff;
    short result;
    bool activated;
    bool started;
    const char* clipboard;  // after the jump
  } cases[] = {
      {"running: activated, no hand-off", true, true, "text", 0, true, false, "before"},
      {"running, executable missing", true, false, "text", 6, false, false, "before"},
      {"not running, empty text", false, true, "", 0, false, true, "before"},
      {"not running, no text", false, true, nullptr, 0, false, true, "before"},
      {"not running, text", false, true, "P1,proj", 0, false, true, "P1,proj"},
      {"not running, executable missing", false, false, "text", 6, false, false, "before"},
  };
  for (const Variant& v : kVariants) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(v.name) + ": " + c.what);
      SetUp();
      const std::string path = describe_tool(v, c.present);
      const Window other = host::add_window("Other");
      const Window tool = c.running ? host::add_window("Motion Tool - project", true) : nullptr;
      ASSERT_TRUE(platform::set_foreground(other));
      const long opens_before = host::counters().clipboard_opens;

      EXPECT_EQ(v.jump(kSeries, kFunction, c.handoff), c.result);
      EXPECT_EQ(host::foreground_window(), c.activated ? tool : other);
      if (c.activated) EXPECT_FALSE(host::window_iconic(tool));
      EXPECT_EQ(started(), c.started ? std::vector<std::string>{path} : std::vector<std::string>{});
      EXPECT_EQ(host::clipboard_text(), c.clipboard);
      if (c.started) EXPECT_EQ(host::started_programs()[0].clipboard, c.clipboard);
      if (std::string(c.clipboard) == "before") {
        EXPECT_EQ(host::counters().clipboard_opens, opens_before);
      }
      // Each variant asks its own lookup and install directory.
      EXPECT_EQ(fake::suite().calls_of(v.title_call).size(), 1u);
      EXPECT_EQ(fake::suite().calls_of(v.install_call).size(), 1u);
      EXPECT_EQ(fake::suite().calls_of("GetZorExeNo")[0].numbers, std::vector<long>{kFunction});
      EXPECT_EQ(fake::suite().calls_of("GetZorExeName")[0].numbers, std::vector<long>{kExeNumber});
    }
  }
}

TEST_F(JumpTest, SuiteFailuresPassThroughAndStartNothing) {
  for (const Variant& v : kVariants) {
    // The calls in their order, each with the argument a failure is keyed by.
    const std::pair<std::string, long> steps[] = {{v.title_call, kFunction},
                                                  {"GetZorExeNo", kFunction},
                                                  {"GetZorExeName", kExeNumber},
                                                  {v.install_call, kSeries}};
    for (std::size_t failing = 0; failing < std::size(steps); ++failing) {
      SCOPED_TRACE(std::string(v.name) + " failing in " + steps[failing].first);
      SetUp();
      describe_tool(v, true);
      fake::suite().failures[steps[failing].first][steps[failing].second] = -7;
      host::add_window("Motion Tool");
      EXPECT_EQ(v.jump(kSeries, kFunction, "text"), -7);
      EXPECT_TRUE(host::started_programs().empty());
      EXPECT_EQ(host::foreground_window(), nullptr);
      EXPECT_EQ(host::clipboard_text(), "before");
      EXPECT_EQ(host::counters().existence_tests, 0);
      // The calls come in their order and stop at the failing one.
      std::vector<std::string> made;
      for (const fake::Call& call : fake::suite().calls) made.push_back(call.name);
      std::vector<std::string> expected;
      for (std::size_t i = 0; i <= failing; ++i) expected.push_back(steps[i].first);
      EXPECT_EQ(made, expected);
    }
  }
}

// Names and directories that fill the suite's buffers come without a
// terminator; the executable path still ends where the buffers do.
TEST_F(JumpTest, ExecutablePathFromFullSuiteBuffers) {
  fake::Suite& s = fake::suite();
  s.fill_buffers = true;
  const std::string directory = std::string(200, 'a') + "/" + std::string(83, 'b');  // 284
  const std::string name(64, 'n');
  s.titles[{kSeries, kFunction}] = "Motion Tool";
  s.exe_numbers[kFunction] = kExeNumber;
  s.exe_names[kExeNumber] = name + "beyond";
  s.install_paths[kSeries] = "I:\\" + std::string(200, 'a') + "\\" + std::string(83, 'b') + "\\";
  files_.write(directory + "/" + name + ".exe", "MZ");
  EXPECT_EQ(ZorFuncJump(kSeries, kFunction, nullptr), DREMOXA7_OK);
  EXPECT_EQ(started(), std::vector<std::string>{s.install_paths[kSeries] + name + ".exe"});
}

TEST_F(JumpTest, HeldClipboardStillStartsTheTool) {
  const std::string path = describe_tool(kVariants[0], true);
  host::hold_clipboard(-1);
  EXPECT_EQ(ZorFuncJump(kSeries, kFunction, "text"), DREMOXA7_OK);
  EXPECT_EQ(started(), std::vector<std::string>{path});
  EXPECT_EQ(host::clipboard_text(), "before");
}

// Another program takes the clipboard between the library's open and its
// text: the hand-off is lost, the clipboard is left to that program, and
// the tool still starts.
TEST_F(JumpTest, ClipboardTakenAwayDuringTheHandoffStillStartsTheTool) {
  const std::string path = describe_tool(kVariants[0], true);
  host::before(host::Call::clipboard_set, [] { host::take_clipboard("their text"); });
  EXPECT_EQ(ZorFuncJump(kSeries, kFunction, "text"), DREMOXA7_OK);
  EXPECT_EQ(started(), std::vector<std::string>{path});
  EXPECT_EQ(host::clipboard_text(), "their text");
  EXPECT_FALSE(host::clipboard_is_open());
}

TEST_F(JumpTest, StartedToolFindsItsWindowOpenedOnTheNextJump) {
  const std::string path = describe_tool(kVariants[0], true);
  host::on_start([](const std::string&) { host::add_window("Motion Tool - new"); });
  EXPECT_EQ(ZorFuncJump(kSeries, kFunction, "first"), DREMOXA7_OK);
  EXPECT_EQ(ZorFuncJump(kSeries, kFunction, "second"), DREMOXA7_OK);
  EXPECT_EQ(started(), std::vector<std::string>{path});
  EXPECT_EQ(host::clipboard_text(), "first");
  EXPECT_EQ(host::foreground_window(), host::z_order().front());
}

TEST_F(JumpTest, PackageJump) {
  files_.write("Pkg/tool.exe", "MZ");
  const Window running = host::add_window("Package Tool - p1");
  const struct Case {
    const char* directory;
    const char* exe;
    const char* title;
    short result;
    bool activated;
  } cases[] = {
      {"I:\\Pkg\\", "tool", "Package Tool", 0, true},
      {"I:\\Pkg\\", "tool", nullptr, 0, false},  // no title: always started
      {"I:\\Pkg\\", "tool", "", 0, false},
      {"I:\\Pkg\\", "tool", "package tool", 0, false},
      {"I:\\Pkg\\", "missing", "Package Tool", 6, false},
      {nullptr, nullptr, "Package Tool", 6, false},
      {"I:\\Pkg\\*", "", "Package Tool", 6, false},  // wildcards name nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title ? c.title : "(null)");
    host::reset_counters();
    const std::size_t started_before = host::started_programs().size();
    host::refuse_foreground(false);
    ASSERT_TRUE(platform::set_foreground(host::add_window("Other")));
    EXPECT_EQ(ZorPacJump(c.directory, c.exe, c.title), c.result);
    EXPECT_EQ(host::foreground_window() == running, c.activated);
    const bool started = c.result == 0 && !c.activated;
    ASSERT_EQ(host::started_programs().size(), started_before + (started ? 1 : 0));
    if (started) EXPECT_EQ(host::started_programs().back().command_line, "I:\\Pkg\\tool.exe");
  }
  EXPECT_EQ(host::clipboard_text(), "before");
}

// A decoy where the path would stop at its first blank never starts: the
// path goes to the system in quotes, for every jump.
TEST_F(JumpTest, AnInstallDirectoryWithABlankStartsTheToolItself) {
  files_.write("Suite Tools/motion.exe", "MZ");
  files_.write("Suite.exe", "MZ");
  files_.write("Suite Tools/pkg.exe", "MZ");
  for (const Variant& v : kVariants) {
    SCOPED_TRACE(v.name);
    SetUp();
    describe_tool(v, false);
    (fake::suite().*v.install_paths)[kSeries] = "I:\\Suite Tools\\";
    EXPECT_EQ(v.jump(kSeries, kFunction, "text"), DREMOXA7_OK);
    EXPECT_EQ(started(), std::vector<std::string>{"\"I:\\Suite Tools\\motion.exe\""});
  }
  SetUp();
  EXPECT_EQ(ZorPacJump("I:\\Suite Tools\\", "pkg", nullptr), DREMOXA7_OK);
  EXPECT_EQ(started(), std::vector<std::string>{"\"I:\\Suite Tools\\pkg.exe\""});
}

// The tool closes between being found and being brought to the front: the
// failed activation is not reported, and nothing is started in its place.
TEST_F(JumpTest, AToolClosingBeforeItsActivationIsNeitherActivatedNorStarted) {
  files_.write("Pkg/tool.exe", "MZ");
  const struct {
    const char* name;
    short (*jump)();
  } cases[] = {
      {"ZorFuncJump", [] { return ZorFuncJump(kSeries, kFunction, "text"); }},
      {"ZorPacJump", [] { return ZorPacJump("I:\\Pkg\\", "tool", "Motion Tool"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    describe_tool(kVariants[0], true);
    const Window other = host::add_window("Other");
    const Window tool = host::add_window("Motion Tool - project", true);
    ASSERT_TRUE(platform::set_foreground(other));
    host::before(host::Call::foreground, [&] { host::close_window(tool); });
    EXPECT_EQ(c.jump(), DREMOXA7_OK);
    EXPECT_EQ(host::foreground_window(), other);
    EXPECT_TRUE(host::started_programs().empty());
    EXPECT_EQ(host::clipboard_text(), "before");
  }
}

// A path that does not name its folder (a bare name, or one relative to
// the current folder) would be tested in the current folder but started
// from the caller's own, and a double quote would split the command line:
// neither names an executable, even where a file of that name lies.
TEST_F(JumpTest, ABareNameOrAQuoteInThePathStartsNothing) {
  files_.write("ladx.exe", "MZ");
  files_.write("sub/ladx.exe", "MZ");
  files_.write("Suite/Zq\" \"Main0.exe", "MZ");
  host::set_current_directory(files_.path().string());
  const struct {
    const char* name;
    const char* install_path;
    const char* exe_name;
    short (*jump)();
  } cases[] = {
      {"empty directory", nullptr, nullptr, [] { return ZorPacJump("", "ladx", "Ladder"); }},
      {"null directory", nullptr, nullptr, [] { return ZorPacJump(nullptr, "ladx", "Ladder"); }},
      {"directory relative to the current folder", nullptr, nullptr,
       [] { return ZorPacJump("sub\\", "ladx", "Ladder"); }},
      {"ladder, empty directory", nullptr, nullptr,
       [] { return ZorLadderpJump(0, "", "ladx", "Ladder"); }},
      {"ladder, null directory", nullptr, nullptr,
       [] { return ZorLadderpJump(0, nullptr, "ladx", "Ladder"); }},
      {"empty install directory", "", "ladx",
       [] { return ZorFuncJump(kSeries, kFunction, "text"); }},
      {"quote in the name", "I:\\Suite\\", "Zq\" \"Main0",
       [] { return ZorFuncJump(kSeries, kFunction, "text"); }},
      {"quote in the directory", nullptr, nullptr,
       [] { return ZorPacJump("I:\\Suite\\Zq\" \"", "Main0", nullptr); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    host::set_current_directory(files_.path().string());
    if (c.install_path != nullptr) {
      describe_tool(kVariants[0], false);
      fake::suite().install_paths[kSeries] = c.install_path;
      fake::suite().exe_names[kExeNumber] = c.exe_name;
    }
    EXPECT_EQ(c.jump(), DREMOXA7_NO_EXECUTABLE);
    EXPECT_EQ(host::counters().existence_tests, 0);
    EXPECT_TRUE(host::started_programs().empty());
    EXPECT_EQ(host::clipboard_text(), "before");
  }
}

TEST_F(JumpTest, OverlongPackagePathNamesNoExecutable) {
  const std::string directory = "I:\\" + std::string(5000, 'd') + "\\";
  EXPECT_EQ(ZorPacJump(directory.c_str(), "tool", nullptr), DREMOXA7_NO_EXECUTABLE);
  EXPECT_EQ(ZorPacJump("I:\\", std::string(5000, 'n').c_str(), nullptr), DREMOXA7_NO_EXECUTABLE);
  EXPECT_TRUE(host::started_programs().empty());
}

}  // namespace
}  // namespace dremoxa7
